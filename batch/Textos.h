// The fixed texts of the runs. UTF-8, exact.
#pragma once
#include <string_view>
#include "Estado.h"

namespace tesmaro::textos {

// The stop of the UTM-to-geographic batch at a zone it does not compute.
inline constexpr std::string_view HusoFueraDeArea = TextoHusoNoCalculado;

// The notice of the inverse problem, last field of its header record.
inline constexpr std::string_view MismoHemisferio =
    "Cálculo válido sólo para puntos en un mismo hemisferio";

}  // namespace tesmaro::textos
