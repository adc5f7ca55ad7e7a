#include "Conversiones.h"

#include <array>

#include "Textos.h"

namespace tesmaro {

namespace {

// The common start of most hints.
#define TESMARO_FORMATO                                                                        \
    "Formato: Separado por comas, separador decimal Punto. Primera línea  en blanco. Resto de " \
    "líneas:"

using T = TipoColumna;
// The columns of each result, after "Nombre".
constexpr Columna ColumnasUtmGeo[] = {
    {"Longitud", T::Real, 0, true, "Longitud"}, {"Latitud", T::Real, 1, true, "Latitud"}, {"Huso", T::Entero, 2, false, "Huso"}};
constexpr Columna ColumnasGeoUtm[] = {
    {"Coordenada X", T::Real, 0, true, "X"},       {"Coordenada Y", T::Real, 1, true, "Y"},
    {"Huso", T::Entero, 2, false, "Huso"},            {"Latitud Norte-Sur", T::NorteSur, 3, false, "Hemisferio"},
    {"Convergencia de meridianos", T::Real, 4, true, "Converg"}, {"Anamorfosis lineal", T::Real, 5, true, "Anamorfos"}};
constexpr Columna ColumnasGeoCart[] = {{"Coordenada X", T::Real, 0, true, "X"}, {"Coordenada Y", T::Real, 1, true, "Y"},
                                       {"Coordenada Z", T::Real, 2, true, "Z"}, {"Semieje a", T::Real, 3, false, "Semieje_a"},
                                       {"1/f", T::Real, 4, false, "Inv_aplan"}};
constexpr Columna ColumnasCartGeo[] = {{"Longitud", T::Real, 0, true, "Longitud"},         {"Latitud", T::Real, 1, true, "Latitud"},
                                       {"Huso", T::Entero, 2, true, "Huso"},           {"Hemisferio", T::NorteSur, 3, true, "Hemisferio"},
                                       {"Altura_elipsoidal", T::Real, 4, true, "Altura_eli"}, {"Semieje a", T::Real, 5, false, "Semieje_a"},
                                       {"1/f", T::Real, 6, false, "Inv_aplan"}};
constexpr Columna ColumnasDirecto[] = {{"Longitud", T::Real, 0, true, "Longitud"}, {"Latitud", T::Real, 1, true, "Latitud"},
                                       {"Acimut inverso", T::Real, 2, true, "Acimut_inv"}, {"Semieje a", T::Real, 3, false, "Semieje_a"},
                                       {"1/f", T::Real, 4, false, "Inv_aplan"}};
constexpr Columna ColumnasInverso[] = {
    {"Longitud A", T::Real, 0, false, "Longitud_A"},           {"Latitud A", T::Real, 1, false, "Latitud_A"},
    {"Acimut directo (A-B)", T::Real, 2, true, "Acimut_AB"},  {"Distancia (A-B)", T::Real, 3, true, "Distancia"},
    {"Longitud (B)", T::Real, 4, false, "Longitud_B"},         {"Latitud (B)", T::Real, 5, false, "Latitud_B"},
    {"Acimut inverso (B-A)", T::Real, 6, true, "Acimut_BA"},  {"Semieje a", T::Real, 7, false, "Semieje_a"},
    {"1/f", T::Real, 8, false, "Inv_aplan"}};
constexpr Columna ColumnasRejilla[] = {
    {"Longitud", T::Real, 0, true, "Longitud"}, {"Latitud", T::Real, 1, true, "Latitud"}, {"Huso", T::Entero, 2, true, "Huso"}};

// The exact methods as the summary names them.
constexpr std::string_view UtmExacto = "exacto (Krüger, GeographicLib)";
constexpr std::string_view GeodesiaExacto = "exacto (Karney, GeographicLib)";
constexpr std::string_view GeocentricoExacto = "exacto (GeographicLib)";

// The result base names of 8 and 9 are names, so that the results are not
// hidden files called ".txt" and ".csv" that the user cannot find.
constexpr std::array<Conversion, 10> Tabla{{
    {codigo::UtmGeoETRS89, "utm-geo-etrs89", "Geodesicas_ETRS89",
     TESMARO_FORMATO " Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO "
                     "GEOGRAFICO. La salida de datos será ETRS89",
     "UTM a geodésicas en ETRS89", "Punto,X,Y,Huso(27 a 31 o 30E)[,Norte/Sur (Norte)]", Datum::ETRS89, false,
     false, {}, UtmExacto, LeerUtmGeo, ConvertirUtmGeo, ColumnasUtmGeo, {}, ResultadoPuntos::Geograficas, Datum::ETRS89},
    {codigo::UtmGeoED50, "utm-geo-ed50", "Geodesicas_ED50",
     TESMARO_FORMATO " Punto,X,Y,Huso(30,31 o 30E),Norte/Sur. Indique correctamente el HUSO "
                     "GEOGRAFICO. La salida de datos será ED50",
     "UTM a geodésicas en ED50", "Punto,X,Y,Huso(27 a 31 o 30E)[,Norte/Sur (Norte)]", Datum::ED50, false,
     false, {}, UtmExacto, LeerUtmGeo, ConvertirUtmGeo, ColumnasUtmGeo, {}, ResultadoPuntos::Geograficas, Datum::ED50},
    // Two blanks after "líneas:".
    {codigo::GeoUtmETRS89, "geo-utm-etrs89", "UTM_ETRS89",
     TESMARO_FORMATO "  Punto,Longitud,Latitud,Huso (30 o 31),Norte/Sur. Las coordenadas de "
                     "salida serán UTM-ETRS89",
     "geodésicas a UTM en ETRS89", "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]",
     Datum::ETRS89, false, false, {}, UtmExacto, LeerGeoUtm, ConvertirGeoUtm, ColumnasGeoUtm, {}, ResultadoPuntos::Utm, Datum::ETRS89},
    {codigo::GeoUtmED50, "geo-utm-ed50", "UTM_ED50",
     TESMARO_FORMATO " Punto,Longitud,Latitud,Huso(30 o 31),Norte/Sur. Las coordenadas de "
                     "salida serán UTM-ED50",
     "geodésicas a UTM en ED50", "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]", Datum::ED50,
     false, false, {}, UtmExacto, LeerGeoUtm, ConvertirGeoUtm, ColumnasGeoUtm, {}, ResultadoPuntos::Utm, Datum::ED50},
    {codigo::GeoCart, "geo-cart", "Cartesianas_geocéntricas",
     TESMARO_FORMATO " Punto, Longitud, Latitud, Altura elipsoidal",
     "geodésicas a cartesianas geocéntricas", "Punto,Longitud,Latitud[,Altura elipsoidal (0)]", {},
     true, true, {}, GeocentricoExacto, LeerGeoCart, ConvertirGeoCart, ColumnasGeoCart, {}, ResultadoPuntos::Cartesianas, {}},
    {codigo::CartGeo, "cart-geo", "Geodesicas_elipsoidales",
     TESMARO_FORMATO " Punto,X Cart.Geoc.,Y Cart. Geoc.,Z Cart. Geoc.",
     "cartesianas geocéntricas a geodésicas", "Punto,X,Y,Z", {}, true, true, {}, GeocentricoExacto, LeerCartGeo, ConvertirCartGeo, ColumnasCartGeo, {}, ResultadoPuntos::Geograficas, {}},
    {codigo::Directo, "directo", "Problema_directo",
     "Formato fichero primera línea: Punto,Longitud,Latitud,Acimut Directo,Distancia",
     "problema directo", "Punto,Longitud,Latitud,Acimut directo,Distancia", {}, true, true, {},
     GeodesiaExacto, LeerDirecto, ConvertirDirecto, ColumnasDirecto, {}, ResultadoPuntos::Directo, {}},
    {codigo::Inverso, "inverso", "Problema_inverso",
     "Formato fichero primera línea: Punto,Longitud (A),Latitud(A), Longitud (B),Latitud(B),",
     "problema inverso", "Punto,Longitud A,Latitud A,Longitud B,Latitud B", {}, true, true, {},
     GeodesiaExacto, LeerInverso, ConvertirInverso, ColumnasInverso, textos::MismoHemisferio,
     ResultadoPuntos::Inverso, {}},
    {codigo::ED50aETRS89, "ed50-etrs89", "Transformacion_a_ETRS89",
     TESMARO_FORMATO " Punto,Longitud ED50,Latitud ED50", "ED50 a ETRS89 con la rejilla",
     "Punto,Longitud,Latitud (grados decimales)", {}, false, false,
     "Seleccione transformación de rejilla gsb (en carpeta de instalación)", {}, LeerRejilla,
     ConvertirED50aETRS89, ColumnasRejilla, {}, ResultadoPuntos::Geograficas, Datum::ETRS89},
    {codigo::ETRS89aED50, "etrs89-ed50", "Transformacion_a_ED50",
     TESMARO_FORMATO " Punto,Longitud ETRS89,Latitud ETRS89", "ETRS89 a ED50 con la rejilla",
     "Punto,Longitud,Latitud (grados decimales)", {}, false, false,
     "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)", {},
     LeerRejilla, ConvertirETRS89aED50, ColumnasRejilla, {}, ResultadoPuntos::Geograficas, Datum::ED50},
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
