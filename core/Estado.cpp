#include "Estado.h"

namespace tesmaro {

std::string_view TextoEstado(Estado estado) {
    switch (estado) {
        case Estado::Correcto:
            return {};
        case Estado::HusoNoCalculado:
            return TextoHusoNoCalculado;
        case Estado::NoFinito:
            return "No se puede calcular: los datos introducidos dan un resultado no finito.";
        case Estado::HemisferiosDistintos:
            return "Cálculo válido sólo para puntos en un mismo hemisferio: "
                   "los dos puntos no están en el mismo hemisferio.";
        case Estado::PuntosDemasiadoAlejados:
            return "No se puede calcular: los puntos distan 90º de arco o más.";
        case Estado::SinElipsoide:
            return "Seleccione un elipsoide de referencia";
    }
    return {};
}

}  // namespace tesmaro
