// The shipped grid against PROJ (an independent NTv2 implementation; tests
// only), and the per-call reader against the grid held in memory.
//
// PROJ and this reader serve the same points: inside a sub-grid, on its edge
// lines, within PROJ's tolerance outside them; both refuse the rest. The
// inverse differs on purpose where PROJ's answer does not go back to the
// point (PROJ keeps to the sub-grid of the ETRS89 point, and does not look
// where its answer lands): this reader refuses those points.
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
constexpr double MetrosPorSegundo = 30.87;  // of latitude, about

// PROJ's hgridshift on sped2et.gsb (network off), seconds of arc east
// positive in and out. False when PROJ refuses the point.
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

// Metres on the ground between two points in seconds.
double Metros(double lon1, double lat1, double lon2, double lat2) {
    return std::hypot((lon1 - lon2) * std::cos(lat1 * RadianesPorSegundo), lat1 - lat2) * MetrosPorSegundo;
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

// Points `dentro` seconds inside each of the four edges (outside when
// negative), 25 along each.
Puntos JuntoALosBordes(const Extension& e, double dentro) {
    Puntos p;
    for (int i = 1; i <= 25; ++i) {
        const double lon = e.oeste + i / 26.0 * (e.este - e.oeste), lat = e.sur + i / 26.0 * (e.norte - e.sur);
        p.insert(p.end(), {{lon, e.sur + dentro}, {lon, e.norte - dentro}, {e.este - dentro, lat}, {e.oeste + dentro, lat}});
    }
    return p;
}

// Each point forward and, taken as ETRS89, back, against PROJ; the largest
// deviations where both serve it (metres).
void Comparar(const Puntos& puntos, double& ida, double& vuelta) {
    const Rejilla& r = pruebas::Sped2et();
    for (const auto& [lon, lat] : puntos) {
        const std::string donde = std::to_string(lon) + " " + std::to_string(lat);
        double lonP, latP, lonF, latF;
        const PuntoRejilla p = r.ED50aETRS89(lon, lat);
        ASSERT_EQ(p.dentro, Proj(PJ_FWD, lon, lat, lonP, latP)) << donde;
        if (p.dentro) ida = std::max(ida, Metros(p.lon, p.lat, lonP, latP));
        const PuntoRejilla v = r.ETRS89aED50(lon, lat);
        if (!Proj(PJ_INV, lon, lat, lonP, latP)) {
            EXPECT_FALSE(v.dentro) << donde;
        } else if (!v.dentro) {
            // PROJ's answer is outside the grid, or PROJ does not take it
            // back to the point (6 µm).
            const bool vuelve = Proj(PJ_FWD, lonP, latP, lonF, latF) && Metros(lonF, latF, lon, lat) < 6e-6;
            EXPECT_FALSE(vuelve) << donde;
        } else if (r.BuscaCelda(lon, lat).subrejilla == r.BuscaCelda(v.lon, v.lat).subrejilla) {
            vuelta = std::max(vuelta, Metros(v.lon, v.lat, lonP, latP));
        }
    }
}

// The figure the accuracy table states for the grid: 0.01 mm from PROJ both
// ways (PROJ keeps the shifts as float32 radians, this reader as float32
// seconds and the bilinear coefficients as float32).
TEST(Proj, Sped2et) {
    ASSERT_EQ(pruebas::Sped2et().estado(), EstadoRejilla::Correcta) << pruebas::Sped2et().mensaje();
    Puntos puntos = Aleatorios(Baleares, 1500, 0, 1);
    for (const Puntos& mas : {Aleatorios(Peninsula, 2500, 0, 2),
                              Aleatorios({127000, 161000, 17800, -37660}, 20000, 0, 3)})  // and around
        puntos.insert(puntos.end(), mas.begin(), mas.end());
    // Inside, on, and outside each edge: 0.001" outside is within PROJ's
    // tolerance (0.003"), 0.01" is not.
    for (const Extension& e : {Baleares, Peninsula})
        for (double d : {10.0, 0.001, 0.0, -0.001, -0.01, -100.0}) {
            const Puntos borde = JuntoALosBordes(e, d);
            puntos.insert(puntos.end(), borde.begin(), borde.end());
        }
    double ida = 0, vuelta = 0;
    Comparar(puntos, ida, vuelta);
    EXPECT_LE(ida, 1e-5);
    EXPECT_GE(ida, 0.6e-5) << "the stated figure is too pessimistic";
    EXPECT_LE(vuelta, 1e-5);
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
