// UTM grid coordinates and geographic coordinates on ED50 or ETRS89, with the
// meridian convergence and the linear scale factor ("anamorfosis lineal").
//
// Both directions evaluate fixed truncated series with literal constants, in
// the order and grouping that reproduce the printed digits of the archives;
// nothing is iterated. Angles are decimal degrees, east and north positive.
#pragma once
#include <cstdint>
#include "Elipsoides.h"
#include "Estado.h"

namespace tesmaro {

struct ResultadoGeodesicas {
    Estado estado = Estado::Correcto;  // HusoNoCalculado, NoFinito, SerieNoFiable (FueraDelDominio: exact)
    double longitud = 0;      // decimal degrees, east positive
    double latitud = 0;       // decimal degrees, negative when sur
    double convergencia = 0;  // decimal degrees, truncated to thousandths of an arc-second
    double anamorfosis = 0;   // scale factor, floored to 8 decimals
};

// UTM (zones 27 to 31) to geographic.
// X: easting (metres, false easting 500000 included). Y: northing as printed
// (south: with the 10000000 m false northing). sur: southern hemisphere.
// The longitude is the point's own, east or west of Greenwich, whatever the
// zone: a point of zone 30 east of 0° (X, Y in zone 30 extended eastwards,
// as geo-utm writes it in zone 30 and as files mark it "30E") comes out east,
// one west of 0° west. husoExtendido, the mark of such a point, therefore
// changes nothing; it stays for the callers that pass it. The digits are the
// series' (longitude λ0 + Δλ, as the archives have it wherever the sign was
// right). The convergence is positive east of the central meridian, north or
// south, as the archives have it (the true one, which the exact method gives,
// is negative east of the meridian in the south).
// huso other than 27 to 31: HusoNoCalculado. A result that is not finite
// (absurd input such as an easting of 1e300, or NaN): NoFinito. A point where
// the series is more than 1 m from the exact position (ErrorUtmAGeodesicasLegado,
// Exacto.h; far from the meridian for its northing, such as 1300 km on the
// equator or 180 km at a northing of 9000 km): SerieNoFiable. Values are left
// at 0 when estado is not Correcto.
ResultadoGeodesicas UtmAGeodesicas(double X, double Y, std::int16_t huso, bool sur,
                                   bool husoExtendido, Datum datum);

namespace detalle {
// The series of UtmAGeodesicas alone, without its check against the exact
// method (which measures the series with it).
ResultadoGeodesicas SerieUtmAGeodesicas(double X, double Y, std::int16_t huso, bool sur, Datum datum);
}  // namespace detalle

struct ResultadoUtm {
    Estado estado = Estado::Correcto;  // HusoNoCalculado, NoFinito
    double X = 0;             // easting (m), rounded to 5 decimals, ties to even
    double Y = 0;             // northing (m), 10000000 added for latitude < 0, rounded likewise
    double convergencia = 0;  // decimal degrees, unrounded
    double anamorfosis = 0;   // floored to 8 decimals, less 0.0000002 when -0.39 < longitud < 0.45
};

// Geographic to UTM in the zone named (27 to 31; otherwise HusoNoCalculado).
// longitud, latitud in decimal degrees. No check that the point lies in the
// zone: points far from the central meridian are converted by the same series.
// A result that is not finite: NoFinito, with the values left at 0. Within 3°
// of the central meridian at latitudes 27° to 44° the series stays within
// 3 mm in X and 12 mm in Y of the exact projection.
ResultadoUtm GeodesicasAUtm(double longitud, double latitud, std::int16_t huso, Datum datum);

// The UTM zone (1 to 60) of a longitude in degrees: 6° bands from 180° W, a
// longitude on the edge of two bands in the band east of it, 180° in zone 60.
// NaN or an infinity gives 0 (no zone).
std::int16_t HusoDeLongitud(double longitud);

// The zone of a typed or read zone number: rounded to the nearest integer,
// ties to even, as a signed 16-bit integer (30.5 -> 30, 31.5 -> 32). Values
// outside the 16-bit range give 0 (no zone).
std::int16_t RedondearHuso(double valor);

}  // namespace tesmaro
