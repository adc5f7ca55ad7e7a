// The exact methods, beside the legacy series of Utm.h, Geodesia.h and
// Cartesianas.h: geographic <-> UTM by the exact transverse Mercator (Krüger's
// series to sixth order in n, as GeographicLib's TransverseMercator evaluates
// it), the direct and inverse geodetic problems by GeographicLib's Geodesic
// (Karney's algorithms, good to 15 nm for any pair of points on the Earth's
// ellipsoids) and geographic <-> geocentric by GeographicLib's Geocentric.
//
// Angles are true degrees (converted from the user's unit with
// UnidadAGradosExactos, back with GradosExactosAUnidad, Angulos.h): the
// program's π of the legacy methods would move a point by up to 5 mm.
//
// Domain of the projection. Krüger's series stays within 1 nm of the exact
// transverse Mercator (GeographicLib's TransverseMercatorExact) near the
// zone, and within 1 mm up to cos φ · sin Δλ = 0.9238 forwards (67.5° from
// the meridian on the equator, about 10 300 km) and an easting 12 500 km from
// the meridian backwards; beyond, it diverges. Both directions serve points
// within 10 000 km of the central meridian, with the measured margin:
// forwards cos φ · sin Δλ <= tanh(10 000 km / (k0 · a)) = 0.9167, backwards
// |X − 500 000| <= 10 000 km. Beyond, FueraDelDominio.
#pragma once
#include <cstdint>

#include "Cartesianas.h"
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
// latitude beyond ±90°; FueraDelDominio for a point outside the domain above
// (more than 90° from the central meridian included).
ResultadoUtm GeodesicasAUtmExacto(double longitud, double latitud, std::int16_t huso, Datum datum);

// UTM (zone 27 to 31, otherwise HusoNoCalculado) to geographic, on the
// datum's ellipsoid. Y as printed (south: with the false northing). The
// longitude is the true one, east or west of Greenwich, in (−180, 180];
// husoExtendido is accepted for the same call as UtmAGeodesicas, and ignored.
// The convergence is signed (negative west of the central meridian in the
// north, east of it in the south) and unrounded, the scale factor unrounded.
// FueraDelDominio when |X − 500000| > 10 000 km.
ResultadoGeodesicas UtmAGeodesicasExacto(double X, double Y, std::int16_t huso, bool sur,
                                         bool husoExtendido, Datum datum);

// The direct problem on the ellipsoid (a, F = 1/f), all angles in true
// degrees: the start point (latitud within ±90°), the azimuth at it; distance
// in metres, any length, either sign. The longitude of B in (−180, 180], the
// reverse azimuth at B towards A in [0, 360). NoFinito for non-finite input,
// a latitude beyond ±90° or an ellipsoid without a > 0 and F > 1.
ResultadoDirecto ProblemaDirectoExactoGrados(double latitud, double longitud, double acimut,
                                             double distancia, double a, double F);

// The inverse problem on the ellipsoid (a, F = 1/f), A and B in true degrees.
// Any pair of points: either hemisphere, the equator, nearly or exactly
// antipodal (one of the shortest lines). Never HemisferiosDistintos or
// PuntosDemasiadoAlejados. Coincident points give distance 0 and azimuths 0,
// as the legacy function gives them. Azimuths in [0, 360).
ResultadoInverso ProblemaInversoExactoGrados(double latitud1, double longitud1, double latitud2,
                                             double longitud2, double a, double F);

// The same two with the start point (and B) in radians as the legacy
// functions take them, formed with the program's π (UnidadARadianes): they
// are turned back into degrees with that π, which is right for degrees and
// grads but not for radians typed by the user (up to 5 mm off). For callers
// not yet moved to the functions in degrees.
ResultadoDirecto ProblemaDirectoExacto(double fi1, double lambda1, double acimut, double distancia,
                                       double a, double F);
ResultadoInverso ProblemaInversoExacto(double fi1, double lambda1, double fi2, double lambda2,
                                       double a, double F);

// Geographic (true degrees, h in metres) to geocentric X, Y, Z (metres) on
// the ellipsoid (a, rf = 1/f). NoFinito for non-finite input, a latitude
// beyond ±90°, or an ellipsoid without a > 0 and rf > 1.
ResultadoCartesianas GeoCartExacto(double latitud, double longitud, double h, double a, double rf);

struct ResultadoGeograficasGrados {
    Estado estado = Estado::Correcto;  // NoFinito
    double latitud = 0;   // true degrees
    double longitud = 0;  // true degrees, (−180, 180]
    double h = 0;         // ellipsoidal height, metres
};

// Geocentric X, Y, Z (metres) to geographic on the ellipsoid (a, rf = 1/f).
// A point on the polar axis gives latitude ±90° and longitude 0; the centre
// of the Earth has no latitude: NoFinito, as in CalculoCartGeo.
ResultadoGeograficasGrados CartGeoExacto(double X, double Y, double Z, double a, double rf);

// How far (metres, on the ground of the grid) the legacy GeodesicasAUtm puts
// the point from its exact UTM position: the distance between both (X, Y).
// At most 7 mm in zones 29 to 31 (latitudes 36° to 44°, within 3° of the
// meridian), 1.2 cm in zone 27 and 1.9 cm in zone 28 (latitudes 27.5° to
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
// again (true where the exact method refuses the point). For the file
// conversions, which check every line.
bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum);
// The same with the legacy X and Y already computed (metres).
bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum, double X, double Y);

// How far (metres on the ground) the legacy series of UtmAGeodesicas puts the
// point from UtmAGeodesicasExacto; the arguments are theirs. The series
// depends on the easting's distance from the meridian and on the northing
// only: within 3° of the meridian at latitudes 27° to 44° it stays within
// 0.4 mm; 1 cm is passed 660 km from the meridian on the equator, 450 km at
// a northing of 4000 km, 95 km at 9000 km; 1 m at about twice those
// distances. NaN when either method gives no result.
double ErrorUtmAGeodesicasLegado(double X, double Y, std::int16_t huso, bool sur, Datum datum);

// Beyond this error (metres) UtmAGeodesicas refuses the point (SerieNoFiable).
inline constexpr double UmbralSerieNoFiable = 1;

// Whether ErrorUtmAGeodesicasLegado exceeds UmbralErrorUtm (1 cm), cheaply:
// nearer the meridian than the measured distance at which the error passes
// 1 cm for the northing (less a margin) it is not computed. For the file
// conversions, which check every line.
bool SuperaUmbralUtmAGeodesicasLegado(double X, double Y, std::int16_t huso, bool sur, Datum datum);
// Whether it exceeds UmbralSerieNoFiable, as cheaply (UtmAGeodesicas asks).
bool SerieUtmAGeodesicasNoFiable(double X, double Y, std::int16_t huso, bool sur, Datum datum);

}  // namespace tesmaro
