// Every conversion through the driver, under both locales: the counts, the
// messages, the dialogs and where the results go (the records themselves are
// pinned by the reference cases of tests/referencia); then the failures, the
// user's stop, and garbage.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Ayudas.h"
#include "Conversiones.h"
#include "Registros.h"
#include "Textos.h"
#include "TratarFichero.h"

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
        std::int16_t codigo;
        std::string_view entrada;
        std::string_view cuentas;
    } casos[] = {
        // A blank line at the end is no point and no stop.
        {codigo::UtmGeoETRS89, "c\nA,725000,4400000,30E,N\nB,500000,5600000,30,Sur\n\n", "2 leídas, 2 convertidas"},
        {codigo::UtmGeoED50, "c\r\nA,725000,4400000,30,N\r\nX,abc,2,30,N\r\nI,-5,2,31,N\r\n \r\nB,1,2,30e,N\r\nC,1,2,31,N\r\n",
         "4 leídas, 1 convertidas; ilegibles 3; imposibles 4; detenida 6 «30e»"},
        {codigo::GeoUtmETRS89, "c\nP,-0.5,39.5,30.5,N\nQ,2.5,41,31.5,N\nR,-20,40,27\nL,200,40,30\n",
         "4 leídas, 2 convertidas; imposibles 5; saltadas 3"},
        {codigo::GeoUtmED50, "c\nA,-0.5,39.5,30,N,sobra\nB,31\nC\n", "3 leídas, 1 convertidas; ilegibles 3 4"},
        // A missing height is 0; a field beyond a double's range is a number no point has.
        {codigo::GeoCart, "c\nP1,-0.5,40,100\nInf,1e999,40,0\nH,-0.5,40\n", "3 leídas, 2 convertidas; imposibles 3"},
        {codigo::CartGeo, "c\nP1,4000000,-30000,4900000\nQ;1;2;3\n", "2 leídas, 1 convertidas; ilegibles 3"},
        {codigo::Directo, "c\nP1,-0.4,39.5,50,100000\nN,-0.4,39.5,50,-1\n", "2 leídas, 1 convertidas; imposibles 3"},
        {codigo::Inverso, "c\nAB,-0.4,39.5,0.5,40.25\nCruza,-1,10,-1,-10\n", "2 leídas, 1 convertidas; no calculables 3"},
        {codigo::ED50aETRS89, "c\nP1,-3.7,40.4\nFuera,20,20\n", "2 leídas, 1 convertidas; fuera 3"},
        {codigo::ETRS89aED50, "Punto,Longitud,Latitud", "0 leídas, 0 convertidas"},
    };
    const std::string_view titulosRejilla[] = {
        "Seleccione transformación de rejilla gsb (en carpeta de instalación)",
        "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)"};
    for (const Caso& c : casos) {
        Escribir(tmp / "p.tiv", c.entrada);
        InterfazGuion guion;
        guion.puntos = (tmp / "p.tiv").string();
        guion.rejilla = RutaRejillaFuente();
        const ResumenLote r = TratarFichero(c.codigo, guion);
        const std::string base(BuscarConversion(c.codigo)->base);
        ASSERT_TRUE(r.ejecutado && r.error.empty()) << c.codigo << r.error;
        // Beside the input file, not in the current folder nor beside the grid.
        EXPECT_EQ(r.rutaTxt, (tmp / (base + ".txt")).string());
        EXPECT_EQ(r.rutaCsv, (tmp / (base + ".csv")).string());
        const std::string txt = Leer(r.rutaTxt);
        EXPECT_EQ(Leer(r.rutaCsv), "\xEF\xBB\xBF" + TextoACsv(txt));
        EXPECT_EQ(std::count(txt.begin(), txt.end(), '\n'), static_cast<long>(r.registros) + 1);
        EXPECT_EQ(Cuentas(r), c.cuentas) << c.codigo;
        EXPECT_EQ(r.registros, r.lineasLeidas - r.saltadas.total - (r.detenido ? 1 : 0));
        std::vector<std::string> mensajes{
            "Ficheros de salida, txt ASCII para LibreOffice Calc y csv para EXCEL : " + base + ".txt," + base + ".csv"};
        if (r.detenido) mensajes.push_back(std::string(textos::HusoFueraDeArea) + " (línea 6: huso «30e»)");
        EXPECT_EQ(guion.mensajes, mensajes);
        if (r.detenido) {
            EXPECT_EQ(TextoResumen(r), "Fichero de entrada: UTF-8, separado por comas.\n"
                                       "4 líneas de puntos leídas, 1 convertida.\n"
                                       "1 línea ilegible: falta un campo o no es un número (línea 3).\n"
                                       "1 línea con valores imposibles (línea 4).");
        }
        ASSERT_EQ(guion.dialogosPuntos.size(), 1u);
        EXPECT_EQ(guion.dialogosPuntos[0].patron + guion.dialogosPuntos[0].titulo + guion.dialogosPuntos[0].filtro,
                  "*.tivSeleccione fichero de coordenadas entradaTodos los archivos (*.*)|*.*");
        const bool rejilla = c.codigo == codigo::ED50aETRS89 || c.codigo == codigo::ETRS89aED50;
        ASSERT_EQ(guion.dialogosRejilla.size(), rejilla ? 1u : 0u);
        if (rejilla) {
            EXPECT_EQ(guion.dialogosRejilla[0].patron + guion.dialogosRejilla[0].titulo + guion.dialogosRejilla[0].filtro,
                      "*.gsb" + std::string(titulosRejilla[c.codigo - codigo::ED50aETRS89]) + "sped2et.gsb |*.gsb");
        }
    }
}

TEST_P(Lotes, Fallos) {
    Escribir(tmp / "p.txt", "c\nP,1,2,3\n");
    Escribir(tmp / "mala.gsb", "no es una rejilla");
    const std::string p = (tmp / "p.txt").string(), falta = (tmp / "falta.txt").string();
    struct Caso {
        std::int16_t codigo;
        std::string puntos, rejilla, carpeta;
        bool ejecutado;
        std::string error;
        std::size_t mensajes;
    } casos[] = {
        {5, p, "", "", false, "", 0},                              // no conversion: not even asked
        {codigo::GeoCart, "", "", "", false, "", 0},               // point dialog cancelled
        {codigo::ED50aETRS89, p, "", "", false, "", 1},            // grid dialog cancelled
        {codigo::ETRS89aED50, p, falta, "", true, "No se encuentra el fichero de rejilla " + falta, 1},
        {codigo::ETRS89aED50, p, (tmp / "mala.gsb").string(), "", true,
         "El fichero de rejilla " + (tmp / "mala.gsb").string() + " no es una rejilla NTv2 válida: ", 1},
        {codigo::GeoCart, falta, "", "", true, "No se puede leer el fichero de entrada: " + falta, 1},
        {codigo::GeoCart, tmp.ruta().string(), "", "", true,
         "No se puede leer el fichero de entrada: " + tmp.ruta().string(), 1},
        // A device has no folder for results of its own.
        {codigo::GeoCart, "/dev/null", "", "", true, "La entrada no es un fichero normal", 0},
        // A folder nobody may write into, root included.
        {codigo::GeoCart, p, "", "/proc", true,
         "No se puede crear el fichero de resultados: /proc/Cartesianas_geocéntricas.txt", 1},
    };
    for (const Caso& c : casos) {
        InterfazGuion guion;
        guion.puntos = c.puntos;
        guion.rejilla = c.rejilla;
        const ResumenLote r = TratarFichero(c.codigo, guion, OpcionesLote{c.carpeta});
        EXPECT_EQ(r.ejecutado, c.ejecutado) << c.error;
        EXPECT_EQ(r.error.substr(0, c.error.size()), c.error);
        EXPECT_EQ(r.error.empty(), c.error.empty()) << r.error;
        EXPECT_EQ(guion.mensajes.size(), c.mensajes) << c.error;
        EXPECT_EQ(guion.dialogosPuntos.size(), c.codigo == 5 ? 0u : 1u);
        // Nothing written.
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator()), 2) << c.error;
    }
    // An input named as a result is never emptied.
    const std::string contenido = "c\nP1,-0.5,39.5,30,N\n";
    Escribir(tmp / "UTM_ETRS89.txt", contenido);
    InterfazGuion guion;
    guion.puntos = (tmp / "UTM_ETRS89.txt").string();
    EXPECT_EQ(TratarFichero(codigo::GeoUtmETRS89, guion).error,
              "El fichero de entrada no puede ser también el fichero de resultados: " + guion.puntos);
    EXPECT_EQ(Leer(tmp / "UTM_ETRS89.txt"), contenido);
}

// A cancel leaves the earlier results as they were; a run to its end replaces them.
TEST_P(Lotes, CanceladoYProgreso) {
    std::string contenido = "c\n";
    for (int i = 0; i < 20000; ++i) contenido.append("P").append(std::to_string(i)).append(",1,40,100\n");
    Escribir(tmp / "p.txt", contenido);
    Escribir(tmp / "Cartesianas_geocéntricas.txt", "anterior");
    for (const int cancelar : {1, -1}) {  // at the second check; never
        InterfazGuion guion;
        guion.puntos = (tmp / "p.txt").string();
        guion.cancelarTrasConsultas = cancelar;
        const ResumenLote r = TratarFichero(codigo::GeoCart, guion);
        EXPECT_EQ(r.cancelado, cancelar >= 0);
        ASSERT_GE(guion.progreso.size(), 2u);
        for (const auto& [leidos, total] : guion.progreso) EXPECT_LE(leidos, total);
        if (cancelar < 0) {
            EXPECT_EQ(r.registros, 20000u);
            EXPECT_EQ(guion.progreso.back(), std::make_pair(contenido.size(), contenido.size()));
        } else {
            EXPECT_EQ(Leer(r.rutaTxt), "anterior");
            EXPECT_FALSE(fs::exists(r.rutaCsv));
        }
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
            InterfazGuion guion;
            guion.puntos = (tmp / "basura.txt").string();
            guion.rejilla = RutaRejillaFuente();
            const ResumenLote r = TratarFichero(conversion.codigo, guion);
            ASSERT_TRUE(r.error.empty()) << r.error;
            EXPECT_EQ(Leer(r.rutaCsv), "\xEF\xBB\xBF" + TextoACsv(Leer(r.rutaTxt)));
        }
    }
}

TESMARO_EN_LOCALES(Lotes);

}  // namespace
}  // namespace tesmaro::pruebas
