#include "Utm.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "Angulos.h"
#include "Exacto.h"

namespace tesmaro {

// Every expression below is evaluated in the order and grouping written, with
// the literal constants shown: the printed digits of the results depend on it.
// A power is std::pow (q^2 is std::pow(q, 2), not q * q) except for the powers
// of ten, written as the literals 1e12, 1e24 ..., which are the correctly
// rounded values that std::pow(10, k) gives for every k used here.
// "9 e'2 co^2" is (9 * e'2) * co^2: coefficient first, then the factor.

namespace {

// Scale factor on the central meridian.
constexpr double K0 = 0.9996;
// False easting, and false northing of the southern hemisphere (metres).
constexpr double FalsoEste = 500000;
constexpr double FalsoNorte = 10000000;

// Literal conversion constants, to the digits the results have always used:
// degrees per radian, radians per degree, 10^4 × sin 1″ (one arc-second in
// radians times 10 000) and arc-seconds per radian / 10^4 (π is PiDiezCifras
// of Angulos.h).
constexpr double GradosPorRadian = 57.29577951;
constexpr double RadianesPorGrado = 0.01745329252;
constexpr double SegundoRadian = 0.04848136811;
constexpr double SegundosPorRadian = 20.62648062;


}  // namespace

ResultadoGeodesicas UtmAGeodesicas(double X, double Y, std::int16_t huso, bool sur, bool,
                                   Datum datum) {
    const ResultadoGeodesicas r = detalle::SerieUtmAGeodesicas(X, Y, huso, sur, datum);
    if (r.estado == Estado::Correcto && SerieUtmAGeodesicasNoFiable(X, Y, huso, sur, datum))
        return ResultadoGeodesicas{Estado::SerieNoFiable};
    return r;
}

ResultadoGeodesicas detalle::SerieUtmAGeodesicas(double X, double Y, std::int16_t huso, bool sur, Datum datum) {
    ResultadoGeodesicas r;
    // Central meridian of zones 27 to 31 (whole degrees).
    if (huso < 27 || huso > 31) {
        r.estado = Estado::HusoNoCalculado;
        return r;
    }
    const double lambda0 = 6.0 * huso - 183;

    // Southern northings are counted from the false northing.
    if (sur) Y = FalsoNorte - Y;

    // Easting from the central meridian, in units of 10^6 m.
    const double Ep = X - FalsoEste;
    const double q = Ep / 1000000;

    const Elipsoide elipsoide = ElipsoideDatum(datum);
    const double a = elipsoide.a;
    const double rf = elipsoide.rf;
    // Third flattening, first and second eccentricity squared.
    const double n = 1 / ((2 * rf) - 1);
    const double e2 = ((2 * rf) - 1) / std::pow(rf, 2);
    const double ep2 = e2 / (1 - e2);
    // Rectifying radius.
    const double A = (a * std::pow(1 + (1.0 / 8) * std::pow(n, 2), 2)) / (1 + n);

    // Footpoint latitude (radians) from the meridian arc.
    const double mu = (Y / A) / K0;
    const double c1 = (1.5 * n) - ((27.0 / 32) * std::pow(n, 3));
    const double c2 = (21.0 / 16) * std::pow(n, 2);
    const double c3 = (151.0 / 96) * std::pow(n, 3);
    const double phi1 = ((mu + c1 * std::sin(mu + mu)) + c2 * std::sin(mu * 4)) + c3 * std::sin(mu * 6);

    // Series coefficients at the footpoint.
    const double t = std::tan(phi1);
    const double c = std::cos(phi1);
    const double s = std::sin(phi1);
    const double N1 = a / std::sqrt(1 - e2 * std::pow(s, 2));
    const double VII = (((t * (1 + ep2 * std::pow(c, 2))) * 1e12) / 2) / std::pow(N1 * K0, 2);
    const double VIII =
        ((((1e24 * t) / 24) / std::pow(N1, 4)) / std::pow(K0, 4)) *
        (((((std::pow(t, 2) * 3) + 5) + (6 * ep2) * std::pow(c, 2)) - (6 * ep2) * std::pow(s, 2)) -
         (3 * std::pow(ep2, 2)) * std::pow(c, 4) - 9 * std::pow((ep2 * c) * s, 2));
    const double D6 =
        (((std::pow(((1e6 * q) / N1) / K0, 6) * t) / 720) *
         (((((std::pow(t, 4) * 45) + ((std::pow(t, 2) * 90) + 61)) + (107 * ep2) * std::pow(c, 2)) -
           (162 * ep2) * std::pow(s, 2)) -
          (45 * ep2) * std::pow(t * s, 2)));
    const double IX = ((1e6 / N1) / c) / K0;
    const double X3 =
        ((((1e18 * (((std::pow(t, 2) + std::pow(t, 2)) + 1) + ep2 * std::pow(c, 2))) / c) / 6) /
         std::pow(N1, 3)) /
        std::pow(K0, 3);
    const double E5 =
        ((((1e30 * ((((std::pow(t, 4) * 24) + ((std::pow(t, 2) * 28) + 5)) + (6 * ep2) * std::pow(c, 2)) +
                    (8 * ep2) * std::pow(s, 2))) *
           std::pow(q, 5)) /
          120) /
         std::pow(N1 * K0, 5)) /
        c;

    // Latitude and longitude difference (degrees).
    double phi = (((std::pow(q, 4) * VIII) + (phi1 - std::pow(q, 2) * VII)) - D6) * GradosPorRadian;
    const double dLambda = (((IX * q) - std::pow(q, 3) * X3) + E5) * GradosPorRadian;

    // The longitude on its own side of Greenwich: the easting alone says where
    // the point lies, whatever the zone, so a point of zone 30 east of 0° (the
    // extended zone 30) comes out east.
    const double L = lambda0 + dLambda;

    // Meridian convergence in arc-seconds, then degrees.
    const double qk = q / (N1 * K0);
    const double G1 = ((1e10 * q) * t) / N1;
    const double G3 = 1e22 * t;
    const double G5 = 1e34 * t;
    double gamma =
        ((((G1 / SegundoRadian) / K0) -
          ((((G3 / SegundoRadian) * std::pow(qk, 3)) / 3) *
           (((std::pow(t, 2) + 1) - ep2 * std::pow(c, 2)) - (2 * std::pow(ep2, 2)) * std::pow(c, 4)))) +
         ((((G5 / SegundoRadian) * std::pow(qk, 5)) / 15) * ((std::pow(t, 4) * 3) + ((std::pow(t, 2) * 5) + 2)))) /
        3600;

    // The convergence keeps whole degrees, whole minutes and its seconds
    // truncated (not rounded) to thousandths.
    gamma = std::fabs(gamma);
    const double gd = std::floor(gamma);
    const double gm = std::floor((gamma - gd) * 60);
    const double gs = std::floor(((((gamma - gd) * 60) - gm) * 60) * 1000) / 1000;
    gamma = ((gm / 60) + gd) + gs / 3600;

    // Scale factor at the computed latitude, with the footpoint radius N1 and a
    // fixed fourth-order term; floored to 8 decimals.
    const double phiR = phi * RadianesPorGrado;
    const double k =
        std::floor((K0 * ((1 + ((((1e12 * std::pow(q, 2)) * (1 + ep2 * std::pow(std::cos(phiR), 2))) / 2) /
                                std::pow(N1, 2)) /
                                   std::pow(K0, 2)) +
                          std::pow(q, 4) * 3e-05)) *
                   1e8) /
        1e8;

    if (sur) phi = -phi;
    // West of the central meridian the convergence is negative.
    if (L < lambda0) gamma = -gamma;

    if (!Finitos({L, phi, gamma, k})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.longitud = L;
    r.latitud = phi;
    r.convergencia = gamma;
    r.anamorfosis = k;
    return r;
}

ResultadoUtm GeodesicasAUtm(double longitud, double latitud, std::int16_t huso, Datum datum) {
    ResultadoUtm r;
    // Central meridian of zones 27 to 31 (whole degrees).
    double lambda0;
    switch (huso) {
        case 27: lambda0 = -21; break;
        case 28: lambda0 = -15; break;
        case 29: lambda0 = -9; break;
        case 30: lambda0 = -3; break;
        case 31: lambda0 = 3; break;
        default:
            r.estado = Estado::HusoNoCalculado;
            return r;
    }
    const Elipsoide elipsoide = ElipsoideDatum(datum);
    const double a = elipsoide.a;
    const double rf = elipsoide.rf;

    // Angles in radians, product first, then quotient.
    const double lambda = (longitud * PiDiezCifras) / 180;
    const double phi = (latitud * PiDiezCifras) / 180;
    const double lambda0r = (lambda0 * PiDiezCifras) / 180;
    const double dLambda = lambda - lambda0r;

    // Third flattening, eccentricities, rectifying radius, arc factor.
    const double n = 1 / ((rf + rf) - 1);
    const double e2 = ((rf + rf) - 1) / std::pow(rf, 2);
    const double ep2 = e2 / (1 - e2);
    const double ep4 = std::pow(ep2, 2);
    const double A = (a * std::pow(1 + std::pow(n, 2) / 8, 2)) / (1 + n);
    const double c = 1 - (3.0 / 8) * std::pow(n, 2);

    // Point quantities and the radius of curvature in the prime vertical.
    const double s = std::sin(phi);
    const double co = std::cos(phi);
    const double t = std::tan(phi);
    const double nu = a / std::pow(1 - e2 * std::pow(s, 2), 0.5);

    // Meridian arc, scaled by k0: c multiplies the whole bracket of sines.
    const double K1 = (A * (phi - c * ((((1.5 * n) * std::sin(2 * phi) -
                                         ((15.0 / 16) * std::pow(n, 2)) * std::sin(4 * phi)) +
                                        ((35.0 / 48) * std::pow(n, 3)) * std::sin(6 * phi)) -
                                       ((315.0 / 512) * std::pow(n, 4)) * std::sin(8 * phi)))) *
                      K0;

    // Series coefficients (0.4998, 0.04165 and 0.1666 are the literals
    // written for k0/2, k0/24 and k0/6).
    const double K2 = (std::pow(SegundoRadian, 2) * ((s * nu) * co)) * 0.4998;
    const double K3 = ((std::pow(SegundoRadian, 4) * ((std::pow(co, 3) * s) * nu)) * 0.04165) *
                      (((5 - std::pow(t, 2)) + (9 * ep2) * std::pow(co, 2)) + (4 * ep4) * std::pow(co, 4));
    const double K4 = ((nu * SegundoRadian) * co) * K0;
    const double K5 = (std::pow(co, 3) * ((std::pow(SegundoRadian, 3) * nu) * 0.1666)) *
                      ((1 - std::pow(t, 2)) + ep2 * std::pow(co, 2));

    // Longitude difference in units of 10 000 arc-seconds.
    const double p = SegundosPorRadian * dLambda;

    // Higher-order terms. The bracket of B5 holds + t^2 as its third term and
    // A6 divides by 120: the printed digits depend on both.
    const double B5 = (((std::pow((co * SegundoRadian) * p, 5) * nu) *
                        ((((5 - 18 * std::pow(t, 2)) + std::pow(t, 2)) + (14 * ep2) * std::pow(co, 2)) -
                         (58 * ep2) * std::pow(s, 2))) *
                       K0) /
                      120;
    const double A6 = (((((std::pow(co, 5) * s) * nu) * std::pow(p * SegundoRadian, 6)) * K0) / 120) *
                      ((((61 - 58 * std::pow(t, 2)) + std::pow(t, 4)) + (270 * ep2) * std::pow(co, 2)) -
                       (330 * ep2) * std::pow(s, 2));

    // Easting and northing, rounded to 5 decimals, ties to even, as the
    // results have always been given. Any negative latitude takes the false
    // northing; exactly 0 does not.
    double X = (std::pow(p, 3) * K5 + (K4 * p + FalsoEste)) + B5;
    double Y = (std::pow(p, 4) * K3 + (std::pow(p, 2) * K2 + K1)) + A6;
    if (latitud < 0) Y = Y + FalsoNorte;
    X = std::nearbyint(X * 1e5) / 1e5;
    Y = std::nearbyint(Y * 1e5) / 1e5;

    // Meridian convergence: arc-seconds, then degrees.
    const double C5 =
        ((2 - std::pow(t, 2)) * ((std::pow(co * SegundoRadian, 4) * (1e4 * std::pow(p, 5))) * s)) / 15;
    const double T1 = (1e4 * p) * s + C5;
    const double T3 = (std::pow(co * SegundoRadian, 2) * (1e4 * std::pow(p, 3))) * s;
    const double convergencia =
        (T1 + (T3 * ((1 + (3 * ep2) * std::pow(co, 2)) + (2 * ep4) * std::pow(co, 4))) / 3) / 3600;

    // Scale factor from the rounded easting, with a fixed fourth-order term,
    // floored to 8 decimals.
    const double q = (X - FalsoEste) / 1e6;
    const double kp =
        K0 * ((1 + ((((1e12 * std::pow(q, 2)) * (1 + ep2 * std::pow(co, 2))) / 2) / std::pow(nu, 2)) /
                       std::pow(K0, 2)) +
              std::pow(q, 4) * 0.00003);
    double k = std::floor(kp * 1e8) / 1e8;
    // Near Greenwich the published scale factors run 0.0000002 lower, in
    // whichever zone the point is given.
    if (-0.39 < longitud && longitud < 0.45) k = k - 0.0000002;

    if (!Finitos({K1, K2, K3, K4, K5, B5, A6, X, Y, convergencia, k})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.X = X;
    r.Y = Y;
    r.convergencia = convergencia;
    r.anamorfosis = k;
    return r;
}

std::int16_t HusoDeLongitud(double longitud) {
    if (!std::isfinite(longitud)) return 0;
    const double l = std::remainder(longitud, 360.0);  // in [-180, 180]
    return static_cast<std::int16_t>(std::min(60.0, std::floor((l + 180) / 6) + 1));
}

std::int16_t RedondearHuso(double valor) {
    // Nearest whole number, ties to even (the default rounding mode).
    const double r = std::nearbyint(valor);
    if (!(r >= -32768 && r <= 32767)) return 0;
    return static_cast<std::int16_t>(r);
}

}  // namespace tesmaro
