// A grid file is untrusted: damaged files are refused with a message that
// names the file, by the grid held in memory and by the per-call reader
// alike; missing files are reported, never turned into zero results.
#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "Comun.h"
#include "Rejilla.h"

namespace tesmaro {
namespace {

namespace fs = std::filesystem;
using pruebas::CreaRejilla;
using pruebas::SubrejillaPrueba;

float Uno(int, int) { return 1.0f; }

// Two sub-grids of 3 × 3 nodes (176 + 2 × (176 + 144) + 16 = 832 bytes).
std::vector<unsigned char> Valida() {
    SubrejillaPrueba a;
    a.sLat = 0;
    a.nLat = 200;
    a.eLong = 0;
    a.wLong = 200;
    a.latInc = 100;
    a.longInc = 100;
    a.dLat = Uno;
    a.dLon = Uno;
    SubrejillaPrueba b = a;
    b.nLat = 400;
    b.wLong = 400;
    b.latInc = 200;
    b.longInc = 200;
    return CreaRejilla({a, b});
}

constexpr std::size_t Sub1 = 176, Sub2 = 176 + 176 + 144;  // header starts

void PonI32(std::vector<unsigned char>& b, std::size_t pos, std::int32_t v) {
    std::memcpy(b.data() + pos, &v, 4);
}
void PonF64(std::vector<unsigned char>& b, std::size_t pos, double v) {
    std::memcpy(b.data() + pos, &v, 8);
}

class FicheroTemporal {
public:
    explicit FicheroTemporal(const std::vector<unsigned char>& bytes)
        : ruta_((fs::temp_directory_path() / ("tesmaro_rejilla_" + std::to_string(++n_) + "_" +
                                              std::to_string(::getpid()) + ".gsb"))
                    .string()) {
        std::ofstream f(ruta_, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~FicheroTemporal() {
        std::error_code ec;
        fs::remove(ruta_, ec);
    }
    const std::string& ruta() const { return ruta_; }

private:
    static inline int n_ = 0;
    std::string ruta_;
};

struct CasoDanado {
    const char* nombre;
    std::function<void(std::vector<unsigned char>&)> dano;
    const char* motivo;  // part of the message
};

TEST(Validacion, FicherosDanadosSeRechazan) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CasoDanado casos[] = {
        {"vacío", [](auto& b) { b.clear(); }, "demasiado corto"},
        {"cortado en la cabecera general", [](auto& b) { b.resize(100); }, "demasiado corto"},
        {"cortado en la 2.ª cabecera", [](auto& b) { b.resize(Sub2 + 100); }, "subrejilla 2 queda cortada"},
        {"cortado en los nodos", [](auto& b) { b.resize(Sub2 + 176 + 50); }, "nodos de la subrejilla 2 pasan"},
        {"sin NUM_OREC", [](auto& b) { b[0] = 'X'; }, "NUM_OREC"},
        {"NUM_OREC 12", [](auto& b) { PonI32(b, 8, 12); }, "11 registros"},
        {"orden de bytes big-endian", [](auto& b) { PonI32(b, 8, 11 << 24); }, "little-endian"},
        {"GS_TYPE MINUTES", [](auto& b) { std::memcpy(b.data() + 56, "MINUTES ", 8); }, "SECONDS"},
        // Only the seven letters SECONDS count (as in PROJ's reader).
        {"GS_TYPE SECOND", [](auto& b) { std::memcpy(b.data() + 56, "SECOND  ", 8); }, "SECONDS"},
        {"NUM_FILE 0", [](auto& b) { PonI32(b, 40, 0); }, "ninguna subrejilla"},
        {"NUM_FILE negativo", [](auto& b) { PonI32(b, 40, -3); }, "NUM_FILE vale -3"},
        {"NUM_FILE 151", [](auto& b) { PonI32(b, 40, 151); }, "como máximo 150"},
        {"NUM_FILE 3 con 2", [](auto& b) { PonI32(b, 40, 3); }, "subrejilla 3 queda cortada"},
        {"sin SUB_NAME", [](auto& b) { b[Sub2] = 'x'; }, "SUB_NAME"},
        {"LAT_INC 0", [](auto& b) { PonF64(b, Sub1 + 136, 0); }, "intervalo"},
        {"LONG_INC negativo", [](auto& b) { PonF64(b, Sub1 + 152, -100); }, "intervalo"},
        {"LAT_INC NaN", [=](auto& b) { PonF64(b, Sub1 + 136, nan); }, "no son números"},
        {"LONG_INC infinito", [=](auto& b) { PonF64(b, Sub2 + 152, inf); }, "no son números"},
        {"LAT_INC enorme", [](auto& b) { PonF64(b, Sub1 + 136, 1e300); }, "intervalo"},
        {"LAT_INC diminuto", [](auto& b) { PonF64(b, Sub1 + 136, 1e-300); }, "dos filas"},
        {"S_LAT NaN", [=](auto& b) { PonF64(b, Sub1 + 72, nan); }, "no son números"},
        {"N_LAT más allá del polo", [](auto& b) { PonF64(b, Sub1 + 88, 1e6); }, "fuera de rango"},
        {"W_LONG enorme", [](auto& b) { PonF64(b, Sub2 + 120, 1e300); }, "fuera de rango"},
        {"N_LAT al sur de S_LAT", [](auto& b) { PonF64(b, Sub1 + 88, -200); }, "dos filas"},
        {"una sola fila", [](auto& b) { PonF64(b, Sub1 + 88, 0); }, "dos filas"},
        // An extent of 2.6 increments rounds to 3 cells: 4 rows, not the 3 stored.
        {"N_LAT a 2,6 intervalos", [](auto& b) { PonF64(b, Sub1 + 88, 260); }, "sus 4 filas y 3 columnas"},
        {"GS_COUNT de más", [](auto& b) { PonI32(b, Sub1 + 168, 10); }, "GS_COUNT de la subrejilla 1 vale 10"},
        {"GS_COUNT negativo", [](auto& b) { PonI32(b, Sub2 + 168, -9); }, "GS_COUNT"},
        {"GS_COUNT enorme con la rejilla a juego",
         [](auto& b) {
             PonF64(b, Sub1 + 88, 100 * 46339.0);
             PonF64(b, Sub1 + 120, 100 * 46339.0);
             PonI32(b, Sub1 + 168, 46340 * 46340);
         },
         "fuera de rango"},
        {"nodos enormes en rango",
         [](auto& b) {
             PonF64(b, Sub1 + 136, 0.01);
             PonF64(b, Sub1 + 152, 0.01);
             PonF64(b, Sub1 + 88, 463.39);
             PonF64(b, Sub1 + 120, 463.39);
             PonI32(b, Sub1 + 168, 46340 * 46340);
         },
         "nodos de la subrejilla 1 pasan"},
    };
    for (const CasoDanado& c : casos) {
        std::vector<unsigned char> b = Valida();
        c.dano(b);
        const Rejilla memoria("danada.gsb", b);
        EXPECT_EQ(memoria.estado(), EstadoRejilla::Invalida) << c.nombre;
        EXPECT_NE(memoria.mensaje().find("El fichero de rejilla danada.gsb no es una rejilla NTv2 válida: "),
                  std::string::npos)
            << c.nombre << ": " << memoria.mensaje();
        EXPECT_NE(memoria.mensaje().find(c.motivo), std::string::npos) << c.nombre << ": " << memoria.mensaje();
        // A refused grid answers every point with "outside", zeros.
        const PuntoRejilla p = memoria.ED50aETRS89(-50, 50);
        EXPECT_FALSE(p.dentro);
        EXPECT_EQ(p.lat, 0);
        EXPECT_FALSE(memoria.ETRS89aED50(-50, 50).dentro);

        // The same file on disk: refused alike, by both readers.
        const FicheroTemporal f(b);
        const Rejilla cargada(f.ruta());
        EXPECT_EQ(cargada.estado(), EstadoRejilla::Invalida) << c.nombre;
        PuntoRejilla q{true, 1, 1};
        std::string mensaje;
        EXPECT_EQ(RejillaED50aETRS89(f.ruta(), -50, 50, q, mensaje), EstadoRejilla::Invalida) << c.nombre;
        EXPECT_EQ(mensaje, cargada.mensaje()) << c.nombre;
        EXPECT_NE(mensaje.find(f.ruta()), std::string::npos);
        EXPECT_FALSE(q.dentro);
        EXPECT_EQ(q.lon, 0);
        EXPECT_EQ(RejillaETRS89aED50(f.ruta(), -50, 50, q, mensaje), EstadoRejilla::Invalida) << c.nombre;
        EXPECT_FALSE(q.dentro);
    }
}

// Headers that differ from a sound file without harm: read as that file.
TEST(Validacion, CabecerasAceptadas) {
    const CasoDanado casos[] = {
        // The eighth byte of GS_TYPE is not looked at (a NUL in some grids).
        {"GS_TYPE SECONDS y NUL", [](auto& b) { b[63] = '\0'; }, ""},
        // Extents that are not whole increments round to the nearest count.
        {"N_LAT a 2,4 intervalos", [](auto& b) { PonF64(b, Sub1 + 88, 240); }, ""},
        {"W_LONG a 2,5 intervalos", [](auto& b) { PonF64(b, Sub2 + 120, 500); }, ""},  // tie: to even
    };
    const Rejilla sana("sana.gsb", Valida());
    for (const CasoDanado& c : casos) {
        std::vector<unsigned char> b = Valida();
        c.dano(b);
        const Rejilla r("variante.gsb", b);
        ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << c.nombre << ": " << r.mensaje();
        EXPECT_EQ(r.BuscaCelda(-150, 150).subrejilla, sana.BuscaCelda(-150, 150).subrejilla) << c.nombre;
        EXPECT_EQ(r.ED50aETRS89(-150, 150).lat, sana.ED50aETRS89(-150, 150).lat) << c.nombre;
    }
}

TEST(Validacion, DesplazamientosAbsurdos) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Node 1 of the first sub-grid: its latitude (offset 0) or longitude
    // (offset 4) shift.
    const struct {
        const char* nombre;
        std::size_t desplazamiento;
        float valor;
    } casos[] = {{"NaN", 0, nan}, {"infinito", 4, -inf}, {"enorme", 0, 1e30f}, {"181°", 4, 651600.0f}};
    for (const auto& c : casos) {
        std::vector<unsigned char> b = Valida();
        std::memcpy(b.data() + Sub1 + 176 + c.desplazamiento, &c.valor, 4);
        const FicheroTemporal f(b);
        const Rejilla r(f.ruta());
        EXPECT_EQ(r.estado(), EstadoRejilla::Invalida) << c.nombre;
        EXPECT_NE(r.mensaje().find("la subrejilla 1 tiene desplazamientos que no son números o pasan de 180°"),
                  std::string::npos)
            << r.mensaje();
        // Read per call, the file is refused when a point needs that node.
        PuntoRejilla p;
        std::string mensaje;
        EXPECT_EQ(RejillaED50aETRS89(f.ruta(), -50, 50, p, mensaje), EstadoRejilla::Invalida) << c.nombre;
        EXPECT_EQ(mensaje, r.mensaje());
        EXPECT_FALSE(p.dentro);
        EXPECT_EQ(RejillaED50aETRS89(f.ruta(), -300, 300, p, mensaje), EstadoRejilla::Correcta) << c.nombre;
    }
    // 180° itself is accepted.
    std::vector<unsigned char> b = Valida();
    const float limite = 648000.0f;
    std::memcpy(b.data() + Sub1 + 176, &limite, 4);
    EXPECT_EQ(Rejilla("limite.gsb", b).estado(), EstadoRejilla::Correcta);
}

TEST(Validacion, FicheroQueNoEstaSeInforma) {
    const std::string ruta = (fs::temp_directory_path() / "tesmaro_no_existe" / "sped2et.gsb").string();
    const Rejilla r(ruta);
    EXPECT_EQ(r.estado(), EstadoRejilla::NoEncontrada);
    EXPECT_EQ(r.mensaje(), "No se encuentra el fichero de rejilla " + ruta);
    EXPECT_EQ(r.ruta(), ruta);
    EXPECT_FALSE(r.ED50aETRS89(-3.7 * 3600, 40.4 * 3600).dentro);

    PuntoRejilla p;
    std::string mensaje;
    EXPECT_EQ(RejillaED50aETRS89(ruta, -3.7 * 3600, 40.4 * 3600, p, mensaje), EstadoRejilla::NoEncontrada);
    EXPECT_EQ(mensaje, r.mensaje());
    EXPECT_EQ(RejillaETRS89aED50(ruta, -3.7 * 3600, 40.4 * 3600, p, mensaje), EstadoRejilla::NoEncontrada);
    EXPECT_EQ(mensaje, r.mensaje());
    CeldaRejilla celda;
    EXPECT_EQ(BuscaCelda(ruta, 0, 0, celda, mensaje), EstadoRejilla::NoEncontrada);

    // A folder is not a grid file.
    const std::string carpeta = fs::temp_directory_path().string();
    const Rejilla deCarpeta(carpeta);
    EXPECT_EQ(deCarpeta.estado(), EstadoRejilla::NoEncontrada);
    EXPECT_EQ(deCarpeta.mensaje(), "No se puede abrir el fichero de rejilla " + carpeta);
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// The inputs the fuzzer found interesting, kept small: each must be read
// without a fault (the sanitizer build checks for out-of-bounds reads), be
// accepted or refused with a message, and give the same answers from memory
// and from the file.
TEST(Validacion, CorpusDelFuzzer) {
    const fs::path carpeta = fs::path(pruebas::CarpetaPruebas()) / "corpus";
    int ficheros = 0;
    const double puntos[][2] = {{-50, 50}, {0, 0}, {-16000, 137000}, {1e300, -1e300}, {-1, 1}};
    for (const auto& entrada : fs::directory_iterator(carpeta)) {
        if (!entrada.is_regular_file() || entrada.path().extension() == ".md") continue;
        ++ficheros;
        std::ifstream f(entrada.path(), std::ios::binary);
        const std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
        const std::string nombre = entrada.path().filename().string();
        const Rejilla memoria(nombre, b);
        if (memoria.estado() != EstadoRejilla::Correcta) {
            EXPECT_NE(memoria.mensaje().find(nombre), std::string::npos) << nombre;
        }
        for (const auto& p : puntos) {
            const PuntoRejilla ida = memoria.ED50aETRS89(p[0], p[1]);
            PuntoRejilla fichero;
            std::string mensaje;
            const EstadoRejilla e = RejillaED50aETRS89(entrada.path().string(), p[0], p[1], fichero, mensaje);
            if (memoria.estado() != EstadoRejilla::Correcta) {
                // Refused as a whole; the per-call reader may still serve a
                // point whose four nodes are sound (shifts are checked only
                // where read), or refuse it with the same message.
                if (e != EstadoRejilla::Correcta) {
                    const std::string motivo =
                        memoria.mensaje().substr(("El fichero de rejilla " + nombre).size());
                    EXPECT_TRUE(mensaje.ends_with(motivo)) << nombre << ": " << mensaje;
                }
                EXPECT_FALSE(ida.dentro);
                continue;
            }
            EXPECT_EQ(e, EstadoRejilla::Correcta) << nombre;
            EXPECT_EQ(ida.dentro, fichero.dentro) << nombre;
            EXPECT_EQ(Bits(ida.lon), Bits(fichero.lon)) << nombre;
            EXPECT_EQ(Bits(ida.lat), Bits(fichero.lat)) << nombre;
            const PuntoRejilla vuelta = memoria.ETRS89aED50(p[0], p[1]);
            if (!vuelta.dentro) {
                EXPECT_EQ(vuelta.lon, 0) << nombre;
            }
        }
    }
    EXPECT_GT(ficheros, 0) << "empty corpus in " << carpeta;
}

}  // namespace
}  // namespace tesmaro
