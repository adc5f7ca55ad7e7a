// Point files as people have them (the line reader, the layout of the fields,
// numbers read strictly), file text fit for messages, the CSV step, and result
// files that are whole or untouched.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>

#include "Ayudas.h"
#include "Lector.h"
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
        {"Se\xF1" "al \x80\r\n\xD1", {"Señal €", "Ñ"}, Codificacion::Utf8, false},
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

// Without a byte-order mark each line is UTF-8 when it is valid UTF-8 and
// Windows-1252 otherwise, wherever it lies; where a mark says UTF-8, invalid
// bytes become U+FFFD. Either way the lines handed out are UTF-8.
TEST(Lector, CodificacionPorLinea) {
    using L = LecturaLinea;
    struct Caso {
        std::string bytes;
        std::size_t saltadas;  // lines not compared at the start
        V lineas;
        std::vector<L> lecturas;
    };
    std::string relleno;  // 2.2 MB of UTF-8 lines
    for (int i = 0; i < 220000; ++i) relleno += "Ñandú,1\n";
    const Caso casos[] = {
        // One stray byte near the top leaves the good lines as they are.
        {"N\xF3mbre,X\nÑandú,1\n€,2", 0, {"Nómbre,X", "Ñandú,1", "€,2"}, {L::Windows1252, L::Utf8, L::Utf8}},
        {relleno + "Se\xF1" "al \x80\r\nÑ", 220000, {"Señal €", "Ñ"}, {L::Windows1252, L::Utf8}},
        // Overlong, surrogate and cut sequences are not UTF-8.
        {"\xC0\xAF\n\xED\xA0\x80\n\xE2\x82\nü", 0, {"À¯", "í\u00A0€", "â‚", "ü"},
         {L::Windows1252, L::Windows1252, L::Windows1252, L::Utf8}},
        {"\xEF\xBB\xBF" "a\xFF" "b\n\xF1", 0, {"a\uFFFDb", "\uFFFD"}, {L::Sustituida, L::Sustituida}},
    };
    for (const Caso& c : casos) {
        for (const std::size_t capacidad : {std::size_t{16}, std::size_t{1} << 20}) {
            CarpetaTemporal tmp;
            Escribir(tmp / "e.txt", c.bytes);
            std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
            LectorLineas lector(f, capacidad);
            if (c.saltadas == 0 && capacidad > 16) {  // the first lines come from the first block
                EXPECT_EQ(lector.PrimerasLineas(2), V(c.lineas.begin(), c.lineas.begin() + 2));
            }
            V lineas;
            std::vector<L> lecturas;
            std::string_view l;
            while (lector.Siguiente(l)) {
                if (lector.NumeroLinea() <= c.saltadas) continue;
                lineas.emplace_back(l);
                lecturas.push_back(lector.Lectura());
            }
            std::fclose(f);
            EXPECT_EQ(lineas, c.lineas) << c.lineas[0] << " capacity " << capacidad;
            EXPECT_EQ(lecturas, c.lecturas) << c.lineas[0];
        }
    }
}

// A line longer than the limit is handed out cut (never a character cut in
// two), marked, and the rest of it skipped; by default the limit is 1 MiB.
TEST(Lector, LineaDemasiadoLarga) {
    CarpetaTemporal tmp;
    Escribir(tmp / "e.txt", "corta\n" + std::string(100, 'a') + "\r\nsigue\n" + std::string(31, 'c') + "ññ\n" +
                                std::string(70, 'b'));
    std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
    LectorLineas lector(f, 16, 32);
    V lineas;
    std::vector<bool> cortadas;
    std::string_view l;
    while (lector.Siguiente(l)) {
        lineas.emplace_back(l);
        cortadas.push_back(lector.LineaCortada());
        EXPECT_EQ(lector.Lectura(), LecturaLinea::Utf8) << l;
    }
    std::fclose(f);
    EXPECT_EQ(lineas, (V{"corta", std::string(32, 'a'), "sigue", std::string(31, 'c'), std::string(32, 'b')}));
    EXPECT_EQ(cortadas, (std::vector<bool>{false, true, false, true, true}));
    EXPECT_EQ(lector.NumeroLinea(), 5u);
    EXPECT_EQ(lector.Leidos(), 6u + 102u + 6u + 36u + 70u);

    Escribir(tmp / "l.txt", "P," + std::string(3 << 20, '9') + "\nQ,1\n");
    f = std::fopen((tmp / "l.txt").c_str(), "rb");
    LectorLineas porDefecto(f);
    ASSERT_TRUE(porDefecto.Siguiente(l));
    EXPECT_TRUE(porDefecto.LineaCortada());
    EXPECT_LE(l.size(), std::size_t{1} << 20);
    ASSERT_TRUE(porDefecto.Siguiente(l));
    EXPECT_EQ(l, "Q,1");
    std::fclose(f);
}

// An input that changes while it is read (size or modification time, bytes
// past those read) is told apart from one that does not, and an input without
// a single byte from one with an empty heading; a pipe is never "changed".
TEST(Lector, FicheroCambiadoOVacio) {
    enum Cambio { Ninguno, Anadir, Hora };
    struct Caso {
        std::string bytes;
        bool tuberia;
        std::size_t antes;  // lines read before the change
        Cambio cambio;
        bool hastaElFinal, cambiado, vacio;
    };
    const std::string larga = "a\n" + std::string(40, 'x') + "\nb\n";
    const Caso casos[] = {
        {"a\nb\n", false, 0, Ninguno, true, false, false},
        {"", false, 0, Ninguno, true, false, true},
        {"\n", false, 0, Ninguno, true, false, false},  // an empty heading
        {"\xEF\xBB\xBF", false, 0, Ninguno, true, false, false},
        {"a\nb\n", false, 2, Anadir, true, true, false},   // grew after the end was read
        {larga, false, 1, Anadir, true, true, false},      // grew while read
        {"a\nb\n", false, 1, Hora, true, true, false},     // rewritten in place
        {larga, false, 1, Ninguno, false, false, false},   // read in part
        {"a\nb", true, 0, Ninguno, true, false, false},
        {"", true, 0, Ninguno, true, false, true},
    };
    for (const Caso& c : casos) {
        CarpetaTemporal tmp;
        const fs::path ruta = tmp / "e.txt";
        std::FILE* f;
        if (c.tuberia) {
            int extremos[2];
            ASSERT_EQ(pipe(extremos), 0);
            ASSERT_EQ(write(extremos[1], c.bytes.data(), c.bytes.size()), static_cast<ssize_t>(c.bytes.size()));
            close(extremos[1]);
            f = fdopen(extremos[0], "rb");
        } else {
            Escribir(ruta, c.bytes);
            f = std::fopen(ruta.c_str(), "rb");
        }
        LectorLineas lector(f, 16);
        std::string_view l;
        for (std::size_t i = 0; i < c.antes; ++i) ASSERT_TRUE(lector.Siguiente(l));
        if (c.cambio == Anadir) std::ofstream(ruta, std::ios::app) << "c,39.4";
        if (c.cambio == Hora) fs::last_write_time(ruta, fs::last_write_time(ruta) + std::chrono::seconds(1));
        if (c.hastaElFinal) {
            while (lector.Siguiente(l)) {
            }
        }
        EXPECT_EQ(lector.FicheroCambiado(), c.cambiado) << c.bytes << " pipe " << c.tuberia;
        EXPECT_EQ(lector.Vacio(), c.vacio) << c.bytes << " pipe " << c.tuberia;
        std::fclose(f);
    }
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
            const bool numero = LeerCampoNumero(campos[i + 1], formato, v) == LecturaNumero::Numero;
            EXPECT_EQ(numero, !std::isnan(c.numeros[i])) << c.linea << " field " << i + 1;
            if (numero) {
                EXPECT_EQ(v, c.numeros[i]) << c.linea << " field " << i + 1;
            }
        }
    }
}

// The separator is the one of most point lines, for tabs as for ';'. A number
// reads as before when it reads one way only; one that reads two ways (a
// separator then three digits: decimals, or thousands?) is read by the
// decimal separator the first lines show, and refused where it is the other
// one or they do not show one; thousands separators are refused.
TEST(Lector, NumerosDeUnaSolaLectura) {
    using L = LecturaNumero;
    struct Numero {
        std::string_view texto;
        L lectura;
        double valor = 0;
    };
    struct Caso {
        V primeras;
        char separador, decimal;
        std::vector<Numero> numeros;
    };
    const Caso casos[] = {
        {{"N,X,Y", "P,1.5,2"}, ',', '.',
         {{"12.345", L::Numero, 12.345}, {"\"500,000\"", L::Ambiguo}, {"\"1,5\"", L::ComaDecimal},
          {"1.234.567", L::Millares}, {"1.2.3", L::NoNumero}}},
        {{"Cabecera", "P;1;2"}, ';', ',',
         {{"12,345", L::Numero, 12.345}, {"-12.345", L::Ambiguo}, {"12.5", L::Numero, 12.5},
          {"0.123", L::Numero, 0.123}, {"1234.567", L::Numero, 1234.567}, {"12.345E0", L::Numero, 12.345},
          {"1.234,5", L::Millares}, {"1.234.56", L::NoNumero}}},
        {{"N;X", "P;39.4567", "Q;-0.25"}, ';', '.',
         {{"12.345", L::Numero, 12.345}, {"12,345", L::Ambiguo}, {"12,5", L::Numero, 12.5}}},
        {{"Cabecera", "P\t500000.5\t1"}, '\t', '.',
         {{"500,000", L::Ambiguo}, {"500000.5", L::Numero, 500000.5}, {"1,5", L::Numero, 1.5},
          {"1,234.5", L::Millares}}},
        {{"N\tX", "P\t39,5"}, '\t', ',', {{"652,123", L::Numero, 652.123}, {"652.123", L::Ambiguo}}},
        {{"N\tX", "P\t1\t2"}, '\t', 0,
         {{"652,123", L::Ambiguo}, {"652.123", L::Ambiguo}, {"1652,123", L::Numero, 1652.123},
          {"+6,1234", L::Numero, 6.1234}}},
        {{"N\tX", "P\t39,5\t39.5"}, '\t', 0, {{"652,123", L::Ambiguo}}},
        // One tab inside a name, or in a ';' line, does not make a tab file.
        {{"Nombre,X,Y", "P\t1,1,2", "Q,1,2", "R,1,2"}, ',', '.', {}},
        {{"N;X", "P\t1;2", "Q;1;2"}, ';', ',', {}},
        {{"N,X", "\"P\t1\",1,2"}, ',', '.', {}},
    };
    for (const Caso& c : casos) {
        const FormatoCampos formato = DetectarFormato(c.primeras);
        EXPECT_EQ(formato.separador, c.separador) << c.primeras[1];
        EXPECT_EQ(formato.decimal, c.decimal) << c.primeras[1];
        for (const Numero& n : c.numeros) {
            double v = -1;
            EXPECT_EQ(LeerCampoNumero(n.texto, formato, v), n.lectura) << c.primeras[1] << ": " << n.texto;
            EXPECT_EQ(v, n.lectura == L::Numero ? n.valor : -1) << c.primeras[1] << ": " << n.texto;
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

}  // namespace
}  // namespace tesmaro::pruebas
