// The lookup and interpolation rules on small grids built in memory: edge
// lines, the extrapolation band, the sub-grid choice, the reverse iteration.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Comun.h"
#include "Rejilla.h"

namespace tesmaro {
namespace {

using pruebas::CreaRejilla;
using pruebas::SubrejillaPrueba;

// Smooth but not bilinear shifts, so that every coefficient counts.
float DLatSuave(int f, int c) { return -4.0f + 0.25f * f + 0.125f * c + 0.0625f * f * c; }
float DLonSuave(int f, int c) { return 5.0f - 0.5f * f + 0.03125f * c - 0.015625f * f * c; }
float DLatFino(int, int) { return -1.0f; }
float DLonFino(int, int) { return 1.0f; }
float DLatGrueso(int, int) { return -2.0f; }
float DLonGrueso(int, int) { return 2.0f; }
float DLonHaciaEste(int, int) { return -100.0f; }  // 100" towards the east
float Cero(int, int) { return 0.0f; }

// 5 rows × 4 columns of 60": lat 3600…3840", lonW −7200…−7020" (2°…1.95° E).
SubrejillaPrueba Pequena() {
    SubrejillaPrueba s;
    s.sLat = 3600;
    s.nLat = 3840;
    s.eLong = -7200;
    s.wLong = -7020;
    s.latInc = 60;
    s.longInc = 60;
    s.dLat = DLatSuave;
    s.dLon = DLonSuave;
    return s;
}

struct CasoCelda {
    const char* nombre;
    double lonE, lat;  // seconds, east positive
    bool encontrada;
    std::int64_t fila, columna;
    double X, Y;
};

TEST(Reglas, CeldaEnBordesYBanda) {
    const Rejilla r("pequena", CreaRejilla({Pequena()}));
    ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << r.mensaje();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CasoCelda casos[] = {
        {"nodo interior", 7140, 3720, true, 3, 2, 0, 0},
        {"centro de celda", 7110, 3690, true, 2, 2, 0.5, 0.5},
        {"borde sur: fila 1", 7170, 3600, true, 1, 1, 0.5, 0},
        {"borde este: columna 1", 7200, 3630, true, 1, 1, 0, 0.5},
        {"esquina sureste", 7200, 3600, true, 1, 1, 0, 0},
        {"borde norte: fuera", 7170, 3840, false, 0, 0, 0, 0},
        {"borde oeste: fuera", 7020, 3630, false, 0, 0, 0, 0},
        {"justo bajo el borde norte", 7170, 3839.5, true, 4, 1, 0.5, 239.5 / 60 - 3},
        {"media celda al sur: fila 1 extrapolada", 7170, 3570, true, 1, 1, 0.5, -0.5},
        {"casi un intervalo al este: columna 1", 7259, 3630, true, 1, 1, -59.0 / 60, 0.5},
        {"un intervalo al sur: fuera", 7170, 3540, false, 0, 0, 0, 0},
        {"un intervalo al este: fuera", 7260, 3630, false, 0, 0, 0, 0},
        {"latitud NaN", 7170, nan, false, 0, 0, 0, 0},
        {"longitud infinita", inf, 3630, false, 0, 0, 0, 0},
        {"latitud enorme", 7170, 1e300, false, 0, 0, 0, 0},
    };
    for (const CasoCelda& c : casos) {
        const CeldaRejilla celda = r.BuscaCelda(c.lonE, c.lat);
        EXPECT_EQ(celda.encontrada, c.encontrada) << c.nombre;
        if (!c.encontrada) {
            const PuntoRejilla p = r.ED50aETRS89(c.lonE, c.lat);
            EXPECT_FALSE(p.dentro) << c.nombre;
            EXPECT_EQ(p.lon, 0) << c.nombre;
            EXPECT_EQ(p.lat, 0) << c.nombre;
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

struct CasoEleccion {
    const char* nombre;
    std::vector<SubrejillaPrueba> subs;
    double lonE, lat;
    int subrejilla;  // expected, 0 = none
};

SubrejillaPrueba Grueso() {  // lat 0…6000", lonW 0…6000", 200"
    SubrejillaPrueba s;
    s.nombre = "GRUESO";
    s.sLat = 0;
    s.nLat = 6000;
    s.eLong = 0;
    s.wLong = 6000;
    s.latInc = 200;
    s.longInc = 200;
    s.dLat = DLatGrueso;
    s.dLon = DLonGrueso;
    return s;
}
SubrejillaPrueba Fino(double sLat, double eLong) {  // 150", 10 × 10 cells
    SubrejillaPrueba s;
    s.nombre = "FINO";
    s.sLat = sLat;
    s.nLat = sLat + 1500;
    s.eLong = eLong;
    s.wLong = eLong + 1500;
    s.latInc = 150;
    s.longInc = 150;
    s.dLat = DLatFino;
    s.dLon = DLonFino;
    return s;
}

TEST(Reglas, EleccionDeSubrejilla) {
    SubrejillaPrueba gruesoBis = Grueso();
    gruesoBis.nombre = "GRUESO2";
    const CasoEleccion casos[] = {
        {"la más fina gana, estando primera", {Fino(1000, 1000), Grueso()}, -1500, 1500, 1},
        {"la más fina gana, estando segunda", {Grueso(), Fino(1000, 1000)}, -1500, 1500, 2},
        {"a igual intervalo gana la primera", {Grueso(), gruesoBis}, -1500, 1500, 1},
        {"fuera de la fina, la gruesa", {Fino(1000, 1000), Grueso()}, -3000, 3000, 2},
        {"banda sur de la fina: gana la gruesa que la contiene", {Fino(1000, 1000), Grueso()},
         -1500, 950, 2},
        {"banda este de la fina: gana la gruesa que la contiene", {Fino(1000, 1000), Grueso()},
         -950, 1500, 2},
        {"banda de la fina fuera de la gruesa: extrapola la fina", {Fino(-1400, 0), Grueso()},
         -700, -1450, 1},
        {"banda de ambas: la más fina extrapola", {Grueso(), Fino(0, 0)}, 50, 50, 2},
        {"borde norte de la fina dentro de la gruesa", {Fino(1000, 1000), Grueso()}, -1500, 2500,
         2},
        {"fuera de todas", {Fino(1000, 1000), Grueso()}, -7000, 1500, 0},
    };
    for (const CasoEleccion& c : casos) {
        const Rejilla r("eleccion", CreaRejilla(c.subs));
        ASSERT_EQ(r.estado(), EstadoRejilla::Correcta) << c.nombre << ": " << r.mensaje();
        const CeldaRejilla celda = r.BuscaCelda(c.lonE, c.lat);
        EXPECT_EQ(celda.encontrada, c.subrejilla != 0) << c.nombre;
        EXPECT_EQ(celda.subrejilla, c.subrejilla) << c.nombre;
        if (c.subrejilla != 0) {
            // Constant shifts: the chosen sub-grid is seen in the result too.
            const float esperado = c.subs[static_cast<std::size_t>(c.subrejilla - 1)].dLat(0, 0);
            EXPECT_DOUBLE_EQ(r.ED50aETRS89(c.lonE, c.lat).lat - c.lat, esperado) << c.nombre;
        }
    }
}

}  // namespace
}  // namespace tesmaro
