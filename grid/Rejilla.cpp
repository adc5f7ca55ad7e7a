// The NTv2 reader and the ED50 <-> ETRS89 transformation.
//
// One reading code serves both ways of using a grid: a Fuente reads bytes at
// an offset, either from the file (seeks, the per-call way) or from the bytes
// held in memory (class Rejilla). The headers are checked by the same function
// and the cell is found and its nodes read by the same function, so the two
// ways give bit-identical results.
#include "Rejilla.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>
#include <utility>

namespace tesmaro {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t BytesCabecera = 176;  // 11 records of 16 bytes
// Byte offsets in a header: record k is an 8-byte label at 16k and its value
// (int32 or float64, or 8 characters) at 16k + 8.
constexpr std::size_t ValorDe(int registro) { return 16 * static_cast<std::size_t>(registro) + 8; }
// The overview header.
constexpr std::size_t PosNumOrec = ValorDe(0);  // NUM_OREC, int32
constexpr std::size_t PosNumSrec = ValorDe(1);  // NUM_SREC, int32
constexpr std::size_t PosNumFile = ValorDe(2);  // NUM_FILE, int32
constexpr std::size_t PosGsType = ValorDe(3);   // GS_TYPE, 8 characters
// A sub-grid header: the limits and increments are float64 seconds, S_LAT and
// N_LAT north positive, E_LONG and W_LONG west positive.
constexpr std::size_t PosSLat = ValorDe(4);
constexpr std::size_t PosNLat = ValorDe(5);
constexpr std::size_t PosELong = ValorDe(6);
constexpr std::size_t PosWLong = ValorDe(7);
constexpr std::size_t PosLatInc = ValorDe(8);
constexpr std::size_t PosLongInc = ValorDe(9);
constexpr std::size_t PosGsCount = ValorDe(10);  // GS_COUNT, int32
// A node record: float32 latitude shift at 0, longitude shift at 4 (seconds,
// west positive), then the two accuracies.
constexpr std::size_t PosDLat = 0;
constexpr std::size_t PosDLon = 4;
constexpr std::uint64_t BytesNodo = 16;       // 4 float32: dlat, dlon, two accuracies
// Largest file class Rejilla keeps in memory.
constexpr std::uint64_t MaxBytesEnMemoria = std::uint64_t{1} << 30;
// Starting value of the "finest LAT_INC so far" of the sub-grid choice
// (seconds); an increment must be below it to ever be chosen.
constexpr double IncrementoInicial = 1000000;
// Latitude and longitude limits of a sub-grid (seconds): ±90° and ±360°.
constexpr double MaxLatitud = 324000;
constexpr double MaxLongitud = 1296000;
// Largest number of node rows or columns of a sub-grid: GS_COUNT is an int32.
constexpr double MaxFilas = 2147483647.0;
// Largest shift a node may hold (seconds, 180°): keeps the float32
// coefficients of the interpolation finite.
constexpr float MaxDesplazamiento = 648000.0f;
// A point this far outside an edge of a sub-grid, in units of (LAT_INC +
// LONG_INC), is on the edge: PROJ's tolerance (0.003" for sped2et.gsb), which
// keeps a point on an edge, given in decimal degrees, on it.
constexpr double ToleranciaBorde = 1e-5;
// How near (seconds) the forward transformation must take the result of the
// inverse back to its start: 6 µm, some 1000 times the rounding of the
// steps, 1e-12 rad as in PROJ.
constexpr double ToleranciaInversa = 2e-7;

std::int32_t LeerI32(const unsigned char* p) {
    const std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                            (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
    return static_cast<std::int32_t>(v);
}

float LeerF32(const unsigned char* p) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(LeerI32(p)));
}

double LeerF64(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return std::bit_cast<double>(v);
}

std::string Numero(std::int64_t n) {
    char texto[24];
    auto [fin, ec] = std::to_chars(texto, texto + sizeof texto, n);
    return std::string(texto, fin);
}

// Bytes at an offset, from a file or from memory.
class Fuente {
public:
    virtual ~Fuente() = default;
    virtual std::uint64_t Tamano() const = 0;
    // False when the bytes cannot all be read.
    virtual bool Leer(std::uint64_t posicion, unsigned char* destino, std::size_t n) = 0;
};

class FuenteMemoria final : public Fuente {
public:
    explicit FuenteMemoria(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
    std::uint64_t Tamano() const override { return bytes_.size(); }
    bool Leer(std::uint64_t posicion, unsigned char* destino, std::size_t n) override {
        if (posicion > bytes_.size() || n > bytes_.size() - posicion) return false;
        std::memcpy(destino, bytes_.data() + posicion, n);
        return true;
    }

private:
    const std::vector<unsigned char>& bytes_;
};

class FuenteFichero final : public Fuente {
public:
    explicit FuenteFichero(std::ifstream& f) : f_(f) {
        f_.seekg(0, std::ios::end);
        const auto fin = f_.tellg();
        tamano_ = fin > 0 ? static_cast<std::uint64_t>(fin) : 0;
    }
    std::uint64_t Tamano() const override { return tamano_; }
    bool Leer(std::uint64_t posicion, unsigned char* destino, std::size_t n) override {
        if (posicion > tamano_ || n > tamano_ - posicion) return false;
        f_.clear();
        f_.seekg(static_cast<std::streamoff>(posicion));
        f_.read(reinterpret_cast<char*>(destino), static_cast<std::streamsize>(n));
        return !f_.fail() && static_cast<std::size_t>(f_.gcount()) == n;
    }

private:
    std::ifstream& f_;
    std::uint64_t tamano_ = 0;
};

}  // namespace

// What is kept of one sub-grid header.
struct Subrejilla {
    double sLat = 0, nLat = 0, eLong = 0, wLong = 0, latInc = 0, longInc = 0;  // seconds
    std::int32_t gsCount = 0;
    std::uint64_t inicioNodos = 0;  // byte of its first node record
    std::int64_t filas = 0, columnas = 0;
};

namespace {

// Rounds half to even (the quotients are whole numbers in a sound file).
double RedondeoPar(double q) {
    const double abajo = std::floor(q);
    const double resto = q - abajo;
    if (resto > 0.5) return abajo + 1;
    if (resto < 0.5) return abajo;
    return std::fmod(abajo, 2.0) == 0 ? abajo : abajo + 1;
}

// Number of node rows (or columns) from an extent and its increment, or -1
// when it is not a sane count.
std::int64_t NumeroNodos(double desde, double hasta, double incremento) {
    const double q = (hasta - desde) / incremento;
    if (!std::isfinite(q) || q < 0 || q >= MaxFilas) return -1;
    return static_cast<std::int64_t>(RedondeoPar(q)) + 1;
}

// Reads and checks the overview header and every sub-grid header. Empty
// `motivo` when the grid is usable.
std::vector<Subrejilla> LeerCabeceras(Fuente& fuente, std::string& motivo) {
    std::vector<Subrejilla> subrejillas;
    const std::uint64_t tamano = fuente.Tamano();
    std::array<unsigned char, BytesCabecera> c{};
    if (tamano < BytesCabecera || !fuente.Leer(0, c.data(), c.size())) {
        motivo = "es demasiado corto para contener la cabecera general";
        return {};
    }
    if (std::memcmp(c.data(), "NUM_OREC", 8) != 0) {
        motivo = "no empieza por el registro NUM_OREC";
        return {};
    }
    const std::int32_t numOrec = LeerI32(c.data() + PosNumOrec);
    const std::int32_t numSrec = LeerI32(c.data() + PosNumSrec);
    if (numOrec != 11 || numSrec != 11) {
        motivo = "NUM_OREC vale " + Numero(numOrec) + " y NUM_SREC vale " + Numero(numSrec) +
                 "; solo se admiten cabeceras de 11 registros (y el orden de bytes little-endian)";
        return {};
    }
    if (std::memcmp(c.data() + PosGsType, "SECONDS", 7) != 0) {
        motivo = "GS_TYPE no es SECONDS; solo se admiten rejillas en segundos de arco";
        return {};
    }
    const std::int32_t numFile = LeerI32(c.data() + PosNumFile);
    if (numFile <= 0) {
        motivo = "NUM_FILE vale " + Numero(numFile) + ": no contiene ninguna subrejilla";
        return {};
    }
    if (numFile > MaxSubrejillas) {
        motivo = "NUM_FILE vale " + Numero(numFile) + " y se admiten como máximo " +
                 Numero(MaxSubrejillas) + " subrejillas";
        return {};
    }

    std::uint64_t posicion = BytesCabecera;
    for (int k = 1; k <= numFile; ++k) {
        const std::string cual = "la subrejilla " + Numero(k);
        if (tamano - posicion < BytesCabecera || !fuente.Leer(posicion, c.data(), c.size())) {
            motivo = "la cabecera de " + cual + " queda cortada por el final del fichero";
            return {};
        }
        if (std::memcmp(c.data(), "SUB_NAME", 8) != 0) {
            motivo = "la cabecera de " + cual + " no empieza por el registro SUB_NAME";
            return {};
        }
        Subrejilla s;
        s.sLat = LeerF64(c.data() + PosSLat);
        s.nLat = LeerF64(c.data() + PosNLat);
        s.eLong = LeerF64(c.data() + PosELong);
        s.wLong = LeerF64(c.data() + PosWLong);
        s.latInc = LeerF64(c.data() + PosLatInc);
        s.longInc = LeerF64(c.data() + PosLongInc);
        s.gsCount = LeerI32(c.data() + PosGsCount);
        for (double v : {s.sLat, s.nLat, s.eLong, s.wLong, s.latInc, s.longInc}) {
            if (!std::isfinite(v)) {
                motivo = cual + " tiene límites o intervalos que no son números";
                return {};
            }
        }
        if (!(s.latInc > 0 && s.latInc < IncrementoInicial && s.longInc > 0 &&
              s.longInc < IncrementoInicial)) {
            motivo = cual + " tiene un intervalo de latitud o de longitud nulo, negativo o desmesurado";
            return {};
        }
        if (std::fabs(s.sLat) > MaxLatitud || std::fabs(s.nLat) > MaxLatitud ||
            std::fabs(s.eLong) > MaxLongitud || std::fabs(s.wLong) > MaxLongitud) {
            motivo = cual + " tiene límites fuera de rango";
            return {};
        }
        s.filas = NumeroNodos(s.sLat, s.nLat, s.latInc);
        s.columnas = NumeroNodos(s.eLong, s.wLong, s.longInc);
        if (s.filas < 2 || s.columnas < 2) {
            motivo = cual + " no tiene al menos dos filas y dos columnas de nodos";
            return {};
        }
        if (s.filas * s.columnas != s.gsCount) {
            motivo = "GS_COUNT de " + cual + " vale " + Numero(s.gsCount) + ", pero sus " +
                     Numero(s.filas) + " filas y " + Numero(s.columnas) + " columnas dan " +
                     Numero(s.filas * s.columnas) + " nodos";
            return {};
        }
        s.inicioNodos = posicion + BytesCabecera;
        const std::uint64_t bytesNodos = static_cast<std::uint64_t>(s.gsCount) * BytesNodo;
        if (tamano - s.inicioNodos < bytesNodos) {
            motivo = "los nodos de " + cual + " pasan del final del fichero";
            return {};
        }
        posicion = s.inicioNodos + bytesNodos;
        subrejillas.push_back(s);
    }
    return subrejillas;
}

bool DesplazamientoSano(float d) { return std::fabs(d) <= MaxDesplazamiento; }  // false for NaN

std::string MotivoDesplazamientos(int k) {
    return "la subrejilla " + Numero(k) + " tiene desplazamientos que no son números o pasan de 180°";
}

// BuscaCelda on checked headers. Returns why the file cannot be used when a
// node cannot be read (the file changed under the reader) or holds an absurd
// shift; empty otherwise.
std::string BuscarCelda(const std::vector<Subrejilla>& subrejillas, Fuente& fuente, double lonE,
                        double lat, CeldaRejilla& celda) {
    celda = CeldaRejilla{};
    const double lonW = -lonE;
    double mejor = IncrementoInicial;
    int elegida = -1;
    for (std::size_t k = 0; k < subrejillas.size(); ++k) {
        const Subrejilla& s = subrejillas[k];
        // The extent of the nodes, each edge widened by the tolerance. NaN
        // fails every test.
        const double tolerancia = (s.latInc + s.longInc) * ToleranciaBorde;
        const double norte = s.sLat + static_cast<double>(s.filas - 1) * s.latInc;
        const double oeste = s.eLong + static_cast<double>(s.columnas - 1) * s.longInc;
        if (!(lat >= s.sLat - tolerancia && lat <= norte + tolerancia && lonW >= s.eLong - tolerancia &&
              lonW <= oeste + tolerancia))
            continue;
        if (s.latInc < mejor) {
            mejor = s.latInc;
            elegida = static_cast<int>(k);
        }
    }
    if (elegida < 0) return {};

    const Subrejilla& s = subrejillas[static_cast<std::size_t>(elegida)];
    // Row and column of node 1 from 1, trunc towards zero; the northern and
    // western edge lines (and the tolerance beyond any edge) take the last
    // cell, not one beyond it.
    const auto celdaDe = [](double desde, double incremento, std::int64_t nodos, double x) {
        const double t = std::trunc((x - desde) / incremento);
        return t < 0 ? std::int64_t{1} : std::min(static_cast<std::int64_t>(t), nodos - 2) + 1;
    };
    const std::int64_t r = celdaDe(s.sLat, s.latInc, s.filas, lat);
    const std::int64_t c = celdaDe(s.eLong, s.longInc, s.columnas, lonW);
    const std::int64_t cols = s.columnas;
    const std::int64_t i = (r - 1) * cols + c;
    const std::int64_t nodos[4] = {i, i + 1, i + cols, i + cols + 1};
    for (int n = 0; n < 4; ++n) {
        unsigned char b[BytesNodo];
        const std::uint64_t pos = s.inicioNodos + static_cast<std::uint64_t>(nodos[n] - 1) * BytesNodo;
        if (!fuente.Leer(pos, b, sizeof b)) return "no se pueden leer los nodos";
        celda.dLat[n] = LeerF32(b + PosDLat);
        celda.dLon[n] = LeerF32(b + PosDLon);
        if (!DesplazamientoSano(celda.dLat[n]) || !DesplazamientoSano(celda.dLon[n])) {
            celda = CeldaRejilla{};
            return MotivoDesplazamientos(elegida + 1);
        }
    }
    const double lonW1 = s.eLong + static_cast<double>(c - 1) * s.longInc;
    const double lat1 = s.sLat + static_cast<double>(r - 1) * s.latInc;
    // Within the cell; a point in the tolerance outside an edge is taken on
    // the edge, as PROJ takes it.
    celda.X = std::clamp((lonW - lonW1) / s.longInc, 0.0, 1.0);
    celda.Y = std::clamp((lat - lat1) / s.latInc, 0.0, 1.0);
    celda.encontrada = true;
    celda.subrejilla = elegida + 1;
    celda.fila = r;
    celda.columna = c;
    return {};
}

double Bilineal(const float d[4], double X, double Y) {
    const float a0 = d[0];
    const float a1 = static_cast<float>(static_cast<double>(d[1]) - static_cast<double>(d[0]));
    const float a2 = static_cast<float>(static_cast<double>(d[2]) - static_cast<double>(d[0]));
    const float a3 = static_cast<float>(
        ((static_cast<double>(d[3]) + static_cast<double>(d[0])) - static_cast<double>(d[1])) -
        static_cast<double>(d[2]));
    return ((static_cast<double>(a0) + static_cast<double>(a1) * X) + static_cast<double>(a2) * Y) +
           (static_cast<double>(a3) * X) * Y;
}

// Fifteen fixed-point steps of `directa`; then the point found must be in
// the grid and `directa` must take it back to the start within
// ToleranciaInversa in both coordinates (where a step crosses from one
// sub-grid to another whose shifts differ, the steps may settle on no point).
template <class Directa>
PuntoRejilla Inversa(double lon0, double lat0, Directa directa) {
    double lon = lon0, lat = lat0;
    for (int paso = 0; paso < 15; ++paso) {
        const PuntoRejilla f = directa(lon, lat);
        if (!f.dentro) return PuntoRejilla{};
        lon = lon - (f.lon - lon0);
        lat = lat - (f.lat - lat0);
    }
    const PuntoRejilla f = directa(lon, lat);
    if (!f.dentro || !(std::fabs(f.lon - lon0) <= ToleranciaInversa && std::fabs(f.lat - lat0) <= ToleranciaInversa))
        return PuntoRejilla{};
    return PuntoRejilla{true, lon, lat};
}

std::string MensajeNoEncontrada(const std::string& ruta) {
    return "No se encuentra el fichero de rejilla " + ruta;
}
std::string MensajeNoAbre(const std::string& ruta) {
    return "No se puede abrir el fichero de rejilla " + ruta;
}
std::string MensajeInvalida(const std::string& ruta, const std::string& motivo) {
    return "El fichero de rejilla " + ruta + " no es una rejilla NTv2 válida: " + motivo;
}

// Opens `ruta` for binary reading, or says why not.
EstadoRejilla Abrir(const std::string& ruta, std::ifstream& f, std::string& mensaje) {
    std::error_code ec;
    const fs::file_status estado = fs::status(ruta, ec);
    if (!fs::exists(estado)) {
        mensaje = MensajeNoEncontrada(ruta);
        return EstadoRejilla::NoEncontrada;
    }
    // Only a regular file (or a link to one): a folder cannot be read and a
    // named pipe would block the program.
    if (!fs::is_regular_file(estado)) {
        mensaje = MensajeNoAbre(ruta);
        return EstadoRejilla::NoEncontrada;
    }
    f.open(ruta, std::ios::binary);
    if (!f) {
        mensaje = MensajeNoAbre(ruta);
        return EstadoRejilla::NoEncontrada;
    }
    return EstadoRejilla::Correcta;
}

}  // namespace

PuntoRejilla DesplazaConCelda(const CeldaRejilla& celda, double lonE, double lat) {
    if (!celda.encontrada) return PuntoRejilla{};
    const double sLat = Bilineal(celda.dLat, celda.X, celda.Y);
    const double sLon = Bilineal(celda.dLon, celda.X, celda.Y);
    // NTv2 longitude shifts are positive west: added to the west longitude.
    const double lonW = (-lonE) + sLon;
    return PuntoRejilla{true, -lonW, lat + sLat};
}

// ---- The grid held in memory ----

class RejillaNtv2 {
public:
    std::vector<unsigned char> bytes;
    std::vector<Subrejilla> subrejillas;
};

namespace {

void Cargar(RejillaNtv2& datos, const std::string& ruta, EstadoRejilla& estado,
            std::string& mensaje) {
    FuenteMemoria fuente(datos.bytes);
    std::string motivo;
    datos.subrejillas = LeerCabeceras(fuente, motivo);
    // Every shift is looked at once here; the per-call reader checks the four
    // it reads.
    for (std::size_t k = 0; k < datos.subrejillas.size() && motivo.empty(); ++k) {
        const Subrejilla& s = datos.subrejillas[k];
        for (std::int64_t n = 0; n < s.gsCount; ++n) {
            const unsigned char* nodo = datos.bytes.data() + s.inicioNodos + static_cast<std::uint64_t>(n) * BytesNodo;
            if (!DesplazamientoSano(LeerF32(nodo + PosDLat)) || !DesplazamientoSano(LeerF32(nodo + PosDLon))) {
                motivo = MotivoDesplazamientos(static_cast<int>(k) + 1);
                break;
            }
        }
    }
    if (!motivo.empty()) {
        datos.subrejillas.clear();
        datos.bytes.clear();
        estado = EstadoRejilla::Invalida;
        mensaje = MensajeInvalida(ruta, motivo);
        return;
    }
    estado = EstadoRejilla::Correcta;
}

}  // namespace

Rejilla::Rejilla(const std::string& ruta)
    : datos_(std::make_unique<RejillaNtv2>()), estado_(EstadoRejilla::NoEncontrada), ruta_(ruta) {
    std::ifstream f;
    estado_ = Abrir(ruta, f, mensaje_);
    if (estado_ != EstadoRejilla::Correcta) return;
    // The headers first, read with seeks: a file that is no grid is refused
    // before any of its data is read, and only the bytes up to the last node
    // are read into memory.
    std::uint64_t tamano = 0;
    {
        FuenteFichero fuente(f);
        std::string motivo;
        const std::vector<Subrejilla> subrejillas = LeerCabeceras(fuente, motivo);
        if (!motivo.empty()) {
            estado_ = EstadoRejilla::Invalida;
            mensaje_ = MensajeInvalida(ruta, motivo);
            return;
        }
        const Subrejilla& ultima = subrejillas.back();
        tamano = ultima.inicioNodos + static_cast<std::uint64_t>(ultima.gsCount) * BytesNodo;
    }
    if (tamano > MaxBytesEnMemoria) {
        estado_ = EstadoRejilla::Invalida;
        mensaje_ = MensajeInvalida(ruta, "es demasiado grande (más de 1 GiB)");
        return;
    }
    datos_->bytes.resize(static_cast<std::size_t>(tamano));
    f.clear();
    f.seekg(0);
    f.read(reinterpret_cast<char*>(datos_->bytes.data()), static_cast<std::streamsize>(tamano));
    if (static_cast<std::uint64_t>(f.gcount()) != tamano) {
        datos_->bytes.clear();
        estado_ = EstadoRejilla::NoEncontrada;
        mensaje_ = MensajeNoAbre(ruta);
        return;
    }
    Cargar(*datos_, ruta_, estado_, mensaje_);
}

Rejilla::Rejilla(const std::string& nombre, std::vector<unsigned char> contenido)
    : datos_(std::make_unique<RejillaNtv2>()), estado_(EstadoRejilla::Invalida), ruta_(nombre) {
    datos_->bytes = std::move(contenido);
    Cargar(*datos_, ruta_, estado_, mensaje_);
}

Rejilla::~Rejilla() = default;
Rejilla::Rejilla(Rejilla&&) noexcept = default;
Rejilla& Rejilla::operator=(Rejilla&&) noexcept = default;

EstadoRejilla Rejilla::estado() const { return estado_; }
const std::string& Rejilla::mensaje() const { return mensaje_; }
const std::string& Rejilla::ruta() const { return ruta_; }

CeldaRejilla Rejilla::BuscaCelda(double lonE, double lat) const {
    CeldaRejilla celda;
    if (estado_ != EstadoRejilla::Correcta || !datos_) return celda;
    FuenteMemoria fuente(datos_->bytes);
    if (!BuscarCelda(datos_->subrejillas, fuente, lonE, lat, celda).empty()) celda = CeldaRejilla{};
    return celda;
}

PuntoRejilla Rejilla::ED50aETRS89(double lonE, double lat) const {
    return DesplazaConCelda(BuscaCelda(lonE, lat), lonE, lat);
}

PuntoRejilla Rejilla::ETRS89aED50(double lonE, double lat) const {
    return Inversa(lonE, lat, [this](double lo, double la) { return ED50aETRS89(lo, la); });
}

// ---- The file read afresh for every evaluation ----

EstadoRejilla BuscaCelda(const std::string& ruta, double lonE, double lat, CeldaRejilla& celda,
                         std::string& mensaje) {
    celda = CeldaRejilla{};
    mensaje.clear();
    std::ifstream f;
    const EstadoRejilla estado = Abrir(ruta, f, mensaje);
    if (estado != EstadoRejilla::Correcta) return estado;
    FuenteFichero fuente(f);
    std::string motivo;
    const std::vector<Subrejilla> subrejillas = LeerCabeceras(fuente, motivo);
    if (motivo.empty()) motivo = BuscarCelda(subrejillas, fuente, lonE, lat, celda);
    if (!motivo.empty()) {
        celda = CeldaRejilla{};
        mensaje = MensajeInvalida(ruta, motivo);
        return EstadoRejilla::Invalida;
    }
    return EstadoRejilla::Correcta;
}

EstadoRejilla RejillaED50aETRS89(const std::string& ruta, double lonE, double lat,
                                 PuntoRejilla& punto, std::string& mensaje) {
    CeldaRejilla celda;
    const EstadoRejilla estado = BuscaCelda(ruta, lonE, lat, celda, mensaje);
    punto = DesplazaConCelda(celda, lonE, lat);
    return estado;
}

EstadoRejilla RejillaETRS89aED50(const std::string& ruta, double lonE, double lat,
                                 PuntoRejilla& punto, std::string& mensaje) {
    EstadoRejilla estado = EstadoRejilla::Correcta;
    mensaje.clear();
    punto = Inversa(lonE, lat, [&](double lo, double la) {
        PuntoRejilla p;
        estado = RejillaED50aETRS89(ruta, lo, la, p, mensaje);
        return p;
    });
    return estado;
}

// ---- Where the grid is ----

std::string CarpetaDatosPrograma() {
    auto conRejilla = [](const fs::path& carpeta) {
        std::error_code e;
        return fs::is_regular_file(carpeta / NombreRejilla, e);
    };
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) {
        const fs::path instalada = (exe.parent_path() / TESMARO_DATOS_DESDE_BIN).lexically_normal();
        if (conRejilla(instalada)) return instalada.string();
    }
    const fs::path compilacion = TESMARO_DATOS_COMPILACION;
    return conRejilla(compilacion) ? compilacion.string() : std::string{};
}

std::string RutaRejillaVentanas() {
    std::error_code ec;
    if (fs::exists(NombreRejilla, ec)) return NombreRejilla;
    const std::string carpeta = CarpetaDatosPrograma();
    if (!carpeta.empty()) return (fs::path(carpeta) / NombreRejilla).string();
    return NombreRejilla;
}

}  // namespace tesmaro
