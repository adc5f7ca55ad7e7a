// libFuzzer target of the grid reader: any bytes are handed to Rejilla as a
// grid file; when they are accepted, points are looked up both ways (fixed
// ones near the shipped grid, the origin, absurd values, and the input's tail).
// Built only with -DTESMARO_FUZZ=ON and clang (see README.md).
#include <cmath>
#include <cstring>
#include <vector>

#include "Rejilla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const tesmaro::Rejilla r("fuzz.gsb", std::vector<unsigned char>(datos, datos + tamano));
    if (r.estado() != tesmaro::EstadoRejilla::Correcta) {
        if (r.mensaje().empty()) __builtin_trap();  // a refusal must say why
        return 0;
    }
    std::vector<double> v = {0.0, -1.0, 1.0, 7200.0, 140000.0, -16800.0, 128000.0, 1e300, -1e-300};
    for (std::size_t i = 0; i + 8 <= tamano && v.size() < 24; i += 8) std::memcpy(&v.emplace_back(), datos + tamano - 8 - i, 8);
    for (std::size_t i = 0; i + 1 < v.size(); ++i)
        for (const tesmaro::PuntoRejilla p : {r.ED50aETRS89(v[i], v[i + 1]), r.ETRS89aED50(v[i], v[i + 1])})
            // Outside gives zeros, inside gives numbers.
            if (p.dentro ? !(std::isfinite(p.lon) && std::isfinite(p.lat)) : (p.lon != 0 || p.lat != 0)) __builtin_trap();
    return 0;
}
