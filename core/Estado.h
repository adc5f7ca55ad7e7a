// Outcome of a computation of core.
#pragma once
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace tesmaro {

// Whether every value is finite: a result that is not gives NoFinito.
inline bool Finitos(std::initializer_list<double> valores) {
    for (const double v : valores)
        if (!std::isfinite(v)) return false;
    return true;
}

enum class Estado {
    Correcto,
    // UTM to geographic: the zone is not 30 or 31. Geographic to UTM: the zone
    // is not one of 27 to 31.
    HusoNoCalculado,
    // Some result came out infinite or not a number (absurd input).
    NoFinito,
    // Inverse problem: the two points lie in different hemispheres, or both
    // on the equator where the method cannot place them.
    HemisferiosDistintos,
    // Inverse problem: the two points are 90° of spherical arc apart or more.
    PuntosDemasiadoAlejados,
    // ParametroElipsoide found no ellipsoid at ElipsoideActual.
    SinElipsoide,
};

// The message of a UTM-to-geographic point of a zone other than 30 and 31
// (the batch's stop appends the line and the zone text in parentheses).
inline constexpr std::string_view TextoHusoNoCalculado =
    "Cálculo solo para los husos geográficos 30 y 31: hay datos fuera del área";

// The Spanish message that tells the user why there is no answer (empty for
// Correcto).
std::string_view TextoEstado(Estado estado);

}  // namespace tesmaro
