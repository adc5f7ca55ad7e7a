// A grid file is untrusted: damaged files are refused with a message that
// names the file, by the grid held in memory and by the per-call reader
// alike; harmless variants read as the sound file; missing files are
// reported; the fuzz corpus replayed. (Where the program looks for its grid:
// the command line's tests and the package's.)
#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

#include "Comun.h"
#include "Geoide.h"

namespace tesmaro {
namespace {

namespace fs = std::filesystem;
using pruebas::B;
using pruebas::Bytes;

float Uno(int, int) { return 1.0f; }

// Two sub-grids of 3 × 3 nodes, the second coarser (832 bytes).
Bytes Valida() {
    const pruebas::SubrejillaPrueba a{.sLat = 0, .nLat = 200, .eLong = 0, .wLong = 200, .latInc = 100,
                                      .longInc = 100, .dLat = Uno, .dLon = Uno};
    pruebas::SubrejillaPrueba b = a;
    b.nLat = b.wLong = 400;
    b.latInc = b.longInc = 200;
    return pruebas::CreaRejilla({a, b});
}

// Offsets: the sub-grid headers, fields within one, the first node of
// sub-grid 1 (its latitude shift; +4 its longitude shift).
constexpr std::size_t Sub1 = 176, Sub2 = 176 + 176 + 144, Nodo1 = Sub1 + 176;
constexpr std::size_t SLat = 72, NLat = 88, WLong = 120, LatInc = 136, LongInc = 152, GsCount = 168;
constexpr std::size_t Todo = SIZE_MAX;

struct Dano {
    const char* nombre;
    std::size_t largo;  // bytes kept
    std::vector<std::pair<std::size_t, std::string>> parches;
    const char* motivo;  // part of the message; nullptr: read as the sound file
};

TEST(Validacion, FicherosDanados) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const char* const Desplazamientos = "la subrejilla 1 tiene desplazamientos que no son números o pasan de 180°";
    const Dano danos[] = {
        {"vacío", 0, {}, "demasiado corto"},
        {"cortado en la cabecera general", 100, {}, "demasiado corto"},
        {"cortado en la 2.ª cabecera", Sub2 + 100, {}, "subrejilla 2 queda cortada"},
        {"cortado en los nodos", Sub2 + 176 + 50, {}, "nodos de la subrejilla 2 pasan"},
        {"sin NUM_OREC", Todo, {{0, "X"}}, "NUM_OREC"},
        {"NUM_OREC 12", Todo, {{8, B(12)}}, "11 registros"},
        {"big-endian", Todo, {{8, B(11 << 24)}}, "little-endian"},
        {"GS_TYPE MINUTES", Todo, {{56, "MINUTES "}}, "SECONDS"},
        {"GS_TYPE SECOND", Todo, {{56, "SECOND  "}}, "SECONDS"},  // all seven letters count
        {"NUM_FILE 0", Todo, {{40, B(0)}}, "ninguna subrejilla"},
        {"NUM_FILE -3", Todo, {{40, B(-3)}}, "NUM_FILE vale -3"},
        {"NUM_FILE 151", Todo, {{40, B(151)}}, "como máximo 150"},
        {"NUM_FILE 3 con 2", Todo, {{40, B(3)}}, "subrejilla 3 queda cortada"},
        {"sin SUB_NAME", Todo, {{Sub2, "x"}}, "SUB_NAME"},
        {"LAT_INC 0", Todo, {{Sub1 + LatInc, B(0.0)}}, "intervalo"},
        {"LONG_INC negativo", Todo, {{Sub1 + LongInc, B(-100.0)}}, "intervalo"},
        {"LAT_INC NaN", Todo, {{Sub1 + LatInc, B(nan)}}, "no son números"},
        {"LONG_INC infinito", Todo, {{Sub2 + LongInc, B(inf)}}, "no son números"},
        {"LAT_INC enorme", Todo, {{Sub1 + LatInc, B(1e300)}}, "intervalo"},
        {"LAT_INC diminuto", Todo, {{Sub1 + LatInc, B(1e-300)}}, "dos filas"},
        {"S_LAT NaN", Todo, {{Sub1 + SLat, B(nan)}}, "no son números"},
        {"N_LAT más allá del polo", Todo, {{Sub1 + NLat, B(1e6)}}, "fuera de rango"},
        {"W_LONG enorme", Todo, {{Sub2 + WLong, B(1e300)}}, "fuera de rango"},
        {"N_LAT al sur de S_LAT", Todo, {{Sub1 + NLat, B(-200.0)}}, "dos filas"},
        {"una sola fila", Todo, {{Sub1 + NLat, B(0.0)}}, "dos filas"},
        // 2.6 increments round to 3 cells: 4 rows, not the 3 stored.
        {"N_LAT a 2,6 intervalos", Todo, {{Sub1 + NLat, B(260.0)}}, "sus 4 filas y 3 columnas"},
        {"GS_COUNT de más", Todo, {{Sub1 + GsCount, B(10)}}, "GS_COUNT de la subrejilla 1 vale 10"},
        {"GS_COUNT negativo", Todo, {{Sub2 + GsCount, B(-9)}}, "GS_COUNT"},
        {"GS_COUNT enorme a juego", Todo,
         {{Sub1 + NLat, B(100 * 46339.0)}, {Sub1 + WLong, B(100 * 46339.0)}, {Sub1 + GsCount, B(46340 * 46340)}},
         "fuera de rango"},
        {"nodos enormes en rango", Todo,
         {{Sub1 + LatInc, B(0.01)}, {Sub1 + LongInc, B(0.01)}, {Sub1 + NLat, B(463.39)},
          {Sub1 + WLong, B(463.39)}, {Sub1 + GsCount, B(46340 * 46340)}},
         "nodos de la subrejilla 1 pasan"},
        {"desplazamiento NaN", Todo, {{Nodo1, B(std::numeric_limits<float>::quiet_NaN())}}, Desplazamientos},
        {"desplazamiento infinito", Todo, {{Nodo1 + 4, B(-std::numeric_limits<float>::infinity())}}, Desplazamientos},
        {"desplazamiento enorme", Todo, {{Nodo1, B(1e30f)}}, Desplazamientos},
        {"desplazamiento de 181°", Todo, {{Nodo1 + 4, B(651600.0f)}}, Desplazamientos},
        // Harmless: the eighth byte of GS_TYPE (a NUL in some grids), extents
        // rounded to the nearest count (ties to even, up and down), a shift
        // of 180°, a file that ends with its last node (no END record).
        {"GS_TYPE SECONDS y NUL", Todo, {{63, std::string(1, '\0')}}, nullptr},
        {"N_LAT a 2,4 intervalos", Todo, {{Sub1 + NLat, B(240.0)}}, nullptr},
        {"N_LAT a 1,5 intervalos", Todo, {{Sub1 + NLat, B(150.0)}}, nullptr},
        {"W_LONG a 2,5 intervalos", Todo, {{Sub2 + WLong, B(500.0)}}, nullptr},
        {"desplazamiento de 180°", Todo, {{Nodo1, B(648000.0f)}}, nullptr},
        {"sin registro END", Sub2 + 176 + 144, {}, nullptr},
    };
    const Rejilla sana("sana.gsb", Valida());
    const std::string ruta = fs::temp_directory_path() / ("tesmaro_rejilla_" + std::to_string(::getpid()) + ".gsb");
    for (const Dano& d : danos) {
        Bytes b = Valida();
        b.resize(std::min(b.size(), d.largo));
        for (const auto& [en, bytes] : d.parches) std::memcpy(b.data() + en, bytes.data(), bytes.size());
        const Rejilla memoria("danada.gsb", b);
        std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
        const Rejilla cargada(ruta);
        if (!d.motivo) {
            for (const Rejilla* r : {&memoria, &cargada}) {
                ASSERT_EQ(r->estado(), EstadoRejilla::Correcta) << d.nombre << ": " << r->mensaje();
                EXPECT_EQ(r->BuscaCelda(-150, 150).subrejilla, sana.BuscaCelda(-150, 150).subrejilla) << d.nombre;
                EXPECT_EQ(r->ED50aETRS89(-150, 150).lat, sana.ED50aETRS89(-150, 150).lat) << d.nombre;
            }
            continue;
        }
        EXPECT_EQ(memoria.estado(), EstadoRejilla::Invalida) << d.nombre;
        EXPECT_NE(memoria.mensaje().find("El fichero de rejilla danada.gsb no es una rejilla NTv2 válida: "),
                  std::string::npos) << d.nombre << ": " << memoria.mensaje();
        EXPECT_NE(memoria.mensaje().find(d.motivo), std::string::npos) << d.nombre << ": " << memoria.mensaje();
        // A refused grid answers every point with "outside", zeros.
        const PuntoRejilla p = memoria.ED50aETRS89(-50, 50);
        EXPECT_TRUE(!p.dentro && p.lat == 0 && !memoria.ETRS89aED50(-50, 50).dentro) << d.nombre;
        // The same file on disk: refused alike by both readers, naming the path.
        PuntoRejilla q{true, 1, 1};
        std::string mensaje;
        EXPECT_EQ(RejillaED50aETRS89(ruta, -50, 50, q, mensaje), EstadoRejilla::Invalida) << d.nombre;
        EXPECT_EQ(mensaje, cargada.mensaje()) << d.nombre;
        EXPECT_NE(mensaje.find(ruta), std::string::npos);
        EXPECT_TRUE(!q.dentro && q.lon == 0) << d.nombre;
        EXPECT_EQ(RejillaETRS89aED50(ruta, -50, 50, q, mensaje), EstadoRejilla::Invalida) << d.nombre;
        // Read per call, shifts are checked only where read: a point whose
        // four nodes are sound is served.
        if (d.motivo == Desplazamientos) {
            EXPECT_EQ(RejillaED50aETRS89(ruta, -300, 300, q, mensaje), EstadoRejilla::Correcta) << d.nombre;
        }
    }
    // Past 1 GiB: a grid is read only up to its last node, and a file that is
    // no grid is refused for its header before anything else is read
    // (sparse files: no disk used).
    for (const bool rejilla : {true, false}) {
        std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(Valida().data()), rejilla ? 832 : 0);
        fs::resize_file(ruta, std::uint64_t{3} << 29);
        const Rejilla r(ruta);
        EXPECT_EQ(r.estado(), rejilla ? EstadoRejilla::Correcta : EstadoRejilla::Invalida) << r.mensaje();
        EXPECT_EQ(r.ED50aETRS89(-150, 150).dentro, rejilla);
        if (!rejilla) {
            EXPECT_NE(r.mensaje().find("NUM_OREC"), std::string::npos) << r.mensaje();
        }
    }
    fs::remove(ruta);
}

TEST(Validacion, FicheroQueNoEstaOCarpeta) {
    const std::string ruta = (fs::temp_directory_path() / "tesmaro_no_existe" / "sped2et.gsb").string();
    const std::string carpeta = fs::temp_directory_path().string();
    for (const auto& [camino, mensaje] : {std::pair{ruta, "No se encuentra el fichero de rejilla " + ruta},
                                          {carpeta, "No se puede abrir el fichero de rejilla " + carpeta}}) {
        const Rejilla r(camino);
        EXPECT_TRUE(r.estado() == EstadoRejilla::NoEncontrada && !r.ED50aETRS89(-13320, 145440).dentro);
        EXPECT_EQ(r.mensaje(), mensaje);
        PuntoRejilla p;
        CeldaRejilla celda;
        std::string m;
        EXPECT_EQ(RejillaED50aETRS89(camino, -13320, 145440, p, m), EstadoRejilla::NoEncontrada);
        EXPECT_EQ(m, mensaje);
        EXPECT_EQ(RejillaETRS89aED50(camino, -13320, 145440, p, m), EstadoRejilla::NoEncontrada);
        EXPECT_EQ(BuscaCelda(camino, 0, 0, celda, m), EstadoRejilla::NoEncontrada);
    }
}

// The inputs the fuzzer found interesting: each is read without a fault (the
// sanitizer build checks for out-of-bounds reads), as an NTv2 grid and as a
// GTX geoid grid, accepted or refused with a message, and answers alike from
// memory and from the file.
TEST(Validacion, CorpusDelFuzzer) {
    const fs::path carpeta = fs::path(TESMARO_PRUEBAS_GRID) / "corpus";
    int ficheros = 0;
    const double puntos[][2] = {{-50, 50}, {0, 0}, {-16000, 137000}, {1e300, -1e300}, {-1, 1}};
    for (const auto& entrada : fs::directory_iterator(carpeta)) {
        if (entrada.path().extension() == ".md") continue;
        ++ficheros;
        std::ifstream f(entrada.path(), std::ios::binary);
        const std::string nombre = entrada.path().filename().string();
        const Bytes bytes(std::istreambuf_iterator<char>(f), {});
        const Rejilla memoria(nombre, bytes);
        const bool correcta = memoria.estado() == EstadoRejilla::Correcta;
        const RejillaGeoide geoide(nombre, bytes), geoideFichero(entrada.path().string());
        EXPECT_EQ(geoide.estado(), geoideFichero.estado()) << nombre;
        EXPECT_TRUE(geoide.estado() == EstadoRejilla::Correcta || geoide.mensaje().find(nombre) != std::string::npos)
            << nombre;
        for (const auto& [lon, lat] : {std::pair{-9.25, 35.25}, {-18.1, 27.8}, {179.0, -89.0}, {-1e300, 0.0}})
            EXPECT_EQ(std::bit_cast<std::uint64_t>(geoide.Ondulacion(lon, lat).N),
                      std::bit_cast<std::uint64_t>(geoideFichero.Ondulacion(lon, lat).N)) << nombre;
        EXPECT_TRUE(correcta || memoria.mensaje().find(nombre) != std::string::npos) << nombre;
        for (const auto& p : puntos) {
            const PuntoRejilla ida = memoria.ED50aETRS89(p[0], p[1]);
            PuntoRejilla fichero;
            std::string mensaje;
            const EstadoRejilla e = RejillaED50aETRS89(entrada.path().string(), p[0], p[1], fichero, mensaje);
            if (!correcta) {
                // The per-call reader may still serve a point whose four nodes
                // are sound, or refuses it with the same reason.
                if (e != EstadoRejilla::Correcta) {
                    EXPECT_TRUE(mensaje.ends_with(memoria.mensaje().substr(22 + nombre.size()))) << nombre;
                }
                EXPECT_FALSE(ida.dentro);
                continue;
            }
            EXPECT_EQ(e, EstadoRejilla::Correcta) << nombre;
            EXPECT_EQ(ida.dentro, fichero.dentro) << nombre;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(ida.lon), std::bit_cast<std::uint64_t>(fichero.lon)) << nombre;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(ida.lat), std::bit_cast<std::uint64_t>(fichero.lat)) << nombre;
            const PuntoRejilla vuelta = memoria.ETRS89aED50(p[0], p[1]);
            EXPECT_TRUE(vuelta.dentro || vuelta.lon == 0) << nombre;
        }
    }
    EXPECT_GT(ficheros, 0) << "empty corpus in " << carpeta;
}

}  // namespace
}  // namespace tesmaro
