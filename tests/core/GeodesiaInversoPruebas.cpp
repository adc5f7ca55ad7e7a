// The inverse geodetic problem: worked cases, the cases it refuses, and the
// exact geodesic (GeographicLib) as an independent reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "Geodesia.h"
#include "GeodesiaReferencia.h"

namespace tesmaro {
namespace {

using namespace prueba;

ResultadoInverso Inverso(double lat1, double lon1, double lat2, double lon2) {
    return ProblemaInverso(Radianes(lat1), Radianes(lon1), Radianes(lat2), Radianes(lon2), WgsA, WgsF);
}

struct Exacta {
    double s, directo, inverso;
};
Exacta Referencia(double lat1, double lon1, double lat2, double lon2) {
    double s12, azi1, azi2;
    Wgs84().Inverse(DelPrograma(lat1), DelPrograma(lon1), DelPrograma(lat2), DelPrograma(lon2), s12, azi1,
                    azi2);
    return {s12, azi1, azi2 + 180};
}

// From A, 45° and 100 km out and back: the fixed passes return the length
// within 2 mm and both azimuths within 1e-6°.
TEST(ProblemaInverso, VueltaDelProblemaDirecto) {
    const ResultadoDirecto d = ProblemaDirecto(Radianes(39.5), Radianes(-0.4), 45, 100000, WgsA, WgsF);
    const ResultadoInverso r = ProblemaInverso(Radianes(39.5), Radianes(-0.4), Radianes(d.latitud),
                                               Radianes(d.longitud), WgsA, WgsF);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_NEAR(r.distancia, 100000, 0.002);
    EXPECT_NEAR(r.acimutDirecto, 45, 1e-6);
    EXPECT_NEAR(r.acimutInverso, d.acimutInverso, 1e-6);
}

TEST(ProblemaInverso, MismoMeridiano) {
    const Exacta e = Referencia(39.5, -0.4, 41, -0.4);
    const ResultadoInverso r = Inverso(39.5, -0.4, 41, -0.4);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_NEAR(r.distancia, e.s, 0.001);
    // The shifts of the Napier analogies lift the azimuth a few tenths of a
    // millionth of a degree above 0.
    EXPECT_GT(r.acimutDirecto, 0);
    EXPECT_LT(r.acimutDirecto, 1e-6);
    EXPECT_NEAR(r.acimutInverso, 180, 1e-6);
    const ResultadoInverso v = Inverso(41, -0.4, 39.5, -0.4);
    EXPECT_NEAR(v.distancia, r.distancia, 0.001);
    EXPECT_NEAR(v.acimutDirecto, 180, 1e-6);
    EXPECT_NEAR(v.acimutInverso, 360, 1e-6);
}

TEST(ProblemaInverso, MismoParalelo) {
    const ResultadoInverso r = Inverso(39.5, 1, 39.5, -1);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_GT(r.acimutDirecto, 270);
    EXPECT_LT(r.acimutInverso, 90);
    // Symmetric about the middle meridian; the unequal shifts leave 1e-7°.
    EXPECT_NEAR(r.acimutDirecto + r.acimutInverso, 360, 1e-7);
    EXPECT_NEAR(r.acimutDirecto - 270, 90 - r.acimutInverso, 1e-7);
}

// Two southern points are computed as their images through (fi, lambda) ->
// (-fi, -lambda): the same length, azimuths turned by 180°.
TEST(ProblemaInverso, ReflexionDelHemisferioSur) {
    struct Par {
        double lat1, lon1, lat2, lon2;
    };
    const Par pares[] = {{-39.5, -1, -40.5, 1}, {-39.5, 0, -40.5, 1}, {-20, 3, -25, -2}, {-5, -3, 0, 1}, {0, -3, -5, 1}};
    for (const Par& p : pares) {
        const ResultadoInverso sur = Inverso(p.lat1, p.lon1, p.lat2, p.lon2);
        const ResultadoInverso norte = Inverso(-p.lat1, -p.lon1, -p.lat2, -p.lon2);
        ASSERT_EQ(sur.estado, Estado::Correcto) << p.lat1 << " " << p.lon1;
        EXPECT_EQ(sur.distancia, norte.distancia) << p.lat1 << " " << p.lon1;
        // Exactly 180° apart up to the rounding of the turn.
        EXPECT_NEAR(Separacion(sur.acimutDirecto, norte.acimutDirecto), 180, 1e-12) << p.lat1;
        EXPECT_NEAR(Separacion(sur.acimutInverso, norte.acimutInverso), 180, 1e-12) << p.lat1;
    }
}

TEST(ProblemaInverso, PuntosCoincidentes) {
    for (const ResultadoInverso& r : {Inverso(40, -3, 40, -3), Inverso(-12, 7, -12, 7), Inverso(0, 5, 0, 5),
                                      // 1e-15 rad apart: the arc rounds to 0.
                                      ProblemaInverso(0.7, 0.1, 0.7 + 1e-15, 0.1, WgsA, WgsF)}) {
        EXPECT_EQ(r.estado, Estado::Correcto);
        EXPECT_EQ(r.distancia, 0);
        EXPECT_EQ(r.acimutDirecto, 0);
        EXPECT_EQ(r.acimutInverso, 0);
    }
}

// Points centimetres apart: a later pass may round the arc to nothing where
// the first did not; they are then the same point (distance 0), never a pair
// without an answer. (At this scale cos σ is quantised in steps of 1.1e-16, so
// the method answers in steps of about 9.5 m: its own result, not checked.)
TEST(ProblemaInverso, PuntosMuyCercanosSiempreTienenRespuesta) {
    int ceros = 0;
    for (int i = 0; i < 20000; ++i) {
        const double lat = 0.1 + (i % 120) * 0.01, lon = -0.2 + (i % 97) * 0.004;
        const double d = (1 + i % 13) * 1.5e-9 * ((i & 1) ? 1 : -1);  // about 1 cm to 13 cm
        const ResultadoInverso r = ProblemaInverso(lat, lon, lat + d, lon + d * (i % 3), WgsA, WgsF);
        ASSERT_EQ(r.estado, Estado::Correcto) << i;
        EXPECT_LT(r.distancia, 20.0) << i;
        if (r.distancia == 0) ++ceros;
    }
    EXPECT_GT(ceros, 0);  // the case does arise at this scale
}

TEST(ProblemaInverso, ParesQueNoSeCalculan) {
    struct Caso {
        double lat1, lon1, lat2, lon2;
        Estado estado;
    };
    const Caso casos[] = {
        {10, 0, -10, 1, Estado::HemisferiosDistintos},
        {-0.001, 0, 0.001, 0, Estado::HemisferiosDistintos},
        {0, 1, 0, 2, Estado::HemisferiosDistintos},  // both on the equator
        {10, 0, 10, 100, Estado::PuntosDemasiadoAlejados},
        {-10, 0, -10, -100, Estado::PuntosDemasiadoAlejados},
        {1, 0, 1, 91, Estado::PuntosDemasiadoAlejados},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Inverso(c.lat1, c.lon1, c.lat2, c.lon2).estado, c.estado) << c.lat1 << " " << c.lon2;
    }
    const double nan = NAN, inf = INFINITY;
    // Exactly over a pole (longitudes a true half turn apart): the longitude
    // integral misses the half turn at the pole, the second pass finds a zero
    // arc and divides by it.
    const double lat80 = 80 * std::numbers::pi / 180;
    EXPECT_EQ(ProblemaInverso(lat80, 0, lat80, std::numbers::pi, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaInverso(nan, 0, 0.5, 0, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaInverso(0.5, 0, 0.6, inf, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaInverso(0.5, 0, 0.6, 0.1, 0, 0).estado, Estado::NoFinito);
}

// Typed 180° apart, the program's π puts the line 2.3e-8° beside the pole:
// the passes follow it within a few millimetres (measured 2.7 mm).
TEST(ProblemaInverso, JuntoAlPolo) {
    const ResultadoInverso r = Inverso(80, 0, 80, 180);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_NEAR(r.distancia, Referencia(80, 0, 80, 180).s, 0.005);
}

// A point on the equator goes with a point of either hemisphere, as first or
// second point, and -0 is the equator.
TEST(ProblemaInverso, UnPuntoEnElEcuador) {
    struct Par {
        double lat1, lon1, lat2, lon2;
    };
    const Par pares[] = {{0, 0, 1, 1},   {1, 1, 0, 0},   {0, 0, -1, 1},   {-1, 1, 0, 0},    {10, 0, 0, 3},
                         {0, 3, 10, 0},  {10, 0, 0, 0},  {-10, 0, 0, 0},  {0, 0, -10, 0},   {-0.0, 2, 5, 4},
                         {5, 4, -0.0, 2}, {-5, 4, -0.0, 2}, {0, -3, 0.5, -2}, {30, 20, 0, 35}, {-30, -20, 0, -5}};
    for (const Par& p : pares) {
        const ResultadoInverso r = Inverso(p.lat1, p.lon1, p.lat2, p.lon2);
        ASSERT_EQ(r.estado, Estado::Correcto) << p.lat1 << " " << p.lat2;
        const Exacta e = Referencia(p.lat1, p.lon1, p.lat2, p.lon2);
        // Lines of 100 to 3900 km: the method's accuracy at that length.
        EXPECT_NEAR(r.distancia, e.s, 0.05) << p.lat1 << " " << p.lon1 << " " << p.lat2 << " " << p.lon2;
        EXPECT_LT(Separacion(DelPrograma(r.acimutDirecto), e.directo), 5e-6) << p.lat1 << " " << p.lat2;
        EXPECT_LT(Separacion(DelPrograma(r.acimutInverso), e.inverso), 5e-6) << p.lat1 << " " << p.lat2;
    }
}

// Random pairs in one hemisphere, both within 60° of the equator (nearer the
// poles, lines that pass close to a pole leave the method's accuracy), for
// each length the bound the fixed passes keep. The shifts of the Napier
// analogies dominate at 10 km. Measured maxima: 3.7 cm and 7.4e-5° at 10 km;
// 8 mm and 1.7e-6° at 100 km; 14 cm and 2.3e-6° at 3000 km.
TEST(ProblemaInverso, CoincideConLaGeodesicaExacta) {
    struct Banda {
        double longitud, distancia, acimut;
    };
    const Banda bandas[] = {{10e3, 0.05, 1e-4}, {100e3, 0.01, 1e-5}, {3000e3, 0.5, 5e-5}};
    std::mt19937_64 azar(42);
    std::uniform_real_distribution<> u(0, 1);
    for (const Banda& banda : bandas) {
        int probados = 0;
        double maxS = 0, maxA = 0;
        while (probados < 1500) {
            const double lat = -60 + 120 * u(azar), lon = -180 + 360 * u(azar);
            const double acimut = probados % 20 == 0 ? 90.0 * (probados / 20 % 4) : 360 * u(azar);
            double lat2, lon2;
            Wgs84().Direct(lat, lon, acimut, banda.longitud, lat2, lon2);
            if ((lat < 0) != (lat2 < 0) || std::fabs(lat2) > 60) {
                continue;
            }
            ++probados;
            // True degrees into the program's radians.
            const auto rad = [](double g) { return g * std::numbers::pi / 180; };
            const ResultadoInverso r = ProblemaInverso(rad(lat), rad(lon), rad(lat2), rad(lon2), WgsA, WgsF);
            ASSERT_EQ(r.estado, Estado::Correcto) << lat << " " << lat2;
            double s12, azi1, azi2;
            Wgs84().Inverse(lat, lon, lat2, lon2, s12, azi1, azi2);
            maxS = std::max(maxS, std::fabs(r.distancia - s12));
            maxA = std::max({maxA, Separacion(DelPrograma(r.acimutDirecto), azi1),
                             Separacion(DelPrograma(r.acimutInverso), azi2 + 180)});
            EXPECT_GE(r.acimutDirecto, 0);
            EXPECT_LE(r.acimutDirecto, 360);
            EXPECT_GE(r.acimutInverso, 0);
            EXPECT_LE(r.acimutInverso, 360);
        }
        EXPECT_LT(maxS, banda.distancia) << banda.longitud;
        EXPECT_LT(maxA, banda.acimut) << banda.longitud;
    }
}

}  // namespace
}  // namespace tesmaro
