// The direct and the inverse geodetic problems on an ellipsoid (a in metres,
// F = 1/f), by integration along the geodesic on the auxiliary sphere with the
// midpoint rule and a fixed number of correction steps or passes.
#pragma once
#include "Estado.h"

namespace tesmaro {

struct ResultadoDirecto {
    Estado estado = Estado::Correcto;  // NoFinito
    double latitud = 0;         // of B, sexagesimal degrees
    double longitud = 0;        // of B, sexagesimal degrees, in (-180, 180]
    double acimutInverso = 0;   // at B towards A, sexagesimal degrees, in [0, 360)
};

// fi1, lambda1: start point A in radians. acimut: forward azimuth at A in
// sexagesimal degrees, clockwise from north, any value. distancia: metres
// along the geodesic (0 gives A itself and the azimuth turned by 180°; a
// negative length runs the line backwards from A). The longitude of B is in
// (-180, 180]: one the steps take beyond is brought back by whole turns (of
// 2π radians, as the angles are radians of the program's π). Non-finite
// input, or an ellipsoid without a > 0 and F > 1, gives NoFinito.
ResultadoDirecto ProblemaDirecto(double fi1, double lambda1, double acimut, double distancia,
                                 double a, double F);

struct ResultadoInverso {
    Estado estado = Estado::Correcto;  // HemisferiosDistintos, PuntosDemasiadoAlejados, NoFinito
    double distancia = 0;        // metres
    double acimutDirecto = 0;    // at A towards B, sexagesimal degrees, [0, 360]
    double acimutInverso = 0;    // at B towards A, sexagesimal degrees, [0, 360]
};

// A (fi1, lambda1) and B (fi2, lambda2) in radians, both in one hemisphere
// and less than 90° of spherical arc apart. Coincident points give distance 0
// and azimuths 0. A point on the equator goes with a point of either
// hemisphere; two points on the equator give HemisferiosDistintos. A line
// exactly over a pole, like any non-finite result, gives NoFinito.
ResultadoInverso ProblemaInverso(double fi1, double lambda1, double fi2, double lambda2,
                                 double a, double F);

}  // namespace tesmaro
