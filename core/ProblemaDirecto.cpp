// The direct geodetic problem: from A, an azimuth and a distance, the end
// point B and the reverse azimuth at B.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Angulos.h"
#include "Cuadratura.h"
#include "Geodesia.h"

namespace tesmaro {

namespace {

using detalle::CuadraturaPuntoMedio;

constexpr double Pi = PiDiezCifras;

// x brought into [0, 360) (fmod is exact; the final addition may round up to
// 360, which is 0).
double Reducir360(double x) {
    x = std::fmod(x, 360.0);
    if (x < 0) {
        x = x + 360;
    }
    if (x >= 360) {
        x = x - 360;
    }
    return x;
}

// A longitude of the method brought into (-180, 180] when it is not there:
// by whole turns of the method's own, 2π radians, which its π makes
// (360 · π) / 3.141592654 of its degrees (359.99999995); one already there is
// kept as it is.
double EnRango(double longitud) {
    static const double vuelta = (360 * std::numbers::pi) / Pi;
    return longitud > -180 && longitud <= 180 ? longitud : std::remainder(longitud, vuelta);
}

// Angle between two directions in degrees, in [0, 180].
double Separacion(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180 ? 360 - d : d;
}

// What the fixed steps compute, before the reverse azimuth is checked.
struct Legado {
    double latitud, longitud, acimutInverso;
    double arco;  // length of the line on the auxiliary sphere (radians)
    // The start point and the azimuth the steps worked with, after the
    // reflection of a southern start point (radians, degrees).
    double fiTrabajo, acimutTrabajo;
    bool reflejado;
    // The line runs due east or west or within 6e-4° of it: the quadrant
    // rules may leave the reverse azimuth mirrored about the east-west line
    // (none of them applies to exactly 90 or 270).
    bool esteOeste;
};

// The fixed steps of the method: reflection of southern start points, three
// correction steps for the end arc with short midpoint integrals, the
// longitude integral and the reverse azimuth by quadrant rules.
// acimut is the input azimuth, already within one turn of [0, 360).
Legado PasosDirecto(double fi1, double lambda1, double acimut, double distancia, double a,
                    double F) {
    const double alfaEntrada = acimut;
    double alfa = acimut;
    // A southern start point is turned north by the rotation (fi, lambda) ->
    // (-fi, -lambda), which turns every azimuth by 180°.
    int caso = 0;
    if (fi1 < 0) {
        if (lambda1 < 0) {
            alfa = alfa + 180;
            caso = 3;
        } else {
            alfa = alfa - 180;
            caso = 6;
        }
        fi1 = -fi1;
        lambda1 = -lambda1;
    }
    if (alfa < 0) {
        alfa = alfa + 360;
    }
    if (alfa >= 360) {
        alfa = alfa - 360;
    }
    // An azimuth that one turn does not bring into [0, 360) is reduced fully.
    if (alfa < 0 || alfa >= 360) {
        alfa = Reducir360(alfa);
    }
    // Southward lines shrink the arc from the equator crossing.
    double q = (alfa > 90 && alfa < 270) ? -1 : 1;
    const double alfaR = (alfa * Pi) / 180;
    const double U1 = std::atan(((F - 1) / F) * std::tan(fi1));
    const double sigma1 = std::fabs(std::atan(std::tan(U1) / std::cos(alfaR)));
    double alfa0 = std::atan(std::tan(alfaR) * std::cos(sigma1));
    // Lines within about 6e-4° of due east or west (due east and west
    // included) start within 1e-5 of their vertex: there cos sigma1 keeps only
    // the last digits of sigma1 and the line strays by up to decimetres, so
    // it is formed from the small complement of sigma1 instead. With this π,
    // 90° is a radian value just past the true right angle, and a line within
    // 1e-8° of due east or west may lie on the other side of it than its value
    // in degrees says: the direction factor follows the radian value here (for
    // 90 itself, -1: the line runs east).
    const bool esteOeste = std::fabs(std::cos(alfaR)) < 1e-5;
    if (esteOeste) {
        q = std::cos(alfaR) < 0 ? -1 : 1;
        const double complemento = std::atan(std::fabs(std::cos(alfaR)) / std::fabs(std::tan(U1)));
        alfa0 = std::atan(std::tan(alfaR) * std::sin(complemento));
    }
    const double b = ((F - 1) * a) / F;
    const double S = distancia / b;
    const double ep2 = (F + F - 1) / std::pow(F - 1, 2.0);
    const double k2 = std::pow(std::cos(alfa0), 2) * ep2;
    const auto w = [k2](double t) { return std::sqrt(1 + k2 * std::pow(std::sin(t), 2)); };

    const double s0 = sigma1 + q * S;
    const double I0 = std::fabs(CuadraturaPuntoMedio(w, sigma1, s0, 1000));
    const double s1 = s0 + q * (S - I0);
    const double J1 = std::fabs(CuadraturaPuntoMedio(w, s1, s0, 10));
    const double s2 = s1 + q * (S - I0 + J1);
    const double J2 = std::fabs(CuadraturaPuntoMedio(w, s1, s2, 10));
    const double s3 = s2 + q * (S - I0 + J1 - J2);
    const double h3 = (s2 - s3) / 10;
    const double J3 = (h3 > -1e-16 && h3 < 1e-16) ? 0 : std::fabs(CuadraturaPuntoMedio(w, s3, s2, 10));
    const double s4 = s3 + q * (S - I0 + J1 - J2 + J3);
    const double sigma2 = (s4 + s3) / 2;

    const double sinU2 = std::sin(sigma2) * std::cos(alfa0);
    const double U2 = std::atan(sinU2 / std::sqrt(1 - std::pow(sinU2, 2)));
    double fi2 = (std::atan((std::tan(U2) * F) / (F - 1)) * 180) / Pi;

    const double hL = (sigma2 - sigma1) / 5000;
    double Lambda = 0;
    if (!(hL > -1e-16 && hL < 1e-16)) {
        const auto g = [F, alfa0, k2](double t) {
            return (((F - 1) / F) * std::sin(alfa0) * std::sqrt(1 + k2 * std::pow(std::sin(t), 2))) /
                   (1 - std::pow(std::sin(t) * std::cos(alfa0), 2));
        };
        Lambda = CuadraturaPuntoMedio(g, sigma1, sigma2, 5000);
    }
    double lambda2 = ((lambda1 + Lambda) * 180) / Pi;

    const double delta = sigma2 - sigma1;
    double rho = (std::atan((std::cos(U1) * std::sin(alfaR) * std::sin(delta)) /
                            (std::sin(U2) * std::cos(delta) - std::sin(U1))) *
                  180) /
                 Pi;
    const double alfaD = (alfaR * 180) / Pi;
    if (rho >= 0 && alfaD < 90) {
        rho = rho + 180;
    }
    if (rho < 180 && alfaD < 90) {
        rho = rho + 360;
    }
    if (alfaD > 90 && alfaD < 180) {
        rho = 360 - rho;
    }
    if (alfaD > 180 && alfaD < 270) {
        rho = -rho;
    }
    if (alfaD > 270 && rho < 0) {
        rho = rho + 180;
    }
    if (caso == 3) {
        lambda2 = -lambda2;
        fi2 = -fi2;
        rho = rho + 180;
    } else if (caso == 6) {
        lambda2 = -lambda2;
        fi2 = -fi2;
        rho = rho - 180;
    }
    if (alfaEntrada > 180 && alfaEntrada < 360 && rho > 180 && rho < 360) {
        rho = rho - 180;
    }
    if (alfaEntrada < 180 && rho > 0 && rho < 180) {
        rho = rho + 180;
    }
    if (rho < 0) {
        rho = rho + 360;
    }
    return {fi2, lambda2, rho, std::fabs(delta), fi1, alfa, caso != 0, esteOeste};
}

// The azimuth at B back towards A, from the start point, the azimuth and the
// arc on the auxiliary sphere (where azimuths equal those of the ellipsoid),
// by the two-argument arctangent: right in every quadrant. Degrees, [0, 360).
double AcimutInversoReferencia(double fi1, double acimut, double arco, double F) {
    const double U1 = std::atan(((F - 1) / F) * std::tan(fi1));
    const double alfa = (acimut * Pi) / 180;
    const double directoEnB =
        std::atan2(std::cos(U1) * std::sin(alfa),
                   std::cos(U1) * std::cos(arco) * std::cos(alfa) - std::sin(U1) * std::sin(arco));
    return Reducir360((directoEnB * 180) / std::numbers::pi + 180);
}

}  // namespace

ResultadoDirecto ProblemaDirecto(double fi1, double lambda1, double acimut, double distancia,
                                 double a, double F) {
    const ResultadoDirecto noFinito{Estado::NoFinito, 0, 0, 0};
    // An ellipsoid needs a > 0 and 1/f > 1 (no ellipsoid reads as 0 and 0).
    if (!std::isfinite(fi1) || !std::isfinite(lambda1) || !std::isfinite(acimut) ||
        !std::isfinite(distancia) || !std::isfinite(a) || !std::isfinite(F) || !(a > 0) || !(F > 1)) {
        return noFinito;
    }
    if (distancia < 0) {
        // The steps assume a positive length; a negative one runs the line
        // backwards from A, which is the line with the opposite azimuth.
        acimut = acimut + 180;
        distancia = -distancia;
    }
    ResultadoDirecto r;
    if (distancia == 0) {
        // The line is the start point itself.
        r.latitud = (fi1 * 180) / Pi;
        r.longitud = EnRango((lambda1 * 180) / Pi);
        r.acimutInverso = Reducir360(acimut + 180);
        return r;
    }
    const Legado legado = PasosDirecto(fi1, lambda1, acimut, distancia, a, F);
    r.latitud = legado.latitud;
    // Across the antimeridian the steps run past ±180°.
    r.longitud = EnRango(legado.longitud);
    // The quadrant rules of the method give the reverse azimuth right for most
    // lines, but 180° off for negative azimuths and for some cardinal ones,
    // above 360 for some southern start points, and mirrored about the
    // east-west line for lines due east or west. The value of the rules is kept
    // wherever it names the right direction: within 90° of the reference, or,
    // for lines due east or west, where a mirrored value is off by twice the
    // meridian convergence, within 1e-7° (or 1e-5° / s in metres for lines
    // shorter than 100 m, whose reverse azimuth the rules give only to that).
    // One that is 180° off is turned, and any other is replaced by the
    // reference.
    double referencia = AcimutInversoReferencia(legado.fiTrabajo, legado.acimutTrabajo, legado.arco, F);
    if (legado.reflejado) {
        referencia = Reducir360(referencia + 180);
    }
    const double tolerancia = legado.esteOeste ? std::max(1e-7, 1e-5 / distancia) : 90;
    double rho = legado.acimutInverso;
    if (std::isfinite(rho) && Separacion(rho, referencia) < tolerancia) {
        if (rho < 0 || rho >= 360) {
            rho = Reducir360(rho);
        }
    } else if (std::isfinite(rho) && Separacion(rho + 180, referencia) < tolerancia) {
        rho = Reducir360(rho + 180);
    } else {
        rho = referencia;
    }
    r.acimutInverso = rho;
    if (!std::isfinite(r.latitud) || !std::isfinite(r.longitud) || !std::isfinite(r.acimutInverso)) {
        return noFinito;
    }
    return r;
}

}  // namespace tesmaro
