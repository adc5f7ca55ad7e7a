// Geographic <-> geocentric conversions: worked cases, the mended longitude
// and polar axis, and PROJ's exact geocentric conversion as a reference.
#include <gtest/gtest.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "Angulos.h"
#include "Cartesianas.h"
#include "Elipsoides.h"

namespace tesmaro {
namespace {

constexpr double WgsA = 6378137;
constexpr double WgsRf = 298.257223563;

double Radianes(double grados) { return (grados * PiDiezCifras) / 180; }
double Grados(double radianes) { return (radianes * 180) / PiDiezCifras; }

// PROJ's geocentric conversion on the ellipsoid (a, rf), given radians.
class ProjCart {
public:
    ProjCart(double a, double rf) {
        ctx_ = proj_context_create();
        char def[128];
        std::snprintf(def, sizeof def, "+proj=cart +a=%.17g +rf=%.17g", a, rf);
        pj_ = proj_create(ctx_, def);
    }
    ~ProjCart() {
        proj_destroy(pj_);
        proj_context_destroy(ctx_);
    }
    PJ_XYZ Directa(double fi, double lambda, double h) const {
        return proj_trans(pj_, PJ_FWD, proj_coord(lambda, fi, h, 0)).xyz;
    }
    bool Valida() const { return pj_ != nullptr; }

private:
    PJ_CONTEXT* ctx_ = nullptr;
    PJ* pj_ = nullptr;
};

TEST(Cartesianas, EjemploWgs84IdaYVuelta) {
    const double fi = Radianes(40), lambda = Radianes(-0.5);
    const ResultadoCartesianas c = CalculoGeoCart(fi, lambda, 100, WgsA, WgsRf);
    ASSERT_EQ(c.estado, Estado::Correcto);
    EXPECT_GT(c.X, 0);
    EXPECT_LT(c.Y, 0);
    EXPECT_GT(c.Z, 0);
    const ResultadoGeograficas g = CalculoCartGeo(c.X, c.Y, c.Z, WgsA, WgsRf);
    ASSERT_EQ(g.estado, Estado::Correcto);
    // One Bowring step at h = 100 m leaves well under 1e-12° and 1e-8 m.
    EXPECT_NEAR(Grados(g.fi), 40, 1e-12);
    EXPECT_NEAR(Grados(g.lambda), -0.5, 1e-12);
    EXPECT_NEAR(g.h, 100, 1e-8);
}

// Against PROJ over the globe and the 24 ellipsoids, same angles in radians:
// the closed formulas agree to rounding (0.1 mm is far above that).
TEST(Cartesianas, CoincideConProj) {
    double maximo = 0;
    for (const Elipsoide& el : TablaElipsoides) {
        ProjCart proj(el.a, el.rf);
        ASSERT_TRUE(proj.Valida()) << el.nombre;
        for (double lat = -89.5; lat <= 90; lat += 7.25) {
            for (double lon = -179.5; lon <= 180; lon += 11.75) {
                for (double h : {-500.0, 0.0, 123.456, 8848.0, 400000.0}) {
                    const double fi = Radianes(lat), lambda = Radianes(lon);
                    const ResultadoCartesianas c = CalculoGeoCart(fi, lambda, h, el.a, el.rf);
                    ASSERT_EQ(c.estado, Estado::Correcto);
                    const PJ_XYZ ref = proj.Directa(fi, lambda, h);
                    const double d = std::hypot(c.X - ref.x, c.Y - ref.y, c.Z - ref.z);
                    maximo = std::max(maximo, d);
                    ASSERT_LT(d, 1e-4) << el.nombre << " " << lat << " " << lon << " " << h;
                }
            }
        }
    }
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3g", maximo);
    RecordProperty("max_diferencia_m", texto);
}

// Bowring's single step: from PROJ's X, Y, Z back to the angles given. Within
// 100 m of the surface the step leaves under 1e-12° and 1e-8 m (measured:
// 2e-14°, 4e-9 m); its own error grows with the height, to 1e-13° and 1.2e-8 m
// at 1 km and 8e-12° and 1.1e-6 m at 10 km (measured on WGS 84).
// For X < 0 the longitude carries the program's π instead of the true one
// (a difference of 4.1e-10 rad), which is taken out before comparing.
TEST(Cartesianas, VueltaDeBowringEnTodoElGlobo) {
    struct Banda {
        double h, angulo, altura;
    };
    const Banda bandas[] = {{-100, 1e-12, 1e-8},  {0, 1e-12, 1e-8},     {100, 1e-12, 1e-8},
                            {1000, 2e-13, 2e-8},  {-1000, 2e-13, 2e-8}, {10000, 1e-11, 2e-6}};
    ProjCart proj(WgsA, WgsRf);
    for (const Banda& banda : bandas) {
        const double h = banda.h;
        double maxAng = 0, maxH = 0;
        for (double lat = -89.75; lat <= 90; lat += 1.5) {
            for (double lon = -179.75; lon <= 180; lon += 6.5) {
                const double fi = Radianes(lat), lambda = Radianes(lon);
                const PJ_XYZ c = proj.Directa(fi, lambda, h);
                const ResultadoGeograficas g = CalculoCartGeo(c.x, c.y, c.z, WgsA, WgsRf);
                ASSERT_EQ(g.estado, Estado::Correcto);
                const double desvio = c.x >= 0 ? 0 : lambda > 0 ? PiDiezCifras - std::numbers::pi : std::numbers::pi - PiDiezCifras;
                const double dLat = std::fabs(g.fi - fi) * 180 / std::numbers::pi;
                const double dLon = std::fabs(g.lambda - desvio - lambda) * 180 / std::numbers::pi;
                maxAng = std::max({maxAng, dLat, dLon});
                maxH = std::max(maxH, std::fabs(g.h - h));
            }
        }
        EXPECT_LT(maxAng, banda.angulo) << "h = " << h;
        EXPECT_LT(maxH, banda.altura) << "h = " << h;
    }
}

// The longitude lies on the point's own meridian in every quadrant; X < 0
// adds or subtracts the program's π to the plain arctangent.
TEST(Cartesianas, LongitudEnSuPropioMeridiano) {
    struct Caso {
        double X, Y, radianes;
    };
    const double pi = std::numbers::pi, desvio = PiDiezCifras - std::numbers::pi;
    const Caso casos[] = {
        {1e6, 1e6, pi / 4},
        {-1e6, 1e6, 3 * pi / 4 + desvio},
        {-1e6, -1e6, -3 * pi / 4 - desvio},
        {1e6, -1e6, -pi / 4},
        {-1e6, 0, pi + desvio},
        {-1e6, -0.0, pi + desvio},  // -0 counts as Y >= 0
        {-1e6, -1e-3, -pi + 1e-9 - desvio},
        {0, 1e6, PiDiezCifras / 2},
        {0, -1e6, -PiDiezCifras / 2},
    };
    for (const Caso& c : casos) {
        const ResultadoGeograficas g = CalculoCartGeo(c.X, c.Y, 4e6, WgsA, WgsRf);
        ASSERT_EQ(g.estado, Estado::Correcto);
        // Rounding of atan and of the sum with π only.
        EXPECT_NEAR(g.lambda, c.radianes, 1e-15) << c.X << " " << c.Y;
    }
    // X < 0: exactly the plain arctangent plus or minus the program's π.
    EXPECT_EQ(CalculoCartGeo(-3e6, 2e6, 4e6, WgsA, WgsRf).lambda, std::atan(2e6 / -3e6) + PiDiezCifras);
    EXPECT_EQ(CalculoCartGeo(-3e6, -2e6, 4e6, WgsA, WgsRf).lambda, std::atan(-2e6 / -3e6) - PiDiezCifras);
    // X = 0: exactly ±90° in degrees.
    EXPECT_EQ(Grados(CalculoCartGeo(0, 5e6, 1e6, WgsA, WgsRf).lambda), 90);
    EXPECT_EQ(Grados(CalculoCartGeo(0, -5e6, 1e6, WgsA, WgsRf).lambda), -90);
}

TEST(Cartesianas, EjePolarYCentro) {
    const double b = (WgsRf * WgsA - WgsA) / WgsRf;
    const ResultadoGeograficas n = CalculoCartGeo(0, 0, b + 50, WgsA, WgsRf);
    ASSERT_EQ(n.estado, Estado::Correcto);
    EXPECT_EQ(Grados(n.fi), 90);
    EXPECT_EQ(n.lambda, 0);
    EXPECT_NEAR(n.h, 50, 1e-8);  // rounding of b + 50 and back
    const ResultadoGeograficas s = CalculoCartGeo(0, 0, -b, WgsA, WgsRf);
    ASSERT_EQ(s.estado, Estado::Correcto);
    EXPECT_EQ(Grados(s.fi), -90);
    EXPECT_EQ(s.h, 0);
    // The centre has no latitude.
    EXPECT_EQ(CalculoCartGeo(0, 0, 0, WgsA, WgsRf).estado, Estado::NoFinito);
}

TEST(Cartesianas, NoFinitos) {
    const double inf = INFINITY, nan = NAN;
    EXPECT_EQ(CalculoGeoCart(nan, 0, 0, WgsA, WgsRf).estado, Estado::NoFinito);
    EXPECT_EQ(CalculoGeoCart(0, 0, inf, WgsA, WgsRf).estado, Estado::NoFinito);
    EXPECT_EQ(CalculoGeoCart(0.5, 0.5, 0, WgsA, 0).estado, Estado::NoFinito);
    EXPECT_EQ(CalculoCartGeo(inf, 0, 0, WgsA, WgsRf).estado, Estado::NoFinito);
    EXPECT_EQ(CalculoCartGeo(1e6, nan, 0, WgsA, WgsRf).estado, Estado::NoFinito);
    EXPECT_EQ(CalculoCartGeo(1e300, 1e300, 1e300, WgsA, WgsRf).estado, Estado::NoFinito);
}

// h = 0 comes back as a tiny number, not exactly 0.
TEST(Cartesianas, AlturaCeroVuelveCasiCero) {
    const ResultadoCartesianas c = CalculoGeoCart(Radianes(40), Radianes(-3.7), 0, WgsA, WgsRf);
    const ResultadoGeograficas g = CalculoCartGeo(c.X, c.Y, c.Z, WgsA, WgsRf);
    EXPECT_NEAR(g.h, 0, 1e-8);  // rounding of metres-sized sums at 6e6 m
}

}  // namespace
}  // namespace tesmaro
