#include "Conversiones.h"


#include "Textos.h"

namespace tesmaro {

namespace {

using T = TipoColumna;
// The columns of each result, after "Nombre".
constexpr Columna ColumnasUtmGeo[] = {{"Longitud", T::Angulo, 0, true, "Longitud"},
                                      {"Latitud", T::Angulo, 1, true, "Latitud"},
                                      {"Huso", T::Entero, 2, false, "Huso"}};
constexpr Columna ColumnasGeoUtm[] = {{"Coordenada X", T::Metros, 0, true, "X"},
                                      {"Coordenada Y", T::Metros, 1, true, "Y"},
                                      {"Huso", T::Entero, 2, false, "Huso"},
                                      {"Latitud Norte-Sur", T::NorteSur, 3, false, "Hemisferio"},
                                      {"Convergencia de meridianos", T::Angulo, 4, true, "Converg"},
                                      {"Anamorfosis lineal", T::Real, 5, true, "Anamorfos"}};
constexpr Columna ColumnasGeoCart[] = {{"Coordenada X", T::Metros, 0, true, "X"},
                                       {"Coordenada Y", T::Metros, 1, true, "Y"},
                                       {"Coordenada Z", T::Metros, 2, true, "Z"},
                                       {"Semieje a", T::Real, 3, false, "Semieje_a"},
                                       {"1/f", T::Real, 4, false, "Inv_aplan"}};
constexpr Columna ColumnasCartGeo[] = {{"Longitud", T::Angulo, 0, true, "Longitud"},
                                       {"Latitud", T::Angulo, 1, true, "Latitud"},
                                       {"Huso", T::Entero, 2, true, "Huso"},
                                       {"Hemisferio", T::NorteSur, 3, true, "Hemisferio"},
                                       {"Altura_elipsoidal", T::Metros, 4, true, "Altura_eli"},
                                       {"Semieje a", T::Real, 5, false, "Semieje_a"},
                                       {"1/f", T::Real, 6, false, "Inv_aplan"}};
constexpr Columna ColumnasDirecto[] = {{"Longitud", T::Angulo, 0, true, "Longitud"},
                                       {"Latitud", T::Angulo, 1, true, "Latitud"},
                                       {"Acimut inverso", T::Angulo, 2, true, "Acimut_inv"},
                                       {"Semieje a", T::Real, 3, false, "Semieje_a"},
                                       {"1/f", T::Real, 4, false, "Inv_aplan"}};
constexpr Columna ColumnasInverso[] = {{"Longitud A", T::Angulo, 0, false, "Longitud_A"},
                                       {"Latitud A", T::Angulo, 1, false, "Latitud_A"},
                                       {"Acimut directo (A-B)", T::Angulo, 2, true, "Acimut_AB"},
                                       {"Distancia (A-B)", T::Metros, 3, true, "Distancia"},
                                       {"Longitud (B)", T::Angulo, 4, false, "Longitud_B"},
                                       {"Latitud (B)", T::Angulo, 5, false, "Latitud_B"},
                                       {"Acimut inverso (B-A)", T::Angulo, 6, true, "Acimut_BA"},
                                       {"Semieje a", T::Real, 7, false, "Semieje_a"},
                                       {"1/f", T::Real, 8, false, "Inv_aplan"}};
constexpr Columna ColumnasRejilla[] = {{"Longitud", T::Angulo, 0, true, "Longitud"},
                                       {"Latitud", T::Angulo, 1, true, "Latitud"},
                                       {"Huso", T::Entero, 2, true, "Huso"}};
// The heights: the input's position, then h, N and H (the one computed, and N, are computed).
constexpr Columna ColumnasAltitudGeo[] = {{"Longitud", T::Angulo, 0, false, "Longitud"},
                                          {"Latitud", T::Angulo, 1, false, "Latitud"},
                                          {"Altura elipsoidal", T::Metros, 2, false, "Altura_eli"},
                                          {"Ondulación del geoide", T::Metros, 3, true, "Ondulacion"},
                                          {"Altitud ortométrica", T::Metros, 4, true, "Altitud"}};
constexpr Columna ColumnasAlturaGeo[] = {{"Longitud", T::Angulo, 0, false, "Longitud"},
                                         {"Latitud", T::Angulo, 1, false, "Latitud"},
                                         {"Altura elipsoidal", T::Metros, 2, true, "Altura_eli"},
                                         {"Ondulación del geoide", T::Metros, 3, true, "Ondulacion"},
                                         {"Altitud ortométrica", T::Metros, 4, false, "Altitud"}};
constexpr Columna ColumnasAltitudUtm[] = {{"Coordenada X", T::Metros, 0, false, "X"},
                                          {"Coordenada Y", T::Metros, 1, false, "Y"},
                                          {"Huso", T::Entero, 2, false, "Huso"},
                                          {"Altura elipsoidal", T::Metros, 3, false, "Altura_eli"},
                                          {"Ondulación del geoide", T::Metros, 4, true, "Ondulacion"},
                                          {"Altitud ortométrica", T::Metros, 5, true, "Altitud"}};
constexpr Columna ColumnasAlturaUtm[] = {{"Coordenada X", T::Metros, 0, false, "X"},
                                         {"Coordenada Y", T::Metros, 1, false, "Y"},
                                         {"Huso", T::Entero, 2, false, "Huso"},
                                         {"Altura elipsoidal", T::Metros, 3, true, "Altura_eli"},
                                         {"Ondulación del geoide", T::Metros, 4, true, "Ondulacion"},
                                         {"Altitud ortométrica", T::Metros, 5, false, "Altitud"}};

// The exact methods as the summary names them.
constexpr std::string_view UtmExacto = "exacto (Krüger, GeographicLib)";
constexpr std::string_view GeodesiaExacto = "exacto (Karney, GeographicLib)";
constexpr std::string_view GeocentricoExacto = "exacto (GeographicLib)";
constexpr std::string_view FueraGeoide = "fuera del modelo de geoide";

// The result base names of 8 and 9 are names, so that the results are not
// hidden files called ".txt" and ".csv" that the user cannot find.
constexpr Conversion Tabla[] = {
    {.codigo = codigo::UtmGeoETRS89, .nombre = "utm-geo-etrs89", .base = "Geodesicas_ETRS89",
     .descripcion = "UTM a geodésicas en ETRS89", .campos = "Punto,X,Y,Huso(27 a 31 o 30E)[,Norte/Sur (Norte)]",
     .datum = Datum::ETRS89, .metodoExacto = UtmExacto, .leer = LeerUtmGeo, .convertir = ConvertirUtmGeo,
     .columnas = ColumnasUtmGeo, .datumPuntos = Datum::ETRS89},
    {.codigo = codigo::UtmGeoED50, .nombre = "utm-geo-ed50", .base = "Geodesicas_ED50",
     .descripcion = "UTM a geodésicas en ED50", .campos = "Punto,X,Y,Huso(27 a 31 o 30E)[,Norte/Sur (Norte)]",
     .datum = Datum::ED50, .metodoExacto = UtmExacto, .leer = LeerUtmGeo, .convertir = ConvertirUtmGeo,
     .columnas = ColumnasUtmGeo, .datumPuntos = Datum::ED50},
    {.codigo = codigo::GeoUtmETRS89, .nombre = "geo-utm-etrs89", .base = "UTM_ETRS89",
     .descripcion = "geodésicas a UTM en ETRS89", .campos = "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]",
     .datum = Datum::ETRS89, .leeHuso = true, .metodoExacto = UtmExacto, .leer = LeerGeoUtm,
     .convertir = ConvertirGeoUtm, .columnas = ColumnasGeoUtm, .puntos = ResultadoPuntos::Utm,
     .datumPuntos = Datum::ETRS89},
    {.codigo = codigo::GeoUtmED50, .nombre = "geo-utm-ed50", .base = "UTM_ED50",
     .descripcion = "geodésicas a UTM en ED50", .campos = "Punto,Longitud,Latitud,Huso(27 a 31)[,Norte/Sur]",
     .datum = Datum::ED50, .leeHuso = true, .metodoExacto = UtmExacto, .leer = LeerGeoUtm,
     .convertir = ConvertirGeoUtm, .columnas = ColumnasGeoUtm, .puntos = ResultadoPuntos::Utm,
     .datumPuntos = Datum::ED50},
    {.codigo = codigo::GeoCart, .nombre = "geo-cart", .base = "Cartesianas_geocéntricas",
     .descripcion = "geodésicas a cartesianas geocéntricas", .campos = "Punto,Longitud,Latitud[,Altura elipsoidal (0)]",
     .leeElipsoide = true, .leeUnidad = true, .metodoExacto = GeocentricoExacto, .leer = LeerGeoCart,
     .convertir = ConvertirGeoCart, .columnas = ColumnasGeoCart, .puntos = ResultadoPuntos::Cartesianas},
    {.codigo = codigo::CartGeo, .nombre = "cart-geo", .base = "Geodesicas_elipsoidales",
     .descripcion = "cartesianas geocéntricas a geodésicas", .campos = "Punto,X,Y,Z", .leeElipsoide = true,
     .leeUnidad = true, .metodoExacto = GeocentricoExacto, .leer = LeerCartGeo, .convertir = ConvertirCartGeo,
     .columnas = ColumnasCartGeo},
    {.codigo = codigo::Directo, .nombre = "directo", .base = "Problema_directo",
     .descripcion = "problema directo", .campos = "Punto,Longitud,Latitud,Acimut directo,Distancia",
     .leeElipsoide = true, .leeUnidad = true, .metodoExacto = GeodesiaExacto, .leer = LeerDirecto,
     .convertir = ConvertirDirecto, .columnas = ColumnasDirecto, .puntos = ResultadoPuntos::Directo},
    {.codigo = codigo::Inverso, .nombre = "inverso", .base = "Problema_inverso",
     .descripcion = "problema inverso", .campos = "Punto,Longitud A,Latitud A,Longitud B,Latitud B",
     .leeElipsoide = true, .leeUnidad = true, .metodoExacto = GeodesiaExacto, .leer = LeerInverso,
     .convertir = ConvertirInverso, .columnas = ColumnasInverso, .notaCabecera = textos::MismoHemisferio,
     .puntos = ResultadoPuntos::Inverso},
    {.codigo = codigo::ED50aETRS89, .nombre = "ed50-etrs89", .base = "Transformacion_a_ETRS89",
     .descripcion = "ED50 a ETRS89 con la rejilla",
     .campos = "Punto,Longitud,Latitud (grados decimales)",
     .leeRejilla = true, .leer = LeerRejilla,
     .convertir = ConvertirED50aETRS89, .columnas = ColumnasRejilla, .datumPuntos = Datum::ETRS89},
    {.codigo = codigo::ETRS89aED50, .nombre = "etrs89-ed50", .base = "Transformacion_a_ED50",
     .descripcion = "ETRS89 a ED50 con la rejilla",
     .campos = "Punto,Longitud,Latitud (grados decimales)",
     .leeRejilla = true,
     .leer = LeerRejilla, .convertir = ConvertirETRS89aED50, .columnas = ColumnasRejilla,
     .datumPuntos = Datum::ED50},
    // Heights above sea level by IGN's geoid, on ETRS89 (REGCAN95 in the Canary Islands).
    {.codigo = codigo::AltitudGeo, .nombre = "altitud-geo", .base = "Altitudes_ortometricas",
     .descripcion = "altura elipsoidal a altitud ortométrica (geoide)",
     .campos = "Punto,Longitud,Latitud,Altura elipsoidal", .leeGeoide = true, .leer = LeerAlturaGeo,
     .convertir = ConvertirAltitudGeo, .columnas = ColumnasAltitudGeo, .datumPuntos = Datum::ETRS89,
     .valorZ = 4, .fuera = FueraGeoide},
    {.codigo = codigo::AltitudUtm, .nombre = "altitud-utm", .base = "Altitudes_ortometricas",
     .descripcion = "altura elipsoidal a altitud ortométrica, en UTM (geoide)",
     .campos = "Punto,X,Y,Huso(27 a 31 o 30E),Altura elipsoidal", .leeGeoide = true, .leer = LeerAlturaUtm,
     .convertir = ConvertirAltitudUtm, .columnas = ColumnasAltitudUtm, .datumPuntos = Datum::ETRS89,
     .valorZ = 5, .fuera = FueraGeoide},
    {.codigo = codigo::AlturaGeo, .nombre = "altura-geo", .base = "Alturas_elipsoidales",
     .descripcion = "altitud ortométrica a altura elipsoidal (geoide)",
     .campos = "Punto,Longitud,Latitud,Altitud ortométrica", .leeGeoide = true, .leer = LeerAlturaGeo,
     .convertir = ConvertirAlturaGeo, .columnas = ColumnasAlturaGeo, .datumPuntos = Datum::ETRS89,
     .valorZ = 4, .fuera = FueraGeoide},
    {.codigo = codigo::AlturaUtm, .nombre = "altura-utm", .base = "Alturas_elipsoidales",
     .descripcion = "altitud ortométrica a altura elipsoidal, en UTM (geoide)",
     .campos = "Punto,X,Y,Huso(27 a 31 o 30E),Altitud ortométrica", .leeGeoide = true, .leer = LeerAlturaUtm,
     .convertir = ConvertirAlturaUtm, .columnas = ColumnasAlturaUtm, .datumPuntos = Datum::ETRS89,
     .valorZ = 5, .fuera = FueraGeoide},
};

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

bool AjustesDe(const Conversion& c, std::int16_t unidad, int elipsoide, bool exacto, AjustesConversion& a) {
    if (c.leeUnidad) a.unidad = unidad;
    if (c.leeElipsoide) {
        if (elipsoide < 0 || elipsoide >= NumeroElipsoides) return false;
        a.elipsoide = TablaElipsoides[static_cast<std::size_t>(elipsoide)];
    }
    if (c.datum) a.datum = *c.datum;
    a.exacto = exacto && !c.metodoExacto.empty();
    return true;
}

}  // namespace tesmaro
