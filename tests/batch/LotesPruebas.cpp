// Every conversion through a run, under both locales: the counts and where
// the results go (the records themselves are pinned by the reference cases of
// tests/referencia); then the failures, the user's stop, the threads, and
// garbage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "Ayudas.h"
#include "Comun.h"
#include "ConversionPunto.h"
#include "Conversiones.h"
#include "SalidaTexto.h"
#include "Texto.h"

namespace tesmaro::pruebas {
namespace {

class Lotes : public ConLocale {
protected:
    CarpetaTemporal tmp;
};

// The kinds of the lines of a run, with the first line numbers of each.
std::string Cuentas(const ResumenLote& r) {
    std::string t = std::to_string(r.lineasLeidas) + " leídas, " + std::to_string(r.convertidas) + " convertidas";
    const std::pair<const char*, const LineasContadas*> tipos[] = {
        {"no calculables", &r.noCalculables}, {"ilegibles", &r.ilegibles}, {"imposibles", &r.imposibles},
        {"fuera", &r.fueraRejilla}, {"saltadas", &r.saltadas}};
    for (const auto& [nombre, c] : tipos) {
        if (c->total == 0) continue;
        t += std::string("; ") + nombre;
        for (const std::uint64_t n : c->primeras) t.append(" ").append(std::to_string(n));
    }
    if (r.detenido) t.append("; detenida ").append(std::to_string(r.lineaDetenida)).append(" «" + r.husoDetenido + "»");
    return t;
}

TEST_P(Lotes, CadaConversion) {
    struct Caso {
        std::string_view conversion;
        std::string_view entrada;
        std::string_view cuentas;
    } casos[] = {
        // A blank line at the end is no point and no stop.
        {"utm-geo-etrs89", "c\nA,725000,4400000,30E,N\nB,500000,5600000,30,Sur\n\n", "2 leídas, 2 convertidas"},
        {"utm-geo-ed50", "c\r\nA,725000,4400000,30,N\r\nX,abc,2,30,N\r\nI,-5,2,31,N\r\n \r\nB,1,2,30e,N\r\nC,1,2,31,N\r\n",
         "4 leídas, 1 convertidas; ilegibles 3; imposibles 4; detenida 6 «30e»"},
        {"geo-utm-etrs89", "c\nP,-0.5,39.5,30.5,N\nQ,2.5,41,31.5,N\nR,-20,40,27\nL,200,40,30\n",
         "4 leídas, 2 convertidas; imposibles 5; saltadas 3"},
        {"geo-utm-ed50", "c\nA,-0.5,39.5,30,N,sobra\nB,31\nC\n", "3 leídas, 1 convertidas; ilegibles 3 4"},
        // A missing height is 0; a field beyond a double's range is a number no point has.
        {"geo-cart", "c\nP1,-0.5,40,100\nInf,1e999,40,0\nH,-0.5,40\n", "3 leídas, 2 convertidas; imposibles 3"},
        {"cart-geo", "c\nP1,4000000,-30000,4900000\nQ;1;2;3\n", "2 leídas, 1 convertidas; ilegibles 3"},
        {"directo", "c\nP1,-0.4,39.5,50,100000\nN,-0.4,39.5,50,-1\n", "2 leídas, 1 convertidas; imposibles 3"},
        {"inverso", "c\nAB,-0.4,39.5,0.5,40.25\nCruza,-1,10,-1,-10\n", "2 leídas, 1 convertidas; no calculables 3"},
        {"ed50-etrs89", "c\nP1,-3.7,40.4\nFuera,20,20\n", "2 leídas, 1 convertidas; fuera 3"},
        {"etrs89-ed50", "Punto,Longitud,Latitud", "0 leídas, 0 convertidas"},
        // Outside both grids of the geoid; a zone no height conversion reads.
        {"altitud-geo", "c\nM,-3.7,40.4,700\nParis,2.35,48.85,80\n", "2 leídas, 1 convertidas; fuera 3"},
        {"altura-utm", "c\nT,328000,3128000,28,2000\nZ,328000,3128000,26,2000\n", "2 leídas, 1 convertidas; imposibles 3"},
    };
    for (const Caso& c : casos) {
        Escribir(tmp / "p.tiv", c.entrada);
        const ResumenLote r = Correr(c.conversion, tmp / "p.tiv");
        const std::string base(BuscarConversion(c.conversion)->base);
        ASSERT_TRUE(r.ejecutado && r.error.empty()) << c.conversion << r.error;
        // Beside the input file, not in the current folder nor beside the grid.
        EXPECT_EQ(r.rutaTxt, (tmp / (base + ".txt")).string());
        EXPECT_EQ(r.salidas, (std::vector<std::string>{r.rutaTxt, r.rutaCsv}));
        const std::string txt = Leer(r.rutaTxt);
        MismosRegistros(txt, Leer(r.rutaCsv));
        EXPECT_EQ(std::count(txt.begin(), txt.end(), '\n'), static_cast<long>(r.registros) + 1);
        EXPECT_EQ(Cuentas(r), c.cuentas) << c.conversion;
        EXPECT_EQ(r.registros, r.lineasLeidas - r.saltadas.total - (r.detenido ? 1 : 0));
        if (r.detenido) {
            EXPECT_EQ(TextoResumen(r), "Fichero de entrada: UTF-8, separado por comas.\n"
                                       "4 líneas de puntos leídas, 1 convertida.\n"
                                       "1 línea ilegible: falta un campo o no es un número (línea 3).\n"
                                       "1 línea con valores imposibles (línea 4).");
        }
        // Nothing but the input and the two results.
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator()), 3) << c.conversion;
        for (const std::string& f : r.salidas) fs::remove(f);
    }
}

TEST_P(Lotes, Fallos) {
    Escribir(tmp / "p.txt", "c\nP,1,2,3\n");
    Escribir(tmp / "mala.gsb", "no es una rejilla");
    const std::string p = (tmp / "p.txt").string(), falta = (tmp / "falta.txt").string();
    struct Caso {
        std::string_view conversion;
        std::string puntos, rejilla, carpeta;
        std::string error;
    } casos[] = {
        {"etrs89-ed50", p, falta, "", "No se encuentra el fichero de rejilla " + falta},
        {"etrs89-ed50", p, (tmp / "mala.gsb").string(), "",
         "El fichero de rejilla " + (tmp / "mala.gsb").string() + " no es una rejilla NTv2 válida: "},
        {"geo-cart", falta, "", "", "No se puede leer el fichero de entrada: " + falta},
        {"geo-cart", tmp.ruta().string(), "", "", "No se puede leer el fichero de entrada: " + tmp.ruta().string()},
        // A device has no folder for results of its own.
        {"geo-cart", "/dev/null", "", "", "La entrada no es un fichero normal"},
        // A folder nobody may write into, root included.
        {"geo-cart", p, "", "/proc", "No se puede escribir en la carpeta /proc"},
        {"geo-cart", p, "", falta, "La carpeta de los resultados no existe: " + falta},
    };
    for (const Caso& c : casos) {
        OrdenLote orden;
        orden.rutaRejilla = c.rejilla;
        orden.carpetaSalida = c.carpeta;
        const ResumenLote r = Correr(c.conversion, c.puntos, orden);
        EXPECT_EQ(r.error.substr(0, c.error.size()), c.error);
        // Nothing written.
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator()), 2) << c.error;
    }
    OrdenLote sinElipsoide;
    sinElipsoide.elipsoide = 24;
    EXPECT_EQ(Correr("geo-cart", p, sinElipsoide).error, "Seleccione un elipsoide de referencia");
}

// A cancel leaves the earlier results as they were; a run to its end replaces
// them; the progress never passes its total.
TEST_P(Lotes, CanceladoYProgreso) {
    std::string contenido = "c\n";
    for (int i = 0; i < 20000; ++i) contenido.append("P").append(std::to_string(i)).append(",1,40,100\n");
    Escribir(tmp / "p.txt", contenido);
    Escribir(tmp / "Cartesianas_geocéntricas.txt", "anterior");
    for (const int cancelar : {1, -1}) {  // at the second check; never
        ObservadorGuion guion;
        guion.cancelarTrasConsultas = cancelar;
        OrdenLote orden;
        orden.conversion = BuscarConversion("geo-cart");
        orden.entrada = (tmp / "p.txt").string();
        const ResumenLote r = EjecutarLote(orden, guion);
        EXPECT_EQ(r.cancelado, cancelar >= 0);
        ASSERT_GE(guion.progreso.size(), 2u);
        for (const auto& [leidos, total] : guion.progreso) EXPECT_LE(leidos, total);
        if (cancelar < 0) {
            EXPECT_EQ(r.registros, 20000u);
            EXPECT_EQ(guion.progreso.back(), std::make_pair(contenido.size(), contenido.size()));
        } else {
            EXPECT_EQ(Leer(tmp / "Cartesianas_geocéntricas.txt"), "anterior");
            EXPECT_FALSE(fs::exists(tmp / "Cartesianas_geocéntricas.csv"));
            EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator()), 2);
        }
    }
}

// A zone forced for every point, its column absent; lengths and angles with
// the decimals asked. PROJ's UTM of zone 30 is the reference: the legacy
// series is 1.6 cm off at 0.5° E (within 2 cm), and 10 cm at 9° W, which the
// summary counts.
TEST_P(Lotes, HusoForzadoYDecimales) {
    Escribir(tmp / "p.txt", "c\nEste,0.5,40\nOeste,-9,43\n");
    OrdenLote orden;
    orden.huso = 30;
    orden.decimalesMetros = 3;
    orden.decimalesAngulos = 9;
    const ResumenLote r = Correr("geo-utm-etrs89", tmp / "p.txt", orden);
    ASSERT_EQ(r.convertidas, 2u) << r.error;
    EXPECT_EQ(r.imprecisas.primeras, std::vector<std::uint64_t>{3});
    const std::string txt = Leer(r.rutaTxt);
    const std::size_t i = txt.find("\"Este\",") + 7;
    const CamposFichero c(std::string_view(txt).substr(i, txt.find('\r', i) - i), FormatoCampos{});
    EXPECT_NEAR(LeerNumero(c[0]), 798791.557, 0.02);
    EXPECT_NEAR(LeerNumero(c[1]), 4433627.340, 0.02);
    for (const auto& [campo, decimales] : {std::pair{c[0], 3u}, {c[1], 3u}, {c[4], 9u}})
        EXPECT_EQ(campo.size() - campo.find('.') - 1, decimales) << campo;
    EXPECT_EQ(c[2], "30");
}

// One thread or several, on a file of many blocks, with lines of every kind:
// the same bytes.
TEST_P(Lotes, MismosBytesConCualquierNumeroDeHilos) {
    std::mt19937 azar(7);
    std::string contenido = "c\n";
    for (int i = 0; i < 9000; ++i) {
        contenido += "P" + std::to_string(i) + "," + std::to_string(-9.0 + (azar() % 15000) * 1e-3) + "," +
                     std::to_string(36.0 + (azar() % 8000) * 1e-3) + "," + std::to_string(27 + azar() % 7) + "\n";
        if (i % 997 == 0) contenido += "roto,x\n\n";
    }
    Escribir(tmp / "p.txt", contenido);
    std::string primero;
    for (const unsigned hilos : {1u, 2u, 5u}) {
        OrdenLote orden;
        orden.hilos = hilos;
        const ResumenLote r = Correr("geo-utm-etrs89", tmp / "p.txt", orden);
        ASSERT_TRUE(r.error.empty()) << r.error;
        const std::string txt = Leer(r.rutaTxt) + Leer(r.rutaCsv);
        if (primero.empty()) primero = txt;
        EXPECT_EQ(txt, primero) << hilos << " hilos";
        EXPECT_EQ(r.lineasLeidas, 9010u);
    }
}

// Garbage never crashes or hangs, and the CSV twin always matches the text
// result.
TEST_P(Lotes, Basura) {
    std::mt19937 azar(2024);
    const std::string alfabeto = "0123456789.,-+eEdD\n\r \"sSN30E\xff";
    for (const Conversion& conversion : Conversiones()) {
        for (const bool parecido : {false, true}) {  // any bytes; bytes that look like numbers and lines
            std::string contenido(20000, '\0');
            for (char& c : contenido) c = parecido ? alfabeto[azar() % alfabeto.size()] : static_cast<char>(azar());
            Escribir(tmp / "basura.txt", contenido);
            const ResumenLote r = Correr(conversion.nombre, tmp / "basura.txt");
            ASSERT_TRUE(r.error.empty()) << r.error;
            MismosRegistros(Leer(r.rutaTxt), Leer(r.rutaCsv));
        }
    }
}

// The zone column of every conversion that takes it from the longitude it
// gives: 6° bands from 180° W, a longitude on the edge of two in the band
// east of it; exactly 0 has no zone after the grid (0) and is zone 30 after
// geocentric coordinates. The grid shifts nothing (in memory, zero shifts
// from 7° W to 7° E), so the longitude given is the one the zone is taken of.
TEST(Conversiones, HusoDeLaLongitud) {
    const Rejilla rejilla("cero", CreaRejilla({{.sLat = 0, .nLat = 3600, .eLong = -25200, .wLong = 25200,
                                                .latInc = 3600, .longInc = 3600}}));
    AjustesConversion ajustes;
    ajustes.rejilla = &rejilla;
    const std::pair<double, double> casos[] = {{-6.5, 29}, {-6, 30}, {-1e-9, 30}, {0, 0},
                                               {-0.0, 0}, {1e-9, 31}, {5.99, 31}, {6, 32}};
    for (const auto convertir : {ConvertirED50aETRS89, ConvertirETRS89aED50})
        for (const auto& [lon, huso] : casos) {
            EntradaPunto e;
            e.v = {lon, 0.5};
            const ResultadoPunto r = convertir(e, ajustes);
            ASSERT_EQ(r.estado, EstadoPunto::Convertido) << lon;
            EXPECT_EQ(r.v[0], lon);
            EXPECT_EQ(r.v[2], huso) << lon;
        }
    // Geocentric: Y = 0 on the positive X axis is longitude 0.
    for (const auto& [Y, huso] : {std::pair{-1e-3, 30.0}, {0.0, 30.0}, {1e-3, 31.0}}) {
        EntradaPunto e;
        e.v = {6378137, Y, 0};
        EXPECT_EQ(ConvertirCartGeo(e, ajustes).v[2], huso) << Y;
    }
}

TESMARO_EN_LOCALES(Lotes);

}  // namespace
}  // namespace tesmaro::pruebas
