// The inverse geodetic problem: from A and B, the length of the geodesic and
// its azimuths at both ends.
#include <cmath>

#include "Angulos.h"
#include "Cuadratura.h"
#include "Geodesia.h"

namespace tesmaro {

namespace {

using detalle::CuadraturaPuntoMedio;

constexpr double Pi = PiDiezCifras;

// The small shifts that keep tan(ω/2 + ε) away from zero when both points lie
// on one meridian, one set per pass. Some are quotients by 10 to the power 12
// formed at run time, as the method has always formed them (the quotient need
// not be the double nearest to the decimal it stands for).
struct Desplazamientos {
    double q, p, qPrima, pPrima;
};

}  // namespace

ResultadoInverso ProblemaInverso(double fi1, double lambda1, double fi2, double lambda2, double a,
                                 double F) {
    ResultadoInverso r;
    // An ellipsoid needs a > 0 and 1/f > 1 (no ellipsoid reads as 0 and 0).
    if (!std::isfinite(fi1) || !std::isfinite(lambda1) || !std::isfinite(fi2) ||
        !std::isfinite(lambda2) || !std::isfinite(a) || !std::isfinite(F) || !(a > 0) || !(F > 1)) {
        r.estado = Estado::NoFinito;
        return r;
    }
    // A latitude of -0 is the equator (+0): the sign of a zero decides below
    // on which side of the equator crossing a point lies.
    fi1 = fi1 + 0.0;
    fi2 = fi2 + 0.0;
    // Coincident points: distance 0, azimuths 0.
    if (fi1 == fi2 && lambda1 == lambda2) {
        return r;
    }
    // The method places both points on one side of the equator. A point on
    // the equator goes with a point of either side (with a southern one it is
    // reflected like it); two points on the equator cannot be placed.
    if ((fi1 < 0 && fi2 > 0) || (fi1 > 0 && fi2 < 0) || (fi1 == 0 && fi2 == 0)) {
        r.estado = Estado::HemisferiosDistintos;
        return r;
    }

    // Two southern points are turned north by the rotation (fi, lambda) ->
    // (-fi, -lambda), which turns every azimuth by 180°.
    enum class Giro { Ninguno, Este, Oeste } giro = Giro::Ninguno;
    if (fi1 <= 0 && fi2 <= 0) {
        giro = lambda1 >= 0 ? Giro::Este : Giro::Oeste;
        fi1 = -fi1 + 0.0;
        lambda1 = -lambda1;
        fi2 = -fi2 + 0.0;
        lambda2 = -lambda2;
    }

    const double U1 = std::atan(((F - 1) / F) * std::tan(fi1));
    const double U2 = std::atan(((F - 1) / F) * std::tan(fi2));
    const double L = lambda2 - lambda1;
    const double b = ((F - 1) * a) / F;
    const double ep2 = (F + F - 1) / std::pow(F - 1, 2.0);

    const double doce = std::pow(10.0, 12);
    const Desplazamientos desplazamientos[3] = {
        {1e-11, 1e-10, 1e-13, 1e-12},
        {10 / doce, 9.999999999999 / doce, 1e-12, 9.99999999999999 / doce},
        {1e-10, 1e-11, 1e-10, 9.99999999999999 / doce},
    };

    double Lambda1 = 0, Lambda2 = 0;
    // The spherical longitude difference of each pass, evaluated afresh at
    // every use.
    const auto omega = [&](int pasada) {
        switch (pasada) {
            case 0:
                return L;
            case 1:
                return 2 * L - Lambda1;
            default:
                return (3 * L - Lambda1) - Lambda2;
        }
    };

    double alfa1 = 0, alfa2 = 0, sigma1 = 0, sigma2 = 0, k2 = 0;
    double sigmaPrimera = 0;  // the arc of the first pass
    for (int pasada = 0; pasada < 3; ++pasada) {
        const Desplazamientos& eps = desplazamientos[pasada];
        const double cosSigma =
            std::sin(U1) * std::sin(U2) + (std::cos(U2) * std::cos(U1)) * std::cos(omega(pasada));
        // From 90° of arc on, the arc of the next step falls in the wrong
        // quadrant and the steps leave the geodesic.
        if (!(cosSigma > 0)) {
            r.estado = std::isnan(cosSigma) ? Estado::NoFinito : Estado::PuntosDemasiadoAlejados;
            return r;
        }
        const double sinSigma = std::sqrt(1 - std::pow(cosSigma, 2));
        const double sigma = std::atan(sinSigma / cosSigma);
        // Points so close that the arc rounds to nothing are the same point,
        // in any pass (a few decimetres apart, a later pass can round it to
        // nothing where the first did not). Otherwise a zero arc in a later
        // pass means the passes broke down (a line over a pole, whose
        // longitude integral misses the half turn there): the division below
        // has no value.
        // cos σ may also round to just above 1, where its square root has no
        // value: the same case.
        if (!(cosSigma < 1) || std::sin(sigma) == 0) {
            if (pasada == 0 || sigmaPrimera < 1e-6) {
                return ResultadoInverso{};
            }
            r.estado = Estado::NoFinito;
            return r;
        }
        if (pasada == 0) sigmaPrimera = sigma;
        const double sinAlfa0 = ((std::cos(U1) * std::sin(omega(pasada))) * std::cos(U2)) / std::sin(sigma);

        // Napier's analogies, each tangent shifted by the pass's constants.
        const double cMas = std::cos((U1 + U2) / 2), sMas = std::sin((U1 + U2) / 2);
        const double cMenos = std::cos((U1 - U2) / 2), sMenos = std::sin((U1 - U2) / 2);
        const double P = std::atan((cMenos / sMas) / std::tan(omega(pasada) / 2 + eps.p));
        const double Q = std::atan((sMenos / cMas) / std::tan(omega(pasada) / 2 + eps.q));
        alfa1 = Q + P;
        const double PPrima = std::atan((cMenos / sMas) / std::tan(omega(pasada) / 2 + eps.pPrima));
        const double QPrima = std::atan((sMenos / cMas) / std::tan(omega(pasada) / 2 + eps.qPrima));
        alfa2 = (QPrima + Pi) - PPrima;

        // Arcs from the equator crossing, in [0, π). A point on the equator
        // that the line reaches going south lies at the far crossing: there
        // the arctangent gives -0, which counts as negative.
        sigma1 = std::atan(std::tan(U1) / std::cos(alfa1));
        if (std::signbit(sigma1)) {
            sigma1 = sigma1 + Pi;
        }
        sigma2 = std::atan(std::tan(U2) / std::cos(alfa2));
        if (std::signbit(sigma2)) {
            sigma2 = sigma2 + Pi;
        }
        k2 = ep2 * (1 - std::pow(sinAlfa0, 2));

        if (pasada < 2) {
            const auto g = [k2, sinAlfa0](double t) {
                return (std::sqrt(1 + k2 * std::pow(std::sin(t), 2)) * sinAlfa0) /
                       (1 - (1 - std::pow(sinAlfa0, 2)) * std::pow(std::sin(t), 2));
            };
            const double Lr = (CuadraturaPuntoMedio(g, sigma1, sigma2, 1000) * (F - 1)) / F;
            (pasada == 0 ? Lambda1 : Lambda2) = Lr;
        }
    }

    const auto w = [k2](double t) { return std::sqrt(1 + k2 * std::pow(std::sin(t), 2)); };
    r.distancia = CuadraturaPuntoMedio(w, sigma1, sigma2, 1000) * b;

    const auto enRango = [](double x) {
        if (x < 0) {
            x = x + 360;
        }
        if (x > 360) {
            x = x - 360;
        }
        return x;
    };
    r.acimutDirecto = enRango((alfa1 * 180) / Pi);
    r.acimutInverso = enRango(((alfa2 * 180) / Pi) + 180);
    if (giro == Giro::Este) {
        r.acimutDirecto = enRango(r.acimutDirecto + 180);
        r.acimutInverso = enRango(r.acimutInverso - 180);
    } else if (giro == Giro::Oeste) {
        r.acimutDirecto = enRango(r.acimutDirecto - 180);
        r.acimutInverso = enRango(r.acimutInverso + 180);
    }
    if (!std::isfinite(r.distancia) || !std::isfinite(r.acimutDirecto) || !std::isfinite(r.acimutInverso)) {
        return ResultadoInverso{Estado::NoFinito, 0, 0, 0};
    }
    return r;
}

}  // namespace tesmaro
