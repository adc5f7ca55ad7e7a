// Conversions between the angular unit of the settings and radians or
// degrees, as the Cartesian and geodetic-problem windows and batches do them.
//
// Every conversion uses the program's π, 3.141592654 (ten significant digits,
// not the full double value), forming the product before the quotient.
#pragma once
#include <cstdint>

namespace tesmaro {

// π to ten significant digits for every degree/radian conversion; results
// must match this value, product first, then quotient.
constexpr double PiDiezCifras = 3.141592654;

// An angle in the unit `unidad` (1 sexagesimal degrees, 2 centesimal
// grads, 3 radians; any other value behaves like 1), into radians:
// 1: (v × π) / 180; 2: (v × π) / 200; 3: unchanged.
double UnidadARadianes(double valor, std::int16_t unidad);
// Radians into the unit `unidad`:
// 1: (r × 180) / π; 2: (r × 200) / π; 3: unchanged.
double RadianesAUnidad(double radianes, std::int16_t unidad);
// An angle (an azimuth) in the unit `unidad`, into sexagesimal degrees:
// 1: unchanged; 2: (v × 180) / 200; 3: (v × 180) / π.
double UnidadAGrados(double valor, std::int16_t unidad);

// Sexagesimal degrees into the unit `unidad` (the geodetic problems'
// results): 1: unchanged; 2: (x × 200) / 180; 3: (π × x) / 180.
double GradosAUnidad(double grados, std::int16_t unidad);

// The exact methods take and give true degrees: these two convert between
// the unit `unidad` (1 sexagesimal degrees, 2 centesimal grads, 3 radians; any
// other value behaves like 1) and degrees with the full π (std::numbers::pi),
// not the program's π above. 1: unchanged; 2: (v × 180) / 200 and
// (x × 200) / 180; 3: (v × 180) / π and (x × π) / 180.
double UnidadAGradosExactos(double valor, std::int16_t unidad);
double GradosExactosAUnidad(double grados, std::int16_t unidad);

// A longitude in degrees brought into (−180, 180]: one already there is
// returned unchanged (bit for bit), −180 becomes 180.
double Longitud180(double grados);

// An angle given as degrees, minutes and seconds (the degrees-minutes-seconds
// panel, the latitude of the sexagesimal converter):
// ((|g| + m / 60) + s / 3600) × sign(g), and (g + m / 60) + s / 3600 when g is
// 0, so whole degrees of 0 (or -0) carry no sign.
double ValorGradosMinutosSegundos(double g, double m, double s);

// Minutes and seconds as degrees, (m / 60) + (s / 3600), rounded to 12
// decimals, halves to even (the longitude of the sexagesimal converter).
double FraccionMinutosSegundos(double m, double s);

}  // namespace tesmaro
