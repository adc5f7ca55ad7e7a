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

}  // namespace
}  // namespace tesmaro
