#include "Campos.h"

namespace tesmaro {

std::string ExtraerCampo(std::string_view linea, std::int16_t indice) {
    std::string acumulado;
    std::int16_t cuenta = 0;
    for (const char c : linea) {
        if (c != ',') {
            acumulado += c;
        } else if (cuenta == indice) {
            return acumulado;
        } else {
            acumulado.clear();
            // More than 32767 commas: the count stops growing rather than wrap,
            // so such an index still ends at the last field.
            if (cuenta < INT16_MAX) ++cuenta;
        }
    }
    return acumulado;
}

}  // namespace tesmaro
