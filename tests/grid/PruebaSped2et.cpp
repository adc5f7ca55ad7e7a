// The per-call reader of the shipped grid against the grid held in memory: the
// batch results (tests/referencia) only go through the latter.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <random>

#include "Comun.h"
#include "Rejilla.h"

namespace tesmaro {
namespace {

const Rejilla& Sped2et() {
    static const Rejilla r(pruebas::RutaSped2et());
    return r;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Points over the whole grid and its surroundings, with edges and bands.
std::vector<std::pair<double, double>> PuntosVariados(int n) {
    std::mt19937_64 azar(20260101);
    std::uniform_real_distribution<double> lon(-10.5 * 3600, 5.0 * 3600), lat(35.3 * 3600, 44.6 * 3600);
    std::vector<std::pair<double, double>> puntos;
    for (int i = 0; i < n; ++i) puntos.emplace_back(lon(azar), lat(azar));
    // Edge lines and bands of both sub-grids (seconds, east positive).
    for (double d : {-150.0, -100.0, -0.001, 0.0, 0.001, 100.0}) {
        puntos.emplace_back(2.0 * 3600, 136800 + d);      // BALEARES south
        puntos.emplace_back(16800 + d, 39.0 * 3600);      // BALEARES east
        puntos.emplace_back(2.0 * 3600, 146850 + d);      // BALEARES north
        puntos.emplace_back(3000 + d, 39.0 * 3600);       // BALEARES west
        puntos.emplace_back(-3.0 * 3600, 128000 + d);     // PENINSUL south
        puntos.emplace_back(14940 + d, 41.0 * 3600);      // PENINSUL east
        puntos.emplace_back(-3.0 * 3600, 160000 + d);     // PENINSUL north
        puntos.emplace_back(-36660 + d, 40.0 * 3600);     // PENINSUL west
    }
    return puntos;
}

TEST(Sped2et, LecturaPorLlamadaIgualAlaCargada) {
    const std::string ruta = pruebas::RutaSped2et();
    std::string mensaje;
    int dentro = 0;
    for (const auto& [lon, lat] : PuntosVariados(400)) {
        PuntoRejilla fichero;
        ASSERT_EQ(RejillaED50aETRS89(ruta, lon, lat, fichero, mensaje), EstadoRejilla::Correcta);
        EXPECT_TRUE(mensaje.empty());
        const PuntoRejilla memoria = Sped2et().ED50aETRS89(lon, lat);
        EXPECT_EQ(fichero.dentro, memoria.dentro);
        EXPECT_EQ(Bits(fichero.lon), Bits(memoria.lon)) << lon << " " << lat;
        EXPECT_EQ(Bits(fichero.lat), Bits(memoria.lat)) << lon << " " << lat;
        ASSERT_EQ(RejillaETRS89aED50(ruta, lon, lat, fichero, mensaje), EstadoRejilla::Correcta);
        const PuntoRejilla inversa = Sped2et().ETRS89aED50(lon, lat);
        EXPECT_EQ(fichero.dentro, inversa.dentro);
        EXPECT_EQ(Bits(fichero.lon), Bits(inversa.lon)) << lon << " " << lat;
        EXPECT_EQ(Bits(fichero.lat), Bits(inversa.lat)) << lon << " " << lat;
        dentro += memoria.dentro;
    }
    EXPECT_GT(dentro, 200);  // the sample is not all outside
}

}  // namespace
}  // namespace tesmaro
