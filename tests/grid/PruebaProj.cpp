// Cross-checks against PROJ (an independent NTv2 implementation; tests only)
// on the shipped grid and on other real NTv2 grids of Debian's proj-data.
//
// PROJ and this reader agree wherever both rules pick the same cell: inside
// the sub-grids, close to their edges and in the band just south of the
// Balearic sub-grid that the mainland one covers. They differ on purpose on
// the northern and western edge lines of a sub-grid (outside here) and in the
// one-increment band south and east of the whole grid (extrapolated here);
// those points are tested against this reader's rules.
#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "Comun.h"
#include "Rejilla.h"

namespace tesmaro {
namespace {

constexpr double RadianesPorSegundo = M_PI / (180.0 * 3600.0);
// 1e-9° ≈ 0.1 mm. PROJ keeps the shifts as float32 radians and this reader as
// float32 seconds (and rounds the bilinear coefficients to float32): together
// below 1e-10°.
constexpr double Tolerancia = 1e-9;

// PROJ's hgridshift on one grid file given by its absolute path, with the
// network (downloading grids) off.
class ProjRejilla {
public:
    explicit ProjRejilla(const std::string& ruta) {
        ctx_ = proj_context_create();
        proj_context_set_enable_network(ctx_, 0);
        pj_ = proj_create(ctx_, ("+proj=hgridshift +grids=" + ruta).c_str());
    }
    ~ProjRejilla() {
        if (pj_) proj_destroy(pj_);
        proj_context_destroy(ctx_);
    }
    bool valida() const { return pj_ != nullptr; }
    // Seconds of arc, east positive, in and out. False when PROJ finds no grid.
    bool Transformar(PJ_DIRECTION dir, double lonE, double lat, double& lonS, double& latS) const {
        PJ_COORD c = proj_coord(lonE * RadianesPorSegundo, lat * RadianesPorSegundo, 0, 0);
        proj_errno_reset(pj_);
        c = proj_trans(pj_, dir, c);
        if (proj_errno(pj_) != 0 || !std::isfinite(c.lp.lam) || c.lp.lam == HUGE_VAL) return false;
        lonS = c.lp.lam / RadianesPorSegundo;
        latS = c.lp.phi / RadianesPorSegundo;
        return true;
    }

private:
    PJ_CONTEXT* ctx_ = nullptr;
    PJ* pj_ = nullptr;
};

// The extent of one sub-grid, seconds, longitude EAST positive.
struct Extension {
    double sur, norte, este, oeste;  // oeste < este
};

std::vector<std::pair<double, double>> Aleatorios(const Extension& e, int n, double margen,
                                                  std::uint64_t semilla) {
    std::mt19937_64 azar(semilla);
    std::uniform_real_distribution<double> lon(e.oeste + margen, e.este - margen),
        lat(e.sur + margen, e.norte - margen);
    std::vector<std::pair<double, double>> p;
    for (int i = 0; i < n; ++i) p.emplace_back(lon(azar), lat(azar));
    return p;
}

// Points `dentro` seconds inside each of the four edges, 25 along each.
std::vector<std::pair<double, double>> JuntoALosBordes(const Extension& e, double dentro) {
    std::vector<std::pair<double, double>> p;
    for (int i = 1; i <= 25; ++i) {
        const double f = i / 26.0;
        const double lon = e.oeste + f * (e.este - e.oeste), lat = e.sur + f * (e.norte - e.sur);
        p.emplace_back(lon, e.sur + dentro);
        p.emplace_back(lon, e.norte - dentro);
        p.emplace_back(e.este - dentro, lat);
        p.emplace_back(e.oeste + dentro, lat);
    }
    return p;
}

// Forward (and, when `inversa`, reverse) against PROJ at every point.
void Comparar(const Rejilla& r, const ProjRejilla& proj,
              const std::vector<std::pair<double, double>>& puntos, bool inversa,
              const std::string& que) {
    int fallos = 0;
    for (const auto& [lon, lat] : puntos) {
        double lonP = 0, latP = 0;
        ASSERT_TRUE(proj.Transformar(PJ_FWD, lon, lat, lonP, latP)) << que << " " << lon << " " << lat;
        const PuntoRejilla ida = r.ED50aETRS89(lon, lat);
        ASSERT_TRUE(ida.dentro) << que << " " << lon << " " << lat;
        fallos += std::fabs(ida.lon - lonP) / 3600 > Tolerancia ||
                  std::fabs(ida.lat - latP) / 3600 > Tolerancia;
        EXPECT_NEAR(ida.lon / 3600, lonP / 3600, Tolerancia) << que << " " << lon << " " << lat;
        EXPECT_NEAR(ida.lat / 3600, latP / 3600, Tolerancia) << que << " " << lon << " " << lat;
        if (!inversa) continue;
        const PuntoRejilla vuelta = r.ETRS89aED50(lonP, latP);
        if (!vuelta.dentro) {
            // Only where the shift carries the point across the grid's
            // western or northern edge: the first step is outside, so zeros.
            EXPECT_FALSE(r.BuscaCelda(lonP, latP).encontrada) << que << " " << lon << " " << lat;
            EXPECT_EQ(vuelta.lon, 0);
            continue;
        }
        // PROJ's reverse keeps to the sub-grid of the ETRS89 point for all its
        // steps, so where the shift carries the point into another sub-grid
        // (near the Balearic edges) it is not the inverse of its own forward;
        // there only the round trip below is checked.
        const CeldaRejilla celdaP = r.BuscaCelda(lonP, latP);
        if (r.BuscaCelda(lon, lat).subrejilla == celdaP.subrejilla) {
            double lonI = 0, latI = 0;
            if (!proj.Transformar(PJ_INV, lonP, latP, lonI, latI)) {
                // Only where the ETRS89 point lies in the extrapolation band
                // south or east of the whole grid, which PROJ does not serve.
                EXPECT_TRUE(celdaP.X < 0 || celdaP.Y < 0) << que << " " << lon << " " << lat;
                continue;
            }
            EXPECT_NEAR(vuelta.lon / 3600, lonI / 3600, Tolerancia) << que << " " << lon << " " << lat;
            EXPECT_NEAR(vuelta.lat / 3600, latI / 3600, Tolerancia) << que << " " << lon << " " << lat;
        }
        // And it returns to the starting point.
        EXPECT_NEAR(vuelta.lon / 3600, lon / 3600, Tolerancia) << que;
        EXPECT_NEAR(vuelta.lat / 3600, lat / 3600, Tolerancia) << que;
        if (fallos > 20) FAIL() << que << ": too many differences";
    }
}

const Extension Baleares{136800, 146850, 16800, 3000};
const Extension Peninsula{128000, 160000, 14940, -36660};

TEST(Proj, Sped2et) {
    const Rejilla r(pruebas::RutaSped2et());
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    const ProjRejilla proj(pruebas::RutaSped2et());
    ASSERT_TRUE(proj.valida());
    Comparar(r, proj, Aleatorios(Baleares, 1500, 0.05, 1), true, "BALEARES");
    Comparar(r, proj, Aleatorios(Peninsula, 2500, 0.05, 2), true, "PENINSUL");
    for (const Extension& e : {Baleares, Peninsula}) {
        Comparar(r, proj, JuntoALosBordes(e, 0.001), false, "bordes a 0.001\"");
        Comparar(r, proj, JuntoALosBordes(e, 0.5), true, "bordes a 0.5\"");
        Comparar(r, proj, JuntoALosBordes(e, 10), true, "bordes a 10\"");
    }
    // The band just south of BALEARES that PENINSUL covers (0.84° E to
    // 4.14° E): both take PENINSUL there.
    Comparar(r, proj, Aleatorios(Extension{136800 - 150, 136800, 4.14 * 3600, 0.84 * 3600}, 500, 0.001, 3),
             true, "banda sur de BALEARES");
}

// Other real NTv2 grids, one sub-grid each (LAT_INC ≠ LONG_INC in BETA2007).
struct OtraRejilla {
    const char* fichero;
    Extension extension;
};

}  // namespace
}  // namespace tesmaro
