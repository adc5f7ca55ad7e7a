#include "Cartesianas.h"

#include <cmath>

#include "Angulos.h"

namespace tesmaro {

namespace {

// The first eccentricity and its square as both conversions form them: e² from
// rf, e = √e², and e² again as e to the power 2 (which differs from the first
// e² in the last bit for some ellipsoids; the printed digits follow this one).
struct Excentricidad {
    double e;
    double e2;
};

Excentricidad CalcularExcentricidad(double rf) {
    const double primera = (rf + rf - 1) / std::pow(rf, 2);
    const double e = std::sqrt(primera);
    return {e, std::pow(e, 2)};
}

}  // namespace

ResultadoCartesianas CalculoGeoCart(double fi, double lambda, double h, double a, double rf) {
    const Excentricidad ex = CalcularExcentricidad(rf);
    // Radius of curvature in the prime vertical; "to the power 0.5" is a
    // general power here, not the square root.
    const double N = a / std::pow(1 - ex.e2 * std::pow(std::sin(fi), 2), 0.5);
    ResultadoCartesianas r;
    r.X = ((h + N) * std::cos(fi)) * std::cos(lambda);
    r.Y = ((h + N) * std::cos(fi)) * std::sin(lambda);
    r.Z = (N * (1 - ex.e2) + h) * std::sin(fi);
    if (!std::isfinite(r.X) || !std::isfinite(r.Y) || !std::isfinite(r.Z)) {
        return {Estado::NoFinito, 0, 0, 0};
    }
    return r;
}

ResultadoGeograficas CalculoCartGeo(double X, double Y, double Z, double a, double rf) {
    const ResultadoGeograficas noFinito{Estado::NoFinito, 0, 0, 0};
    if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Z)) {
        return noFinito;
    }
    const double p = std::sqrt(std::pow(X, 2) + std::pow(Y, 2));
    const double b = (rf * a - a) / rf;  // semi-minor axis
    ResultadoGeograficas r;
    if (p == 0) {
        // On the polar axis Bowring's quotient has no value: the point lies on
        // a pole (or is the centre, which has no latitude at all).
        if (Z == 0) {
            return noFinito;
        }
        r.fi = Z > 0 ? PiDiezCifras / 2 : -PiDiezCifras / 2;
        r.lambda = 0;
        r.h = std::fabs(Z) - b;
        if (!std::isfinite(r.h)) {
            return noFinito;
        }
        return r;
    }
    // Bowring: one evaluation from the parametric latitude, no iteration.
    const double theta = std::atan((a * Z) / (p * b));
    const Excentricidad ex = CalcularExcentricidad(rf);
    const double eprima = std::sqrt((std::pow(a, 2) - std::pow(b, 2)) / std::pow(b, 2));
    const double eprima2 = std::pow(eprima, 2);
    r.fi = std::atan((Z + (eprima2 * b) * std::pow(std::sin(theta), 3)) /
                     (p - std::pow(std::cos(theta), 3) * (ex.e2 * a)));
    // The plain arctangent of Y/X is kept where X > 0 (atan2 would change the
    // last digit of some points). For X < 0 it names the opposite meridian, so
    // the program's π is added or subtracted to bring the point back to its
    // own: in degrees the result is then 180° from the plain arctangent's.
    if (X > 0) {
        r.lambda = std::atan(Y / X);
    } else if (X < 0) {
        r.lambda = Y >= 0 ? std::atan(Y / X) + PiDiezCifras : std::atan(Y / X) - PiDiezCifras;
    } else {
        r.lambda = Y > 0 ? PiDiezCifras / 2 : -PiDiezCifras / 2;
    }
    const double N = a / std::pow(1 - ex.e2 * std::pow(std::sin(r.fi), 2), 0.5);
    r.h = p / std::cos(r.fi) - N;
    if (!std::isfinite(r.fi) || !std::isfinite(r.lambda) || !std::isfinite(r.h)) {
        return noFinito;
    }
    return r;
}

}  // namespace tesmaro
