#include "Angulos.h"

#include <cmath>
#include <numbers>


namespace tesmaro {

// Each conversion forms the product first and the quotient after it, with the
// program's π: the printed digits depend on it.

double UnidadARadianes(double valor, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (valor * PiDiezCifras) / 200;
        case 3:
            return valor;
        default:
            return (valor * PiDiezCifras) / 180;
    }
}

double RadianesAUnidad(double radianes, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (radianes * 200) / PiDiezCifras;
        case 3:
            return radianes;
        default:
            return (radianes * 180) / PiDiezCifras;
    }
}

double UnidadAGrados(double valor, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (valor * 180) / 200;
        case 3:
            return (valor * 180) / PiDiezCifras;
        default:
            return valor;
    }
}

double GradosAUnidad(double grados, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (grados * 200) / 180;
        case 3:
            return (PiDiezCifras * grados) / 180;
        default:
            return grados;
    }
}

double UnidadAGradosExactos(double valor, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (valor * 180) / 200;
        case 3:
            return (valor * 180) / std::numbers::pi;
        default:
            return valor;
    }
}

double GradosExactosAUnidad(double grados, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (grados * 200) / 180;
        case 3:
            return (grados * std::numbers::pi) / 180;
        default:
            return grados;
    }
}

double Longitud180(double grados) {
    // remainder is exact, and returns any value of [-180, 180] itself.
    const double r = std::remainder(grados, 360.0);
    return r == -180 ? 180 : r;
}

double ValorGradosMinutosSegundos(double g, double m, double s) {
    const double sg = g > 0 ? 1.0 : (g < 0 ? -1.0 : 0.0);
    if (sg != 0) return ((std::fabs(g) + m / 60) + s / 3600) * sg;
    return (g + m / 60) + s / 3600;
}

double FraccionMinutosSegundos(double m, double s) {
    const double fl = (m / 60) + (s / 3600);
    // Twelve decimals, halves to even (the default rounding mode).
    return std::nearbyint(fl * 1e12) / 1e12;
}

}  // namespace tesmaro
