// The result files read back and compared with PROJ, an independent
// implementation, on points of the region: loose tolerances, because the
// program's series and its π of ten digits are not PROJ's; the exact digits
// are pinned by the other tests against the core computations.
#include <gtest/gtest.h>
#include <proj.h>
#include <geodesic.h>

#include <cmath>
#include <string>
#include <vector>

#include "Ayudas.h"
#include "Campos.h"
#include "Procesadores.h"
#include "Rejilla.h"

namespace tesmaro::pruebas {
namespace {

// The records of a text result (header left out) as fields.
std::vector<std::vector<std::string>> Registros(const std::string& txt) {
    std::vector<std::vector<std::string>> filas;
    std::size_t inicio = txt.find("\r\n") + 2;
    while (inicio < txt.size()) {
        const std::size_t fin = txt.find("\r\n", inicio);
        const std::string linea = txt.substr(inicio, fin - inicio);
        std::vector<std::string> campos;
        for (std::int16_t i = 0; i < 11; ++i) campos.push_back(ExtraerCampo(linea, i));
        filas.push_back(campos);
        inicio = fin + 2;
    }
    return filas;
}

class Proj : public ConLocale {
protected:
    void SetUp() override {
        ConLocale::SetUp();
        if (IsSkipped()) return;
        ctx = proj_context_create();
    }
    void TearDown() override {
        if (ctx) proj_context_destroy(ctx);
        ConLocale::TearDown();
    }
    PJ_COORD Transformar(const char* definicion, PJ_COORD c, PJ_DIRECTION dir = PJ_FWD) {
        PJ* p = proj_create(ctx, definicion);
        EXPECT_NE(p, nullptr) << definicion;
        if (!p) return c;
        const PJ_COORD r = proj_trans(p, dir, c);
        proj_destroy(p);
        return r;
    }
    template <class Lote>
    std::vector<std::vector<std::string>> Correr(const std::string& contenido, Lote lote) {
        Escribir(tmp / "e.txt", contenido);
        const DestinoLote d{(tmp / "r.txt").string(), (tmp / "r.csv").string()};
        const ResumenLote r = lote((tmp / "e.txt").string(), d, interfaz);
        EXPECT_TRUE(r.error.empty()) << r.error;
        return Registros(Leer(tmp / "r.txt"));
    }
    PJ_CONTEXT* ctx = nullptr;
    CarpetaTemporal tmp;
    InterfazGuion interfaz;
};

constexpr double Grados = 3.14159265358979323846 / 180;

struct Punto {
    double lon, lat;
};
// Within 3.5° of the central meridians of zones 30 and 31.
const Punto Puntos[] = {{-0.5, 39.5}, {-3.7, 40.4}, {-6.2, 37.3}, {-1.1, 43.2}, {1.5, 41.6}, {3.2, 42.4}, {-4.0, 36.7}};

TEST_P(Proj, GeoUtmYVuelta) {
    std::string entrada = "c\n", vuelta = "c\n";
    for (const Punto& p : Puntos)
        entrada += "P," + N(p.lon) + "," + N(p.lat) + "," + (p.lon < 0 ? "30" : "31") + ",N\n";
    const auto utm = Correr(entrada, [](const auto& e, const auto& d, auto& i) { return LoteGeoUtm(e, d, Datum::ETRS89, i); });
    ASSERT_EQ(utm.size(), std::size(Puntos));
    for (std::size_t k = 0; k < utm.size(); ++k) {
        const Punto& p = Puntos[k];
        const std::string def = std::string("+proj=utm +ellps=GRS80 +zone=") + (p.lon < 0 ? "30" : "31");
        const PJ_COORD r = Transformar(def.c_str(), proj_coord(p.lon * Grados, p.lat * Grados, 0, 0));
        // The program's truncated series agree with PROJ's exact projection to
        // a few millimetres this close to the central meridian: 1 cm.
        EXPECT_NEAR(LeerNumero(utm[k][1]), r.enu.e, 0.01) << k;
        EXPECT_NEAR(LeerNumero(utm[k][2]), r.enu.n, 0.01) << k;
        vuelta += "P," + utm[k][1] + "," + utm[k][2] + "," + utm[k][3] + ",N\n";
    }
    const auto geo = Correr(vuelta, [](const auto& e, const auto& d, auto& i) { return LoteUtmGeo(e, d, Datum::ETRS89, i); });
    ASSERT_EQ(geo.size(), std::size(Puntos));
    for (std::size_t k = 0; k < geo.size(); ++k) {
        // 1e-7° is about 1 cm on the ground.
        EXPECT_NEAR(LeerNumero(geo[k][1]), Puntos[k].lon, 1e-7) << k;
        EXPECT_NEAR(LeerNumero(geo[k][2]), Puntos[k].lat, 1e-7) << k;
    }
}

TEST_P(Proj, GeoCart) {
    std::string entrada = "c\n";
    for (const Punto& p : Puntos) entrada += "P," + N(p.lon) + "," + N(p.lat) + ",250.5\n";
    const auto cart = Correr(entrada, [](const auto& e, const auto& d, auto& i) { return LoteGeoCart(e, d, i); });
    for (std::size_t k = 0; k < cart.size(); ++k) {
        const PJ_COORD r = Transformar("+proj=cart +ellps=WGS84",
                                       proj_coord(Puntos[k].lon * Grados, Puntos[k].lat * Grados, 250.5, 0));
        // π of ten digits moves a point by under a millimetre: 1 cm.
        EXPECT_NEAR(LeerNumero(cart[k][1]), r.xyz.x, 0.01);
        EXPECT_NEAR(LeerNumero(cart[k][2]), r.xyz.y, 0.01);
        EXPECT_NEAR(LeerNumero(cart[k][3]), r.xyz.z, 0.01);
    }
}

TEST_P(Proj, ProblemasGeodesicos) {
    geod_geodesic g;
    geod_init(&g, 6378137, 1 / 298.257223563);
    std::string directo = "c\n", inverso = "c\n";
    for (const Punto& p : Puntos) {
        directo += "P," + N(p.lon) + "," + N(p.lat) + ",37.5,150000\n";
        inverso += "P," + N(p.lon) + "," + N(p.lat) + "," + N(p.lon + 0.8) + "," + N(p.lat + 0.6) + "\n";
    }
    const auto d = Correr(directo, [](const auto& e, const auto& s, auto& i) { return LoteProblemaDirecto(e, s, i); });
    const auto v = Correr(inverso, [](const auto& e, const auto& s, auto& i) { return LoteProblemaInverso(e, s, i); });
    for (std::size_t k = 0; k < std::size(Puntos); ++k) {
        const Punto& p = Puntos[k];
        double lat2, lon2, azi2, s12, azi1;
        geod_direct(&g, p.lat, p.lon, 37.5, 150000, &lat2, &lon2, &azi2);
        // About 1 cm at the end of 150 km, as the fixed quadratures give.
        EXPECT_NEAR(LeerNumero(d[k][1]), lon2, 2e-7) << k;
        EXPECT_NEAR(LeerNumero(d[k][2]), lat2, 2e-7) << k;
        // The reverse azimuth is the one from B back to A: GeographicLib's
        // forward azimuth at B turned by 180°; 1e-5° as the method promises.
        EXPECT_NEAR(LeerNumero(d[k][3]), azi2 + 180, 1e-5) << k;
        geod_inverse(&g, p.lat, p.lon, p.lat + 0.6, p.lon + 0.8, &s12, &azi1, &azi2);
        // A few millimetres for lines of about 100 km: 1 cm.
        EXPECT_NEAR(LeerNumero(v[k][4]), s12, 0.01) << k;
        EXPECT_NEAR(LeerNumero(v[k][3]), azi1 < 0 ? azi1 + 360 : azi1, 1e-5) << k;
        EXPECT_NEAR(LeerNumero(v[k][7]), azi2 + 180, 1e-5) << k;
    }
}

TEST_P(Proj, Rejilla) {
    const Rejilla rejilla(RutaRejillaFuente());
    ASSERT_EQ(rejilla.estado(), EstadoRejilla::Correcta);
    std::string entrada = "c\n";
    for (const Punto& p : Puntos) entrada += "P," + N(p.lon) + "," + N(p.lat) + "\n";
    const auto ida = Correr(entrada, [&rejilla](const auto& e, const auto& d, auto& i) { return LoteED50aETRS89(e, d, rejilla, i); });
    const auto vuelta = Correr(entrada, [&rejilla](const auto& e, const auto& d, auto& i) { return LoteETRS89aED50(e, d, rejilla, i); });
    const std::string def = "+proj=hgridshift +grids=" + RutaRejillaFuente();
    for (std::size_t k = 0; k < std::size(Puntos); ++k) {
        const PJ_COORD c = proj_coord(Puntos[k].lon * Grados, Puntos[k].lat * Grados, 0, 0);
        const PJ_COORD f = Transformar(def.c_str(), c, PJ_FWD);
        const PJ_COORD b = Transformar(def.c_str(), c, PJ_INV);
        // Same bilinear interpolation; the coefficients rounded to float32
        // differ from PROJ's by far less than 1e-8° (1 mm).
        EXPECT_NEAR(LeerNumero(ida[k][1]), f.lp.lam / Grados, 1e-8) << k;
        EXPECT_NEAR(LeerNumero(ida[k][2]), f.lp.phi / Grados, 1e-8) << k;
        EXPECT_NEAR(LeerNumero(vuelta[k][1]), b.lp.lam / Grados, 1e-8) << k;
        EXPECT_NEAR(LeerNumero(vuelta[k][2]), b.lp.phi / Grados, 1e-8) << k;
    }
}

TESMARO_EN_LOCALES(Proj);

}  // namespace
}  // namespace tesmaro::pruebas
