// Helpers shared by the geodetic-problem tests: GeographicLib as the exact
// reference, and the program's degree/radian conversions.
#pragma once
#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <numbers>

#include "Angulos.h"

namespace tesmaro::prueba {

constexpr double WgsA = 6378137;
constexpr double WgsF = 298.257223563;

// Typed degrees into the radians the windows pass (program's π).
inline double Radianes(double grados) { return (grados * PiDiezCifras) / 180; }

// A value in radians, or a result in degrees of the program (radians ·
// 180 / its π), as true degrees for the reference. The program's π scales
// every converted angle by 1 + 1.3e-10.
inline double GradosVerdaderos(double radianes) { return radianes * 180 / std::numbers::pi; }
inline double DelPrograma(double grados) { return GradosVerdaderos((grados * PiDiezCifras) / 180); }

// Angle between two directions in degrees, in [0, 180].
inline double Separacion(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180 ? 360 - d : d;
}

inline const GeographicLib::Geodesic& Wgs84() {
    static const GeographicLib::Geodesic g(WgsA, 1 / WgsF);
    return g;
}

}  // namespace tesmaro::prueba
