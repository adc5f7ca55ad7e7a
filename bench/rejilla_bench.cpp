// ED50 <-> ETRS89 by the NTv2 grid, per point: the grid file opened and read
// for every evaluation (a window's "Calcular") against the grid loaded once
// and kept in memory (a batch run). And the geoid: N at a point, and loading
// both geoid grids.
//
//   build/bench/rejilla_bench [--benchmark_filter=...]
// The grid is sped2et.gsb of the current folder or of the build tree's data/;
// the geoid grids are those of the build tree's data/.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "Geoide.h"
#include "Rejilla.h"

namespace {

using namespace tesmaro;

// Points spread over both sub-grids of sped2et.gsb (seconds, east positive).
const std::vector<std::pair<double, double>>& Puntos() {
    static const std::vector<std::pair<double, double>> puntos = [] {
        std::mt19937_64 azar(7);
        std::uniform_real_distribution<double> lon(-9.0 * 3600, 4.0 * 3600), lat(36.0 * 3600, 43.5 * 3600);
        std::vector<std::pair<double, double>> p;
        for (int i = 0; i < 1024; ++i) p.emplace_back(lon(azar), lat(azar));
        return p;
    }();
    return puntos;
}

const std::string& Ruta() {
    static const std::string ruta = RutaRejillaVentanas();
    return ruta;
}

void Comprobar(benchmark::State& estado, const Rejilla& r) {
    if (r.estado() != EstadoRejilla::Correcta) estado.SkipWithError(r.mensaje().c_str());
}

void DirectaCargada(benchmark::State& estado) {
    const Rejilla r(Ruta());
    Comprobar(estado, r);
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& [lon, lat] = Puntos()[i++ & 1023];
        benchmark::DoNotOptimize(r.ED50aETRS89(lon, lat));
    }
    estado.SetItemsProcessed(estado.iterations());
}

void InversaCargada(benchmark::State& estado) {
    const Rejilla r(Ruta());
    Comprobar(estado, r);
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& [lon, lat] = Puntos()[i++ & 1023];
        benchmark::DoNotOptimize(r.ETRS89aED50(lon, lat));
    }
    estado.SetItemsProcessed(estado.iterations());
}

void DirectaPorLlamada(benchmark::State& estado) {
    std::size_t i = 0;
    PuntoRejilla p;
    std::string mensaje;
    for (auto _ : estado) {
        const auto& [lon, lat] = Puntos()[i++ & 1023];
        if (RejillaED50aETRS89(Ruta(), lon, lat, p, mensaje) != EstadoRejilla::Correcta) {
            estado.SkipWithError(mensaje.c_str());
            break;
        }
        benchmark::DoNotOptimize(p);
    }
    estado.SetItemsProcessed(estado.iterations());
}

void InversaPorLlamada(benchmark::State& estado) {
    std::size_t i = 0;
    PuntoRejilla p;
    std::string mensaje;
    for (auto _ : estado) {
        const auto& [lon, lat] = Puntos()[i++ & 1023];
        if (RejillaETRS89aED50(Ruta(), lon, lat, p, mensaje) != EstadoRejilla::Correcta) {
            estado.SkipWithError(mensaje.c_str());
            break;
        }
        benchmark::DoNotOptimize(p);
    }
    estado.SetItemsProcessed(estado.iterations());
}

// Reading and checking the whole file once (what a batch run pays at start).
void CargarRejilla(benchmark::State& estado) {
    for (auto _ : estado) {
        const Rejilla r(Ruta());
        if (r.estado() != EstadoRejilla::Correcta) {
            estado.SkipWithError(r.mensaje().c_str());
            break;
        }
        benchmark::DoNotOptimize(r.estado());
    }
}

// H = h − N at points spread over the mainland grid (degrees).
void AltitudGeoide(benchmark::State& estado) {
    const Geoide g;
    if (g.estado() != EstadoRejilla::Correcta) estado.SkipWithError(g.mensaje().c_str());
    std::vector<std::pair<double, double>> grados;
    for (const auto& [lon, lat] : Puntos()) grados.emplace_back(lon / 3600, lat / 3600);
    std::size_t i = 0;
    for (auto _ : estado) {
        const auto& [lon, lat] = grados[i++ & 1023];
        benchmark::DoNotOptimize(g.AltitudOrtometrica(lon, lat, 100));
    }
    estado.SetItemsProcessed(estado.iterations());
}

// Reading and checking both geoid grids (1.98 MB) once.
void CargarGeoide(benchmark::State& estado) {
    for (auto _ : estado) {
        const Geoide g;
        if (g.estado() != EstadoRejilla::Correcta) {
            estado.SkipWithError(g.mensaje().c_str());
            break;
        }
        benchmark::DoNotOptimize(g.estado());
    }
}

BENCHMARK(DirectaCargada);
BENCHMARK(InversaCargada);
BENCHMARK(DirectaPorLlamada);
BENCHMARK(InversaPorLlamada);
BENCHMARK(CargarRejilla);
BENCHMARK(AltitudGeoide);
BENCHMARK(CargarGeoide);

}  // namespace

BENCHMARK_MAIN();
