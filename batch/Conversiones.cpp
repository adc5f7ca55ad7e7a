#include "Conversiones.h"

#include <array>

#include "Procesadores.h"
#include "TratarFichero.h"

namespace tesmaro {

namespace {

// The common start of most hints.
#define TESMARO_FORMATO                                                                        \
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de " \
    "líneas:"

// The result base names of 8 and 9 are names, so that the results are not
// hidden files called ".txt" and ".csv" that the user cannot find.
constexpr std::array<Conversion, 10> Tabla{{
    {codigo::UtmGeoETRS89, "utm-geo-etrs89", "Geodesicas_ETRS89",
     TESMARO_FORMATO " Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO "
                     "GEOGRAFICO. La salida de datos será ETRS89",
     "UTM a geodésicas en ETRS89", "Punto,X,Y,Huso(30,31 o 30E)[,Norte/Sur (Norte)]", Datum::ETRS89, false,
     false, {}, LoteUtmGeo, ResultadoPuntos::Geograficas, Datum::ETRS89, false},
    {codigo::UtmGeoED50, "utm-geo-ed50", "Geodesicas_ED50",
     TESMARO_FORMATO " Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO "
                     "GEOGRAFICO. La salida de datos será ED50",
     "UTM a geodésicas en ED50", "Punto,X,Y,Huso(30,31 o 30E)[,Norte/Sur (Norte)]", Datum::ED50, false,
     false, {}, LoteUtmGeo, ResultadoPuntos::Geograficas, Datum::ED50, false},
    // Two blanks after "líneas:".
    {codigo::GeoUtmETRS89, "geo-utm-etrs89", "UTM_ETRS89",
     TESMARO_FORMATO "  Punto,Longitud,Latitud,Huso (30 o 31),Norte/Sur. Las coordenadas de "
                     "salida serán UTM-ETRS89",
     "geodésicas a UTM en ETRS89", "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]",
     Datum::ETRS89, false, false, {}, LoteGeoUtm, ResultadoPuntos::Utm, Datum::ETRS89, true},
    {codigo::GeoUtmED50, "geo-utm-ed50", "UTM_ED50",
     TESMARO_FORMATO " Punto,Longitud,Latitud,Huso(30 o 31),Norte/Sur. Las coordenadas de "
                     "salida serán UTM-ED50",
     "geodésicas a UTM en ED50", "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]", Datum::ED50,
     false, false, {}, LoteGeoUtm, ResultadoPuntos::Utm, Datum::ED50, true},
    {codigo::GeoCart, "geo-cart", "Cartesianas_geocéntricas",
     TESMARO_FORMATO " Punto, Longitud, Latitud, Altura elipsoidal",
     "geodésicas a cartesianas geocéntricas", "Punto,Longitud,Latitud[,Altura elipsoidal (0)]", {},
     true, true, {}, LoteGeoCart, ResultadoPuntos::Cartesianas, {}, true},
    {codigo::CartGeo, "cart-geo", "Geodesicas_elipsoidales",
     TESMARO_FORMATO " Punto,X Cart.Geoc.,Y Cart. Geoc.,Z Cart. Geoc.",
     "cartesianas geocéntricas a geodésicas", "Punto,X,Y,Z", {}, true, true, {}, LoteCartGeo, ResultadoPuntos::Geograficas, {}, false},
    {codigo::Directo, "directo", "Problema_directo",
     "Formato fichero primera línea: Punto,Longitud,Latitud,Acimut Directo,Distancia",
     "problema directo", "Punto,Longitud,Latitud,Acimut directo,Distancia", {}, true, true, {},
     LoteProblemaDirecto, ResultadoPuntos::Directo, {}, true},
    {codigo::Inverso, "inverso", "Problema_inverso",
     "Formato fichero primera línea: Punto,Longitud (A),Latitud(A), Longitud (B),Latitud(B),",
     "problema inverso", "Punto,Longitud A,Latitud A,Longitud B,Latitud B", {}, true, true, {},
     LoteProblemaInverso, ResultadoPuntos::Inverso, {}, false},
    {codigo::ED50aETRS89, "ed50-etrs89", "Transformacion_a_ETRS89",
     TESMARO_FORMATO " Punto,Longitud ED50,Latitud ED50", "ED50 a ETRS89 con la rejilla",
     "Punto,Longitud,Latitud (grados decimales)", {}, false, false,
     "Seleccione transformación de rejilla gsb (en carpeta de instalación)", LoteED50aETRS89,
     ResultadoPuntos::Geograficas, Datum::ETRS89, true},
    {codigo::ETRS89aED50, "etrs89-ed50", "Transformacion_a_ED50",
     TESMARO_FORMATO " Punto,Longitud ETRS89,Latitud ETRS89", "ETRS89 a ED50 con la rejilla",
     "Punto,Longitud,Latitud (grados decimales)", {}, false, false,
     "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)",
     LoteETRS89aED50, ResultadoPuntos::Geograficas, Datum::ED50, true},
}};

#undef TESMARO_FORMATO

}  // namespace

std::span<const Conversion> Conversiones() { return Tabla; }

const Conversion* BuscarConversion(std::int16_t codigo) {
    for (const Conversion& c : Tabla)
        if (c.codigo == codigo) return &c;
    return nullptr;
}

const Conversion* BuscarConversion(std::string_view nombre) {
    for (const Conversion& c : Tabla)
        if (c.nombre == nombre) return &c;
    return nullptr;
}

}  // namespace tesmaro
