// The lookup and interpolation rules on small grids built in memory: edge
// lines, the tolerance outside them, the sub-grid choice.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Comun.h"

namespace tesmaro {
namespace {

using pruebas::CreaRejilla;
using pruebas::SubrejillaPrueba;

// Smooth but not bilinear shifts, so that every corner counts.
float DLatSuave(int f, int c) { return -4.0f + 0.25f * f + 0.125f * c + 0.0625f * f * c; }
float DLonSuave(int f, int c) { return 5.0f - 0.5f * f + 0.03125f * c - 0.015625f * f * c; }

TEST(Reglas, CeldaEnBordes) {
    // 5 rows × 4 columns of 60": lat 3600…3840", lonW −7200…−7020".
    const Rejilla r("pequena", CreaRejilla({{.sLat = 3600, .nLat = 3840, .eLong = -7200, .wLong = -7020,
                                             .latInc = 60, .longInc = 60, .dLat = DLatSuave, .dLon = DLonSuave}}));
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* nombre;
        double lonE, lat;  // seconds, east positive
        std::int64_t fila, columna;  // 0: not found
        double X, Y;
    } casos[] = {
        {"nodo interior", 7140, 3720, 3, 2, 0, 0},
        {"centro de celda", 7110, 3690, 2, 2, 0.5, 0.5},
        {"borde sur: fila 1", 7170, 3600, 1, 1, 0.5, 0},
        {"borde este: columna 1", 7200, 3630, 1, 1, 0, 0.5},
        {"esquina sureste", 7200, 3600, 1, 1, 0, 0},
        {"borde norte: última fila", 7170, 3840, 4, 1, 0.5, 1},
        {"borde oeste: última columna", 7020, 3630, 1, 3, 1, 0.5},
        {"esquina noroeste", 7020, 3840, 4, 3, 1, 1},
        {"justo bajo el borde norte", 7170, 3839.5, 4, 1, 0.5, 239.5 / 60 - 3},
        // The tolerance is (60" + 60") · 1e-5 = 0.0012": up to it, on the
        // edge, on each of the four.
        {"0,0012\" al sur: en el borde", 7170, 3599.9988, 1, 1, 0.5, 0},
        {"0,0012\" al norte: en el borde", 7170, 3840.0012, 4, 1, 0.5, 1},
        {"0,0012\" al este: en el borde", 7200.0012, 3630, 1, 1, 0, 0.5},
        {"0,0012\" al oeste: en el borde", 7019.9988, 3630, 1, 3, 1, 0.5},
        {"0,002\" al sur: fuera", 7170, 3599.998, 0, 0, 0, 0},
        {"media celda al este: fuera", 7230, 3630, 0, 0, 0, 0},
        {"un intervalo al norte: fuera", 7170, 3900, 0, 0, 0, 0},
        {"latitud NaN", 7170, nan, 0, 0, 0, 0},
        {"longitud infinita", inf, 3630, 0, 0, 0, 0},
        {"latitud enorme", 7170, 1e300, 0, 0, 0, 0},
    };
    for (const auto& c : casos) {
        const CeldaRejilla celda = r.BuscaCelda(c.lonE, c.lat);
        EXPECT_EQ(celda.encontrada, c.fila != 0) << c.nombre;
        if (c.fila == 0) {
            const PuntoRejilla p = r.ED50aETRS89(c.lonE, c.lat);
            EXPECT_TRUE(!p.dentro && p.lon == 0 && p.lat == 0) << c.nombre;
            continue;
        }
        EXPECT_EQ(celda.fila, c.fila) << c.nombre;
        EXPECT_EQ(celda.columna, c.columna) << c.nombre;
        // X and Y are quotients of exact differences: one rounding.
        EXPECT_NEAR(celda.X, c.X, 1e-15) << c.nombre;
        EXPECT_NEAR(celda.Y, c.Y, 1e-15) << c.nombre;
        // The corners are the nodes (r, c), (r, c+1), (r+1, c), (r+1, c+1).
        const int f0 = static_cast<int>(c.fila) - 1, c0 = static_cast<int>(c.columna) - 1;
        EXPECT_EQ(celda.dLat[0], DLatSuave(f0, c0)) << c.nombre;
        EXPECT_EQ(celda.dLat[1], DLatSuave(f0, c0 + 1)) << c.nombre;
        EXPECT_EQ(celda.dLat[2], DLatSuave(f0 + 1, c0)) << c.nombre;
        EXPECT_EQ(celda.dLon[3], DLonSuave(f0 + 1, c0 + 1)) << c.nombre;
    }
}

// Constant shifts, so that the chosen sub-grid shows in the result too.
float MenosUno(int, int) { return -1.0f; }
float MenosDos(int, int) { return -2.0f; }

SubrejillaPrueba Grueso(const char* nombre = "GRUESO") {  // lat 0…6000", lonW 0…6000", 200"
    return {.nombre = nombre, .nLat = 6000, .wLong = 6000, .latInc = 200, .longInc = 200, .dLat = MenosDos};
}
SubrejillaPrueba Fino(double sLat, double eLong) {  // 150", 10 × 10 cells
    return {.nombre = "FINO", .sLat = sLat, .nLat = sLat + 1500, .eLong = eLong, .wLong = eLong + 1500,
            .latInc = 150, .longInc = 150, .dLat = MenosUno};
}

TEST(Reglas, EleccionDeSubrejilla) {
    const struct {
        const char* nombre;
        std::vector<SubrejillaPrueba> subs;
        double lonE, lat;
        int subrejilla;  // expected, 0 = none
    } casos[] = {
        {"la más fina gana, estando primera", {Fino(1000, 1000), Grueso()}, -1500, 1500, 1},
        {"la más fina gana, estando segunda", {Grueso(), Fino(1000, 1000)}, -1500, 1500, 2},
        {"a igual intervalo gana la primera", {Grueso(), Grueso("GRUESO2")}, -1500, 1500, 1},
        {"fuera de la fina, la gruesa", {Fino(1000, 1000), Grueso()}, -3000, 3000, 2},
        {"banda sur de la fina: la gruesa que lo contiene", {Fino(1000, 1000), Grueso()}, -1500, 950, 2},
        {"banda este de la fina: la gruesa que lo contiene", {Fino(1000, 1000), Grueso()}, -950, 1500, 2},
        {"al sur de la fina, fuera de la gruesa: fuera", {Fino(-1400, 0), Grueso()}, -700, -1450, 0},
        {"borde norte de la fina dentro de la gruesa: la fina", {Fino(1000, 1000), Grueso()}, -1500, 2500, 1},
        {"fuera de todas", {Fino(1000, 1000), Grueso()}, -7000, 1500, 0},
    };
    for (const auto& c : casos) {
        const Rejilla r("eleccion", CreaRejilla(c.subs));
        ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << c.nombre << ": " << r.mensaje();
        const CeldaRejilla celda = r.BuscaCelda(c.lonE, c.lat);
        EXPECT_EQ(celda.encontrada, c.subrejilla != 0) << c.nombre;
        EXPECT_EQ(celda.subrejilla, c.subrejilla) << c.nombre;
        if (c.subrejilla != 0) {
            EXPECT_DOUBLE_EQ(r.ED50aETRS89(c.lonE, c.lat).lat - c.lat, c.subs[c.subrejilla - 1].dLat(0, 0))
                << c.nombre;
        }
    }
    // FINO shifts latitudes by -1", GRUESO by -2": no ED50 point goes to the
    // ETRS89 latitudes 998" to 999" south of FINO, and the inverse refuses
    // them (its steps would swing between both); it serves the points beside.
    const Rejilla r("hueco", CreaRejilla({Fino(1000, 1000), Grueso()}));
    EXPECT_FALSE(r.ETRS89aED50(-1500, 998.5).dentro);
    EXPECT_EQ(r.ETRS89aED50(-1500, 997.5).lat, 999.5);
    EXPECT_EQ(r.ETRS89aED50(-1500, 999.5).lat, 1000.5);
}

// Shifts that change by a quarter of the distance (15" a node): the forward
// transformation is linear, lat' − 3600 = 0.75 · (lat − 3600) + 20 and
// lonW' + 7200 = 1.25 · (lonW + 7200) − 20, and the inverse has a closed
// form. Each step of the inverse gains only a factor 4 on shifts of up to
// 40": all fifteen are needed to come within its bar (the forward
// transformation takes the point back within 2e-7"), so the closed form is
// met within 2e-7" / 0.75.
float DLatLineal(int f, int) { return 20.0f - 15.0f * static_cast<float>(f); }
float DLonLineal(int, int c) { return -20.0f + 15.0f * static_cast<float>(c); }

TEST(Reglas, InversaComoLaFormaCerrada) {
    const Rejilla r("lineal", CreaRejilla({{.sLat = 3600, .nLat = 3840, .eLong = -7200, .wLong = -6960,
                                            .latInc = 60, .longInc = 60, .dLat = DLatLineal, .dLon = DLonLineal}}));
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    for (double lat = 3640; lat <= 3780; lat += 20)
        for (double lonW = -7160; lonW <= -7000; lonW += 20) {
            const PuntoRejilla p = r.ETRS89aED50(-lonW, lat);
            ASSERT_TRUE(p.dentro) << lonW << " " << lat;
            EXPECT_NEAR(p.lat, 3600 + (lat - 3620) / 0.75, 3e-7) << lonW << " " << lat;
            EXPECT_NEAR(-p.lon, -7200 + (lonW + 7220) / 1.25, 3e-7) << lonW << " " << lat;
        }
}

}  // namespace
}  // namespace tesmaro
