// The exact methods, beside the legacy series of Utm.h and Geodesia.h:
// geographic <-> UTM by the exact transverse Mercator (Krüger's series to
// sixth order in n, as GeographicLib's TransverseMercator evaluates it, good
// to 5 nm within 3900 km of the central meridian) and the direct and inverse
// geodetic problems by GeographicLib's Geodesic (Karney's algorithms, good to
// 15 nm for any pair of points on the Earth's ellipsoids).
//
// Same parameters, result structures and statuses as the legacy functions, so
// that a caller switches by a flag. What differs is written at each function.
#pragma once
#include <cstdint>

#include "Elipsoides.h"
#include "Geodesia.h"
#include "Utm.h"

namespace tesmaro {

// Geographic to UTM in zone 27 to 31 (otherwise HusoNoCalculado), on the
// datum's ellipsoid, k0 = 0.9996, false easting 500000 m, false northing
// 10000000 m for latitude < 0 (exactly as GeodesicasAUtm). A point east of 0°
// given in zone 30 is projected on zone 30's meridian (extended zone 30).
// X and Y rounded to 5 decimals, ties to even, as the legacy results are;
// the convergence (degrees, east of the central meridian positive in the
// north) and the scale factor unrounded. NoFinito for non-finite input or a
// point more than 90° from the central meridian.
ResultadoUtm GeodesicasAUtmExacto(double longitud, double latitud, std::int16_t huso, Datum datum);

// UTM (zone 30 or 31, otherwise HusoNoCalculado) to geographic, on the
// datum's ellipsoid. Y as printed (south: with the false northing). The
// longitude is the true one, east or west of Greenwich, whether or not
// husoExtendido is set (it is accepted for the same call, and ignored). The
// convergence is signed (negative west of the central meridian in the north,
// east of it in the south) and unrounded, the scale factor unrounded.
ResultadoGeodesicas UtmAGeodesicasExacto(double X, double Y, std::int16_t huso, bool sur,
                                         bool husoExtendido, Datum datum);

// The direct problem on the ellipsoid (a, F = 1/f). fi1, lambda1 in radians
// as the legacy function takes them (π = PiDiezCifras, so that the degrees a
// user typed come back unchanged); results in degrees. The longitude of B is
// lambda1 plus the longitude run along the line (not brought into
// [-180, 180]); the reverse azimuth at B towards A is in [0, 360). Any
// distance, either sign. NoFinito for non-finite input or an ellipsoid
// without a > 0 and F > 1.
ResultadoDirecto ProblemaDirectoExacto(double fi1, double lambda1, double acimut, double distancia,
                                       double a, double F);

// The inverse problem on the ellipsoid (a, F = 1/f), angles in radians as
// above. Any pair of points: either hemisphere, the equator, nearly or
// exactly antipodal (one of the shortest lines). Never HemisferiosDistintos
// or PuntosDemasiadoAlejados. Coincident points give distance 0 and azimuths
// 0, as the legacy function gives them. Azimuths in [0, 360).
ResultadoInverso ProblemaInversoExacto(double fi1, double lambda1, double fi2, double lambda2,
                                       double a, double F);

// How far (metres, on the ground of the grid) the legacy GeodesicasAUtm puts
// the point from its exact UTM position: the distance between both (X, Y).
// At most 7 mm in zones 29 to 31 (latitudes 36° to 44°, within 3° of the
// meridian), 1.2 cm in zone 27 and 1.8 cm in zone 28 (latitudes 27.5° to
// 29.5°); in zone 30 extended east of Greenwich it grows with the distance
// from −3°: 1.6 cm at 0.5° E, 7 cm at 1.5° E, 38 cm at 3° E, 1.2 m at 4.3° E.
// NaN when either method gives no result.
double ErrorUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum);

// The error of ErrorUtmLegado above which a result is said to be imprecise
// and the exact method is suggested (metres).
inline constexpr double UmbralErrorUtm = 0.01;

// Whether ErrorUtmLegado exceeds UmbralErrorUtm, cheaply: a table of the
// distance from the central meridian at which the legacy error passes 1 cm,
// per band of latitude, decides; only points near that distance are computed
// again. For the file conversions, which check every line.
bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum);
// The same with the legacy X and Y already computed (metres).
bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum, double X, double Y);

}  // namespace tesmaro
