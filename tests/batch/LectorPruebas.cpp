// Point files as people have them (the line reader, the layout of the fields,
// numbers read strictly), file text fit for messages, the CSV step, and result
// files that are whole or untouched.
#include <sys/stat.h>

#include <cmath>

#include "Ayudas.h"
#include "Lector.h"
#include "Registros.h"
#include "Texto.h"

namespace tesmaro::pruebas {
namespace {

using V = std::vector<std::string>;

TEST(Lector, CodificacionesYFinesDeLinea) {
    struct Caso {
        std::string bytes;
        V lineas;
        Codificacion tipo;
        bool cr;
    };
    const std::string larga(100000, 'z');
    const Caso casos[] = {
        {"a\r\nb\r\n", {"a", "b"}, Codificacion::Utf8, false},
        {"a\nb", {"a", "b"}, Codificacion::Utf8, false},  // no final line end
        {"a\r\n\r\nb\r", {"a", "", "b"}, Codificacion::Utf8, false},
        {"", {}, Codificacion::Utf8, false},
        {"\n", {""}, Codificacion::Utf8, false},
        {std::string("n\0l,1\n", 6), {std::string("n\0l,1", 5)}, Codificacion::Utf8, false},
        {"c\n" + larga + "\r\nfin", {"c", larga, "fin"}, Codificacion::Utf8, false},
        {"\xEF\xBB\xBFP,1\r\nb", {"P,1", "b"}, Codificacion::Utf8Bom, false},
        {std::string("\xFF\xFEP\0,\0\xF1\0\r\0\n\0\x3D\xD8\x00\xDE", 16), {"P,ñ", "😀"}, Codificacion::Utf16LE, false},
        {std::string("\xFE\xFF\0a\0\r\0b\0\r", 10), {"a", "b"}, Codificacion::Utf16BE, true},
        {std::string("\xFF\xFE\x41", 3), {"\xEF\xBF\xBD"}, Codificacion::Utf16LE, false},  // odd byte
        {"a\rb\r\rc", {"a", "b", "", "c"}, Codificacion::Utf8, true},
        {"x\ry\n", {"x\ry"}, Codificacion::Utf8, false},  // a lone CR in a LF file is data
        {"Se\xF1" "al \x80\r\n\xD1", {"Señal €", "Ñ"}, Codificacion::Windows1252, false},
    };
    for (const Caso& c : casos) {
        // Small buffers on purpose: lines and characters cross the buffer's edge.
        for (const std::size_t capacidad : {std::size_t{16}, std::size_t{1} << 20}) {
            CarpetaTemporal tmp;
            Escribir(tmp / "e.txt", c.bytes);
            std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
            LectorLineas lector(f, capacidad);
            V lineas;
            std::string_view l;
            while (lector.Siguiente(l)) lineas.emplace_back(l);
            std::fclose(f);
            EXPECT_EQ(lineas, c.lineas) << c.bytes.substr(0, 20) << " capacity " << capacidad;
            EXPECT_EQ(lector.Tipo(), c.tipo) << c.bytes.substr(0, 20);
            EXPECT_EQ(lector.FinalesCR(), c.cr) << c.bytes.substr(0, 20);
            if (c.tipo == Codificacion::Utf8) {
                EXPECT_EQ(lector.Leidos(), c.bytes.size());
            }
        }
    }
}

// A line longer than the limit is handed out cut, marked, and the rest of it skipped.
TEST(Lector, LineaDemasiadoLarga) {
    CarpetaTemporal tmp;
    Escribir(tmp / "e.txt", "corta\n" + std::string(100, 'a') + "\r\nsigue\n" + std::string(70, 'b'));
    std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
    LectorLineas lector(f, 16, 32);
    V lineas;
    std::vector<bool> cortadas;
    std::string_view l;
    while (lector.Siguiente(l)) {
        lineas.emplace_back(l);
        cortadas.push_back(lector.LineaCortada());
    }
    std::fclose(f);
    EXPECT_EQ(lineas, (V{"corta", std::string(32, 'a'), "sigue", std::string(32, 'b')}));
    EXPECT_EQ(cortadas, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(lector.NumeroLinea(), 4u);
    EXPECT_EQ(lector.Leidos(), 6u + 102u + 6u + 70u);
}

TEST(Lector, FormatoCamposYNumeros) {
    struct Caso {
        V primeras;
        std::string linea;
        V campos;
        std::vector<double> numeros;  // fields 1.. read as numbers; NAN: not a number
    };
    const double X = NAN;
    const Caso casos[] = {
        {{"N,X,Y", "P1,1,2"}, "P1,-0.5,39.5,1e3", {"P1", "-0.5", "39.5", "1e3"}, {-0.5, 39.5, 1000}},
        {{"N;X;Y", "Señal Ñ-3;-0,5;39,5;100,25"}, "Señal Ñ-3;-0,5;39,5;100,25",
         {"Señal Ñ-3", "-0,5", "39,5", "100,25"}, {-0.5, 39.5, 100.25}},
        {{"N\tX", "a\t1"}, "P 1\t -0,5 \t\"39.5\"", {"P 1", " -0,5 ", "39.5"}, {-0.5, 39.5}},
        {{"N,X"}, "\"Smith, J\",\"-0.5\", \"39.5\" ,30,N", {"Smith, J", "-0.5", "39.5", "30", "N"},
         {-0.5, 39.5, 30, X}},
        {{"N,X"}, "P,nan,inf,0x10,--5,abc,,1.5abc,1 5", {"P", "nan", "inf", "0x10", "--5", "abc", "", "1.5abc", "1 5"},
         {X, X, X, X, X, X, X, X}},
        {{"N,X"}, "P,1.2.3,-,.5,5.,2D-3,\"U1,2", {"P", "1.2.3", "-", ".5", "5.", "2D-3", "\"U1", "2"},
         {X, X, 0.5, 5, 0.002, X, 2}},  // an unclosed quote is an ordinary character
        {{"N,X"}, "P,1,5", {"P", "1", "5"}, {1, 5}},  // a comma file: the comma separates
    };
    for (const Caso& c : casos) {
        const FormatoCampos formato = DetectarFormato(c.primeras);
        const CamposFichero campos(c.linea, formato);
        V leidos;
        for (std::size_t i = 0; i < campos.size(); ++i) leidos.emplace_back(campos[i]);
        EXPECT_EQ(leidos, c.campos) << c.linea;
        EXPECT_EQ(campos[campos.size() + 3], "") << "a field beyond the last is empty";
        for (std::size_t i = 0; i < c.numeros.size(); ++i) {
            double v = 0;
            const bool numero = LeerCampoNumero(campos[i + 1], formato.comaDecimal, v);
            EXPECT_EQ(numero, !std::isnan(c.numeros[i])) << c.linea << " field " << i + 1;
            if (numero) {
                EXPECT_EQ(v, c.numeros[i]) << c.linea << " field " << i + 1;
            }
        }
    }
}

// Control characters and bytes that are not UTF-8 reach no message raw.
TEST(Mensajes, TextoDeFicheroEscapado) {
    const std::pair<std::string_view, std::string_view> casos[] = {
        {"a\tb\r\n", "a\\tb\\r\\n"},
        {"\x1B]0;titulo\x07\x1B[2J", "\\x1b]0;titulo\\x07\\x1b[2J"},
        {std::string_view("\0\x7F", 2), "\\x00\\x7f"},
        {"\xC2\x9B" "1m\xC2\x85", "\\u009b1m\\u0085"},  // C1, as UTF-8
        {"Ñandú € 😀 \xC2\xA0 C:\\x", "Ñandú € 😀 \xC2\xA0 C:\\x"},
        {"\xFF\xC3 \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82",
         "\\xff\\xc3 \\xc0\\xaf \\xed\\xa0\\x80 \\xf4\\x90\\x80\\x80 \\xe2\\x82"},  // not UTF-8
    };
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(TextoParaMensaje(texto), esperado) << esperado;
}

TEST(Escritor, PasoCsv) {
    const std::pair<std::string_view, std::string_view> casos[] = {
        {"\"P.1\",-0.5,39.25,30,\"Norte\"", "P,1;-0,5;39,25;30;Norte"},
        {"\"A\",,,30", "A;;;30"},
        {"\"x;y\",1E-07", "x;y;1E-07"},
        {"", ""},
    };
    for (const auto& [txt, csv] : casos) EXPECT_EQ(LineaCsv(txt), csv);
    EXPECT_EQ(TextoACsv("\"a.b\",1.5\r\n\"c\",2"), "a,b;1,5\r\nc;2\r\n");
}

class Escritor : public ConLocale {};

// The records and their CSV twin (after its byte-order mark), in either locale;
// the results are renamed into place only when complete; anything else leaves
// the earlier results as they were and no temporary behind.
TEST_P(Escritor, RegistrosEnterosOIntactos) {
    CarpetaTemporal tmp;
    Escribir(tmp / "r.txt", "anterior");
    Escribir(tmp / "r.csv", "anterior");
    std::string error;
    {
        EscritorResultados e;
        ASSERT_TRUE(e.Abrir((tmp / "r.txt").string(), (tmp / "r.csv").string(), error));
        e.Texto("a");
        e.FinRegistro();
        e.Descartar();
    }
    {
        EscritorResultados e;  // destroyed without Cerrar: a failed run
        ASSERT_TRUE(e.Abrir((tmp / "r.txt").string(), (tmp / "r.csv").string(), error));
        e.Texto("a");
        e.FinRegistro();
    }
    EXPECT_EQ(Leer(tmp / "r.txt"), "anterior");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator{}), 2);

    EscritorResultados e;
    ASSERT_TRUE(e.Abrir((tmp / "r.txt").string(), (tmp / "r.csv").string(), error));
    e.Texto("Nombre");
    e.FinRegistro();
    e.Nombre("\"Señal.1\"");
    e.Numero(-0.5);
    e.Numero(1234567.891234567);
    e.Numero(2e-7);
    e.Numero(0.0 / 0.0);  // not finite: an empty field
    e.Entero(30);
    e.Vacio();
    e.FinRegistro();
    e.Texto("abierto");  // a record never ended is not written
    EXPECT_EQ(Leer(tmp / "r.txt"), "anterior") << "nothing replaced before Cerrar";
    ASSERT_TRUE(e.Cerrar(error)) << error;
    EXPECT_EQ(Leer(tmp / "r.txt"), "\"Nombre\"\r\n\"Señal.1\",-0.5,1234567.89123457,2E-07,,30,\r\n");
    EXPECT_EQ(Leer(tmp / "r.csv"), "\xEF\xBB\xBFNombre\r\nSeñal,1;-0,5;1234567,89123457;2E-07;;30;\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator{}), 2);

    // A folder or a symbolic link under a result name is an error, not a target.
    fs::create_directory(tmp / "d.txt");
    fs::create_symlink(tmp / "r.txt", tmp / "s.txt");
    EscritorResultados f;
    EXPECT_FALSE(f.Abrir((tmp / "d.txt").string(), (tmp / "d.csv").string(), error));
    EXPECT_NE(error.find("d.txt"), std::string::npos) << error;
    EXPECT_FALSE(f.Abrir((tmp / "s.txt").string(), (tmp / "s.csv").string(), error));
    EXPECT_EQ(Leer(tmp / "s.txt"), Leer(tmp / "r.txt"));
}

TESMARO_EN_LOCALES(Escritor);

}  // namespace
}  // namespace tesmaro::pruebas
