#include "Exacto.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>
#include <initializer_list>
#include <memory>

#include "Angulos.h"

namespace tesmaro {

namespace {

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

// The geodesic of the last ellipsoid asked for on this thread: a batch asks
// for one ellipsoid on every line, and building it costs as much as a line.
const Geodesic* GeodesicaDe(double a, double F) {
    if (!(std::isfinite(a) && std::isfinite(F) && a > 0 && F > 1)) return nullptr;
    thread_local std::unique_ptr<Geodesic> geodesica;
    thread_local double aHecho = 0, FHecho = 0;
    if (!geodesica || a != aHecho || F != FHecho) {
        geodesica = std::make_unique<Geodesic>(a, 1 / F);
        aHecho = a;
        FHecho = F;
    }
    return geodesica.get();
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
    double x = NAN, y = NAN, gamma = NAN, k = NAN;
    if (Finitos({longitud, latitud}) && std::fabs(latitud) <= 90 && std::fabs(longitud - lambda0) <= 90)
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
    if (huso != 30 && huso != 31) {
        r.estado = Estado::HusoNoCalculado;
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
    r.longitud = longitud;
    r.latitud = latitud;
    r.convergencia = gamma;
    r.anamorfosis = k;
    return r;
}

ResultadoDirecto ProblemaDirectoExacto(double fi1, double lambda1, double acimut, double distancia,
                                       double a, double F) {
    ResultadoDirecto r;
    const Geodesic* g = GeodesicaDe(a, F);
    const double latitud1 = Grados(fi1);
    if (!g || !Finitos({fi1, lambda1, acimut, distancia}) || std::fabs(latitud1) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    double latitud2, longitud2, acimut2, nada;
    g->GenDirect(latitud1, Grados(lambda1), acimut, false, distancia,
                 Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::AZIMUTH | Geodesic::LONG_UNROLL, latitud2,
                 longitud2, acimut2, nada, nada, nada, nada, nada);
    const double inverso = Reducir360(acimut2 + 180);
    if (!Finitos({latitud2, longitud2, inverso})) {
        r.estado = Estado::NoFinito;
        return r;
    }
    r.latitud = latitud2;
    r.longitud = longitud2;
    r.acimutInverso = inverso;
    return r;
}

ResultadoInverso ProblemaInversoExacto(double fi1, double lambda1, double fi2, double lambda2, double a,
                                       double F) {
    ResultadoInverso r;
    const Geodesic* g = GeodesicaDe(a, F);
    const double latitud1 = Grados(fi1), latitud2 = Grados(fi2);
    if (!g || !Finitos({fi1, lambda1, fi2, lambda2}) || std::fabs(latitud1) > 90 || std::fabs(latitud2) > 90) {
        r.estado = Estado::NoFinito;
        return r;
    }
    double s12, acimut1, acimut2;
    g->Inverse(latitud1, Grados(lambda1), latitud2, Grados(lambda2), s12, acimut1, acimut2);
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
    return exacto() > UmbralErrorUtm;
}

}  // namespace

bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum) {
    return SuperaUmbral(longitud, latitud, huso, [&] { return ErrorUtmLegado(longitud, latitud, huso, datum); });
}

bool SuperaUmbralUtmLegado(double longitud, double latitud, std::int16_t huso, Datum datum, double X, double Y) {
    return SuperaUmbral(longitud, latitud, huso, [&] {
        const ResultadoUtm r = GeodesicasAUtmExacto(longitud, latitud, huso, datum);
        return r.estado == Estado::Correcto ? std::hypot(X - r.X, Y - r.Y) : 0.0;
    });
}

}  // namespace tesmaro
