// The field splitter, the CSV step, the record writer and the line reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Ayudas.h"
#include "Campos.h"
#include "Registros.h"

namespace tesmaro::pruebas {
namespace {

// Splitting, the CSV step and the line reader touch no number, but they run
// under both locales like every batch test.
class Campos : public ConLocale {};

// The rule every point file has always been read by.
TEST_P(Campos, CamposDeUnaLinea) {
    using namespace std::literals;
    struct Caso {
        std::string_view linea;
        std::array<std::string_view, 5> campos;
    } casos[] = {
        {"A,1,2", {"A", "1", "2", "2", "2"}},  // beyond the last field: the last field
        {"A,,2", {"A", "", "2", "2", "2"}},
        {"A,1,", {"A", "1", "", "", ""}},
        {"", {"", "", "", "", ""}},
        {"sin comas", {"sin comas", "sin comas", "sin comas", "sin comas", "sin comas"}},
        {"\"P,1\",2", {"\"P", "1\"", "2", "2", "2"}},  // quotes get no special treatment
        {"a,b,c,d,e,f,g", {"a", "b", "c", "d", "e"}},
        {"N\0L,5"sv, {"N\0L"sv, "5", "5", "5", "5"}},
    };
    for (const Caso& c : casos) {
        const CamposLinea<5> campos(c.linea);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(campos[i], c.campos[static_cast<std::size_t>(i)]) << c.linea << i;
    }
}

TEST_P(Campos, PasoCsv) {
    struct Caso {
        std::string_view txt, csv;
    } casos[] = {
        {"\"P.1\",-0.5,39.25,30,\"Norte\"", "P,1;-0,5;39,25;30;Norte"},
        {"\"Nombre\",\"Coordenada X\"", "Nombre;Coordenada X"},
        {"\"A\",,,30", "A;;;30"},
        {"\"x;y\",1E-07", "x;y;1E-07"},
        {"", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(LineaCsv(c.txt), c.csv);
    EXPECT_EQ(TextoACsv("\"a.b\",1.5\r\n\"c\",2\r\n"), "a,b;1,5\r\nc;2\r\n");
    EXPECT_EQ(TextoACsv("\"c\",2"), "c;2\r\n");
    EXPECT_EQ(TextoACsv(""), "");
}

class Escritor : public ConLocale {};

TEST_P(Escritor, RegistrosYSuGemeloCsv) {
    CarpetaTemporal tmp;
    EscritorResultados e;
    std::string error;
    ASSERT_TRUE(e.Abrir(tmp / "r.txt", tmp / "r.csv", error)) << error;
    e.Texto("Nombre");
    e.Texto("Valor");
    e.FinRegistro();
    e.Nombre("\"P.1\"");
    e.Numero(-0.5);
    e.Numero(1234567.891234567);
    e.Numero(2e-7);
    e.Numero(0.0 / 0.0);  // not finite: an empty field
    e.Entero(30);
    e.Vacio();
    e.FinRegistro();
    e.Texto("abierto");  // a record never ended is not written
    ASSERT_TRUE(e.Cerrar(error)) << error;
    const std::string txt = Leer(tmp / "r.txt");
    EXPECT_EQ(txt, "\"Nombre\",\"Valor\"\r\n\"P.1\",-0.5,1234567.89123457,2E-07,,30,\r\n");
    EXPECT_EQ(Leer(tmp / "r.csv"), TextoACsv(txt));
    EXPECT_EQ(Leer(tmp / "r.csv"), "Nombre;Valor\r\nP,1;-0,5;1234567,89123457;2E-07;;30;\r\n");
}

TESMARO_EN_LOCALES(Escritor);

std::vector<std::string> Lineas(std::string_view contenido, std::size_t capacidad) {
    CarpetaTemporal tmp;
    Escribir(tmp / "e.txt", contenido);
    std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
    LectorLineas lector(f, capacidad);
    std::vector<std::string> lineas;
    std::string_view l;
    while (lector.Siguiente(l)) lineas.emplace_back(l);
    EXPECT_EQ(lector.Leidos(), contenido.size());
    std::fclose(f);
    return lineas;
}

TEST_P(Campos, LectorFinesDeLinea) {
    using V = std::vector<std::string>;
    // Small buffers on purpose: lines cross the buffer's edge.
    for (const std::size_t capacidad : {std::size_t{16}, std::size_t{1} << 20}) {
        EXPECT_EQ(Lineas("a\r\nb\r\n", capacidad), (V{"a", "b"}));
        EXPECT_EQ(Lineas("a\nb\n", capacidad), (V{"a", "b"}));
        EXPECT_EQ(Lineas("a\r\nb", capacidad), (V{"a", "b"}));  // no final line end
        EXPECT_EQ(Lineas("a\r\nb\r", capacidad), (V{"a", "b"}));
        EXPECT_EQ(Lineas("a\r\n\r\nb", capacidad), (V{"a", "", "b"}));
        EXPECT_EQ(Lineas("", capacidad), V{});
        EXPECT_EQ(Lineas("\n", capacidad), V{""});
        EXPECT_EQ(Lineas("x\ry\n", capacidad), V{"x\ry"});  // a lone CR is data
        EXPECT_EQ(Lineas(std::string_view("n\0l,1\n", 6), capacidad), V{std::string("n\0l,1", 5)});
        const std::string larga(100000, 'z');
        EXPECT_EQ(Lineas("c\n" + larga + "\r\nfin", capacidad), (V{"c", larga, "fin"}));
    }
}

TEST_P(Campos, LectorCortaLineaDemasiadoLarga) {
    CarpetaTemporal tmp;
    Escribir(tmp / "e.txt", "corta\n" + std::string(100, 'a') + "\r\nsigue\n" + std::string(70, 'b'));
    std::FILE* f = std::fopen((tmp / "e.txt").c_str(), "rb");
    LectorLineas lector(f, 16, 32);
    std::vector<std::string> lineas;
    std::string_view l;
    while (lector.Siguiente(l)) lineas.emplace_back(l);
    std::fclose(f);
    // The first 32 bytes of each long line; the rest of it skipped.
    EXPECT_EQ(lineas, (std::vector<std::string>{"corta", std::string(32, 'a'), "sigue", std::string(32, 'b')}));
    EXPECT_TRUE(lector.Cortada());
    EXPECT_EQ(lector.Leidos(), 6u + 102u + 6u + 70u);
}

TESMARO_EN_LOCALES(Campos);

}  // namespace
}  // namespace tesmaro::pruebas
