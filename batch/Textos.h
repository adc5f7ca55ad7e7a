// The fixed texts of the file buttons and of the batch driver, shared by the
// windows (which show the hints before they call TratarFichero) and the
// driver. UTF-8, exact: double blanks and trailing blanks are part of them.
#pragma once
#include <cstdint>
#include <string_view>
#include "Estado.h"

namespace tesmaro::textos {

// Hints shown by each file button before the driver runs (OK button only, no
// icon). GEO_UTM Command1 and Geo_rejilla_ed2et Command1 show none.
// Principal, Command1 ("Fichero en UTM ETRS89"), code 0.
inline constexpr std::string_view PistaUtmGeoETRS89 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO GEOGRAFICO. La "
    "salida de datos será ETRS89";
// Principal, Command2 ("Fichero en UTM ED50"), code 12.
inline constexpr std::string_view PistaUtmGeoED50 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO GEOGRAFICO. La "
    "salida de datos será ED50";
// GEO_UTM, Fichero ("Fichero GEO ETRS89"), code 1. Two blanks after "líneas:".
inline constexpr std::string_view PistaGeoUtmETRS89 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas:  Punto,Longitud,Latitud,Huso (30 o 31),Norte/Sur. Las coordenadas de salida serán "
    "UTM-ETRS89";
// GEO_UTM, Command4 ("Fichero GEO ED50"), code 13.
inline constexpr std::string_view PistaGeoUtmED50 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,Longitud,Latitud,Huso(30 o 31),Norte/Sur. Las coordenadas de salida serán "
    "UTM-ED50";
// Geo_Cart, Fichero, code 2.
inline constexpr std::string_view PistaGeoCart =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto, Longitud, Latitud, Altura elipsoidal";
// Cart_Geo, Fichero, code 3.
inline constexpr std::string_view PistaCartGeo =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,X Cart.Geoc.,Y Cart. Geoc.,Z Cart. Geoc.";
// P_directo, Fichero, code 8.
inline constexpr std::string_view PistaDirecto =
    "Formato fichero primera línea: Punto,Longitud,Latitud,Acimut Directo,Distancia";
// P_Inverso, Fichero, code 9.
inline constexpr std::string_view PistaInverso =
    "Formato fichero primera línea: Punto,Longitud (A),Latitud(A), Longitud (B),Latitud(B),";
// Geo_rejilla_ed2et, Fichero, code 10.
inline constexpr std::string_view PistaED50aETRS89 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,Longitud ED50,Latitud ED50";
// geo_rejilla_et2ed, Fichero, code 11.
inline constexpr std::string_view PistaETRS89aED50 =
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de "
    "líneas: Punto,Longitud ETRS89,Latitud ETRS89";

// The hint of the file button that passes `codigo` (for code 1 the button
// "Fichero GEO ETRS89"); empty for codes without a conversion.
constexpr std::string_view PistaFichero(std::int16_t codigo) {
    switch (codigo) {
        case 0: return PistaUtmGeoETRS89;
        case 12: return PistaUtmGeoED50;
        case 1: return PistaGeoUtmETRS89;
        case 13: return PistaGeoUtmED50;
        case 2: return PistaGeoCart;
        case 3: return PistaCartGeo;
        case 8: return PistaDirecto;
        case 9: return PistaInverso;
        case 10: return PistaED50aETRS89;
        case 11: return PistaETRS89aED50;
        default: return {};
    }
}

// The point-file dialog.
inline constexpr std::string_view PatronPuntos = "*.tiv";
inline constexpr std::string_view TituloPuntos = "Seleccione fichero de coordenadas entrada";
inline constexpr std::string_view FiltroPuntos = "Todos los archivos (*.*)|*.*";

// The grid dialog (codes 10 and 11).
inline constexpr std::string_view PatronRejilla = "*.gsb";
inline constexpr std::string_view TituloRejillaED50aETRS89 =
    "Seleccione transformación de rejilla gsb (en carpeta de instalación)";
inline constexpr std::string_view TituloRejillaETRS89aED50 =
    "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)";
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
