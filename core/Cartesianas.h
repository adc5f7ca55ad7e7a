// Geographic coordinates with ellipsoidal height and geocentric Cartesian
// coordinates, on any ellipsoid (a in metres, rf = 1/f).
#pragma once
#include "Estado.h"

namespace tesmaro {

struct ResultadoCartesianas {
    Estado estado = Estado::Correcto;  // NoFinito
    double X = 0, Y = 0, Z = 0;        // metres
};

// fi, lambda in radians; h in metres. Closed form.
ResultadoCartesianas CalculoGeoCart(double fi, double lambda, double h, double a, double rf);

struct ResultadoGeograficas {
    Estado estado = Estado::Correcto;  // NoFinito
    double fi = 0;      // latitude, radians
    double lambda = 0;  // longitude, radians, on the point's own meridian
    double h = 0;       // ellipsoidal height, metres
};

// X, Y, Z in metres. Bowring's closed-form latitude, one evaluation.
// The longitude is atan(Y/X) where X > 0; for X < 0 the program's π
// (3.141592654) is added (Y >= 0) or subtracted (Y < 0), so that it lies on
// the point's own meridian; X = 0 gives ±π/2 by the sign of Y. A point on the
// polar axis gives latitude ±π/2, longitude 0 and h = |Z| - b.
ResultadoGeograficas CalculoCartGeo(double X, double Y, double Z, double a, double rf);

}  // namespace tesmaro
