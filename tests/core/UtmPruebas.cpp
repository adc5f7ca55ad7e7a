// UTM <-> geographic on ED50 and ETRS89: the edge cases of both directions,
// a cross-check against PROJ's exact transverse Mercator, round trips, and
// pinned results.
#include <gtest/gtest.h>

#include <proj.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "Texto.h"
#include "Utm.h"

namespace tesmaro {
namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
const Datum Datums[] = {Datum::ETRS89, Datum::ED50};

const char* Nombre(Datum d) { return d == Datum::ED50 ? "ED50" : "ETRS89"; }

// ---------------------------------------------------------------- geographic to UTM

TEST(GeodesicasAUtm, SobreElMeridianoCentral) {
    for (Datum d : Datums) {
        for (int huso = 27; huso <= 31; ++huso) {
            const double lambda0 = -183 + 6 * huso;
            const ResultadoUtm r = GeodesicasAUtm(lambda0, 40, static_cast<std::int16_t>(huso), d);
            ASSERT_EQ(r.estado, Estado::Correcto);
            EXPECT_EQ(r.X, 500000) << huso << Nombre(d);
            EXPECT_EQ(r.convergencia, 0) << huso;
            EXPECT_EQ(r.anamorfosis, 0.9996) << huso;  // zone 31 at 3° E lies outside the Greenwich band
            // South: the same northing counted from the false northing, to
            // the rounding of 5 decimals.
            const ResultadoUtm sur = GeodesicasAUtm(lambda0, -40, static_cast<std::int16_t>(huso), d);
            EXPECT_NEAR(sur.Y, 10000000 - r.Y, 1e-5) << huso;
        }
    }
}

TEST(GeodesicasAUtm, BandaDeGreenwich) {
    // The scale factor runs 0.0000002 lower for -0.39 < longitude < 0.45, in
    // either zone. Compared with the point a hair outside the band, whose
    // series value differs from it by far less than 1e-8.
    struct Caso {
        double dentro, fuera;
        std::int16_t huso;
    };
    const Caso casos[] = {
        {-0.39 + 1e-9, -0.39, 30}, {0.45 - 1e-9, 0.45, 30}, {-0.39 + 1e-9, -0.39, 31}, {0.45 - 1e-9, 0.45, 31},
    };
    for (Datum d : Datums) {
        for (const Caso& c : casos) {
            for (double lat : {36.3, 39.0, 42.7}) {
                const double kDentro = GeodesicasAUtm(c.dentro, lat, c.huso, d).anamorfosis;
                const double kFuera = GeodesicasAUtm(c.fuera, lat, c.huso, d).anamorfosis;
                // The floor to 8 decimals may move either by one unit.
                EXPECT_NEAR(kFuera - kDentro, 0.0000002, 1.5e-8) << c.dentro << " " << lat;
            }
        }
    }
}

// The exact transverse Mercator of PROJ on the datum's ellipsoid.
class Proyeccion {
public:
    Proyeccion(int huso, Datum d) {
        contexto_ = proj_context_create();
        char def[80];
        std::snprintf(def, sizeof(def), "+proj=utm +zone=%d +ellps=%s", huso, d == Datum::ED50 ? "intl" : "GRS80");
        pj_ = proj_create(contexto_, def);
    }
    ~Proyeccion() {
        proj_destroy(pj_);
        proj_context_destroy(contexto_);
    }
    bool Valida() const { return pj_ != nullptr; }
    PJ_COORD Directa(double lon, double lat) const {
        return proj_trans(pj_, PJ_FWD, proj_coord(lon * M_PI / 180, lat * M_PI / 180, 0, 0));
    }
    PJ_FACTORS Factores(double lon, double lat) const {
        return proj_factors(pj_, proj_coord(lon * M_PI / 180, lat * M_PI / 180, 0, 0));
    }

private:
    PJ_CONTEXT* contexto_;
    PJ* pj_;
};

TEST(GeodesicasAUtm, ComoProjDentroDelHuso) {
    // Some 17 000 points within 3° of the central meridian, latitudes 27° to
    // 44°, zones 27 to 31, both datums.
    int puntos = 0;
    for (Datum d : Datums) {
        for (int huso = 27; huso <= 31; ++huso) {
            const Proyeccion proj(huso, d);
            ASSERT_TRUE(proj.Valida());
            const double lambda0 = -183 + 6 * huso;
            for (double lat = 27; lat <= 44.0001; lat += 0.25) {
                for (double dl = -3; dl <= 3.0001; dl += 0.25) {
                    const double lon = lambda0 + dl;
                    const ResultadoUtm r = GeodesicasAUtm(lon, lat, static_cast<std::int16_t>(huso), d);
                    ASSERT_EQ(r.estado, Estado::Correcto);
                    const PJ_COORD ref = proj.Directa(lon, lat);
                    const PJ_FACTORS f = proj.Factores(lon, lat);
                    const std::string donde = std::to_string(lon) + " " + std::to_string(lat) + " " + Nombre(d);
                    // The truncated series (and π to ten digits, 0.6 mm at
                    // most) stay within 3 mm in X and 12 mm in Y of the exact
                    // projection this far out.
                    EXPECT_NEAR(r.X, ref.xy.x, 0.003) << donde;
                    EXPECT_NEAR(r.Y, ref.xy.y, 0.012) << donde;
                    // Convergence series: within 1e-7° (0.4 mas measured 0.1 mas).
                    EXPECT_NEAR(r.convergencia, f.meridian_convergence * 180 / M_PI, 1e-7) << donde;
                    // Scale factor: floored to 8 decimals and a fixed
                    // fourth-order term, within 5e-8 of the exact value once
                    // the Greenwich band is added back (measured 3.7e-8); this
                    // is finer than the band's 2e-7, so the band shows.
                    const double banda = (-0.39 < lon && lon < 0.45) ? 0.0000002 : 0;
                    EXPECT_NEAR(r.anamorfosis + banda, f.meridional_scale, 5e-8) << donde;
                    ++puntos;
                }
            }
        }
    }
    EXPECT_GT(puntos, 10000);
}

TEST(GeodesicasAUtm, Ecuador) {
    for (Datum d : Datums) {
        const ResultadoUtm cero = GeodesicasAUtm(-4, 0, 30, d);
        EXPECT_EQ(cero.Y, 0);  // no false northing at exactly 0
        const ResultadoUtm menosCero = GeodesicasAUtm(-4, -0.0, 30, d);
        EXPECT_EQ(menosCero.Y, 0);
        for (double lat : {-1e-9, -1e-300}) {
            const ResultadoUtm r = GeodesicasAUtm(-4, lat, 30, d);
            EXPECT_GT(r.Y, 9999999.99) << lat;  // false northing added, however small
            EXPECT_LE(r.Y, 10000000) << lat;
        }
    }
}

TEST(GeodesicasAUtm, HusosFueraDeTabla) {
    for (std::int16_t huso : {std::int16_t(26), std::int16_t(32), std::int16_t(0), std::int16_t(-30)})
        EXPECT_EQ(GeodesicasAUtm(-3, 40, huso, Datum::ETRS89).estado, Estado::HusoNoCalculado) << huso;
}

TEST(GeodesicasAUtm, LejosDelHusoSeCalculaIgual) {
    // Several zones away the series degrades but still answers.
    const ResultadoUtm r = GeodesicasAUtm(25, 40, 30, Datum::ED50);
    EXPECT_EQ(r.estado, Estado::Correcto);
    EXPECT_TRUE(std::isfinite(r.X) && std::isfinite(r.Y));
}

TEST(GeodesicasAUtm, NoFinito) {
    for (double lon : {Nan, 1e300, -1e300, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(GeodesicasAUtm(lon, 40, 30, Datum::ETRS89).estado, Estado::NoFinito) << lon;
    EXPECT_EQ(GeodesicasAUtm(-3, Nan, 30, Datum::ED50).estado, Estado::NoFinito);
}

// ---------------------------------------------------------------- UTM to geographic

TEST(UtmAGeodesicas, BandasDelHuso30) {
    // Each threshold is the scale factor 3° from the central meridian (at
    // Greenwich) at the band's upper latitude, within 1e-7 on either datum:
    // a check of the table's digits against the exact projection.
    for (Datum d : Datums) {
        const Proyeccion proj(30, d);
        ASSERT_TRUE(proj.Valida());
        double anterior = 37;
        for (const BandaHuso30& b : BandasHuso30) {
            EXPECT_EQ(b.inferior, anterior);  // contiguous bands
            anterior = b.superior;
            EXPECT_NEAR(b.umbral, proj.Factores(0, b.superior).meridional_scale, 1e-7) << b.superior;
        }
        EXPECT_EQ(anterior, 41);
    }
}

TEST(UtmAGeodesicas, SobreElMeridianoCentral) {
    for (Datum d : Datums) {
        const ResultadoGeodesicas h30 = UtmAGeodesicas(500000, 4400000, 30, false, false, d);
        EXPECT_EQ(h30.longitud, -3);
        EXPECT_EQ(h30.convergencia, 0);
        EXPECT_EQ(h30.anamorfosis, 0.9996);
        const ResultadoGeodesicas h31 = UtmAGeodesicas(500000, 4400000, 31, false, false, d);
        EXPECT_EQ(h31.longitud, 3);
        EXPECT_EQ(h31.convergencia, 0);
        EXPECT_EQ(h31.anamorfosis, 0.9996);
        EXPECT_EQ(h30.latitud, h31.latitud);
    }
}

TEST(UtmAGeodesicas, HusosNoCalculados) {
    for (std::int16_t huso : {std::int16_t(29), std::int16_t(32), std::int16_t(27), std::int16_t(0)})
        EXPECT_EQ(UtmAGeodesicas(440000, 4472000, huso, false, false, Datum::ETRS89).estado,
                  Estado::HusoNoCalculado)
            << huso;
}

TEST(UtmAGeodesicas, ConvergenciaEnMilesimasDeSegundo) {
    // The convergence is truncated to whole thousandths of an arc-second:
    // shown with six decimals of a second, the last three are zeros.
    for (Datum d : Datums) {
        for (double x : {275000.0, 310000.0, 444444.4, 612345.6, 725000.0}) {
            for (std::int16_t huso : {std::int16_t(30), std::int16_t(31)}) {
                const ResultadoGeodesicas r = UtmAGeodesicas(x, 4321987.6, huso, false, false, d);
                const std::string texto = FormatoSexagesimal(r.convergencia, "Conver1");
                ASSERT_GE(texto.size(), 5u);
                EXPECT_EQ(texto.substr(texto.size() - 5), "000''") << texto;
            }
        }
    }
}

TEST(UtmAGeodesicas, Huso31AlOesteDelMeridiano) {
    for (Datum d : Datums) {
        const ResultadoGeodesicas r = UtmAGeodesicas(420000, 4600000, 31, false, false, d);
        EXPECT_GT(r.longitud, 0);
        EXPECT_LT(r.longitud, 3);
        EXPECT_LT(r.convergencia, 0);
    }
}

TEST(UtmAGeodesicas, Huso30AlEsteDeGreenwich) {
    // 290 km east of the central meridian at 40° N lies at about 0.4° E.
    for (Datum d : Datums) {
        const ResultadoGeodesicas sin = UtmAGeodesicas(790000, 4430000, 30, false, false, d);
        const ResultadoGeodesicas con = UtmAGeodesicas(790000, 4430000, 30, false, true, d);
        EXPECT_LT(sin.longitud, 0);
        EXPECT_EQ(con.longitud, -sin.longitud);
        EXPECT_EQ(con.latitud, sin.latitud);
        EXPECT_GT(sin.convergencia, 0);
    }
}

TEST(UtmAGeodesicas, HemisferioSur) {
    for (Datum d : Datums) {
        for (std::int16_t huso : {std::int16_t(30), std::int16_t(31)}) {
            for (double y : {9990000.0, 7500000.0, 5600000.0}) {
                const ResultadoGeodesicas sur = UtmAGeodesicas(612345, y, huso, true, false, d);
                const ResultadoGeodesicas norte = UtmAGeodesicas(612345, 10000000 - y, huso, false, false, d);
                EXPECT_EQ(sur.latitud, -norte.latitud) << y;
                EXPECT_EQ(sur.longitud, norte.longitud) << y;
                EXPECT_EQ(std::fabs(sur.convergencia), std::fabs(norte.convergencia)) << y;
                EXPECT_EQ(sur.anamorfosis, norte.anamorfosis) << y;
            }
        }
    }
}

TEST(UtmAGeodesicas, VueltaDeGeodesicasAUtm) {
    // Within 3° of the central meridian of zones 30 and 31, latitudes 36° to
    // 44°: back to the start within 1e-7° (the two truncated series agree to
    // 6e-8° measured, about 6 mm).
    for (Datum d : Datums) {
        for (std::int16_t huso : {std::int16_t(30), std::int16_t(31)}) {
            const double lambda0 = huso == 30 ? -3 : 3;
            for (double lat = 36; lat <= 44.0001; lat += 0.2) {
                for (double dl = -3; dl <= 3.0001; dl += 0.2) {
                    const double lon = lambda0 + dl;
                    const ResultadoUtm u = GeodesicasAUtm(lon, lat, huso, d);
                    const ResultadoGeodesicas g = UtmAGeodesicas(u.X, u.Y, huso, false, false, d);
                    ASSERT_EQ(g.estado, Estado::Correcto);
                    const std::string donde = std::to_string(lon) + " " + std::to_string(lat) + " " + Nombre(d);
                    EXPECT_NEAR(g.longitud, lon, 1e-7) << donde;
                    EXPECT_NEAR(g.latitud, lat, 1e-7) << donde;
                    // Truncation to 0.001″ (2.8e-7°) plus the series' difference.
                    EXPECT_NEAR(g.convergencia, u.convergencia, 3.5e-7) << donde;
                    // Both floored to 8 decimals; the band correction added back.
                    const double banda = (-0.39 < lon && lon < 0.45) ? 0.0000002 : 0;
                    EXPECT_NEAR(g.anamorfosis, u.anamorfosis + banda, 2e-8) << donde;
                }
            }
        }
    }
}

TEST(UtmAGeodesicas, Huso30ExtendidoVuelve) {
    // East of Greenwich in extended zone 30 the series degrades: 1e-6° at
    // 2° E (measured 6e-7°).
    for (Datum d : Datums) {
        for (double lon : {0.1, 0.5, 1.0, 1.5, 2.0}) {
            for (double lat : {38.0, 40.0, 42.0}) {
                const ResultadoUtm u = GeodesicasAUtm(lon, lat, 30, d);
                const ResultadoGeodesicas g = UtmAGeodesicas(u.X, u.Y, 30, false, true, d);
                EXPECT_NEAR(g.longitud, lon, 1e-6) << lon << " " << lat;
                EXPECT_NEAR(g.latitud, lat, 1e-6) << lon << " " << lat;
                const ResultadoGeodesicas sin = UtmAGeodesicas(u.X, u.Y, 30, false, false, d);
                EXPECT_EQ(sin.longitud, -g.longitud);
            }
        }
    }
}

TEST(UtmAGeodesicas, NoFinito) {
    EXPECT_EQ(UtmAGeodesicas(Nan, 4400000, 30, false, false, Datum::ETRS89).estado, Estado::NoFinito);
    EXPECT_EQ(UtmAGeodesicas(500000, Nan, 31, false, false, Datum::ED50).estado, Estado::NoFinito);
    EXPECT_EQ(UtmAGeodesicas(1e300, 4400000, 30, false, false, Datum::ETRS89).estado, Estado::NoFinito);
    EXPECT_EQ(UtmAGeodesicas(-1e300, 4400000, 31, true, false, Datum::ETRS89).estado, Estado::NoFinito);
}

// ---------------------------------------------------------------- zone numbers

TEST(RedondearHuso, AlParMasCercano) {
    struct Caso {
        double valor;
        std::int16_t huso;
    };
    const Caso casos[] = {
        {30, 30},       {30.4, 30},     {30.5, 30},  {31.5, 32},     {29.5, 30},         {30.6, 31},
        {-0.5, 0},      {-1.5, -2},     {32767.4, 32767}, {-32768.4, -32768}, {32767.5, 0}, {1e10, 0},
        {-1e10, 0},     {Nan, 0},       {std::numeric_limits<double>::infinity(), 0},
    };
    for (const Caso& c : casos) EXPECT_EQ(RedondearHuso(c.valor), c.huso) << c.valor;
}

// ---------------------------------------------------------------- regression pins
//
// Results of this implementation, written with 15 significant digits. They
// pin the order of evaluation and the literal constants (π to ten digits,
// 0.4998, 0.04165, 0.1666, 57.29577951 ...): any change of grouping, of a
// power into a product or of a constant moves one of these digits.

TEST(PinesDeRegresion, GeodesicasAUtm) {
    struct Caso {
        double lon, lat;
        std::int16_t huso;
        Datum datum;
        const char *X, *Y, *convergencia, *anamorfosis;
    };
    const Caso casos[] = {
        {-3.7, 40.4, 30, Datum::ETRS89, "440598.07886", "4472390.0316", "-0.453697175742973", "0.99964343"},
        {-3.7, 40.4, 30, Datum::ED50, "440595.38723", "4472467.2105", "-0.45369717639944", "0.99964343"},
        {2.17, 41.38, 31, Datum::ETRS89, "430597.86352", "4581274.3773", "-0.54869334462736", "0.99965927"},
        // Inside the Greenwich band of the scale factor.
        {0.2, 39, 30, Datum::ED50, "777136.32832", "4321722.56685", "2.01510606329922", "1.0005456"},
        {-16.5, 28.1, 28, Datum::ETRS89, "352643.1582", "3109188.63147", "-0.706645431192257", "0.999868"},
        // Southern hemisphere: false northing.
        {-3.5, -0.5, 30, Datum::ETRS89, "444363.91202", "9944732.84437", "0.00436338075401309", "0.99963831"},
        {-8.4, 43.3, 29, Datum::ED50, "548668.70431", "4794391.70162", "0.411499064619043", "0.99962913"},
        {-18, 27.75, 27, Datum::ETRS89, "795722.59238", "3073116.02994", "1.39785995357187", "1.00067962"},
    };
    for (const Caso& c : casos) {
        const ResultadoUtm r = GeodesicasAUtm(c.lon, c.lat, c.huso, c.datum);
        ASSERT_EQ(r.estado, Estado::Correcto);
        EXPECT_EQ(TextoNumero(r.X, '.'), c.X) << c.lon << " " << c.lat;
        EXPECT_EQ(TextoNumero(r.Y, '.'), c.Y) << c.lon << " " << c.lat;
        EXPECT_EQ(TextoNumero(r.convergencia, '.'), c.convergencia) << c.lon << " " << c.lat;
        EXPECT_EQ(TextoNumero(r.anamorfosis, '.'), c.anamorfosis) << c.lon << " " << c.lat;
    }
}

TEST(PinesDeRegresion, UtmAGeodesicas) {
    struct Caso {
        double X, Y;
        std::int16_t huso;
        bool sur, extendido;
        Datum datum;
        const char *longitud, *latitud, *convergencia, *anamorfosis;
    };
    const Caso casos[] = {
        {440000, 4472000, 30, false, false, Datum::ETRS89, "-3.70701057685584", "40.3964435277678",
         "-0.458207777777778", "0.99964431"},
        {440000, 4472000, 30, false, false, Datum::ED50, "-3.70697127423511", "40.3957485780488",
         "-0.458175833333333", "0.9996443"},
        {430000, 4580000, 31, false, false, Datum::ED50, "2.16304525460625", "41.3677472414248",
         "-0.553156944444445", "0.99966029"},
        // Extended zone 30, with and without the flag.
        {790000, 4430000, 30, false, true, Datum::ETRS89, "0.395572929791967", "39.9704386600846",
         "2.18280833333333", "1.0006355"},
        {790000, 4430000, 30, false, false, Datum::ETRS89, "-0.395572929791967", "39.9704386600846",
         "2.18280833333333", "1.0006355"},
        {725000, 4300000, 30, false, false, Datum::ETRS89, "-0.408343208640356", "38.8200603436898", "1.62533",
         "1.00022345"},
        // Southern hemisphere, 100 m east of the central meridian.
        {500100, 9990000, 30, true, false, Datum::ETRS89, "-2.99910132413318", "-0.0904731361842907",
         "1.38888888888889E-06", "0.9996"},
        {610000, 4190000, 31, false, false, Datum::ETRS89, "4.25033210944849", "37.8508205633775", "0.76729",
         "0.99974903"},
    };
    for (const Caso& c : casos) {
        const ResultadoGeodesicas r = UtmAGeodesicas(c.X, c.Y, c.huso, c.sur, c.extendido, c.datum);
        ASSERT_EQ(r.estado, Estado::Correcto);
        EXPECT_EQ(TextoNumero(r.longitud, '.'), c.longitud) << c.X << " " << c.Y;
        EXPECT_EQ(TextoNumero(r.latitud, '.'), c.latitud) << c.X << " " << c.Y;
        EXPECT_EQ(TextoNumero(r.convergencia, '.'), c.convergencia) << c.X << " " << c.Y;
        EXPECT_EQ(TextoNumero(r.anamorfosis, '.'), c.anamorfosis) << c.X << " " << c.Y;
    }
}

}  // namespace
}  // namespace tesmaro
