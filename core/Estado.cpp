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
        case Estado::SerieNoFiable:
            return "El método clásico no calcula este punto: tan lejos del meridiano central "
                   "su serie se aparta más de 1 m de la posición exacta. Use el método exacto.";
        case Estado::FueraDelDominio:
            return "No se puede calcular: el punto está a más de 10 000 km del meridiano central "
                   "del huso, donde la proyección UTM no mantiene la exactitud de 1 mm.";
    }
    return {};
}

}  // namespace tesmaro
