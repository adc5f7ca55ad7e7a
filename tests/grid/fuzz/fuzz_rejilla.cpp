// libFuzzer target of the grid readers: any bytes are handed to Rejilla as an
// NTv2 grid file and to RejillaGeoide as a GTX geoid grid; when they are
// accepted, points are looked up (fixed ones near the shipped grids, the
// origin, absurd values, and the input's tail).
// Built only with -DTESMARO_FUZZ=ON and clang (see README.md).
#include <cmath>
#include <cstring>
#include <vector>

#include "Geoide.h"
#include "Rejilla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const std::vector<unsigned char> bytes(datos, datos + tamano);
    // Seconds of arc for the NTv2 grid, degrees for the geoid, both east positive.
    std::vector<double> v = {0.0, -1.0, 1.0, 7200.0, 140000.0, -16800.0, 128000.0, 1e300, -1e-300,
                             -9.5, 35.0, 4.4999944, 44.0, -18.5, 180.0, 360.0, -360.0};
    for (std::size_t i = 0; i + 8 <= tamano && v.size() < 32; i += 8) std::memcpy(&v.emplace_back(), datos + tamano - 8 - i, 8);

    const tesmaro::Rejilla r("fuzz.gsb", bytes);
    // A refusal must say why.
    if (r.estado() != tesmaro::EstadoRejilla::Correcta && r.mensaje().empty()) __builtin_trap();
    const tesmaro::RejillaGeoide g("fuzz.gtx", bytes);
    if (g.estado() != tesmaro::EstadoRejilla::Correcta && g.mensaje().empty()) __builtin_trap();

    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        if (r.estado() == tesmaro::EstadoRejilla::Correcta)
            for (const tesmaro::PuntoRejilla p : {r.ED50aETRS89(v[i], v[i + 1]), r.ETRS89aED50(v[i], v[i + 1])})
                // Outside gives zeros, inside gives numbers.
                if (p.dentro ? !(std::isfinite(p.lon) && std::isfinite(p.lat)) : (p.lon != 0 || p.lat != 0)) __builtin_trap();
        // A refused geoid grid is outside everywhere; inside, N is a number
        // within ±1000 m (and rounding).
        const tesmaro::OndulacionGeoide o = g.Ondulacion(v[i], v[i + 1]);
        if (o.dentro ? !(std::fabs(o.N) <= 1000.001) : o.N != 0) __builtin_trap();
    }
    return 0;
}
