// The outputs of a run: the records of the text result, and the commit of
// every output together (names refused, what a killed run leaves, two runs at
// once; a full disk on each kind of output is the command line's test).
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>

#include <cmath>
#include <tuple>
#include <thread>

#include "Ayudas.h"
#include "Compromiso.h"
#include "Conversiones.h"
#include "SalidaTexto.h"

namespace tesmaro::pruebas {
namespace {

// The record of each kind of line: every column, the columns that echo the
// input (zone, hemisphere), the name alone, nothing.
TEST(SalidaTexto, RegistroDeCadaTipo) {
    const Conversion& geoUtm = *BuscarConversion("geo-utm-etrs89");
    EXPECT_EQ(CabeceraTexto(geoUtm), "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\","
                                     "\"Convergencia de meridianos\",\"Anamorfosis lineal\"\r\n");
    const std::pair<EstadoPunto, std::string_view> casos[] = {
        {EstadoPunto::Convertido, "\"Señal.1\",-0.5,1234567.89123457,31,\"Sur\",2E-07,\r\n"},
        {EstadoPunto::Impreciso, "\"Señal.1\",-0.5,1234567.89123457,31,\"Sur\",2E-07,\r\n"},
        {EstadoPunto::NoCalculable, "\"Señal.1\",,,31,\"Sur\",,\r\n"},
        {EstadoPunto::Ilegible, "\"Señal.1\",,,,,,\r\n"},
        {EstadoPunto::Omitido, ""},
        {EstadoPunto::Detener, ""},
    };
    for (const auto& [estado, esperado] : casos) {
        RegistroPunto r;
        r.nombre = "Señal.1";
        r.r.estado = estado;
        // A value that is not finite is an empty field, never "nan".
        r.r.v = {-0.5, 1234567.891234567, 31, 1, 2e-7, std::nan("")};
        std::string txt;
        AnadirRegistro(geoUtm, r, txt);
        EXPECT_EQ(txt, esperado);
    }
    EXPECT_EQ(LineaCsv("\"P.1\",-0.5,39.25,30,\"Norte\""), "P,1;-0,5;39,25;30;Norte");
}

// Names come back as they were written, in both files: a plain name as it
// always was, one with quotes, separators or a dot whole, control characters
// escaped; none becomes a formula in a spreadsheet.
TEST(SalidaTexto, NombresQueVuelven) {
    const Conversion& geoCart = *BuscarConversion("geo-cart");
    const std::tuple<std::string_view, std::string_view, std::string_view> casos[] = {
        {"P1", R"("P1")", "P1"},
        {"P.1", R"("P.1")", "P.1"},
        {R"("a,b")", R"("a,b")", "a,b"},
        {R"(q"uo)", R"("q""uo")", R"("q""uo")"},
        {R"("x;y ""z""")", R"("x;y ""z""")", R"("x;y ""z""")"},
        {"=2+3", R"("=2+3")", R"("'=2+3")"},
        {"@SUMA(A1)", R"x("@SUMA(A1)")x", R"x("'@SUMA(A1)")x"},
        {"cr\rx\x1b", R"("cr\rx\x1b")", R"(cr\rx\x1b)"},
        {"ta\tb", "\"ta\tb\"", "ta\tb"},
    };
    for (const auto& [campo, txt, csv] : casos) {
        RegistroPunto r;
        r.nombre = NombreLeido(CamposFichero(std::string(campo) + ",1,2", FormatoCampos{}), r.nombreEscapado);
        r.r.estado = EstadoPunto::Ilegible;
        std::string t, c;
        AnadirRegistro(geoCart, r, t, &c);
        EXPECT_EQ(t, std::string(txt) + ",,,,,\r\n") << campo;
        EXPECT_EQ(c, std::string(csv) + ";;;;;\r\n") << campo;
        EXPECT_EQ(r.nombreEscapado, campo.find('\r') != std::string_view::npos) << campo;
    }
}

class Compromisos : public ::testing::Test {
protected:
    CarpetaTemporal tmp;
    std::string Ruta(std::string_view nombre) const { return (tmp / nombre).string(); }
    // A file written at `preparada` (the path Preparar gave).
    static void Poner(const std::string& preparada, std::string_view texto) { Escribir(preparada, texto); }
};

// Names an output may not have, when it is prepared or when it is put in
// place; nothing is touched, nothing left behind.
TEST_F(Compromisos, NombresRechazados) {
    Escribir(tmp / "entrada.txt", "entrada");
    Escribir(tmp / "ajeno.txt", "de otro");
    fs::create_symlink(tmp / "ajeno.txt", tmp / "enlace.txt");
    fs::create_directory(tmp / "carpeta.txt");
    Escribir(tmp / "p.prj", "de p.shp");
    const std::string_view prj[] = {".prj"};
    struct Caso {
        std::string ruta;
        std::span<const std::string_view> anejos;
        std::string_view error;
    } casos[] = {
        {Ruta("enlace.txt"), {}, "existe y no es un fichero normal"},
        {Ruta("carpeta.txt"), {}, "existe y no es un fichero normal"},
        {Ruta("entrada.txt"), {}, "El fichero de entrada no puede ser también"},
        {(tmp / "." / "entrada.txt").string(), {}, "El fichero de entrada no puede ser también"},
        {Ruta("r.txt"), {}, "Dos resultados de la conversión tienen el mismo nombre"},
        {Ruta("p.csv"), prj, "es de otro conjunto de datos"},
        {Ruta("falta/r.txt"), {}, "La carpeta de los resultados no existe"},
    };
    const auto antes = Contenido(tmp.ruta());
    {
        Compromiso c;
        c.Proteger(Ruta("entrada.txt"));
        std::string error;
        ASSERT_FALSE(c.Preparar(Ruta("r.txt"), {}, error).empty()) << error;
        for (const Caso& caso : casos) {
            error.clear();
            EXPECT_TRUE(c.Preparar(caso.ruta, caso.anejos, error).empty()) << caso.ruta;
            EXPECT_NE(error.find(caso.error), std::string::npos) << error;
        }
    }
    EXPECT_EQ(Contenido(tmp.ruta()), antes);
    // A link put under a name after it was prepared: refused at the commit,
    // the link left as it is.
    Compromiso c;
    std::string error;
    Poner(c.Preparar(Ruta("tarde.txt"), {}, error), "nuevo");
    fs::create_symlink(tmp / "ajeno.txt", tmp / "tarde.txt");
    EXPECT_FALSE(c.Confirmar(error));
    EXPECT_NE(error.find("existe y no es un fichero normal"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(tmp / "tarde.txt"));
    EXPECT_EQ(Contenido(tmp.ruta()).size(), antes.size() + 1);
}

// Every output in place together, a stale sidecar removed; a discarded run
// changes nothing.
TEST_F(Compromisos, TodoOsinCambios) {
    Escribir(tmp / "r.txt", "anterior");
    Escribir(tmp / "capa.shp", "anterior");
    Escribir(tmp / "capa.cpg", "anterior");
    const auto antes = Contenido(tmp.ruta());
    const std::string_view anejos[] = {".dbf", ".cpg"};
    for (const bool confirmar : {false, true}) {
        Compromiso c;
        std::string error;
        const std::string txt = c.Preparar(Ruta("r.txt"), {}, error);
        const std::string capa = c.Preparar(Ruta("capa.shp"), anejos, error);
        ASSERT_FALSE(txt.empty() || capa.empty()) << error;
        EXPECT_EQ(fs::path(txt).filename(), "r.txt");
        Poner(txt, "nuevo");
        Poner(capa, "nuevo");
        Poner((fs::path(capa).parent_path() / "capa.dbf").string(), "nuevo");
        EXPECT_EQ(Contenido(tmp.ruta()).size(), antes.size() + 1) << "the staging folder";
        if (!confirmar) continue;  // destroyed: discarded
        ASSERT_TRUE(c.Confirmar(error)) << error;
        EXPECT_EQ(Contenido(tmp.ruta()), (std::map<std::string, std::string>{
                                             {"r.txt", "nuevo"}, {"capa.shp", "nuevo"}, {"capa.dbf", "nuevo"}}));
    }
}

// A step that fails halfway (the old file of the second folder cannot be
// replaced: it is immutable) puts back what the first folder got.
TEST_F(Compromisos, FalloAMitadDeshecho) {
    for (const char* carpeta : {"a", "b"}) fs::create_directory(tmp / carpeta);
    Escribir(tmp / "a" / "r.txt", "anterior");
    Escribir(tmp / "b" / "r.csv", "anterior");
    Compromiso c;
    std::string error;
    Poner(c.Preparar(Ruta("a/r.txt"), {}, error), "nuevo");
    Poner(c.Preparar(Ruta("b/r.csv"), {}, error), "nuevo");
    if (std::system(("chattr +i " + Ruta("b/r.csv") + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +i: not root, or a file system without immutable files";
    const bool confirmado = c.Confirmar(error);
    std::system(("chattr -i " + Ruta("b/r.csv")).c_str());
    EXPECT_FALSE(confirmado);
    EXPECT_NE(error.find("No se puede escribir el fichero de resultados " + Ruta("b/r.csv")), std::string::npos) << error;
    EXPECT_EQ(Contenido(tmp / "a"), (std::map<std::string, std::string>{{"r.txt", "anterior"}}));
}

// A run killed at any moment: the next run in that folder completes it when
// its journal was written, removes it when not, and leaves a staging folder
// still locked (a run going on) alone.
TEST_F(Compromisos, RecuperacionTrasMatar) {
    auto preparacion = [&](std::string_view nombre, std::string_view diario) {
        fs::create_directories(tmp / nombre / "s");
        Escribir(tmp / nombre / "s" / "r.csv", "nuevo");
        if (!diario.empty()) Escribir(tmp / nombre / "diario", diario);
    };
    // Killed between the two renames: r.txt is the new one already.
    Escribir(tmp / "r.txt", "nuevo");
    Escribir(tmp / "r.csv", "anterior");
    preparacion(".tesmaro-aaaaaa", "P r.txt\nP r.csv\n");
    RecuperarCarpeta(tmp.ruta().string());
    EXPECT_EQ(Contenido(tmp.ruta()), (std::map<std::string, std::string>{{"r.txt", "nuevo"}, {"r.csv", "nuevo"}}));

    // Killed before its journal: nothing of it is in place.
    Escribir(tmp / "r.csv", "anterior");
    preparacion(".tesmaro-bbbbbb", "");
    // A run going on, its staging folder locked.
    preparacion(".tesmaro-cccccc", "P r.csv\n");
    const int enCurso = open((tmp / ".tesmaro-cccccc").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(enCurso, LOCK_EX), 0);
    RecuperarCarpeta(tmp.ruta().string());
    close(enCurso);
    EXPECT_EQ(Leer(tmp / "r.csv"), "anterior");
    EXPECT_FALSE(fs::exists(tmp / ".tesmaro-bbbbbb"));
    EXPECT_TRUE(fs::exists(tmp / ".tesmaro-cccccc" / "s" / "r.csv"));
}

// Two runs at once into one folder: each writes its own records (no global
// is shared), and what stays in place is one run's pair.
TEST(Lote, DosALaVez) {
    CarpetaTemporal tmp;
    std::string solo[2];
    for (const int n : {0, 1}) {
        std::string t = "c\n";
        for (int i = 0; i < 30000; ++i) t += "P" + std::to_string(i) + "," + std::to_string(n) + ",40\n";
        const std::string nombre = "p" + std::to_string(n);
        Escribir(tmp / (nombre + ".txt"), t);
        fs::create_directory(tmp / nombre);
        OrdenLote orden;
        orden.carpetaSalida = (tmp / nombre).string();
        orden.unidad = static_cast<std::int16_t>(1 + n);
        solo[n] = Leer(Correr("geo-cart", tmp / (nombre + ".txt"), orden).rutaTxt);
    }
    ResumenLote r[2];
    auto correr = [&](int n) {
        OrdenLote orden;
        orden.unidad = static_cast<std::int16_t>(1 + n);
        r[n] = Correr("geo-cart", tmp / ("p" + std::to_string(n) + ".txt"), orden);
    };
    std::thread a(correr, 0), b(correr, 1);
    a.join();
    b.join();
    ASSERT_TRUE(r[0].error.empty() && r[1].error.empty()) << r[0].error << r[1].error;
    const std::string txt = Leer(r[0].rutaTxt);
    EXPECT_TRUE(txt == solo[0] || txt == solo[1]);
    MismosRegistros(txt, Leer(r[0].rutaCsv));
}

}  // namespace
}  // namespace tesmaro::pruebas
