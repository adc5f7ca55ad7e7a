#include "Verificar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <sstream>

#include "Conversiones.h"
#include "Lote.h"
#include "Geoide.h"
#include "Rejilla.h"
#include "SalidaTexto.h"

namespace tesmaro {

namespace {

// The recorded checksum and check points, beside the shipped grid.
constexpr std::string_view FicheroSuma = "sped2et.gsb.sha256";
constexpr std::string_view FicheroPuntos = "sped2et_puntos_control.csv";
// The geoid's check points (each grid's checksum is its name + ".sha256").
constexpr std::string_view FicheroPuntosGeoide = "egm08_rednap_puntos_control.csv";
// The geoid check points hold N to 0.1 mm as PROJ's vgridshift gives it from
// IGN's original GeoTIFFs (the same float32 values); the program interpolates
// them as PROJ does (measured 0.05 mm at most: the rounding of the file). 1 mm
// is the model's stated agreement with PROJ.
constexpr double ToleranciaGeoide = 0.001;  // metres

// The check points' ETRS89 values were computed by PROJ from the original
// GeoTIFF grid (the same float32 shifts). PROJ interpolates in double; the
// program rounds the bilinear coefficients to float32, as it always has, and
// iterates the reverse a fixed number of times: both stay within 0.1 mm of
// PROJ on these points (measured 0.005 mm); 1 mm leaves room for the printed
// decimals of the file (1e-11°) and flags any other grid at once.
constexpr double ToleranciaPuntos = 0.001;  // metres
constexpr double MetrosPorGrado = 111320;   // along a meridian, near enough for a deviation

std::uint32_t Rotar(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

bool LeerFichero(const std::string& ruta, std::string& contenido) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return false;
    std::ostringstream s;
    s << f.rdbuf();
    contenido = s.str();
    return static_cast<bool>(f) || f.eof();
}

std::string Milimetros(double metros) {
    char t[32];
    std::snprintf(t, sizeof t, "%.3f mm", metros * 1000);
    return t;
}

// Deviation (metres on the ground) between two points in seconds of arc.
double Desviacion(double lon1, double lat1, double lon2, double lat2) {
    const double coseno = std::cos(lat1 / 3600 * std::numbers::pi / 180);
    return std::hypot((lon1 - lon2) / 3600 * MetrosPorGrado * coseno, (lat1 - lat2) / 3600 * MetrosPorGrado);
}

// One worked example: a conversion, a point line of its input and the record
// the program writes for it, on the default settings (WGS 84, sexagesimal
// degrees).
struct Ejemplo {
    std::string_view conversion;
    std::string_view linea;
    std::string_view registro;
};

constexpr Ejemplo Ejemplos[] = {
    {"utm-geo-etrs89", "P,292080.1269165694,4129840.110474889,30E", R"("P",-5.34563026763283,37.2919548316284,30)"},
    {"utm-geo-ed50", "P,169852.33944846888,4053009.319745113,31", R"("P",-0.688696667955991,36.564904831723,31)"},
    {"geo-utm-etrs89", "P,-8.990270155402047,37.91619436386199,29",
     R"("P",500855.22559,4196516.72194,29,"Norte",0.00597906938685365,0.9996)"},
    {"geo-utm-ed50", "P,3.253425468799773,41.24691479993254,31",
     R"("P",521234.70849,4566278.39913,31,"Norte",0.167085385378449,0.99960554)"},
    {"geo-cart", "P,-7.802069345229841,35.50849134273222,0",
     R"("P",5149747.11190847,-705617.08983028,3683934.92731087,6378137,298.257223563)"},
    {"cart-geo", "P,5111594.636461983,-626687.9264532086,3755667.024287525",
     R"("P",-6.98965320112122,36.2856294067919,29,"Norte",3178.3409107225,6378137,298.257223563)"},
    {"directo", "P,-6.498293139302816,-42.89003709063532,132.4015184449056,7274.001157038684",
     R"("P",-6.4324897689108,-42.9341713390266,312.356714575996,6378137,298.257223563)"},
    {"inverso", "P,-4.506053186746622,-12.046530157979308,-4.509721985931793,-12.05044473583398",
     R"("P",-4.50605318674662,-12.0465301579793,222.701101722388,589.254663329581,-4.50972198593179,)"
     R"(-12.050444735834,42.7018678526135,6378137,298.257223563)"},
    {"ed50-etrs89", "P,2.4278372431136774,37.95905715466476", R"("P",2.4267268102313,37.9578442881581,31)"},
    {"etrs89-ed50", "P,-3.0496413330003307,40.05479157684099", R"("P",-3.04834959677148,40.0559821253044,30)"},
    {"altitud-geo", "P,-3.7038,40.4168,700", R"("P",-3.7038,40.4168,700,51.1116814167132,648.888318583287)"},
    {"altitud-utm", "P,440291.4,4474261.8,30,700",
     R"("P",440291.4,4474261.8,30,700,51.1116789560441,648.888321043956)"},
    {"altura-geo", "P,-16.6425,28.2723,3751.755", R"("P",-16.6425,28.2723,3799.99967706666,48.2446770666564,3751.755)"},
    {"altura-utm", "P,328000,3128000,28,2000", R"("P",328000,3128000,28,2047.48987703473,47.4898770347253,2000)"},
};

// The record of an example's line through its conversion's own functions,
// without its line end.
std::string Registro(const Conversion& c, std::string_view linea, const Rejilla& rejilla, const Geoide& geoide) {
    const FormatoCampos formato;
    AjustesConversion ajustes;
    if (c.datum) ajustes.datum = *c.datum;
    ajustes.rejilla = &rejilla;
    ajustes.geoide = &geoide;
    std::string t;
    AnadirRegistro(c, ConvertirLinea(c, CamposFichero(linea, formato), formato, ajustes), t);
    if (t.size() >= 2) t.resize(t.size() - 2);
    return t;
}

// The check points: name, ED50 and ETRS89 longitude and latitude (degrees);
// outside: the last two empty.
struct PuntoControl {
    std::string nombre;
    double ed50Lon, ed50Lat, etrsLon, etrsLat;
    bool dentro;
};

bool LeerPuntos(const std::string& ruta, std::vector<PuntoControl>& puntos) {
    std::ifstream f(ruta);
    std::string linea;
    if (!std::getline(f, linea)) return false;
    while (std::getline(f, linea)) {
        std::vector<std::string> campos(1);
        bool comillas = false;
        for (const char c : linea) {
            if (c == '"') comillas = !comillas;
            else if (c == ',' && !comillas) campos.emplace_back();
            else campos.back() += c;
        }
        if (campos.size() < 5) return false;
        PuntoControl p{campos[0], std::strtod(campos[1].c_str(), nullptr), std::strtod(campos[2].c_str(), nullptr),
                       std::strtod(campos[3].c_str(), nullptr), std::strtod(campos[4].c_str(), nullptr),
                       !campos[3].empty()};
        puntos.push_back(p);
    }
    return !puntos.empty();
}

}  // namespace

std::string Sha256(std::string_view datos) {
    static constexpr std::array<std::uint32_t, 64> K = {
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
        0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
        0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
        0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
        0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
        0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
        0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
    std::array<std::uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    // The message, a 1 bit, zeros up to 56 mod 64 bytes, and its length in bits.
    std::string m(datos);
    const std::uint64_t bits = static_cast<std::uint64_t>(datos.size()) * 8;
    m += static_cast<char>(0x80);
    while (m.size() % 64 != 56) m += '\0';
    for (int i = 7; i >= 0; --i) m += static_cast<char>((bits >> (8 * i)) & 0xff);
    for (std::size_t bloque = 0; bloque < m.size(); bloque += 64) {
        std::array<std::uint32_t, 64> w{};
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 4; ++j)
                w[i] = (w[i] << 8) | static_cast<unsigned char>(m[bloque + 4 * i + j]);
        for (int i = 16; i < 64; ++i) {
            const std::uint32_t s0 = Rotar(w[i - 15], 7) ^ Rotar(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 = Rotar(w[i - 2], 17) ^ Rotar(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::array<std::uint32_t, 8> v = h;
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t S1 = Rotar(v[4], 6) ^ Rotar(v[4], 11) ^ Rotar(v[4], 25);
            const std::uint32_t ch = (v[4] & v[5]) ^ (~v[4] & v[6]);
            const std::uint32_t t1 = v[7] + S1 + ch + K[i] + w[i];
            const std::uint32_t S0 = Rotar(v[0], 2) ^ Rotar(v[0], 13) ^ Rotar(v[0], 22);
            const std::uint32_t may = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
            v = {t1 + S0 + may, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
        }
        for (int i = 0; i < 8; ++i) h[i] += v[i];
    }
    std::string hex;
    for (const std::uint32_t x : h) {
        char t[9];
        std::snprintf(t, sizeof t, "%08x", x);
        hex += t;
    }
    return hex;
}

namespace {

// A data file against its recorded checksum `rutaSuma`. `que` names the kind
// of file ("Rejilla"), `distribuida` says what the shipped one is ("es la
// distribuida (SPED2ETV2 del IGN)"), `no` what else it is ("NO es la distribuida").
Comprobacion ComprobarSuma(const std::string& que, const std::string& ruta, const std::string& rutaSuma,
                           const std::string& distribuida, const std::string& no) {
    std::string contenido, suma;
    if (!LeerFichero(ruta, contenido)) return {false, que + " " + ruta + ": no se puede leer."};
    if (!LeerFichero(rutaSuma, suma) || suma.size() < 64)
        return {false, que + " " + ruta + ": falta la suma de control registrada (" + rutaSuma + ")."};
    const std::string calculada = Sha256(contenido);
    suma.resize(64);
    if (calculada == suma) return {true, que + " " + ruta + ": " + distribuida + ", SHA-256 " + calculada + "."};
    return {false, que + " " + ruta + ": " + no + ": su SHA-256 es " + calculada + " y el de la distribuida, " + suma + "."};
}

// The geoid check points: name, longitude, latitude (degrees), N (metres) and
// the grid that holds the point. Empty when the file cannot be read.
struct PuntoGeoide {
    std::string nombre;
    double lon, lat, N;
    std::string rejilla;
};

std::vector<PuntoGeoide> LeerPuntosGeoide(const std::string& ruta) {
    std::vector<PuntoGeoide> puntos;
    std::ifstream f(ruta);
    std::string linea;
    if (!std::getline(f, linea)) return {};
    while (std::getline(f, linea)) {
        std::vector<std::string> campos(1);
        for (const char c : linea)
            if (c == ',') campos.emplace_back();
            else if (c != '\r') campos.back() += c;
        if (campos.size() != 5) return {};
        puntos.push_back({campos[0], std::strtod(campos[1].c_str(), nullptr), std::strtod(campos[2].c_str(), nullptr),
                          std::strtod(campos[3].c_str(), nullptr), campos[4]});
    }
    return puntos;
}

// Both geoid grids against their checksums, and N at the check points.
void VerificarGeoide(const std::string& carpeta, std::vector<Comprobacion>& lineas) {
    const std::string peninsula = carpeta + "/" + NombreGeoidePeninsula, canarias = carpeta + "/" + NombreGeoideCanarias;
    for (const std::string& ruta : {peninsula, canarias})
        lineas.push_back(ComprobarSuma("Geoide", ruta, ruta + ".sha256", "es el distribuido (EGM08-REDNAP del IGN)",
                                       "NO es el distribuido"));
    const Geoide geoide(peninsula, canarias);
    if (geoide.estado() != EstadoRejilla::Correcta) {
        lineas.push_back({false, geoide.mensaje()});
        return;
    }
    const std::string rutaPuntos = carpeta + "/" + std::string(FicheroPuntosGeoide);
    const std::vector<PuntoGeoide> puntos = LeerPuntosGeoide(rutaPuntos);
    if (puntos.empty()) {
        lineas.push_back({false, "Puntos de control del geoide: no se pueden leer (" + rutaPuntos + ")."});
        return;
    }
    double peor = 0;
    std::string fallos;
    for (const PuntoGeoide& p : puntos) {
        const AlturaGeoide g = geoide.Ondulacion(p.lon, p.lat);
        const bool canario = p.rejilla == NombreGeoideCanarias;
        if (g.zona != (canario ? ZonaGeoide::Canarias : ZonaGeoide::PeninsulaBaleares)) {
            fallos += " " + p.nombre + (g.dentro() ? " (en la otra rejilla)" : " (fuera del modelo)") + ";";
            continue;
        }
        const double d = std::fabs(g.N - p.N);
        peor = std::max(peor, d);
        if (!(d <= ToleranciaGeoide)) fallos += " " + p.nombre + " (" + Milimetros(d) + ");";
    }
    std::string texto = "Puntos de control del geoide EGM08-REDNAP (" + std::to_string(puntos.size()) +
                        "): desviación máxima de N " + Milimetros(peor) + " (tolerancia " +
                        Milimetros(ToleranciaGeoide) + ")";
    if (!fallos.empty()) {
        fallos.pop_back();
        texto += "; fallan:" + fallos;
    }
    lineas.push_back({fallos.empty(), texto + "."});
}

}  // namespace

OrigenRejilla ComprobarRejilla(const std::string& ruta, std::string& suma) {
    std::string contenido, registrada;
    suma.clear();
    const std::string carpeta = CarpetaDatosPrograma();
    if (!LeerFichero(ruta, contenido)) return OrigenRejilla::SinComprobar;
    suma = Sha256(contenido);
    if (carpeta.empty() || !LeerFichero(carpeta + "/" + std::string(FicheroSuma), registrada) ||
        registrada.size() < 64)
        return OrigenRejilla::SinComprobar;
    registrada.resize(64);
    return suma == registrada ? OrigenRejilla::Distribuida : OrigenRejilla::Otra;
}

std::string DescribirRejilla(const std::string& ruta) {
    std::error_code ec;
    const std::string absoluta = std::filesystem::absolute(ruta, ec).lexically_normal().string();
    std::string suma;
    switch (ComprobarRejilla(ruta, suma)) {
        case OrigenRejilla::Distribuida: return "Rejilla: " + absoluta + " (la distribuida, SPED2ETV2 del IGN).";
        case OrigenRejilla::Otra:
            return "Rejilla: " + absoluta + " (NO es la distribuida: su SHA-256 es " + suma +
                   "; los resultados son los de esa rejilla).";
        case OrigenRejilla::SinComprobar: break;
    }
    return "Rejilla: " + absoluta + " (sin suma de control con que comprobarla).";
}

std::string DescribirGeoide(const std::string& peninsula, const std::string& canarias) {
    std::string t = "Geoide:", distinto;
    for (const std::string& ruta : {peninsula, canarias}) {
        std::error_code ec;
        t += (ruta == peninsula ? " " : ", ") + std::filesystem::absolute(ruta, ec).lexically_normal().string();
        std::string contenido, suma;
        if (!LeerFichero(ruta, contenido) || !LeerFichero(ruta + ".sha256", suma) || suma.size() < 64) {
            distinto += "; sin suma de control con que comprobar " + ruta;
        } else if (const std::string calculada = Sha256(contenido); calculada != suma.substr(0, 64)) {
            distinto += "; NO es el distribuido " + ruta + ": su SHA-256 es " + calculada;
        }
    }
    return t + (distinto.empty() ? " (los distribuidos, EGM08-REDNAP del IGN)." : " (" + distinto.substr(2) + ").");
}

std::vector<Comprobacion> Verificar(const std::string& rutaRejilla, const std::string& carpetaDatos) {
    std::vector<Comprobacion> lineas;
    const std::string carpeta = carpetaDatos.empty() ? "." : carpetaDatos;

    // The grid in use against the recorded checksum.
    lineas.push_back(ComprobarSuma("Rejilla", rutaRejilla, carpeta + "/" + std::string(FicheroSuma),
                                   "es la distribuida (SPED2ETV2 del IGN)", "NO es la distribuida"));
    const Rejilla rejilla(rutaRejilla);
    if (rejilla.estado() != EstadoRejilla::Correcta) lineas.push_back({false, rejilla.mensaje()});

    // The check points through the grid both ways.
    std::vector<PuntoControl> puntos;
    if (!LeerPuntos(carpeta + "/" + std::string(FicheroPuntos), puntos)) {
        lineas.push_back({false, "Puntos de control: no se pueden leer (" + carpeta + "/" + std::string(FicheroPuntos) +
                                     ")."});
    } else if (rejilla.estado() == EstadoRejilla::Correcta) {
        for (const bool directa : {true, false}) {
            double peor = 0;
            int borde = 0;
            std::string fallos;
            for (const PuntoControl& p : puntos) {
                const double lon = directa ? p.ed50Lon : p.etrsLon, lat = directa ? p.ed50Lat : p.etrsLat;
                if (!p.dentro && !directa) continue;
                const PuntoRejilla r = directa ? rejilla.ED50aETRS89(lon * 3600, lat * 3600)
                                               : rejilla.ETRS89aED50(lon * 3600, lat * 3600);
                // The reverse steps may leave the grid from a point near its
                // edge (Rejilla::ETRS89aED50): such a point is said, not failed.
                if (!directa && !r.dentro) {
                    ++borde;
                    continue;
                }
                if (r.dentro != p.dentro) {
                    fallos += " " + p.nombre + (p.dentro ? " (fuera de la rejilla)" : " (dentro de la rejilla)") + ";";
                    continue;
                }
                if (!p.dentro) continue;
                const double d = directa ? Desviacion(r.lon, r.lat, p.etrsLon * 3600, p.etrsLat * 3600)
                                         : Desviacion(r.lon, r.lat, p.ed50Lon * 3600, p.ed50Lat * 3600);
                peor = std::max(peor, d);
                if (!(d <= ToleranciaPuntos)) fallos += " " + p.nombre + " (" + Milimetros(d) + ");";
            }
            std::string texto = std::string(directa ? "Puntos de control ED50 → ETRS89" : "Puntos de control ETRS89 → ED50") +
                                " (" + std::to_string(puntos.size()) + "): desviación máxima " + Milimetros(peor) +
                                " (tolerancia " + Milimetros(ToleranciaPuntos) + ")";
            if (borde > 0) texto += "; " + std::to_string(borde) + " junto al borde, fuera para el cálculo inverso";
            if (!fallos.empty()) {
                fallos.pop_back();
                texto += "; fallan:" + fallos;
            }
            lineas.push_back({fallos.empty(), texto + "."});
        }
    }

    VerificarGeoide(carpeta, lineas);

    // A worked example of every conversion, on the default settings.
    const Geoide geoide(carpeta + "/" + NombreGeoidePeninsula, carpeta + "/" + NombreGeoideCanarias);
    for (const Ejemplo& e : Ejemplos) {
        const Conversion* c = BuscarConversion(e.conversion);
        if (!c || (c->LeeRejilla() && rejilla.estado() != EstadoRejilla::Correcta) ||
            (c->leeGeoide && geoide.estado() != EstadoRejilla::Correcta))
            continue;
        const bool bien = Registro(*c, e.linea, rejilla, geoide) == e.registro;
        lineas.push_back({bien, "Ejemplo " + std::string(e.conversion) +
                                    (bien ? ": igual hasta la última cifra escrita."
                                          : ": DISTINTO del resultado de referencia.")});
    }
    return lineas;
}

}  // namespace tesmaro
