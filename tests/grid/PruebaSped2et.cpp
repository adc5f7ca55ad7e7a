// The shipped grid: reference points, the Balearic/mainland choice, and the
// per-call reader against the grid held in memory.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "Comun.h"
#include "Rejilla.h"

namespace tesmaro {
namespace {

struct PuntoControl {
    std::string nombre;
    double ed50Lon = 0, ed50Lat = 0;
    bool dentro = false;
    double etrsLon = 0, etrsLat = 0;
};

double Leer(const std::string& campo) {
    double v = 0;
    std::from_chars(campo.data(), campo.data() + campo.size(), v);
    return v;
}

// sped2et_checkpoints.csv: ETRS89 values computed by PROJ from the original
// grid; empty output columns mean outside the grid.
std::vector<PuntoControl> LeerPuntosControl() {
    std::ifstream f(pruebas::CarpetaPruebas() + "/sped2et_checkpoints.csv");
    std::vector<PuntoControl> puntos;
    std::string linea;
    std::getline(f, linea);
    while (std::getline(f, linea)) {
        std::vector<std::string> campos(1);
        bool comillas = false;
        for (char ch : linea) {
            if (ch == '"') comillas = !comillas;
            else if (ch == ',' && !comillas) campos.emplace_back();
            else campos.back() += ch;
        }
        if (campos.size() < 5) continue;
        PuntoControl p;
        p.nombre = campos[0];
        p.ed50Lon = Leer(campos[1]);
        p.ed50Lat = Leer(campos[2]);
        p.dentro = !campos[3].empty();
        p.etrsLon = Leer(campos[3]);
        p.etrsLat = Leer(campos[4]);
        puntos.push_back(p);
    }
    return puntos;
}

const Rejilla& Sped2et() {
    static const Rejilla r(pruebas::RutaSped2et());
    return r;
}

TEST(Sped2et, SeCarga) {
    ASSERT_EQ(Sped2et().estado(), EstadoRejilla::Correcta) << Sped2et().mensaje();
    EXPECT_TRUE(Sped2et().mensaje().empty());
}

TEST(Sped2et, PuntosDeControl) {
    const auto puntos = LeerPuntosControl();
    ASSERT_EQ(puntos.size(), 19u);
    for (const PuntoControl& p : puntos) {
        const PuntoRejilla ida = Sped2et().ED50aETRS89(p.ed50Lon * 3600, p.ed50Lat * 3600);
        EXPECT_EQ(ida.dentro, p.dentro) << p.nombre;
        if (!p.dentro) {
            EXPECT_EQ(ida.lon, 0) << p.nombre;
            EXPECT_EQ(ida.lat, 0) << p.nombre;
            EXPECT_FALSE(Sped2et().ETRS89aED50(p.ed50Lon * 3600, p.ed50Lat * 3600).dentro);
            continue;
        }
        // 1e-9° ≈ 0.1 mm: the reference keeps the shifts as float32 radians,
        // which differs from float32 seconds by about 5e-11°.
        EXPECT_NEAR(ida.lon / 3600, p.etrsLon, 1e-9) << p.nombre;
        EXPECT_NEAR(ida.lat / 3600, p.etrsLat, 1e-9) << p.nombre;
        const PuntoRejilla vuelta = Sped2et().ETRS89aED50(p.etrsLon * 3600, p.etrsLat * 3600);
        if (p.etrsLon * 3600 < -36660) {
            // The ETRS89 point lies west of the grid's western edge (the ED50
            // point 0.01" inside it): the first step of the reverse already
            // falls outside, which gives zeros.
            EXPECT_FALSE(vuelta.dentro) << p.nombre;
            continue;
        }
        ASSERT_TRUE(vuelta.dentro) << p.nombre;
        EXPECT_NEAR(vuelta.lon / 3600, p.ed50Lon, 1e-9) << p.nombre;
        EXPECT_NEAR(vuelta.lat / 3600, p.ed50Lat, 1e-9) << p.nombre;
    }
}

// A copy of sped2et.gsb that holds only its first sub-grid (BALEARES).
Rejilla SoloBaleares() {
    std::ifstream f(pruebas::RutaSped2et(), std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
    b[40] = 1;  // NUM_FILE
    return Rejilla("baleares", std::move(b));
}

TEST(Sped2et, BalearesYPeninsula) {
    // Inside the overlap the finer BALEARES (150") wins over PENINSUL (200").
    EXPECT_EQ(Sped2et().BuscaCelda(1.0 * 3600, 39.0 * 3600).subrejilla, 1);
    EXPECT_EQ(Sped2et().BuscaCelda(-3.7 * 3600, 40.4 * 3600).subrejilla, 2);

    // Just south of 38° N, between 0.83° E and 4.15° E: BALEARES holds the
    // point only by its extrapolation band and PENINSUL contains it, so
    // PENINSUL is used. Extrapolating BALEARES there would be metres off.
    const Rejilla baleares = SoloBaleares();
    ASSERT_EQ(baleares.estado(), EstadoRejilla::Correcta) << baleares.mensaje();
    for (double lonGrados : {0.9, 1.5, 2.0, 3.0, 4.1}) {
        const double lonE = lonGrados * 3600, lat = 38.0 * 3600 - 100;
        const CeldaRejilla celda = Sped2et().BuscaCelda(lonE, lat);
        EXPECT_EQ(celda.subrejilla, 2) << lonGrados;
        const CeldaRejilla banda = baleares.BuscaCelda(lonE, lat);
        ASSERT_TRUE(banda.encontrada);
        EXPECT_LT(banda.Y, 0);
        const PuntoRejilla bueno = Sped2et().ED50aETRS89(lonE, lat);
        const PuntoRejilla extrapolado = baleares.ED50aETRS89(lonE, lat);
        // 1" of latitude ≈ 31 m; of longitude at 38° ≈ 24 m.
        const double metros = std::hypot((bueno.lat - extrapolado.lat) * 30.9,
                                         (bueno.lon - extrapolado.lon) * 24.4);
        EXPECT_GT(metros, 0.5) << lonGrados;
    }
    // East of PENINSUL (4.15° E) no sub-grid contains the point: BALEARES
    // extrapolates from its first row.
    const CeldaRejilla sinContener = Sped2et().BuscaCelda(4.5 * 3600, 38.0 * 3600 - 100);
    EXPECT_EQ(sinContener.subrejilla, 1);
    EXPECT_EQ(sinContener.fila, 1);
    EXPECT_LT(sinContener.Y, 0);
    // One full increment (150") south of BALEARES there: outside.
    EXPECT_FALSE(Sped2et().ED50aETRS89(4.5 * 3600, 38.0 * 3600 - 150).dentro);
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Points over the whole grid and its surroundings, with edges and bands.
std::vector<std::pair<double, double>> PuntosVariados(int n) {
    std::mt19937_64 azar(20260101);
    std::uniform_real_distribution<double> lon(-10.5 * 3600, 5.0 * 3600), lat(35.3 * 3600, 44.6 * 3600);
    std::vector<std::pair<double, double>> puntos;
    for (int i = 0; i < n; ++i) puntos.emplace_back(lon(azar), lat(azar));
    // Edge lines and bands of both sub-grids (seconds, east positive).
    for (double d : {-150.0, -100.0, -0.001, 0.0, 0.001, 100.0}) {
        puntos.emplace_back(2.0 * 3600, 136800 + d);      // BALEARES south
        puntos.emplace_back(16800 + d, 39.0 * 3600);      // BALEARES east
        puntos.emplace_back(2.0 * 3600, 146850 + d);      // BALEARES north
        puntos.emplace_back(3000 + d, 39.0 * 3600);       // BALEARES west
        puntos.emplace_back(-3.0 * 3600, 128000 + d);     // PENINSUL south
        puntos.emplace_back(14940 + d, 41.0 * 3600);      // PENINSUL east
        puntos.emplace_back(-3.0 * 3600, 160000 + d);     // PENINSUL north
        puntos.emplace_back(-36660 + d, 40.0 * 3600);     // PENINSUL west
    }
    return puntos;
}

TEST(Sped2et, LecturaPorLlamadaIgualAlaCargada) {
    const std::string ruta = pruebas::RutaSped2et();
    std::string mensaje;
    int dentro = 0;
    for (const auto& [lon, lat] : PuntosVariados(400)) {
        PuntoRejilla fichero;
        ASSERT_EQ(RejillaED50aETRS89(ruta, lon, lat, fichero, mensaje), EstadoRejilla::Correcta);
        EXPECT_TRUE(mensaje.empty());
        const PuntoRejilla memoria = Sped2et().ED50aETRS89(lon, lat);
        EXPECT_EQ(fichero.dentro, memoria.dentro);
        EXPECT_EQ(Bits(fichero.lon), Bits(memoria.lon)) << lon << " " << lat;
        EXPECT_EQ(Bits(fichero.lat), Bits(memoria.lat)) << lon << " " << lat;
        ASSERT_EQ(RejillaETRS89aED50(ruta, lon, lat, fichero, mensaje), EstadoRejilla::Correcta);
        const PuntoRejilla inversa = Sped2et().ETRS89aED50(lon, lat);
        EXPECT_EQ(fichero.dentro, inversa.dentro);
        EXPECT_EQ(Bits(fichero.lon), Bits(inversa.lon)) << lon << " " << lat;
        EXPECT_EQ(Bits(fichero.lat), Bits(inversa.lat)) << lon << " " << lat;
        dentro += memoria.dentro;
    }
    EXPECT_GT(dentro, 200);  // the sample is not all outside
}

}  // namespace
}  // namespace tesmaro
