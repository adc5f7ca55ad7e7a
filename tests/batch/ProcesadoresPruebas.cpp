// Every processor end to end on small point files, under both locales. The
// expected numbers come from the core computations called directly and
// written with TextoNumero (point): the file must hold exactly those digits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Angulos.h"
#include "Ayudas.h"
#include "Cartesianas.h"
#include "Elipsoides.h"
#include "Geodesia.h"
#include "Procesadores.h"
#include "Registros.h"
#include "Rejilla.h"
#include "Textos.h"
#include "Utm.h"

namespace tesmaro::pruebas {
namespace {

constexpr std::string_view CabeceraGeoUtm =
    "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\","
    "\"Convergencia de meridianos\",\"Anamorfosis lineal\"\r\n";
constexpr std::string_view CabeceraUtmGeo = "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n";

class Procesadores : public ConLocale {
protected:
    // Runs `lote` on `contenido` and returns the text result; checks that the
    // CSV twin is exactly the CSV step of it.
    template <class Lote>
    std::string Correr(std::string_view contenido, Lote lote) {
        Escribir(tmp / "entrada.txt", contenido);
        const DestinoLote destino{(tmp / "r.txt").string(), (tmp / "r.csv").string()};
        resumen = lote((tmp / "entrada.txt").string(), destino, interfaz);
        EXPECT_TRUE(resumen.error.empty()) << resumen.error;
        const std::string txt = Leer(tmp / "r.txt");
        EXPECT_EQ(Leer(tmp / "r.csv"), TextoACsv(txt));
        return txt;
    }
    static auto GeoUtm(Datum d) {
        return [d](const std::string& e, const DestinoLote& s, InterfazLote& i) { return LoteGeoUtm(e, s, d, i); };
    }
    static auto UtmGeo(Datum d) {
        return [d](const std::string& e, const DestinoLote& s, InterfazLote& i) { return LoteUtmGeo(e, s, d, i); };
    }

    CarpetaTemporal tmp;
    InterfazGuion interfaz;
    ResumenLote resumen;
};

std::string RegistroGeoUtm(std::string_view nombre, double lon, double lat, std::int16_t huso, Datum d) {
    const ResultadoUtm r = GeodesicasAUtm(lon, lat, huso, d);
    return "\"" + std::string(nombre) + "\"," + N(r.X) + "," + N(r.Y) + "," + std::to_string(huso) + ",\"" +
           (lat < 0 ? "Sur" : "Norte") + "\"," + N(r.convergencia) + "," + N(r.anamorfosis) + "\r\n";
}

TEST_P(Procesadores, GeoUtmEjemplo) {
    const std::string txt = Correr("Punto,Longitud,Latitud,Huso,Hemisferio\r\nP1,-0.5,39.5,30,N\r\n",
                                   GeoUtm(Datum::ETRS89));
    EXPECT_EQ(txt, std::string(CabeceraGeoUtm) + RegistroGeoUtm("P1", -0.5, 39.5, 30, Datum::ETRS89));
    EXPECT_EQ(resumen.lineasLeidas, 1u);
    EXPECT_EQ(resumen.registros, 1u);
}

TEST_P(Procesadores, GeoUtmHusosYHemisferio) {
    const std::string txt = Correr(
        "cabecera\n"
        "\"P.1\",-0.5,39.5,30.5,N\n"   // 30.5 rounds to 30 (ties to even)
        "P2,2.5,41,31.5,N\n"           // 31.5 rounds to 32: skipped
        "P3,-0.5,39.5,30,Sur\n"        // the word Sur does not count: the latitude does
        "P4,-3,-10,30,S\n"             // southern latitude: false northing, Sur
        "P5,-20,40,27\n",              // four fields: field 4 repeats field 3
        GeoUtm(Datum::ED50));
    EXPECT_EQ(txt, std::string(CabeceraGeoUtm) + RegistroGeoUtm("P.1", -0.5, 39.5, 30, Datum::ED50) +
                       RegistroGeoUtm("P3", -0.5, 39.5, 30, Datum::ED50) +
                       RegistroGeoUtm("P4", -3, -10, 30, Datum::ED50) +
                       RegistroGeoUtm("P5", -20, 40, 27, Datum::ED50));
    EXPECT_EQ(resumen.lineasLeidas, 5u);
    EXPECT_EQ(resumen.registros, 4u);
    EXPECT_EQ(resumen.saltadas, 1u);
    // The point of the name becomes a comma in the CSV only.
    EXPECT_NE(Leer(tmp / "r.csv").find("P,1;"), std::string::npos);
}

std::string RegistroUtmGeo(std::string_view nombre, double X, double Y, std::int16_t huso, bool sur,
                           bool extendido, Datum d) {
    const ResultadoGeodesicas r = UtmAGeodesicas(X, Y, huso, sur, extendido, d);
    return "\"" + std::string(nombre) + "\"," + N(r.longitud) + "," + N(r.latitud) + "," + std::to_string(huso) +
           "\r\n";
}

TEST_P(Procesadores, UtmGeoHusosYHemisferios) {
    const std::string txt = Correr(
        "Punto,X,Y,Huso,Hemisferio\r\n"
        "A,725000,4400000,30,N\r\n"
        "B,725000,4400000,30E,N\r\n"   // extended zone 30: positive longitude
        "C,400000,4500000,31,Norte\r\n"
        "D,500000,5600000,30,Sur\r\n"
        "E,500000,5600000,30,sur\r\n"
        "F,500000,5600000,30,\"s\"\r\n"
        "G,500000,5600000,30,x\r\n"
        "H,500000,5600000,30,\r\n",
        UtmGeo(Datum::ETRS89));
    const Datum d = Datum::ETRS89;
    EXPECT_EQ(txt, std::string(CabeceraUtmGeo) + RegistroUtmGeo("A", 725000, 4400000, 30, false, false, d) +
                       RegistroUtmGeo("B", 725000, 4400000, 30, false, true, d) +
                       RegistroUtmGeo("C", 400000, 4500000, 31, false, false, d) +
                       RegistroUtmGeo("D", 500000, 5600000, 30, true, false, d) +
                       RegistroUtmGeo("E", 500000, 5600000, 30, true, false, d) +
                       RegistroUtmGeo("F", 500000, 5600000, 30, true, false, d) +
                       RegistroUtmGeo("G", 500000, 5600000, 30, false, false, d) +
                       RegistroUtmGeo("H", 500000, 5600000, 30, false, false, d));
    EXPECT_TRUE(interfaz.mensajes.empty());
    // 30E east of Greenwich keeps a positive longitude, 30 does not.
    const ResultadoGeodesicas a = UtmAGeodesicas(725000, 4400000, 30, false, false, d);
    const ResultadoGeodesicas b = UtmAGeodesicas(725000, 4400000, 30, false, true, d);
    EXPECT_LT(a.longitud, 0);
    EXPECT_GT(b.longitud, 0);
    EXPECT_LT(UtmAGeodesicas(500000, 5600000, 30, true, false, d).latitud, 0);
}

TEST_P(Procesadores, UtmGeoSeDetieneEnHusoNoCalculado) {
    for (const std::string_view huso : {"27", "29", "32", "30 ", "30e", "", "\"30\""}) {
        interfaz.mensajes.clear();
        const std::string txt = Correr("cab\r\nA,725000,4400000,30,N\r\nB,1,2," + std::string(huso) +
                                           ",N\r\nC,725000,4400000,31,N\r\n",
                                       UtmGeo(Datum::ED50));
        EXPECT_EQ(txt, std::string(CabeceraUtmGeo) +
                           RegistroUtmGeo("A", 725000, 4400000, 30, false, false, Datum::ED50))
            << huso;
        EXPECT_TRUE(resumen.detenido);
        ASSERT_EQ(interfaz.mensajes.size(), 1u);
        EXPECT_EQ(interfaz.mensajes[0], textos::HusoFueraDeArea);
    }
    // A first point of zone 27: header only.
    EXPECT_EQ(Correr("cab\nA,1,2,27,N\n", UtmGeo(Datum::ED50)), CabeceraUtmGeo);
}

TEST_P(Procesadores, GeoCartYVuelta) {
    // WGS 84 (start value of the ellipsoid), degrees.
    const std::string txt = Correr("Punto,Longitud,Latitud,Altura\r\nP1,-0.5,40,100\r\nEcuador,3,0,0\r\n",
                                   [](const auto& e, const auto& s, auto& i) { return LoteGeoCart(e, s, i); });
    const auto c1 = CalculoGeoCart((40 * PiDiezCifras) / 180, (-0.5 * PiDiezCifras) / 180, 100, 6378137,
                                   298.257223563);
    const auto c2 = CalculoGeoCart(0, (3 * PiDiezCifras) / 180, 0, 6378137, 298.257223563);
    EXPECT_EQ(txt, "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Coordenada Z\",\"Semieje a\",\"1/f\"\r\n"
                   "\"P1\"," + N(c1.X) + "," + N(c1.Y) + "," + N(c1.Z) + ",6378137,298.257223563\r\n"
                   "\"Ecuador\"," + N(c2.X) + "," + N(c2.Y) + "," + N(c2.Z) + ",6378137,298.257223563\r\n");

    const std::string vuelta =
        Correr("X,Y,Z\n"
               "P1," + N(c1.X) + "," + N(c1.Y) + "," + N(c1.Z) + ",ignorado\n"
               "Ecuador," + N(c2.X) + "," + N(c2.Y) + "," + N(c2.Z) + "\n"
               "Oeste,-6378137,1000,0\n",
               [](const auto& e, const auto& s, auto& i) { return LoteCartGeo(e, s, i); });
    const auto g1 = CalculoCartGeo(LeerNumero(N(c1.X)), LeerNumero(N(c1.Y)), LeerNumero(N(c1.Z)), 6378137,
                                   298.257223563);
    EXPECT_NEAR(g1.lambda * 180 / PiDiezCifras, -0.5, 1e-12);  // round trip of 15-digit texts
    const std::string l1 = "\"P1\"," + N(RadianesAUnidad(g1.lambda)) + "," + N(RadianesAUnidad(g1.fi)) +
                           ",30,\"Norte\"," + N(g1.h) + ",6378137,298.257223563\r\n";
    EXPECT_NE(vuelta.find(l1), std::string::npos) << vuelta;
    // On the equator: "Sur". X < 0: the opposite meridian, zone by its sign.
    EXPECT_NE(vuelta.find(",31,\"Sur\","), std::string::npos) << vuelta;
    const auto g3 = CalculoCartGeo(-6378137, 1000, 0, 6378137, 298.257223563);
    EXPECT_NE(vuelta.find("\"Oeste\"," + N(RadianesAUnidad(g3.lambda)) + "," + N(RadianesAUnidad(g3.fi)) + ",31,"),
              std::string::npos)
        << vuelta;
}

TEST_P(Procesadores, GeoCartEnGradosCentesimalesYOtroElipsoide) {
    ajustes::UnidadAngular = 2;
    ajustes::ElipsoideActual = 2;  // International Hayford 1924
    const std::string txt = Correr("c\nP,-0.5,40,100\n", [](const auto& e, const auto& s, auto& i) { return LoteGeoCart(e, s, i); });
    const auto c = CalculoGeoCart((40 * PiDiezCifras) / 200, (-0.5 * PiDiezCifras) / 200, 100, 6378388, 297);
    EXPECT_EQ(txt.substr(txt.find("\r\n") + 2),
              "\"P\"," + N(c.X) + "," + N(c.Y) + "," + N(c.Z) + ",6378388,297\r\n");
}

TEST_P(Procesadores, ProblemaDirectoEjemplo) {
    const std::string txt = Correr("Punto,Longitud,Latitud,Acimut Directo,Distancia\r\nP1,-0.4,39.5,45,100000\r\n",
                                   [](const auto& e, const auto& s, auto& i) { return LoteProblemaDirecto(e, s, i); });
    const auto r = ProblemaDirecto((39.5 * PiDiezCifras) / 180, (-0.4 * PiDiezCifras) / 180, 45, 100000, 6378137,
                                   298.257223563);
    EXPECT_EQ(txt, "\"Nombre\",\"Longitud\",\"Latitud\",\"Acimut inverso\",\"Semieje a\",\"1/f\"\r\n"
                   "\"P1\"," + N(r.longitud) + "," + N(r.latitud) + "," + N(r.acimutInverso) +
                   ",6378137,298.257223563\r\n");
    EXPECT_GT(r.acimutInverso, 225);
    EXPECT_LT(r.acimutInverso, 226);
}

TEST_P(Procesadores, ProblemaDirectoEnGrados) {
    ajustes::UnidadAngular = 2;
    const std::string txt = Correr("c\nP,-0.4,39.5,50,100000\n",
                                   [](const auto& e, const auto& s, auto& i) { return LoteProblemaDirecto(e, s, i); });
    // 50 grads is an azimuth of 45°; the results come back in grads.
    const auto r = ProblemaDirecto((39.5 * PiDiezCifras) / 200, (-0.4 * PiDiezCifras) / 200, 45, 100000, 6378137,
                                   298.257223563);
    EXPECT_EQ(txt.substr(txt.find("\r\n") + 2), "\"P\"," + N((r.longitud * 200) / 180) + "," +
                                                   N((r.latitud * 200) / 180) + "," +
                                                   N((r.acimutInverso * 200) / 180) + ",6378137,298.257223563\r\n");
}

TEST_P(Procesadores, ProblemaInverso) {
    for (const std::int16_t unidad : {1, 2, 3}) {
        ajustes::UnidadAngular = unidad;
        const std::string txt =
            Correr("Punto,Longitud (A),Latitud(A), Longitud (B),Latitud(B),\r\n"
                   "AB,-0.40,39.5,0.5,40.25\r\n"
                   "Cruza,-1,10,-1,-10\r\n",  // different hemispheres: not computable
                   [](const auto& e, const auto& s, auto& i) { return LoteProblemaInverso(e, s, i); });
        const auto r = ProblemaInverso(UnidadARadianes(39.5), UnidadARadianes(-0.4), UnidadARadianes(40.25),
                                       UnidadARadianes(0.5), 6378137, 298.257223563);
        ASSERT_EQ(r.estado, Estado::Correcto);
        EXPECT_EQ(txt,
                  "\"Nombre\",\"Longitud A\",\"Latitud A\",\"Acimut directo (A-B)\",\"Distancia (A-B)\","
                  "\"Longitud (B)\",\"Latitud (B)\",\"Acimut inverso (B-A)\",\"Semieje a\",\"1/f\","
                  "\"Cálculo válido sólo para puntos en un mismo hemisferio\"\r\n"
                  "\"AB\",-0.4,39.5," + N(GradosAUnidad(r.acimutDirecto)) + "," + N(r.distancia) + ",0.5,40.25," +
                  N(GradosAUnidad(r.acimutInverso)) + ",6378137,298.257223563\r\n"
                  "\"Cruza\",-1,10,,,-1,-10,,6378137,298.257223563\r\n")
            << "unidad " << unidad;
        EXPECT_EQ(resumen.noCalculables, 1u);
        EXPECT_EQ(resumen.registros, 2u);
    }
}

TEST_P(Procesadores, SoloCabeceraYFicheroVacio) {
    EXPECT_EQ(Correr("Punto,Longitud,Latitud,Huso,Hemisferio\r\n", GeoUtm(Datum::ETRS89)), CabeceraGeoUtm);
    EXPECT_EQ(Correr("Punto,Longitud,Latitud,Huso,Hemisferio", GeoUtm(Datum::ETRS89)), CabeceraGeoUtm);
    EXPECT_EQ(Correr("", GeoUtm(Datum::ETRS89)), "");
    EXPECT_EQ(Leer(tmp / "r.csv"), "");
    EXPECT_EQ(Correr("", [](const auto& e, const auto& s, auto& i) { return LoteProblemaInverso(e, s, i); }), "");
}

TEST_P(Procesadores, NombresByteAByte) {
    // Quotes removed, everything else (invalid UTF-8, Latin-1, NUL) kept.
    const std::string nombre = std::string("\"Ñu\xF1\xFF\" \x01") + '\0' + "x";
    const std::string txt = Correr("cab\n" + nombre + ",-0.5,39.5,30,N\n", GeoUtm(Datum::ETRS89));
    const std::string limpio = std::string("Ñu\xF1\xFF \x01") + '\0' + "x";
    EXPECT_EQ(txt, std::string(CabeceraGeoUtm) + RegistroGeoUtm(limpio, -0.5, 39.5, 30, Datum::ETRS89));
}

TEST_P(Procesadores, CrLfYLfDanLoMismo) {
    const std::string crlf = Correr("c\r\nA,-0.5,39.5,30,N\r\nB,1,40,31,N\r\n", GeoUtm(Datum::ETRS89));
    const std::string lf = Correr("c\nA,-0.5,39.5,30,N\nB,1,40,31,N", GeoUtm(Datum::ETRS89));
    EXPECT_EQ(crlf, lf);
    EXPECT_EQ(resumen.registros, 2u);
}

TEST_P(Procesadores, LineasCortasYLargas) {
    // Short: missing fields repeat the last one present; long: extra fields ignored.
    const std::string txt = Correr("c\nA,-0.5,39.5,30,N,sobra,1,2,3\nB,31\nC\n", GeoUtm(Datum::ETRS89));
    // B: longitude 31, latitude 31, zone 31. C: all fields are "C": 0, 0, zone 0 -> skipped.
    EXPECT_EQ(txt, std::string(CabeceraGeoUtm) + RegistroGeoUtm("A", -0.5, 39.5, 30, Datum::ETRS89) +
                       RegistroGeoUtm("B", 31, 31, 31, Datum::ETRS89));
    EXPECT_EQ(resumen.saltadas, 1u);
}

// The grid batches with the shipped grid.
class ProcesadoresRejilla : public Procesadores {
protected:
    void SetUp() override {
        Procesadores::SetUp();
        if (IsSkipped()) return;
        rejilla = std::make_unique<Rejilla>(RutaRejillaFuente());
        ASSERT_EQ(rejilla->estado(), EstadoRejilla::Correcta) << rejilla->mensaje();
    }
    std::unique_ptr<Rejilla> rejilla;
};

TEST_P(ProcesadoresRejilla, IdaYVuelta) {
    const Rejilla& g = *rejilla;
    const std::string entrada =
        "Primera línea en blanco\r\n"
        "\"P1\",-3.7,40.4\r\n"
        "Fuera,20,20\r\n"   // outside the grid: 0, 0 and zone 0
        "Este,2.1,41.4\r\n"
        "Vacio,,\r\n";      // empty fields read 0: outside
    const std::string ida = Correr(entrada, [&g](const auto& e, const auto& s, auto& i) { return LoteED50aETRS89(e, s, g, i); });
    const PuntoRejilla p1 = g.ED50aETRS89(-3.7 * 3600, 40.4 * 3600);
    const PuntoRejilla p3 = g.ED50aETRS89(2.1 * 3600, 41.4 * 3600);
    ASSERT_TRUE(p1.dentro && p3.dentro);
    EXPECT_EQ(ida, "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
                   "\"P1\"," + N(p1.lon / 3600) + "," + N(p1.lat / 3600) + ",30\r\n"
                   "\"Fuera\",0,0,0\r\n"
                   "\"Este\"," + N(p3.lon / 3600) + "," + N(p3.lat / 3600) + ",31\r\n"
                   "\"Vacio\",0,0,0\r\n");
    // ED50 -> ETRS89 moves a point of this region by about 100 m to the south-west
    // (a few arc-seconds): a loose sanity bound, the digits are checked above.
    EXPECT_NEAR(p1.lon / 3600, -3.7, 0.002);
    EXPECT_NEAR(p1.lat / 3600, 40.4, 0.002);

    const std::string vuelta = Correr("c\nP1," + N(p1.lon / 3600) + "," + N(p1.lat / 3600) + "\nFuera,20,20\n",
                                      [&g](const auto& e, const auto& s, auto& i) { return LoteETRS89aED50(e, s, g, i); });
    const PuntoRejilla q = g.ETRS89aED50(LeerNumero(N(p1.lon / 3600)) * 3600, LeerNumero(N(p1.lat / 3600)) * 3600);
    EXPECT_EQ(vuelta, "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
                      "\"P1\"," + N(q.lon / 3600) + "," + N(q.lat / 3600) + ",30\r\n"
                      "\"Fuera\",0,0,0\r\n");
    // The reverse iteration returns the ED50 point within the 15-digit text.
    EXPECT_NEAR(q.lon / 3600, -3.7, 1e-9);
    EXPECT_NEAR(q.lat / 3600, 40.4, 1e-9);
}

TESMARO_EN_LOCALES(Procesadores);
TESMARO_EN_LOCALES(ProcesadoresRejilla);

}  // namespace
}  // namespace tesmaro::pruebas
