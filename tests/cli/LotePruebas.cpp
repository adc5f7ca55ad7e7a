// tesmaro-lote as a user runs it: a table of arguments and the expected exit
// status, standard output and standard error; its outputs whole or untouched
// (a full disk on each kind of output, names it must not write over, a
// signal); and its files compared byte for byte with a run in this process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "Ayudas.h"
#include "Conversiones.h"
#include "Lote.h"

namespace tesmaro::pruebas {
namespace {

std::string Comillas(std::string_view s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Salida {
    int estado = -1;
    std::string out, err;
};

class Lote : public ::testing::Test {
protected:
    void SetUp() override {
        Escribir(dir / "geo.txt", "Punto,Longitud,Latitud,Huso,Hemisferio\r\nP1,-0.5,39.5,30,N\r\nP2,1,40,32,N\r\n");
        Escribir(dir / "utm.txt", "Punto,X,Y,Huso,Hemisferio\r\nA,725000,4400000,30,N\r\nB,1,2,26,N\r\nC,1,2,30,N\r\n");
        Escribir(dir / "cart.txt", "c\nP1,-0.5,40,100\nP2,3,41,0\n");
        Escribir(dir / "xyz.txt", "c\nP1,4000000,-30000,4900000\n");
        Escribir(dir / "dir.txt", "c\nP1,-0.4,39.5,45,100000\n");
        Escribir(dir / "inv.txt", "c\nAB,-0.4,39.5,0.5,40.25\nX,-1,10,-1,-10\n");
        Escribir(dir / "rej.txt", "c\nP1,-3.7,40.4\nFuera,20,20\n");
        Escribir(dir / "este.txt", "c\nP1,-0.5,39.5,30,N\nMallorca,3,39.5,30,N\n");
        Escribir(dir / "alt.txt", "c\nM,-3.7038,40.4168,700\nP,2.35,48.85,80\n");
        Escribir(dir / "altu.txt", "c\nM,440291.4,4474261.8,30,700\n");
    }
    void TearDown() override { ajustes::Restablecer(); }

    // `antes`: what the shell does before running the program.
    // `redir`: where standard input and output come from and go.
    Salida Correr(const std::vector<std::string>& args, const std::string& antes = "LC_ALL=C",
                  const std::string& redir = ">salida.out") {
        std::string orden = "cd " + Comillas(dir.ruta().string()) + " && " + antes + " " + Comillas(TESMARO_LOTE);
        for (const std::string& a : args) orden.append(1, ' ').append(Comillas(a));
        const int r = std::system((orden + " " + redir + " 2>salida.err").c_str());
        Salida s{WIFEXITED(r) ? WEXITSTATUS(r) : -1, Leer(dir / "salida.out"), Leer(dir / "salida.err")};
        fs::remove(dir / "salida.out");
        fs::remove(dir / "salida.err");
        return s;
    }

    CarpetaTemporal dir;
};

TEST_F(Lote, TablaDeArgumentos) {
    const std::string rejilla = std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb";
    fs::create_directories(dir / "sal");
    std::string otra = Leer(rejilla);
    otra[otra.size() / 2] ^= 1;  // one bit of a shift: still a valid grid, not the shipped one
    Escribir(dir / "otra.gsb", otra);
    fs::create_symlink(dir / "otra.gsb", dir / "enlace.gpkg");
    Escribir(dir / "p.shp", "de otra capa");
    Escribir(dir / "p.prj", "de otra capa");
    const auto intactos = std::map<std::string, std::string>{
        {"cart.txt", Leer(dir / "cart.txt")}, {"otra.gsb", otra}, {"p.prj", "de otra capa"}};
    struct Caso {
        std::vector<std::string> args;
        int estado;
        std::string out;          // exact
        std::string errContiene;  // a part of standard error
        std::string redir = ">salida.out";
    } casos[] = {
        // Help: usage, the conversions, a worked example; on stdout, status 0.
        {{"--help"}, 0, "", ""},
        {{"geo-cart", "x", "-h"}, 0, "", ""},
        // Wrong usage: status 2, the usage line on stderr, nothing on stdout.
        {{}, 2, "", "Uso: tesmaro-lote CONVERSION ENTRADA"},
        {{"geo-utm-etrs89"}, 2, "", "faltan la conversión y el fichero de entrada"},
        {{"geo-utm", "geo.txt"}, 2, "", "conversión desconocida: geo-utm"},
        {{"geo-cart", "cart.txt", "otro"}, 2, "", "sobra el argumento: otro"},
        {{"geo-cart", "cart.txt", "--elipsoide", "24"}, 2, "", "--elipsoide debe ser un número de 0 a 23: 24"},
        {{"geo-cart", "cart.txt", "--elipsoide", "-1"}, 2, "", "--elipsoide"},
        {{"geo-cart", "cart.txt", "--elipsoide=4x"}, 2, "", "--elipsoide"},
        {{"geo-cart", "cart.txt", "--unidad", "4"}, 2, "", "--unidad debe ser 1, 2 o 3: 4"},
        {{"geo-cart", "cart.txt", "--unidad"}, 2, "", "falta el valor de --unidad"},
        {{"geo-cart", "cart.txt", "--color"}, 2, "", "opción desconocida: --color"},
        {{"geo-cart", "cart.txt", "-v"}, 2, "", "opción desconocida: -v"},
        {{"geo-cart", "cart.txt", "--unidad", "1", "--unidad", "2"}, 2, "", "opción repetida: --unidad"},
        // Failed, nothing replaced: status 1, nothing on stdout.
        {{"geo-utm-etrs89", "no_existe.txt"}, 1, "",
         "tesmaro-lote: No se puede leer el fichero de entrada: no_existe.txt\n"},
        {{"ed50-etrs89", "rej.txt", "--rejilla", "falta.gsb"}, 1, "", "falta.gsb"},
        {{"geo-cart", "cart.txt", "--salida", "no_hay_carpeta"}, 1, "", "La carpeta de los resultados no existe"},
        // No output over the input, the grid, another output or a link.
        {{"geo-cart", "cart.txt", "--mapa", "cart.txt"}, 1, "", "El fichero de entrada no puede ser también"},
        {{"ed50-etrs89", "rej.txt", "--rejilla", "otra.gsb", "--mapa", "otra.gsb"}, 1, "",
         "El fichero de entrada no puede ser también"},
        {{"geo-cart", "cart.txt", "--mapa", "Cartesianas_geocéntricas.txt"}, 1, "",
         "Dos resultados de la conversión tienen el mismo nombre"},
        {{"geo-cart", "cart.txt", "--capa", "enlace.gpkg"}, 1, "", "existe y no es un fichero normal"},
        {{"geo-cart", "cart.txt", "--capa", "p.csv"}, 1, "", "es de p.shp, no de la capa p.csv"},
        {{"geo-cart", "/dev/stdin"}, 1, "", "La entrada no es un fichero normal", "<cart.txt >salida.out"},
        {{"geo-cart", "cart.txt"}, 1, "", "Error al escribir en la salida estándar", ">/dev/full"},
        {{"geo-cart", "-"}, 1, "", "Error al escribir el fichero de resultados: la salida estándar",
         "<cart.txt >/dev/full"},
        // Done: the two paths on stdout, the summary on stderr; 0 when every line was converted.
        {{"geo-utm-etrs89", "geo.txt"}, 3, "UTM_ETRS89.txt\nUTM_ETRS89.csv\n",
         "tesmaro-lote: geo-utm-etrs89: Fichero de entrada: UTF-8, separado por comas.\n"
         "tesmaro-lote: geo-utm-etrs89: 2 líneas de puntos leídas, 1 convertida.\n"
         "tesmaro-lote: geo-utm-etrs89: 1 línea omitida: su huso no está entre 27 y 31 (línea 3).\n"},
        {{"--salida", "sal", "geo-utm-ed50", "--", "geo.txt"}, 3, "sal/UTM_ED50.txt\nsal/UTM_ED50.csv\n", ""},
        {{"directo", "dir.txt"}, 0, "Problema_directo.txt\nProblema_directo.csv\n", "1 convertida"},
        {{"inverso", "inv.txt"}, 3, "Problema_inverso.txt\nProblema_inverso.csv\n",
         "1 línea no se ha podido calcular: los dos puntos no están en el mismo hemisferio (línea 3)"},
        {{"ed50-etrs89", "rej.txt", "--rejilla=" + rejilla}, 3,
         "Transformacion_a_ETRS89.txt\nTransformacion_a_ETRS89.csv\n", "1 línea fuera de la rejilla (línea 3)"},
        {{"etrs89-ed50", "rej.txt", "--rejilla", rejilla}, 3, "Transformacion_a_ED50.txt\nTransformacion_a_ED50.csv\n",
         "(la distribuida, SPED2ETV2 del IGN)"},
        {{"etrs89-ed50", "rej.txt", "--rejilla", "otra.gsb"}, 3, "Transformacion_a_ED50.txt\nTransformacion_a_ED50.csv\n",
         "otra.gsb (NO es la distribuida: su SHA-256 es "},
        // UTM stopped at zone 26: its message with the line and the zone, the records before it.
        {{"utm-geo-etrs89", "utm.txt"}, 3, "Geodesicas_ETRS89.txt\nGeodesicas_ETRS89.csv\n",
         "tesmaro-lote: Cálculo solo para los husos geográficos 27 a 31: hay datos fuera del área "
         "(línea 3: huso «26»)\n"},
        // The exact method named; the legacy one warns in extended zone 30 beyond 1 cm.
        {{"geo-utm-etrs89", "geo.txt", "--exacto"}, 3, "UTM_ETRS89.txt\nUTM_ETRS89.csv\n",
         "Método: exacto (Krüger, GeographicLib).\n"},
        {{"geo-utm-ed50", "este.txt"}, 0, "UTM_ED50.txt\nUTM_ED50.csv\n",
         "1 línea convertida por el método clásico a más de 1 cm de la posición exacta (línea 3).\n"},
        // The self-test: the shipped grid passes; another grid is named and fails.
        {{"--verificar"}, 0, "", ""},
        {{"--verificar", "--rejilla", "otra.gsb"}, 1, "", ""},
        {{"cart-geo", (dir / "xyz.txt").string()}, 0,
         (dir / "Geodesicas_elipsoidales.txt").string() + "\n" + (dir / "Geodesicas_elipsoidales.csv").string() + "\n",
         ""},
    };
    for (const Caso& c : casos) {
        std::string nombre;
        for (const auto& a : c.args) nombre += a + " ";
        const Salida s = Correr(c.args, "LC_ALL=C", c.redir);
        EXPECT_EQ(s.estado, c.estado) << nombre << "\n" << s.err;
        if (c.args.size() >= 1 && (c.args[0] == "--help" || c.args.back() == "-h")) {
            EXPECT_NE(s.out.find("Uso: tesmaro-lote CONVERSION ENTRADA"), std::string::npos);
            EXPECT_NE(s.out.find("Ejemplo:"), std::string::npos);
            for (const Conversion& k : Conversiones()) EXPECT_NE(s.out.find("  " + std::string(k.nombre) + " "), std::string::npos);
            EXPECT_EQ(s.err, "");
            continue;
        }
        if (!c.args.empty() && c.args[0] == "--verificar") {  // one line per check, the verdict last
            EXPECT_NE(s.out.find(c.estado == 0 ? "bien   Rejilla" : "FALLO  Rejilla otra.gsb: NO es la distribuida"),
                      std::string::npos) << s.out;
            EXPECT_EQ(std::count(s.out.begin(), s.out.end(), '\n'), 21) << s.out;
            continue;
        }
        EXPECT_EQ(s.out, c.out) << nombre;
        EXPECT_NE(s.err.find(c.errContiene), std::string::npos) << nombre << "\n" << s.err;
        if (c.estado == 2) {
            EXPECT_NE(s.err.find("Uso: "), std::string::npos) << nombre;
        }
    }
    for (const auto& [nombre, contenido] : intactos) EXPECT_EQ(Leer(dir / nombre), contenido) << nombre;
    // A grid in the current folder goes before the program's, and says so.
    fs::copy_file(dir / "otra.gsb", dir / "sped2et.gsb");
    EXPECT_NE(Correr({"ed50-etrs89", "rej.txt"}).err.find("sped2et.gsb (NO es la distribuida"), std::string::npos);
    // Standard input to standard output: the bytes of the text result.
    const Salida tuberia = Correr({"cart-geo", "-"}, "LC_ALL=C", "<xyz.txt >salida.out");
    EXPECT_EQ(tuberia.estado, 0) << tuberia.err;
    EXPECT_EQ(tuberia.out, Leer(dir / "Geodesicas_elipsoidales.txt"));
    // The stop left its records: the header and point A.
    const std::string parcial = Leer(dir / "Geodesicas_ETRS89.txt");
    EXPECT_EQ(std::count(parcial.begin(), parcial.end(), '\n'), 2) << parcial;
    EXPECT_EQ(Leer(dir / "Geodesicas_ETRS89.csv").substr(0, 32), "\xEF\xBB\xBFNombre;Longitud;Latitud;Huso\r");
}

// Interrupted (SIGTERM, SIGINT, SIGHUP) or killed, a run leaves the earlier
// results as they were; what a killed run leaves behind, the next run in that
// folder removes.
TEST_F(Lote, InterrumpidoDejaLosResultados) {
    std::string puntos = "c\n";
    for (int i = 0; i < 200000; ++i) puntos += "P,-0.4,39.5,45,100000\n";
    Escribir(dir / "Problema_directo.txt", "anterior");
    Escribir(dir / "Problema_directo.csv", "anterior");
    const auto antes = Contenido(dir.ruta());  // the input aside: its size would slow a failure's diff
    Escribir(dir / "largo.txt", puntos);
    for (const std::string senal : {"TERM", "INT", "HUP", "KILL"}) {
        const Salida s = Correr({"directo", "largo.txt", "--capa", "capa.gpkg"}, "timeout -s " + senal + " 0.5");
        EXPECT_NE(s.estado, 0) << senal;
        auto despues = Contenido(dir.ruta());
        despues.erase("largo.txt");
        if (senal == "KILL") {
            // Killed before it began to write (a loaded machine starts it
            // slowly): again, later.
            for (int espera = 1; despues.size() == antes.size() && espera <= 8; espera *= 2) {
                Correr({"directo", "largo.txt", "--capa", "capa.gpkg"}, "timeout -s KILL " + std::to_string(espera));
                despues = Contenido(dir.ruta());
                despues.erase("largo.txt");
            }
            EXPECT_EQ(despues.size(), antes.size() + 1) << "its staging folder";
            fs::create_directory(dir / "otra");
            Correr({"directo", "dir.txt", "--salida", "otra"});
            EXPECT_TRUE(fs::exists(dir / despues.begin()->first)) << "a run elsewhere leaves it";
            Correr({"directo", "dir.txt"});
            EXPECT_FALSE(fs::exists(dir / despues.begin()->first)) << "the next run here cleans it";
            break;
        }
        EXPECT_EQ(despues, antes) << senal << "\n" << s.err;
    }
}

// A full disk on any output (the text results, a layer of each format, the
// map): status 1, and every earlier output as it was. Each limit lets every
// file of the run but the one tried grow as it needs (a limit is per file).
TEST_F(Lote, DiscoLlenoEnCadaSalida) {
    struct Caso {
        std::string salida;
        int lineas;
        int kib;  // a text result of 6000 lines takes 490 KiB, the layer's scratch file 480 KiB
    } casos[] = {{"", 6000, 300},           {"--capa=g.gpkg", 6000, 600}, {"--capa=s.shp", 6000, 600},
                 {"--capa=j.geojson", 6000, 600}, {"--capa=k.kml", 6000, 600}, {"--capa=c.csv", 6000, 515},
                 {"--mapa=m.png", 50, 20}};
    auto puntos = [](int n) {  // over the whole region, so that the map has coasts to draw
        std::string t = "c\n";
        for (int i = 0; i < n; ++i) t += "P" + std::to_string(i) + "," + std::to_string(-9 + i % 13) + ",39.5,100\n";
        return t;
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args{"geo-cart", "p.txt"};
        if (!c.salida.empty()) args.push_back(c.salida);
        Escribir(dir / "p.txt", puntos(c.lineas / 2));
        ASSERT_EQ(Correr(args).estado, 0) << c.salida;  // the earlier results
        Escribir(dir / "p.txt", puntos(c.lineas));
        const auto antes = Contenido(dir.ruta());
        const Salida s = Correr(args, "trap '' XFSZ; ulimit -f " + std::to_string(c.kib) + ";");
        EXPECT_EQ(s.estado, 1) << c.salida << "\n" << s.err;
        EXPECT_EQ(Contenido(dir.ruta()), antes) << c.salida;
    }
}

// The command line writes the bytes of a run made in this process with the
// same settings: the options reach the run. It runs under a comma locale,
// this process under a point locale.
TEST_F(Lote, MismosBytesQueLaVentana) {
    const std::string rejilla = std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb";
    fs::create_directories(dir / "ventana");
    const std::map<std::int16_t, std::string> entradas = {
        {codigo::UtmGeoETRS89, "utm.txt"}, {codigo::UtmGeoED50, "utm.txt"}, {codigo::GeoUtmETRS89, "geo.txt"},
        {codigo::GeoUtmED50, "geo.txt"},   {codigo::GeoCart, "cart.txt"},   {codigo::CartGeo, "xyz.txt"},
        {codigo::Directo, "dir.txt"},      {codigo::Inverso, "inv.txt"},    {codigo::ED50aETRS89, "rej.txt"},
        {codigo::ETRS89aED50, "rej.txt"}, {codigo::AltitudGeo, "alt.txt"}, {codigo::AlturaGeo, "alt.txt"},
        {codigo::AltitudUtm, "altu.txt"},  {codigo::AlturaUtm, "altu.txt"}};
    int n = 0;
    for (const Conversion& c : Conversiones()) {
        // A different ellipsoid and unit for each conversion.
        ajustes::ElipsoideActual = static_cast<std::int16_t>((n * 5) % 24);
        ajustes::UnidadAngular = static_cast<std::int16_t>(1 + n++ % 3);
        const std::string nombre(c.base), entrada = entradas.at(c.codigo);
        OrdenLote orden = OrdenLote::ConAjustesActuales(c, (dir / entrada).string());
        orden.carpetaSalida = (dir / "ventana").string();
        orden.rutaRejilla = rejilla;
        ObservadorLote nadie;
        ASSERT_TRUE(EjecutarLote(orden, nadie).error.empty());
        Correr({std::string(c.nombre), entrada, "--elipsoide", std::to_string(ajustes::ElipsoideActual), "--unidad",
                std::to_string(ajustes::UnidadAngular), "--rejilla", rejilla},
               "LC_ALL=es_ES.UTF-8");
        for (const std::string& f : {nombre + ".txt", nombre + ".csv"})
            EXPECT_EQ(Leer(dir / f), Leer(dir / "ventana" / f)) << f;
        EXPECT_GT(Leer(dir / (nombre + ".txt")).size(), 10u);
    }
}

// An exception nothing expects (here memory refused while a large grid is
// read) is said in one line, with status 1, never as an abort.
TEST_F(Lote, ErrorInesperado) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer cannot start under a memory limit";
#endif
    // The headers of the shipped grid with one sub-grid of 6300 × 6300 nodes
    // of 0.1" (635 MB), in a sparse file: no disk used.
    std::string cabeceras = Leer(std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb").substr(0, 352);
    const auto poner = [&cabeceras](std::size_t en, auto valor) { std::memcpy(cabeceras.data() + en, &valor, sizeof valor); };
    poner(40, std::int32_t{1});  // NUM_FILE
    poner(176 + 88, 136800 + 629.9);  // N_LAT
    poner(176 + 120, -16800 + 629.9);  // W_LONG
    poner(176 + 136, 0.1);  // LAT_INC
    poner(176 + 152, 0.1);  // LONG_INC
    poner(176 + 168, std::int32_t{6300 * 6300});  // GS_COUNT
    Escribir(dir / "grande.gsb", cabeceras);
    fs::resize_file(dir / "grande.gsb", 352 + std::uint64_t{6300 * 6300} * 16);
    const Salida s = Correr({"ed50-etrs89", "rej.txt", "--rejilla", "grande.gsb"}, "ulimit -v 300000 &&");
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.err, "tesmaro-lote: error inesperado: std::bad_alloc\n");
    EXPECT_EQ(s.out, "");
}

// The worked example of --help is what the program really does.
TEST_F(Lote, EjemploDeLaAyuda) {
    const std::string ayuda = Correr({"--help"}).out;
    Escribir(dir / "puntos.txt", "Punto,Longitud,Latitud,Huso,Hemisferio\r\nP1,-0.5,39.5,30,N\r\n");
    const Salida s = Correr({"geo-utm-etrs89", "puntos.txt"});
    EXPECT_NE(ayuda.find("  " + s.out.substr(0, s.out.find('\n') + 1)), std::string::npos);
    std::string txt = Leer(dir / "UTM_ETRS89.txt"), csv = Leer(dir / "UTM_ETRS89.csv").substr(3);  // no BOM
    for (std::string* f : {&txt, &csv}) {
        for (std::size_t p = 0; (p = f->find("\r\n", p)) != std::string::npos;) f->replace(p, 2, "\n  ");
        EXPECT_NE(ayuda.find("  " + f->substr(0, f->size() - 2)), std::string::npos) << *f;
    }
}

}  // namespace
}  // namespace tesmaro::pruebas
