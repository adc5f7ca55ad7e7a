// The shipped grid against PROJ (an independent NTv2 implementation; tests
// only), and the per-call reader against the grid held in memory.
//
// PROJ and this reader agree wherever both rules pick the same cell: inside
// the sub-grids, close to their edges and in the band just south of the
// Balearic sub-grid that the mainland one covers. They differ on purpose on
// the northern and western edge lines of a sub-grid (outside here) and in the
// one-increment band south and east of the whole grid (extrapolated here);
// those points are tested against this reader's rules.
#include <gtest/gtest.h>
#include <proj.h>

#include <bit>
#include <cmath>
#include <random>

#include "Comun.h"

namespace tesmaro {
namespace {

using Puntos = std::vector<std::pair<double, double>>;
constexpr double RadianesPorSegundo = M_PI / (180.0 * 3600.0);
// In seconds (1e-9° ≈ 0.1 mm). PROJ keeps the shifts as float32 radians and
// this reader as float32 seconds (and rounds the bilinear coefficients to
// float32): together below 1e-10°.
constexpr double Tolerancia = 1e-9 * 3600;

// PROJ's hgridshift on sped2et.gsb (network off), seconds of arc east
// positive in and out. False when PROJ serves no grid there.
bool Proj(PJ_DIRECTION dir, double lonE, double lat, double& lonS, double& latS) {
    static PJ* const pj = [] {
        proj_context_set_enable_network(PJ_DEFAULT_CTX, 0);
        return proj_create(PJ_DEFAULT_CTX, ("+proj=hgridshift +grids=" + pruebas::RutaSped2et()).c_str());
    }();
    if (!pj) return false;
    proj_errno_reset(pj);
    const PJ_COORD c = proj_trans(pj, dir, proj_coord(lonE * RadianesPorSegundo, lat * RadianesPorSegundo, 0, 0));
    lonS = c.lp.lam / RadianesPorSegundo;
    latS = c.lp.phi / RadianesPorSegundo;
    return proj_errno(pj) == 0 && std::isfinite(c.lp.lam) && c.lp.lam != HUGE_VAL;
}

// The extent of one sub-grid, seconds, longitude EAST positive.
struct Extension {
    double sur, norte, este, oeste;  // oeste < este
};
const Extension Baleares{136800, 146850, 16800, 3000};
const Extension Peninsula{128000, 160000, 14940, -36660};

Puntos Aleatorios(const Extension& e, int n, double margen, std::uint64_t semilla) {
    std::mt19937_64 azar(semilla);
    std::uniform_real_distribution<double> lon(e.oeste + margen, e.este - margen), lat(e.sur + margen, e.norte - margen);
    Puntos p;
    for (int i = 0; i < n; ++i) p.emplace_back(lon(azar), lat(azar));
    return p;
}

// Points `dentro` seconds inside each of the four edges, 25 along each.
Puntos JuntoALosBordes(const Extension& e, double dentro) {
    Puntos p;
    for (int i = 1; i <= 25; ++i) {
        const double lon = e.oeste + i / 26.0 * (e.este - e.oeste), lat = e.sur + i / 26.0 * (e.norte - e.sur);
        p.insert(p.end(), {{lon, e.sur + dentro}, {lon, e.norte - dentro}, {e.este - dentro, lat}, {e.oeste + dentro, lat}});
    }
    return p;
}

// Forward (and, when `inversa`, reverse and round trip) against PROJ.
void Comparar(const Puntos& puntos, bool inversa, const std::string& que) {
    const Rejilla& r = pruebas::Sped2et();
    for (const auto& [lon, lat] : puntos) {
        const std::string donde = que + " " + std::to_string(lon) + " " + std::to_string(lat);
        double lonP, latP, lonI, latI;
        ASSERT_TRUE(Proj(PJ_FWD, lon, lat, lonP, latP)) << donde;
        const PuntoRejilla ida = r.ED50aETRS89(lon, lat);
        ASSERT_TRUE(ida.dentro) << donde;
        ASSERT_NEAR(ida.lon, lonP, Tolerancia) << donde;
        ASSERT_NEAR(ida.lat, latP, Tolerancia) << donde;
        if (!inversa) continue;
        const PuntoRejilla vuelta = r.ETRS89aED50(lonP, latP);
        const CeldaRejilla celdaP = r.BuscaCelda(lonP, latP);
        if (!vuelta.dentro) {
            // Only where the shift carries the point across the grid's
            // western or northern edge: the first step is outside, so zeros.
            EXPECT_TRUE(!celdaP.encontrada && vuelta.lon == 0) << donde;
            continue;
        }
        // PROJ's reverse keeps to the sub-grid of the ETRS89 point for all its
        // steps, so where the shift carries the point into another sub-grid
        // (near the Balearic edges) only the round trip is checked; and PROJ
        // does not serve the extrapolation band south or east of the grid.
        if (r.BuscaCelda(lon, lat).subrejilla == celdaP.subrejilla) {
            if (Proj(PJ_INV, lonP, latP, lonI, latI)) {
                EXPECT_NEAR(vuelta.lon, lonI, Tolerancia) << donde;
                EXPECT_NEAR(vuelta.lat, latI, Tolerancia) << donde;
            } else {
                EXPECT_TRUE(celdaP.X < 0 || celdaP.Y < 0) << donde;
            }
        }
        ASSERT_NEAR(vuelta.lon, lon, Tolerancia) << donde;
        ASSERT_NEAR(vuelta.lat, lat, Tolerancia) << donde;
    }
}

TEST(Proj, Sped2et) {
    ASSERT_EQ(pruebas::Sped2et().estado(), EstadoRejilla::Correcta) << pruebas::Sped2et().mensaje();
    Comparar(Aleatorios(Baleares, 1500, 0.05, 1), true, "BALEARES");
    Comparar(Aleatorios(Peninsula, 2500, 0.05, 2), true, "PENINSUL");
    for (const Extension& e : {Baleares, Peninsula}) {
        Comparar(JuntoALosBordes(e, 0.001), false, "bordes a 0.001\"");
        Comparar(JuntoALosBordes(e, 0.5), true, "bordes a 0.5\"");
        Comparar(JuntoALosBordes(e, 10), true, "bordes a 10\"");
    }
    // The band just south of BALEARES that PENINSUL covers (0.84° E to
    // 4.14° E): both take PENINSUL there.
    Comparar(Aleatorios({136800 - 150, 136800, 4.14 * 3600, 0.84 * 3600}, 500, 0.001, 3), true, "banda sur");
}

// Bit for bit over the whole grid, its surroundings and both sides of every
// edge (the batch results of tests/referencia only go through the grid held
// in memory).
TEST(Proj, LecturaPorLlamadaIgualALaCargada) {
    Puntos puntos = Aleatorios({35.3 * 3600, 44.6 * 3600, 5.0 * 3600, -10.5 * 3600}, 400, 0, 4);
    for (const Extension& e : {Baleares, Peninsula})
        for (double d : {-150.0, -0.001, 0.0, 0.001}) {
            const Puntos borde = JuntoALosBordes(e, d);
            puntos.insert(puntos.end(), borde.begin(), borde.end());
        }
    int dentro = 0;
    for (const auto& [lon, lat] : puntos)
        for (bool ida : {true, false}) {
            PuntoRejilla fichero;
            std::string mensaje;
            const auto leer = ida ? RejillaED50aETRS89 : RejillaETRS89aED50;
            ASSERT_EQ(leer(pruebas::RutaSped2et(), lon, lat, fichero, mensaje), EstadoRejilla::Correcta);
            const Rejilla& r = pruebas::Sped2et();
            const PuntoRejilla memoria = ida ? r.ED50aETRS89(lon, lat) : r.ETRS89aED50(lon, lat);
            EXPECT_EQ(fichero.dentro, memoria.dentro);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(fichero.lon), std::bit_cast<std::uint64_t>(memoria.lon)) << lon;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(fichero.lat), std::bit_cast<std::uint64_t>(memoria.lat)) << lat;
            dentro += memoria.dentro;
        }
    EXPECT_GT(dentro, 600);  // the sample is not all outside
}

}  // namespace
}  // namespace tesmaro
