// The geoid: the shipped grids against PROJ's vgridshift (an independent GTX
// reader; tests only; the published check points are the self-test's); the
// lookup rules on small grids; damaged GTX files refused.
#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <unistd.h>

#include "Comun.h"
#include "Geoide.h"

namespace tesmaro {
namespace {

namespace fs = std::filesystem;
using pruebas::Bytes;

std::string Datos(const char* nombre) { return std::string(TESMARO_DATOS_FUENTE) + "/" + nombre; }

const Geoide& Distribuido() {
    static const Geoide g(Datos(NombreGeoidePeninsula), Datos(NombreGeoideCanarias));
    return g;
}

// PROJ's vgridshift on the comma-separated `rejillas` (the first that holds
// the point serves it, as here). With +multiplier=1 its forward adds N
// (H → h) and its reverse subtracts it (h → H).
class Proj {
public:
    explicit Proj(const std::string& rejillas) {
        proj_context_set_enable_network(PJ_DEFAULT_CTX, 0);
        pj_ = proj_create(PJ_DEFAULT_CTX, ("+proj=vgridshift +multiplier=1 +grids=" + rejillas).c_str());
    }
    ~Proj() { proj_destroy(pj_); }
    bool valido() const { return pj_ != nullptr; }
    // The height after the shift; false when PROJ has no value there.
    bool Altura(PJ_DIRECTION dir, double lon, double lat, double z, double& salida) const {
        proj_errno_reset(pj_);
        const PJ_COORD c = proj_trans(pj_, dir, proj_coord(proj_torad(lon), proj_torad(lat), z, 0));
        salida = c.xyz.z;
        return proj_errno(pj_) == 0 && std::isfinite(salida) && salida != HUGE_VAL;
    }

private:
    PJ* pj_ = nullptr;
};

const Proj& ProjDistribuido() {
    static const Proj p(Datos(NombreGeoidePeninsula) + "," + Datos(NombreGeoideCanarias));
    return p;
}

// A grid's extent (degrees).
struct Caja {
    double oeste, este, sur, norte;
};

// 100 000 points inside each grid: H and h within 1 mm of PROJ (the bar of
// the model; both interpolate the same float32 nodes in double, so the
// difference is rounding, ~1e-12 m), and each height back to itself to 1e-9 m
// (one subtraction and one addition of ~50 m: a few 1e-14 m).
TEST(Geoide, AleatoriosComoProj) {
    ASSERT_EQ(Distribuido().estado(), EstadoRejilla::Correcta) << Distribuido().mensaje();
    ASSERT_TRUE(ProjDistribuido().valido());
    const struct {
        const char* nombre;
        Caja caja;
        ZonaGeoide zona;
    } rejillas[] = {
        {"península y Baleares", {-9.5, 4.4999944, 35, 43.9999964}, ZonaGeoide::PeninsulaBaleares},
        {"Canarias", {-18.5, -13.0000022, 27.5, 29.4999992}, ZonaGeoide::Canarias},
    };
    std::mt19937_64 azar(21);
    for (const auto& r : rejillas) {
        // Ellipsoidal heights from the Canary seabed to the top of the Teide.
        std::uniform_real_distribution<double> lon(r.caja.oeste, r.caja.este), lat(r.caja.sur, r.caja.norte),
            altura(-3000, 3800);
        double peor = 0;
        for (int i = 0; i < 100000; ++i) {
            const double lo = lon(azar), la = lat(azar), h = altura(azar);
            const AlturaGeoide H = Distribuido().AltitudOrtometrica(lo, la, h);
            double Hp = 0, hp = 0;
            ASSERT_TRUE(ProjDistribuido().Altura(PJ_INV, lo, la, h, Hp)) << r.nombre << " " << lo << " " << la;
            ASSERT_TRUE(ProjDistribuido().Altura(PJ_FWD, lo, la, H.altura, hp)) << r.nombre << " " << lo << " " << la;
            ASSERT_EQ(H.zona, r.zona) << lo << " " << la;
            const AlturaGeoide vuelta = Distribuido().AlturaElipsoidal(lo, la, H.altura);
            ASSERT_NEAR(H.altura, Hp, 0.001) << r.nombre << " " << lo << " " << la;
            ASSERT_NEAR(vuelta.altura, hp, 0.001) << r.nombre << " " << lo << " " << la;
            ASSERT_NEAR(H.N, h - Hp, 0.001) << r.nombre << " " << lo << " " << la;
            ASSERT_NEAR(vuelta.altura, h, 1e-9) << r.nombre << " " << lo << " " << la;
            peor = std::max(peor, std::fabs(H.N - (h - Hp)));
        }
        RecordProperty(std::string("max_dif_N_") + (r.zona == ZonaGeoide::Canarias ? "canarias" : "peninsula"),
                       testing::PrintToString(peor));
    }
}

// Values that change along both axes and across cells, so that swapped
// corners show; two holes: the no-data value at (row 1, column 3) and a NaN
// at (3, 0).
float Relieve(int f, int c) {
    if (f == 1 && c == 3) return -88.8888f;
    if (f == 3 && c == 0) return std::numeric_limits<float>::quiet_NaN();
    return 40.0f + 1.5f * static_cast<float>(f) - 0.75f * static_cast<float>(c) + 0.125f * static_cast<float>(f * c * c);
}

// A 4 × 5 grid with its origin given as 350° (that is −10°), 0.5° apart:
// lon −10…−8, lat 20…21.5. Where both serve a point, N is PROJ's to 1e-9 m
// (the same arithmetic; degrees here, radians there); next to a hole this
// model refuses what PROJ averages from the other nodes.
TEST(Geoide, ReglasEnRejillaPequena) {
    const Bytes bytes = pruebas::CreaGtx(20, 350, 0.5, 4, 5, Relieve);
    const std::string ruta = fs::temp_directory_path() / ("tesmaro_geoide_" + std::to_string(::getpid()) + ".gtx");
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    const RejillaGeoide r(ruta);
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    const Proj proj(ruta);
    ASSERT_TRUE(proj.valido());
    enum Donde { Dentro, Hueco, Fuera };  // Hueco: within the grid, next to a hole
    const struct {
        const char* nombre;
        double lon, lat;
        Donde donde;
    } casos[] = {
        {"nodo", -9.5, 20.5, Dentro},
        {"centro de celda", -9.25, 20.25, Dentro},
        {"punto cualquiera", -9.1234, 20.3456, Dentro},
        {"esquina suroeste", -10, 20, Dentro},
        {"borde este", -8, 20.3, Dentro},
        {"borde norte", -8.7, 21.5, Dentro},
        {"esquina noreste", -8, 21.5, Dentro},
        {"más allá del borde este", -7.9999999, 20.3, Fuera},
        {"más allá del borde sur", -9, 19.9999999, Fuera},
        {"más allá del borde oeste", -10.0000001, 20.3, Fuera},
        {"más allá del borde norte", -9, 21.5000001, Fuera},
        {"latitud NaN", -9, NAN, Fuera},
        {"longitud infinita", INFINITY, 20.3, Fuera},
        {"longitud como 350° y pico", 350.3, 20.3, Dentro},
        {"celda con el valor sin datos", -8.7, 20.7, Hueco},
        {"celda vecina que no lo toca", -9.2, 20.2, Dentro},
        {"celda con el NaN", -9.9, 21.2, Hueco},
        {"nodo sin datos", -8.5, 20.5, Hueco},
    };
    for (const auto& c : casos) {
        const OndulacionGeoide o = r.Ondulacion(c.lon, c.lat);
        const bool dentro = c.donde == Dentro;
        EXPECT_EQ(o.dentro, dentro) << c.nombre;
        EXPECT_EQ(r.Contiene(c.lon, c.lat), c.donde != Fuera) << c.nombre;
        double Hp = 0;
        if (dentro) {
            ASSERT_TRUE(proj.Altura(PJ_INV, c.lon, c.lat, 0, Hp)) << c.nombre;
            EXPECT_NEAR(o.N, -Hp, 1e-9) << c.nombre;
        } else {
            EXPECT_EQ(o.N, 0) << c.nombre;
        }
    }
    EXPECT_EQ(r.Ondulacion(-9.5, 20.5).N, Relieve(1, 1));  // a node is its value
    fs::remove(ruta);
}

// A grid round the world (PROJ's EGM96, 0.25°, 1440 columns from −180°):
// past its last column it wraps to the first, as PROJ's does.
TEST(Geoide, RejillaMundial) {
    const std::string ruta = "/usr/share/proj/egm96_15.gtx";
    if (!fs::exists(ruta)) GTEST_SKIP() << "sin " << ruta << " (paquete proj-data)";
    const RejillaGeoide r(ruta);
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    const Proj proj(ruta);
    for (const auto& [lon, lat] : {std::pair{179.9, 10.0}, {180.0, -33.3}, {-180.0, 89.9}, {-3.7, 40.4}, {0.1, -90.0}}) {
        double Hp = 0;
        ASSERT_TRUE(proj.Altura(PJ_INV, lon, lat, 0, Hp)) << lon << " " << lat;
        EXPECT_NEAR(r.Ondulacion(lon, lat).N, -Hp, 1e-9) << lon << " " << lat;
    }
}

// Damaged or foreign files: refused from the header and the file size alone,
// with a message that names the file; every point outside.
TEST(Geoide, FicherosDanados) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    auto grande = [](std::uint64_t v, int bytes) {  // big-endian
        std::string s;
        for (int i = bytes - 1; i >= 0; --i) s.push_back(static_cast<char>(v >> (8 * i)));
        return s;
    };
    auto f64 = [&](double v) { return grande(std::bit_cast<std::uint64_t>(v), 8); };
    auto i32 = [&](std::int32_t v) { return grande(static_cast<std::uint32_t>(v), 4); };
    const struct {
        const char* nombre;
        std::size_t largo;  // bytes kept (SIZE_MAX: all)
        std::vector<std::pair<std::size_t, std::string>> parches;
        const char* motivo;
    } casos[] = {
        {"vacío", 0, {}, "demasiado corto"},
        {"cabecera cortada", 39, {}, "demasiado corto"},
        {"valores cortados", 100, {}, "mide 100 bytes y su cabecera (4 filas y 5 columnas) pide 120"},
        {"un byte de más", SIZE_MAX, {{120, "x"}}, "mide 121 bytes"},
        {"origen NaN", SIZE_MAX, {{0, f64(nan)}}, "no son números"},
        {"intervalo infinito", SIZE_MAX, {{24, f64(inf)}}, "no son números"},
        {"intervalo nulo", SIZE_MAX, {{16, f64(0)}}, "nulo, negativo o desmesurado"},
        {"intervalo negativo", SIZE_MAX, {{24, f64(-0.5)}}, "nulo, negativo o desmesurado"},
        {"latitud de origen 91°", SIZE_MAX, {{0, f64(91)}}, "origen fuera de rango"},
        {"longitud de origen 361°", SIZE_MAX, {{8, f64(361)}}, "origen fuera de rango"},
        {"más allá del polo", SIZE_MAX, {{0, f64(89)}}, "pasa del polo"},
        {"una sola fila", SIZE_MAX, {{32, i32(1)}}, "1 filas y 5 columnas"},
        {"columnas negativas", SIZE_MAX, {{36, i32(-5)}}, "hacen falta al menos dos"},
        {"dimensiones enormes", SIZE_MAX, {{16, f64(1e-8)}, {24, f64(1e-8)}, {32, i32(2147483647)}, {36, i32(2147483647)}},
         "demasiados valores (más de 1 GiB)"},
        {"filas de más", SIZE_MAX, {{32, i32(5)}}, "pide 140"},
    };
    const std::string ruta = fs::temp_directory_path() / ("tesmaro_danado_" + std::to_string(::getpid()) + ".gtx");
    for (const auto& c : casos) {
        Bytes b = pruebas::CreaGtx(20, -10, 0.5, 4, 5, Relieve);
        b.resize(std::min(b.size(), c.largo));
        for (const auto& [en, bytes] : c.parches) {
            b.resize(std::max(b.size(), en + bytes.size()));
            std::memcpy(b.data() + en, bytes.data(), bytes.size());
        }
        std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
        for (const RejillaGeoide& r : {RejillaGeoide("danado.gtx", b), RejillaGeoide(ruta)}) {
            EXPECT_EQ(r.estado(), EstadoRejilla::Invalida) << c.nombre;
            EXPECT_EQ(r.mensaje().find("El fichero de geoide " + r.ruta() + " no es una rejilla GTX válida: "), 0u)
                << r.mensaje();
            EXPECT_NE(r.mensaje().find(c.motivo), std::string::npos) << c.nombre << ": " << r.mensaje();
            EXPECT_FALSE(r.Ondulacion(-9.5, 20.5).dentro) << c.nombre;
        }
    }
    fs::remove(ruta);
}

// A missing grid (or a folder) is named; the model without one of its grids
// refuses every point, the other grid's included.
TEST(Geoide, FaltaUnaRejilla) {
    const std::string falta = (fs::temp_directory_path() / "tesmaro_no_existe" / NombreGeoideCanarias).string();
    const std::string carpeta = fs::temp_directory_path().string();
    EXPECT_EQ(RejillaGeoide(carpeta).mensaje(), "No se puede abrir el fichero de geoide " + carpeta);
    const Geoide g(Datos(NombreGeoidePeninsula), falta);
    EXPECT_EQ(g.estado(), EstadoRejilla::NoEncontrada);
    EXPECT_EQ(g.mensaje(), "No se encuentra el fichero de geoide " + falta);
    EXPECT_FALSE(g.AltitudOrtometrica(-3.70379, 40.416775, 100).dentro());
    // The program's own grids: the build tree's data folder.
    EXPECT_EQ(Geoide().estado(), EstadoRejilla::Correcta) << Geoide().mensaje();
}

}  // namespace
}  // namespace tesmaro
