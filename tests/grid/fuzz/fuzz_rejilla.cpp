// libFuzzer target of the grid reader: any bytes are handed to Rejilla as a
// grid file; when they are accepted, a few points are looked up both ways.
// Built only with -DTESMARO_FUZZ=ON and clang (see README.md).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Rejilla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    std::vector<unsigned char> bytes(datos, datos + tamano);
    const tesmaro::Rejilla r("fuzz.gsb", std::move(bytes));
    if (r.estado() != tesmaro::EstadoRejilla::Correcta) {
        if (r.mensaje().empty()) __builtin_trap();  // a refusal must say why
        return 0;
    }
    // Points taken from the tail of the input, plus fixed ones near the
    // shipped grid, the origin and absurd values.
    std::vector<double> valores = {0.0, -1.0, 1.0, 7200.0, 140000.0, -16800.0, 128000.0, 1e300, -1e-300};
    for (std::size_t i = 0; i + 8 <= tamano && valores.size() < 24; i += 8) {
        double v;
        std::memcpy(&v, datos + tamano - 8 - i, 8);
        valores.push_back(v);
    }
    for (std::size_t i = 0; i + 1 < valores.size(); ++i) {
        const double lon = valores[i], lat = valores[i + 1];
        const tesmaro::PuntoRejilla ida = r.ED50aETRS89(lon, lat);
        const tesmaro::PuntoRejilla vuelta = r.ETRS89aED50(lon, lat);
        if ((!ida.dentro && (ida.lon != 0 || ida.lat != 0)) ||
            (!vuelta.dentro && (vuelta.lon != 0 || vuelta.lat != 0)))
            __builtin_trap();  // outside must give zeros
        if ((ida.dentro && !(std::isfinite(ida.lon) && std::isfinite(ida.lat))) ||
            (vuelta.dentro && !(std::isfinite(vuelta.lon) && std::isfinite(vuelta.lat))))
            __builtin_trap();  // inside must give numbers
    }
    return 0;
}
