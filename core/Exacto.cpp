#include "Exacto.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>

#include "Angulos.h"

namespace tesmaro {

namespace {

using GeographicLib::Geocentric;
using GeographicLib::Geodesic;
using GeographicLib::TransverseMercator;

constexpr double K0 = 0.9996;
constexpr double FalsoEste = 500000;
constexpr double FalsoNorte = 10000000;

// The projection of each datum, built once (its methods are const and
// thread-safe).
const TransverseMercator& Proyeccion(Datum datum) {
    static const TransverseMercator etrs89(ElipsoideDatum(Datum::ETRS89).a, 1 / ElipsoideDatum(Datum::ETRS89).rf, K0);
    static const TransverseMercator ed50(ElipsoideDatum(Datum::ED50).a, 1 / ElipsoideDatum(Datum::ED50).rf, K0);
    return datum == Datum::ED50 ? ed50 : etrs89;
}

// Central meridian of zones 27 to 31; NaN for any other zone.
double MeridianoCentral(std::int16_t huso) {
    return huso >= 27 && huso <= 31 ? 6.0 * huso - 183 : NAN;
}

// Half the width of the projection's domain (metres from the central
// meridian), and the same forwards as a bound on cos φ · sin Δλ: there the
// easting of the sphere of radius a, k0 · a · atanh(cos φ · sin Δλ), is about
// 10 000 km (tanh(10 000 km / (k0 · 6 378 388 m)) = 0.91665).
constexpr double SemianchoDominio = 10000000;
constexpr double MaximoDominio = 0.9167;

// The object of the last ellipsoid asked for on this thread (a Geodesic or a
// Geocentric): a batch asks for one ellipsoid on every line, and building it
// costs as much as a line. Null for an ellipsoid without a > 0 and F > 1.
template <class Clase>
const Clase* DelElipsoide(double a, double F) {
    if (!(std::isfinite(a) && std::isfinite(F) && a > 0 && F > 1)) return nullptr;
    thread_local std::unique_ptr<Clase> objeto;
    thread_local double aHecho = 0, FHecho = 0;
    if (!objeto || a != aHecho || F != FHecho) {
        objeto = std::make_unique<Clase>(a, 1 / F);
        aHecho = a;
        FHecho = F;
    }
    return objeto.get();
}

// Radians as the windows and batches form them (π = PiDiezCifras) back to
// the degrees they came from.
double Grados(double radianes) { return (radianes * 180) / PiDiezCifras; }

double Reducir360(double x) {
    x = std::fmod(x, 360.0);
    if (x < 0) x += 360;
    return x >= 360 ? x - 360 : x;
}

}  // namespace

ResultadoUtm GeodesicasAUtmExacto(double longitud, double latitud, std::int16_t huso, Datum datum) {
    ResultadoUtm r;
    const double lambda0 = MeridianoCentral(huso);
    if (std::isnan(lambda0)) {
        r.estado = Estado::HusoNoCalculado;
        return r;
    }
    if (!Finitos({longitud, latitud}) || std::fabs(latitud) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    const double dLambda = std::remainder(longitud - lambda0, 360.0);
    if (!(std::fabs(dLambda) <= 90 && std::cos(latitud * std::numbers::pi / 180) *
                                              std::sin(std::fabs(dLambda) * std::numbers::pi / 180) <=
                                          MaximoDominio)) {
        r.estado = Estado::FueraDelDominio;
        return r;
    }
    double x, y, gamma, k;
    Proyeccion(datum).Forward(lambda0, latitud, longitud, x, y, gamma, k);
    double X = x + FalsoEste;
    double Y = latitud < 0 ? y + FalsoNorte : y;
    X = std::nearbyint(X * 1e5) / 1e5;
    Y = std::nearbyint(Y * 1e5) / 1e5;
    if (!Finitos({X, Y, gamma, k})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.X = X;
    r.Y = Y;
    r.convergencia = gamma;
    r.anamorfosis = k;
    return r;
}

ResultadoGeodesicas UtmAGeodesicasExacto(double X, double Y, std::int16_t huso, bool sur, bool,
                                         Datum datum) {
    ResultadoGeodesicas r;
    if (std::isnan(MeridianoCentral(huso))) {
        r.estado = Estado::HusoNoCalculado;
        return r;
    }
    if (std::fabs(X - FalsoEste) > SemianchoDominio) {
        r.estado = Estado::FueraDelDominio;
        return r;
    }
    double latitud = NAN, longitud = NAN, gamma = NAN, k = NAN;
    if (Finitos({X, Y}))
        Proyeccion(datum).Reverse(MeridianoCentral(huso), X - FalsoEste, sur ? Y - FalsoNorte : Y, latitud,
                                  longitud, gamma, k);
    if (!Finitos({longitud, latitud, gamma, k})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.longitud = Longitud180(longitud);
    r.latitud = latitud;
    r.convergencia = gamma;
    r.anamorfosis = k;
    return r;
}

ResultadoDirecto ProblemaDirectoExactoGrados(double latitud, double longitud, double acimut,
                                             double distancia, double a, double F) {
    ResultadoDirecto r;
    const Geodesic* g = DelElipsoide<Geodesic>(a, F);
    if (!g || !Finitos({latitud, longitud, acimut, distancia}) || std::fabs(latitud) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    double latitud2, longitud2, acimut2, nada;
    // Unrolled, then brought into (-180, 180] once, from the longitude given.
    g->GenDirect(latitud, longitud, acimut, false, distancia,
                 Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::AZIMUTH | Geodesic::LONG_UNROLL, latitud2,
                 longitud2, acimut2, nada, nada, nada, nada, nada);
    const double inverso = Reducir360(acimut2 + 180);
    longitud2 = Longitud180(longitud2);
    if (!Finitos({latitud2, longitud2, inverso})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.latitud = latitud2;
    r.longitud = longitud2;
    r.acimutInverso = inverso;
    return r;
}

ResultadoInverso ProblemaInversoExactoGrados(double latitud1, double longitud1, double latitud2,
                                             double longitud2, double a, double F) {
    ResultadoInverso r;
    const Geodesic* g = DelElipsoide<Geodesic>(a, F);
    if (!g || !Finitos({latitud1, longitud1, latitud2, longitud2}) || std::fabs(latitud1) > 90 ||
        std::fabs(latitud2) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    double s12, acimut1, acimut2;
    g->Inverse(latitud1, longitud1, latitud2, longitud2, s12, acimut1, acimut2);
    if (!Finitos({s12, acimut1, acimut2})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    if (s12 == 0) return r;  // coincident: distance and azimuths 0
    r.distancia = s12;
    r.acimutDirecto = Reducir360(acimut1);
    r.acimutInverso = Reducir360(acimut2 + 180);
    return r;
}

ResultadoDirecto ProblemaDirectoExacto(double fi1, double lambda1, double acimut, double distancia,
                                       double a, double F) {
    return ProblemaDirectoExactoGrados(Grados(fi1), Grados(lambda1), acimut, distancia, a, F);
}

ResultadoInverso ProblemaInversoExacto(double fi1, double lambda1, double fi2, double lambda2, double a,
                                       double F) {
    return ProblemaInversoExactoGrados(Grados(fi1), Grados(lambda1), Grados(fi2), Grados(lambda2), a, F);
}

ResultadoCartesianas GeoCartExacto(double latitud, double longitud, double h, double a, double rf) {
    ResultadoCartesianas r;
    const Geocentric* g = DelElipsoide<Geocentric>(a, rf);
    if (!g || !Finitos({latitud, longitud, h}) || std::fabs(latitud) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    g->Forward(latitud, longitud, h, r.X, r.Y, r.Z);
    if (!Finitos({r.X, r.Y, r.Z})) return {Estado::NoFinito, 0, 0, 0};
    return r;
}

ResultadoGeograficasGrados CartGeoExacto(double X, double Y, double Z, double a, double rf) {
    ResultadoGeograficasGrados r;
    const Geocentric* g = DelElipsoide<Geocentric>(a, rf);
    // The centre of the Earth has no latitude.
    if (!g || !Finitos({X, Y, Z}) || (X == 0 && Y == 0 && Z == 0)) {
        r.estado = Estado::NoFinito;
        return r;
    }
    g->Reverse(X, Y, Z, r.latitud, r.longitud, r.h);
    r.longitud = Longitud180(r.longitud);
    if (!Finitos({r.latitud, r.longitud, r.h})) return {Estado::NoFinito, 0, 0, 0};
    return r;
}

double ErrorUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum) {
    const ResultadoUtm legado = GeodesicasAUtm(longitud, latitud, huso, datum);
    const ResultadoUtm exacto = GeodesicasAUtmExacto(longitud, latitud, huso, datum);
    if (legado.estado != Estado::Correcto || exacto.estado != Estado::Correcto) return NAN;
    return std::hypot(legado.X - exacto.X, legado.Y - exacto.Y);
}

namespace {

// How far from the central meridian (degrees of longitude) the legacy series
// start to err by more than 1 cm, per 2° band of |latitude| (0–2°, 2–4°, …,
// 82–84°): the least and the greatest over the band. Measured against the
// exact projection every 0.05° of latitude and 0.002° of longitude, both
// datums, both sides of the meridian; within a band the error grows with the
// distance from the meridian.
constexpr double BandasUmbral[42][2] = {
    {3.924, 5.876}, {3.502, 3.924}, {3.284, 3.502}, {3.146, 3.284}, {3.050, 3.146}, {2.982, 3.050},
    {2.934, 2.982}, {2.900, 2.934}, {2.880, 2.900}, {2.872, 2.880}, {2.872, 2.874}, {2.874, 2.888},
    {2.888, 2.910}, {2.910, 2.946}, {2.946, 2.992}, {2.992, 3.054}, {3.054, 3.134}, {3.134, 3.238},
    {3.236, 3.374}, {3.374, 3.562}, {3.562, 3.848}, {3.848, 4.386}, {4.386, 9.588}, {4.444, 7.218},
    {4.020, 4.444}, {3.804, 4.020}, {3.672, 3.804}, {3.584, 3.672}, {3.524, 3.584}, {3.484, 3.524},
    {3.456, 3.484}, {3.440, 3.456}, {3.432, 3.440}, {3.432, 3.436}, {3.436, 3.448}, {3.448, 3.472},
    {3.472, 3.508}, {3.508, 3.560}, {3.560, 3.632}, {3.632, 3.734}, {3.732, 3.872}, {3.872, 4.074},
};

// Whether the legacy error at the point is over 1 cm: the table decides away
// from its edges (a margin of 0.01° for what falls between the samples), the
// exact projection (`exacto`) near them.
template <class Exacto>
bool SuperaUmbral(double longitud, double latitud, std::int16_t huso, Exacto&& exacto) {
    constexpr double Margen = 0.01;  // degrees
    const double distancia = std::fabs(longitud - (6.0 * huso - 183.0));
    const double a = std::fabs(latitud);
    if (a < 84) {
        const double* banda = BandasUmbral[static_cast<int>(a / 2)];
        if (distancia < banda[0] - Margen) return false;
        if (distancia > banda[1] + Margen) return true;
    }
    // Where the exact method refuses the point the legacy result is far off.
    return !(exacto() <= UmbralErrorUtm);
}

}  // namespace

bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum) {
    return SuperaUmbral(longitud, latitud, huso, [&] { return ErrorUtmLegado(longitud, latitud, huso, datum); });
}

bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum, double X, double Y) {
    return SuperaUmbral(longitud, latitud, huso, [&] {
        const ResultadoUtm r = GeodesicasAUtmExacto(longitud, latitud, huso, datum);
        return r.estado == Estado::Correcto ? std::hypot(X - r.X, Y - r.Y) : NAN;
    });
}

}  // namespace tesmaro

namespace tesmaro {

double ErrorUtmAGeodesicasLegado(double X, double Y, std::int16_t huso, bool sur, Datum datum) {
    const ResultadoGeodesicas legado = detalle::SerieUtmAGeodesicas(X, Y, huso, sur, datum);
    const ResultadoGeodesicas exacto = UtmAGeodesicasExacto(X, Y, huso, sur, false, datum);
    if (legado.estado != Estado::Correcto || exacto.estado != Estado::Correcto) return NAN;
    // Metres per radian along the meridian (M) and along the parallel (N cos φ)
    // at the exact point: the distance to 1e-6 of itself for any error that
    // matters here.
    const Elipsoide e = ElipsoideDatum(datum);
    const double e2 = (2 * e.rf - 1) / (e.rf * e.rf);
    const double fi = exacto.latitud * std::numbers::pi / 180;
    const double w = 1 - e2 * std::sin(fi) * std::sin(fi);
    const double N = e.a / std::sqrt(w);
    const double M = N * (1 - e2) / w;
    const double dFi = (legado.latitud - exacto.latitud) * std::numbers::pi / 180;
    const double dLambda = std::remainder(legado.longitud - exacto.longitud, 360.0) * std::numbers::pi / 180;
    return std::hypot(M * dFi, N * std::cos(fi) * dLambda);
}

namespace {

// How far from the central meridian (km of |X - 500000|) the legacy series of
// UtmAGeodesicas first errs by more than 1 cm and by more than 1 m, at the
// northings (km from the equator) 0, 1000, ..., 10000. Measured against the
// exact method every 500 m of easting, both datums, both sides of the
// meridian. Between rows the distance falls faster than linearly (the
// interpolation stays below it); past 10 000 km (the pole) it is 0.
constexpr double CotasSerie[11][2] = {
    {660.5, 1277.5}, {637.5, 1232}, {583, 1127}, {518.5, 1001.5}, {451.5, 871.5}, {383.5, 740.5},
    {315, 608.5},    {245, 473.5},  {172.5, 333.5}, {95, 183.5},  {0, 0},
};

// Whether the legacy error exceeds the threshold of column `columna` (0: 1 cm,
// 1: 1 m): below the interpolated distance less 5 km (what falls between the
// samples) it does not; elsewhere it is computed.
bool SuperaCota(double X, double Y, std::int16_t huso, bool sur, Datum datum, int columna) {
    constexpr double Margen = 5;  // km
    const double norte = std::fabs(sur ? FalsoNorte - Y : Y) / 1e6;  // thousands of km
    const double distancia = std::fabs(X - FalsoEste) / 1e3;          // km
    if (norte < 10) {
        const int i = static_cast<int>(norte);
        const double t = norte - i;
        const double cota = CotasSerie[i][columna] + t * (CotasSerie[i + 1][columna] - CotasSerie[i][columna]);
        if (distancia < cota - Margen) return false;
    }
    const double umbral = columna == 0 ? UmbralErrorUtm : UmbralSerieNoFiable;
    return !(ErrorUtmAGeodesicasLegado(X, Y, huso, sur, datum) <= umbral);
}

}  // namespace

bool SuperaUmbralUtmAGeodesicasLegado(double X, double Y, std::int16_t huso, bool sur, Datum datum) {
    return SuperaCota(X, Y, huso, sur, datum, 0);
}

bool SerieUtmAGeodesicasNoFiable(double X, double Y, std::int16_t huso, bool sur, Datum datum) {
    return SuperaCota(X, Y, huso, sur, datum, 1);
}

}  // namespace tesmaro
