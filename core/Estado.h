// Outcome of a computation of core.
#pragma once
#include <cmath>
#include <cstddef>
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
    // The zone is not one of 27 to 31.
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
    // UTM to geographic by the legacy series: the point lies so far from the
    // central meridian for its northing that the series is off by more than
    // 1 m (UmbralSerieNoFiable); the exact method computes it.
    SerieNoFiable,
    // The exact UTM methods: the point lies more than 10 000 km from the
    // central meridian, where the projection's series no longer holds 1 mm.
    FueraDelDominio,
};

// How many values Estado has.
inline constexpr std::size_t NumeroEstados = static_cast<std::size_t>(Estado::FueraDelDominio) + 1;

// The message of a UTM-to-geographic point of a zone the program does not
// compute (27 to 31, and "30E").
inline constexpr std::string_view TextoHusoNoCalculado =
    "Cálculo solo para los husos geográficos 27 a 31: hay datos fuera del área";

// The Spanish message that tells the user why there is no answer (empty for
// Correcto).
std::string_view TextoEstado(Estado estado);

}  // namespace tesmaro
