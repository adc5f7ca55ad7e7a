// The direct geodetic problem: worked cases, the mended behaviours, and the
// exact geodesic (GeographicLib) as an independent reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Geodesia.h"
#include "GeodesiaReferencia.h"

namespace tesmaro {
namespace {

using namespace prueba;

ResultadoDirecto Directo(double lat, double lon, double acimut, double s) {
    return ProblemaDirecto(Radianes(lat), Radianes(lon), acimut, s, WgsA, WgsF);
}

// The exact geodesic from A to the computed B: its length, its azimuth at A,
// and its reverse azimuth at B, in true degrees.
struct Exacta {
    double s, acimut, inverso;
};
Exacta GeodesicaHastaB(double lat, double lon, const ResultadoDirecto& r) {
    double s12, azi1, azi2;
    Wgs84().Inverse(DelPrograma(lat), DelPrograma(lon), DelPrograma(r.latitud), DelPrograma(r.longitud),
                    s12, azi1, azi2);
    return {s12, azi1, azi2 + 180};
}

TEST(ProblemaDirecto, EjemploCuarentaYCincoGrados) {
    const ResultadoDirecto r = Directo(39.5, -0.4, 45, 100000);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_GT(r.latitud, 39.5);
    EXPECT_GT(r.longitud, -0.4);
    EXPECT_GT(r.acimutInverso, 225);
    EXPECT_LT(r.acimutInverso, 226);
}

// The four diagonal azimuths: each end point in its quadrant, the mirror
// pairs on one latitude, each reverse azimuth opposite its forward azimuth.
TEST(ProblemaDirecto, CuatroCuadrantes) {
    const ResultadoDirecto ne = Directo(39.5, -0.4, 45, 100000);
    const ResultadoDirecto se = Directo(39.5, -0.4, 135, 100000);
    const ResultadoDirecto so = Directo(39.5, -0.4, 225, 100000);
    const ResultadoDirecto no = Directo(39.5, -0.4, 315, 100000);
    EXPECT_TRUE(se.latitud < 39.5 && se.longitud > -0.4);
    EXPECT_TRUE(so.latitud < 39.5 && so.longitud < -0.4);
    EXPECT_TRUE(no.latitud > 39.5 && no.longitud < -0.4);
    // Mirror images about the meridian of A: the same latitude to the
    // method's accuracy (1e-9° ≈ 0.1 mm).
    EXPECT_NEAR(se.latitud, so.latitud, 1e-9);
    EXPECT_NEAR(ne.latitud, no.latitud, 1e-9);
    EXPECT_NEAR(se.longitud + 0.4, -0.4 - so.longitud, 1e-9);
    EXPECT_NEAR(se.acimutInverso, 315, 1);
    EXPECT_NEAR(so.acimutInverso, 45, 1);
    EXPECT_NEAR(no.acimutInverso, 135, 1);
}

TEST(ProblemaDirecto, NorteYSurPorElMeridiano) {
    const ResultadoDirecto n0 = Directo(39.5, -0.4, 0, 100000);
    const ResultadoDirecto n360 = Directo(39.5, -0.4, 360, 100000);
    EXPECT_EQ(n0.latitud, n360.latitud);
    EXPECT_EQ(n0.longitud, n360.longitud);
    EXPECT_EQ(n0.longitud, (Radianes(-0.4) * 180) / PiDiezCifras);  // no longitude integral
    EXPECT_EQ(n0.acimutInverso, 180);
    EXPECT_EQ(n360.acimutInverso, 180);
    const ResultadoDirecto s = Directo(39.5, -0.4, 180, 100000);
    EXPECT_LT(s.latitud, 39.5);
    // With π = 3.141592654 the line heads 2.3e-8° east of south: the longitude
    // moves by less than 1e-9° (0.1 mm) and the reverse azimuth is 0 within
    // 1e-7°, given in [0, 360).
    EXPECT_NEAR(s.longitud, -0.4, 1e-9);
    EXPECT_LT(Separacion(s.acimutInverso, 0), 1e-7);
    EXPECT_GE(s.acimutInverso, 0);
    EXPECT_LT(s.acimutInverso, 360);
}

// A southern start point is the image of the northern problem through the
// rotation (fi, lambda) -> (-fi, -lambda), which turns azimuths by 180°.
TEST(ProblemaDirecto, ReflexionDelHemisferioSur) {
    struct Caso {
        double lat, lon, acimut;
    };
    const Caso casos[] = {{-39.5, -0.4, 45}, {-39.5, 2.1, 300}, {-10, 0, 120}, {-60, -120, 200}};
    for (const Caso& c : casos) {
        const ResultadoDirecto sur = Directo(c.lat, c.lon, c.acimut, 250000);
        const ResultadoDirecto norte = Directo(-c.lat, -c.lon, std::fmod(c.acimut + 180, 360), 250000);
        ASSERT_EQ(sur.estado, Estado::Correcto);
        // The two runs differ only in the rounding of the turned azimuth.
        EXPECT_NEAR(sur.latitud, -norte.latitud, 1e-12) << c.lat << " " << c.lon;
        EXPECT_NEAR(sur.longitud, -norte.longitud, 1e-12) << c.lat << " " << c.lon;
        EXPECT_LT(Separacion(sur.acimutInverso, norte.acimutInverso + 180), 1e-10) << c.lat << " " << c.lon;
    }
}

TEST(ProblemaDirecto, DistanciaCero) {
    const ResultadoDirecto r = Directo(40.4, -3.7, 30, 0);
    ASSERT_EQ(r.estado, Estado::Correcto);
    EXPECT_EQ(r.latitud, (Radianes(40.4) * 180) / PiDiezCifras);
    EXPECT_EQ(r.longitud, (Radianes(-3.7) * 180) / PiDiezCifras);
    EXPECT_EQ(r.acimutInverso, 210);
    EXPECT_EQ(Directo(40.4, -3.7, 250, 0).acimutInverso, 70);
    EXPECT_EQ(Directo(40.4, -3.7, -90, 0).acimutInverso, 90);
    EXPECT_EQ(Directo(-40.4, -3.7, 180, 0).acimutInverso, 0);
    EXPECT_EQ(Directo(-40.4, 3.7, 1000, 0).acimutInverso, 100);
}

// A negative distance runs the line backwards from A.
TEST(ProblemaDirecto, DistanciaNegativa) {
    const ResultadoDirecto atras = Directo(40, -3, 30, -100000);
    const ResultadoDirecto opuesto = Directo(40, -3, 210, 100000);
    EXPECT_EQ(atras.latitud, opuesto.latitud);
    EXPECT_EQ(atras.longitud, opuesto.longitud);
    EXPECT_EQ(atras.acimutInverso, opuesto.acimutInverso);
}

// Azimuths more than one turn out name the same line as their value in
// [0, 360); 405 and 765 reduce exactly to 45.
TEST(ProblemaDirecto, AcimutFueraDeUnaVuelta) {
    const ResultadoDirecto base = Directo(39.5, -0.4, 45, 100000);
    for (double acimut : {405.0, 765.0, 45.0 + 360 * 50, -315.0, -675.0}) {
        const ResultadoDirecto r = Directo(39.5, -0.4, acimut, 100000);
        ASSERT_EQ(r.estado, Estado::Correcto) << acimut;
        EXPECT_EQ(r.latitud, base.latitud) << acimut;
        EXPECT_EQ(r.longitud, base.longitud) << acimut;
        EXPECT_EQ(r.acimutInverso, base.acimutInverso) << acimut;
    }
    for (double acimut : {1e6 + 37, -1e6 - 140, 7200.0 + 270}) {
        const ResultadoDirecto r = Directo(-35, -60, acimut, 50000);
        ASSERT_EQ(r.estado, Estado::Correcto) << acimut;
        const Exacta e = GeodesicaHastaB(-35, -60, r);
        EXPECT_NEAR(e.s, 50000, 0.01) << acimut;
        EXPECT_LT(Separacion(e.acimut, DelPrograma(std::fmod(acimut, 360))), 5e-7) << acimut;
        EXPECT_LT(Separacion(r.acimutInverso, e.inverso), 5e-7) << acimut;
    }
}

// Cardinal and negative azimuths from northern, equatorial and southern start
// points, east and west of Greenwich and on it: the reverse azimuth is the
// exact one within 5e-7° (the method's accuracy; the program's π alone moves
// it by up to 2.4e-8°), always in [0, 360). The quadrant rules alone give
// values 180° off, above 360, or mirrored about the east-west line here.
TEST(ProblemaDirecto, AcimutInversoEnTodosLosCasos) {
    const double acimutes[] = {0, 90, 180, 270, 360, -90, -180, -270, -45, 200, 300, 359.9, 0.1, 89.9, 90.1};
    for (double lat : {40.0, 0.0, -40.0}) {
        for (double lon : {3.0, 0.0, -3.0}) {
            for (double acimut : acimutes) {
                for (double s : {10.0, 10000.0, 1000000.0}) {
                    const ResultadoDirecto r = Directo(lat, lon, acimut, s);
                    ASSERT_EQ(r.estado, Estado::Correcto);
                    const Exacta e = GeodesicaHastaB(lat, lon, r);
                    const auto caso = ::testing::Message() << lat << " " << lon << " " << acimut << " " << s;
                    EXPECT_GE(r.acimutInverso, 0) << caso;
                    EXPECT_LT(r.acimutInverso, 360) << caso;
                    EXPECT_NEAR(e.s, s, 0.01) << caso;
                    // A 10 m line fixes its azimuths only to some 1e-9 m / 10 m.
                    const double tolerancia = s < 1000 ? 2e-5 : 5e-7;
                    EXPECT_LT(Separacion(e.acimut, DelPrograma(std::fmod(acimut + 360, 360))), tolerancia) << caso;
                    EXPECT_LT(Separacion(r.acimutInverso, e.inverso), tolerancia) << caso;
                }
            }
        }
    }
}

// Exactly east and west, and within 1e-8° to 1e-3° of it: the line starts at
// its vertex, where the plain steps lose up to decimetres (and within 1e-8°
// of 90 run the wrong way); the end point keeps the accuracy of any line.
TEST(ProblemaDirecto, EsteYOeste) {
    const ResultadoDirecto este = Directo(40, -3, 90, 100000);
    EXPECT_GT(este.longitud, -3);
    EXPECT_GT(este.acimutInverso, 270);
    const ResultadoDirecto oeste = Directo(40, -3, 270, 100000);
    EXPECT_LT(oeste.longitud, -3);
    EXPECT_LT(oeste.acimutInverso, 90);
    for (double lat : {50.8, 0.0, -50.8, 10.0}) {
        for (double base : {90.0, 270.0}) {
            for (double d : {-1e-3, -1e-5, -1e-7, -1e-8, 0.0, 1e-8, 1e-7, 1e-5, 1e-3}) {
                for (double s : {7735.9, 100000.0, 3000000.0}) {
                    const ResultadoDirecto r = Directo(lat, -47, base + d, s);
                    ASSERT_EQ(r.estado, Estado::Correcto);
                    const Exacta e = GeodesicaHastaB(lat, -47, r);
                    const auto caso = ::testing::Message() << lat << " " << base + d << " " << s;
                    EXPECT_NEAR(e.s, s, 0.01) << caso;
                    EXPECT_LT(Separacion(e.acimut, DelPrograma(base + d)), 5e-7) << caso;
                    EXPECT_LT(Separacion(r.acimutInverso, e.inverso), 5e-7) << caso;
                }
            }
        }
    }
}

// Lines that hang a midpoint loop advanced by repeated addition (a step below
// half the spacing of doubles): they end, at the exact end point within a
// micrometre.
TEST(ProblemaDirecto, LineasQueNoAvanzan) {
    struct Caso {
        double lat, lon, acimut, s;
    };
    const Caso casos[] = {{40.4, -3.7, 30, 1e-3}, {0, 0, 90.5, 1e5}, {0, -3, 90.5, 1e5}};
    for (const Caso& c : casos) {
        const ResultadoDirecto r = Directo(c.lat, c.lon, c.acimut, c.s);
        ASSERT_EQ(r.estado, Estado::Correcto);
        double lat2, lon2, d;
        Wgs84().Direct(DelPrograma(c.lat), DelPrograma(c.lon), DelPrograma(c.acimut), c.s, lat2, lon2);
        Wgs84().Inverse(lat2, lon2, DelPrograma(r.latitud), DelPrograma(r.longitud), d);
        EXPECT_LT(d, 1e-6) << c.lat << " " << c.acimut << " " << c.s;
    }
}

// Random lines from 1 km to 3000 km, every azimuth (negative and beyond a
// turn too), both hemispheres, start points within 55° of the equator (the
// lines then stay below 82°; nearer the poles the fixed steps drift: 7e-7°
// in the reverse azimuth at 60° over 2700 km). Measured maxima: 4.5 mm,
// 1.7e-7°, 2e-7°.
TEST(ProblemaDirecto, CoincideConLaGeodesicaExacta) {
    std::mt19937_64 azar(20240613);
    std::uniform_real_distribution<> u(0, 1);
    double maxS = 0, maxA = 0, maxR = 0;
    for (int i = 0; i < 3000; ++i) {
        const double lat = -55 + 110 * u(azar), lon = -180 + 360 * u(azar);
        const double acimut = -400 + 1200 * u(azar);
        const double s = std::exp(std::log(1e3) + (std::log(3e6) - std::log(1e3)) * u(azar));
        const ResultadoDirecto r = Directo(lat, lon, acimut, s);
        ASSERT_EQ(r.estado, Estado::Correcto);
        ASSERT_GE(r.acimutInverso, 0);
        ASSERT_LT(r.acimutInverso, 360);
        const Exacta e = GeodesicaHastaB(lat, lon, r);
        maxS = std::max(maxS, std::fabs(e.s - s));
        maxA = std::max(maxA, Separacion(e.acimut, DelPrograma(std::fmod(acimut + 720, 360))));
        maxR = std::max(maxR, Separacion(r.acimutInverso, e.inverso));
    }
    EXPECT_LT(maxS, 0.01);
    EXPECT_LT(maxA, 5e-7);
    EXPECT_LT(maxR, 5e-7);
}

// Lines from 1 mm to 1 km: their azimuths are fixed only to the rounding of
// B's coordinates (some 1e-9 m over the length), so the end point itself is
// compared: within 1e-5 m of the exact one (measured 7e-6 m).
TEST(ProblemaDirecto, LineasCortas) {
    std::mt19937_64 azar(7);
    std::uniform_real_distribution<> u(0, 1);
    for (int i = 0; i < 2000; ++i) {
        const double lat = -60 + 120 * u(azar), lon = -180 + 360 * u(azar);
        const double acimut = i % 4 == 0 ? 90.0 * (i / 4 % 4) : 360 * u(azar);
        const double s = std::exp(std::log(1e-3) + (std::log(1e3) - std::log(1e-3)) * u(azar));
        const ResultadoDirecto r = Directo(lat, lon, acimut, s);
        ASSERT_EQ(r.estado, Estado::Correcto);
        double lat2, lon2, d;
        Wgs84().Direct(DelPrograma(lat), DelPrograma(lon), DelPrograma(acimut), s, lat2, lon2);
        Wgs84().Inverse(lat2, lon2, DelPrograma(r.latitud), DelPrograma(r.longitud), d);
        EXPECT_LT(d, 1e-5) << lat << " " << lon << " " << acimut << " " << s;
    }
}

TEST(ProblemaDirecto, NoFinitos) {
    const double inf = INFINITY, nan = NAN;
    EXPECT_EQ(ProblemaDirecto(nan, 0, 45, 1000, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaDirecto(0.7, inf, 45, 1000, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaDirecto(0.7, 0, nan, 1000, WgsA, WgsF).estado, Estado::NoFinito);
    EXPECT_EQ(ProblemaDirecto(0.7, 0, 45, inf, WgsA, WgsF).estado, Estado::NoFinito);
    // No ellipsoid (both parameters 0).
    EXPECT_EQ(ProblemaDirecto(0.7, 0, 45, 1000, 0, 0).estado, Estado::NoFinito);
    // Absurd lengths end with some answer or NoFinito, never a hang.
    for (double s : {1e300, 1e-300, 4e7}) {
        const ResultadoDirecto r = ProblemaDirecto(0.7, 0, 45, s, WgsA, WgsF);
        if (r.estado == Estado::Correcto) {
            EXPECT_TRUE(std::isfinite(r.latitud) && std::isfinite(r.longitud));
        }
    }
}

}  // namespace
}  // namespace tesmaro
