// The fixed texts of the batch driver and its processors (the hints of the
// file buttons are in Conversiones.h). UTF-8, exact: double blanks and
// trailing blanks are part of them.
#pragma once
#include <string_view>
#include "Estado.h"

namespace tesmaro::textos {

// The point-file dialog.
inline constexpr std::string_view PatronPuntos = "*.tiv";
inline constexpr std::string_view TituloPuntos = "Seleccione fichero de coordenadas entrada";
inline constexpr std::string_view FiltroPuntos = "Todos los archivos (*.*)|*.*";

// The grid dialog (its title is in the conversion's row).
inline constexpr std::string_view PatronRejilla = "*.gsb";
inline constexpr std::string_view FiltroRejilla = "sped2et.gsb |*.gsb";

// Followed directly by the text name, a comma and the CSV name.
inline constexpr std::string_view FicherosSalida =
    "Ficheros de salida, txt ASCII para LibreOffice Calc y csv para EXCEL : ";

// The stop of the UTM-to-geographic batch at a zone it does not compute.
inline constexpr std::string_view HusoFueraDeArea = TextoHusoNoCalculado;

// The notice of the inverse problem, last field of its header record.
inline constexpr std::string_view MismoHemisferio =
    "Cálculo válido sólo para puntos en un mismo hemisferio";

}  // namespace tesmaro::textos
