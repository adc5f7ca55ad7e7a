// Text forms of numbers and angles: the reader, %.15G, the fixed patterns,
// the sexagesimal text, the angular unit. Run under a point locale and under
// a Spanish (comma) locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Ajustes.h"
#include "Avisos.h"
#include "Texto.h"

namespace tesmaro {
namespace {

// Records every notice instead of showing it.
class Grabador : public Avisador {
public:
    void Avisar(std::string_view texto, bool critico) override {
        avisos.emplace_back(texto);
        criticos.push_back(critico);
    }
    std::vector<std::string> avisos;
    std::vector<bool> criticos;
};

// Every test runs once with the C locale (point) and once with es_ES.UTF-8
// (comma); the locale and the settings are put back afterwards.
class TextoEnLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        anterior_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << "locale " << GetParam() << " not installed";
        avisadorAnterior_ = FijarAvisador(&grabador_);
    }
    void TearDown() override {
        FijarAvisador(avisadorAnterior_);
        std::setlocale(LC_ALL, anterior_.c_str());
        ajustes::Restablecer();
    }
    bool Coma() const { return std::string(GetParam()) != "C"; }
    // The expected regional text: '.' turned into the locale's separator.
    std::string Regional(std::string texto) const {
        if (Coma())
            for (char& c : texto)
                if (c == '.') c = ',';
        return texto;
    }
    Grabador grabador_;

private:
    std::string anterior_;
    Avisador* avisadorAnterior_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Locales, TextoEnLocale, ::testing::Values("C", "es_ES.UTF-8"),
                         [](const auto& info) { return std::string(info.param) == "C" ? "Punto" : "Coma"; });

TEST_P(TextoEnLocale, SeparadorDelSistema) { EXPECT_EQ(SeparadorDecimal(), Coma() ? ',' : '.'); }

TEST_P(TextoEnLocale, LeerNumero) {
    struct Caso {
        const char* texto;
        double valor;
    };
    const Caso casos[] = {
        {"1 2.5", 12.5},      {"12,5", 12},       {"", 0},          {"2e2x", 200},
        {"abc", 0},           {"-", 0},           {"+", 0},         {".", 0},
        {"-.", 0},            {"3,5", 3},         {"  -  4 . 25 ", -4.25},
        {"+7", 7},            {"\t1\n0", 10},     {".5", 0.5},      {"5.", 5},
        {"1.2.3", 1.2},       {"2D3", 2000},      {"2d-3", 0.002},  {"2E+2", 200},
        {"2e", 2},            {"2e+", 2},         {"2e-x", 2},      {"2 e 2", 200},
        {"1e5.5", 1e5},       {".e5", 0},         {"--5", 0},       {"+-5", 0},
        {"0.1", 0.1},         {"-39.5N", -39.5},  {"1e-400", 0},    {"4e-320", 4e-320},
        {"000123.4500", 123.45}, {"0.000000000000000000000000000000000000001e40", 10},
        {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const Caso& c : casos) EXPECT_EQ(LeerNumero(c.texto), c.valor) << '"' << c.texto << '"';
}

TEST_P(TextoEnLocale, LeerNumeroFueraDeRango) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LeerNumero("1e400"), inf);
    EXPECT_EQ(LeerNumero("-1e400"), -inf);
    EXPECT_EQ(LeerNumero("1e99999999999999999999999999"), inf);
    EXPECT_EQ(LeerNumero("0.00001e-99999999999999999999999"), 0);
    EXPECT_EQ(LeerNumero("-1e-400"), 0);
    EXPECT_TRUE(std::signbit(LeerNumero("-1e-400")));
    // 1 followed by 400 zeros, with the point beyond the range: overflow.
    EXPECT_EQ(LeerNumero("1" + std::string(400, '0')), inf);
    EXPECT_EQ(LeerNumero("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(LeerNumero("0." + std::string(400, '0') + "1e400"), 0.1);
}

TEST_P(TextoEnLocale, LeerNumeroCampoEnorme) {
    // A 10 MB field: digits with blanks between them, read in one pass.
    std::string campo;
    campo.reserve(10'000'010);
    campo += "-1.";
    while (campo.size() < 10'000'000) campo += "25 ";
    campo += "x9";
    EXPECT_DOUBLE_EQ(LeerNumero(campo), -1.252525252525252525);
    EXPECT_EQ(LeerNumero(std::string(10'000'000, ' ')), 0);
    EXPECT_EQ(LeerNumero(std::string(10'000'000, '0') + "7"), 7);
}

TEST_P(TextoEnLocale, TextoNumeroComoPrintf15G) {
    struct Caso {
        double valor;
        const char* texto;  // with a point
    };
    const Caso casos[] = {
        {2, "2"},
        {0.5, "0.5"},
        {-3.25, "-3.25"},
        {2e-7, "2E-07"},
        {1e15, "1E+15"},
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {0.0001, "0.0001"},
        {1e-5, "1E-05"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {-1.5e-300, "-1.5E-300"},
        {1e100, "1E+100"},
        {0, "0"},
        {-0.0, "0"},
        {4386597.123455, "4386597.123455"},
        {0.99960000, "0.9996"},
        {9.999999999999999e14, "1E+15"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(TextoNumero(c.valor), Regional(c.texto)) << c.texto;
        EXPECT_EQ(TextoNumero(c.valor, '.'), c.texto);
        EXPECT_EQ(Normalizar(TextoNumero(c.valor)), c.texto);
        char buf[32];
        const int n = EscribirNumero(c.valor, buf);
        EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), c.texto);
    }
}

TEST_P(TextoEnLocale, NoFinitoNoSeEscribe) {
    for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(TextoNumero(v), "");
        char buf[32];
        EXPECT_EQ(EscribirNumero(v, buf), 0);
        EXPECT_EQ(TextoFormato(v, "0.000000"), "");
        EXPECT_EQ(TextoFormato(v, "##.000000000"), "");
    }
}

TEST_P(TextoEnLocale, TextoFormatoSeisDecimales) {
    struct Caso {
        double valor;
        const char* texto;
    };
    const Caso casos[] = {
        {1.5, "1.500000"},
        {0, "0.000000"},
        {-0.0, "0.000000"},
        {59.9999996, "60.000000"},
        {5, "5.000000"},
        // Exact ties (odd multiples of 2^-7) go away from zero, not to even.
        {0.0078125, "0.007813"},   // 1/128
        {0.0234375, "0.023438"},   // 3/128, even neighbour would also be 8
        {-0.0078125, "-0.007813"},
        {99.9999996, "100.000000"},
        // Decimal halves are not exact in binary; the exact value decides:
        // 0.0000005 is 4.99999999999999977e-7 (down), 0.0000015 is
        // 1.50000000000000004e-6 (up), 0.9999995 is 0.99999950000000004 (up).
        {0.0000005, "0.000000"},
        {0.0000015, "0.000002"},
        {0.0000025, "0.000003"},
        {0.9999995, "1.000000"},
        {1.0000005, "1.000001"},
        {-0.0000015, "-0.000002"},
        {1234567.8901234, "1234567.890123"},
    };
    for (const Caso& c : casos) EXPECT_EQ(TextoFormato(c.valor, "0.000000"), Regional(c.texto)) << c.texto;
    // A carry through every digit on an exact tie: 9.9999995 is not a tie, but
    // 2^-7 steps below a whole number are (1 - 1/128 = 0.9921875).
    EXPECT_EQ(TextoFormato(0.9921875, "0.000000", '.'), "0.992188");
    EXPECT_EQ(TextoFormato(-0.9921875, "0.000000", '.'), "-0.992188");
}

TEST_P(TextoEnLocale, TextoFormatoNueveDecimales) {
    struct Caso {
        double valor;
        const char* texto;
    };
    const Caso casos[] = {
        {0.25, ".250000000"},
        {-0.25, "-.250000000"},
        {39.5, "39.500000000"},
        {0, ".000000000"},
        {-0.0, ".000000000"},
        {-1e-7, "-.000000100"},
        {0.5, ".500000000"},
        {-0.4, "-.400000000"},
        {-3.7, "-3.700000000"},
        {0.9999999996, "1.000000000"},
        {-0.9999999996, "-1.000000000"},
        // 2^-10 = 0.0009765625 is an exact tie at nine decimals: away from zero.
        {0.0009765625, ".000976563"},
        {-0.0009765625, "-.000976563"},
        // 3 × 2^-10 = 0.0029296875: the even neighbour would be ...688 too.
        {0.0029296875, ".002929688"},
    };
    for (const Caso& c : casos) EXPECT_EQ(TextoFormato(c.valor, "##.000000000"), Regional(c.texto)) << c.texto;
    EXPECT_EQ(TextoFormato(1.5, "0.00"), "");
}

TEST_P(TextoEnLocale, TextoFormatoExtremos) {
    // A negative value that rounds to zero keeps its sign; -0 has none.
    EXPECT_EQ(TextoFormato(-1e-12, "0.000000", '.'), "-0.000000");
    EXPECT_EQ(TextoFormato(-1e-12, "##.000000000", '.'), "-.000000000");
    // The largest doubles: every integer digit, then the decimals.
    const double maximo = std::numeric_limits<double>::max();
    const std::string grande = TextoFormato(-maximo, "##.000000000", '.');
    EXPECT_EQ(grande.size(), 1u + 309u + 1u + 9u);
    EXPECT_EQ(grande.substr(0, 6), "-17976");
    EXPECT_EQ(TextoFormato(maximo, "0.000000", '.').size(), 309u + 1u + 6u);
    EXPECT_EQ(TextoFormato(std::numeric_limits<double>::denorm_min(), "0.000000", '.'), "0.000000");
}

TEST_P(TextoEnLocale, FormatoSexagesimal) {
    struct Caso {
        double valor;
        const char* tipo;
        const char* texto;
    };
    const Caso casos[] = {
        {39.5, "Lat1", "39º 30' 0.000000'' N"},
        {-0.5, "Long1", "0º 30' 0.000000'' W"},
        {-1.25, "Conver1", "-1º 15' 0.000000''"},
        {0, "Lat1", "0º 0' 0.000000'' N"},
        {0, "Long1", "0º 0' 0.000000'' E"},
        {-0.25, "Conver1", "-0º 15' 0.000000''"},
        {-0.5, "Lat1", "0º 30' 0.000000'' S"},
        {-0.0, "Long1", "0º 0' 0.000000'' E"},
        {5.0 / 3600, "Conver1", "0º 0' 5.000000''"},
        {2 - 1e-11, "Lat1", "1º 59' 60.000000'' N"},
        {-3.7, "Long1", "3º 42' 0.000000'' W"},
        {32767.5, "Lat1", "32767º 30' 0.000000'' N"},
        {-32767.5, "Long1", "32767º 30' 0.000000'' W"},
    };
    for (const Caso& c : casos) EXPECT_EQ(FormatoSexagesimal(c.valor, c.tipo), c.texto) << c.valor;
    EXPECT_TRUE(grabador_.avisos.empty());
}

TEST_P(TextoEnLocale, FormatoSexagesimalDesborda) {
    for (double v : {40000.0, 32768.0, -32768.0, -32768.5, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        grabador_.avisos.clear();
        EXPECT_EQ(FormatoSexagesimal(v, "Lat1"), "") << v;
        ASSERT_EQ(grabador_.avisos.size(), 1u) << v;
        EXPECT_EQ(grabador_.avisos[0], TextoDesbordamiento);
        EXPECT_TRUE(grabador_.criticos[0]);
    }
}

TEST_P(TextoEnLocale, LeerSexagesimal) {
    struct Caso {
        const char* texto;
        const char* valor;
    };
    const Caso casos[] = {
        {"2º 30' 0.000000''", "2.5"},
        {"-2º 30' 0.000000''", "-2.5"},
        {"39º 30' 0.000000'' N", "39.5"},
        {"0º 30' 0.000000'' W", "-0.5"},
        {"0º 30' 0.000000'' S", "-0.5"},
        {"-0º 15' 0.000000''", "-0.25"},
        {"3º 41' 60.000000'' W", "-3.7"},
        {"1º 59' 60.000000'' N", "2"},
        {"1º 0' 36.000000'' E", "1.01"},
    };
    for (const Caso& c : casos) EXPECT_EQ(LeerSexagesimal(c.texto), c.valor) << c.texto;
    EXPECT_TRUE(grabador_.avisos.empty());
}

TEST_P(TextoEnLocale, LeerSexagesimalReleeLoEscrito) {
    for (double v : {39.5, -0.5, 3.123456, -12.987654, 0.000123}) {
        for (const char* tipo : {"Lat1", "Long1", "Conver1"}) {
            const std::string texto = FormatoSexagesimal(v, tipo);
            // Six decimals of a second: 1e-6″ ≈ 2.8e-10°.
            EXPECT_NEAR(LeerNumero(LeerSexagesimal(texto)), v, 3e-10) << texto;
        }
    }
}

TEST_P(TextoEnLocale, LeerSexagesimalSinMarcas) {
    for (const char* texto : {"39.5", "", "2º 30' 0.000000", "2º 30 0.000000''", "2 30' 0.000000''",
                              "30' 2º 0.000000''", "1e999º 0' 0''"}) {
        grabador_.avisos.clear();
        EXPECT_EQ(LeerSexagesimal(texto), "") << texto;
        ASSERT_EQ(grabador_.avisos.size(), 1u) << texto;
        EXPECT_EQ(grabador_.avisos[0], TextoDesbordamiento);
    }
}

TEST_P(TextoEnLocale, ConvertirUnidad) {
    ajustes::UnidadAngular = 1;
    EXPECT_EQ(ConvertirUnidad(90), 90);
    ajustes::UnidadAngular = 2;
    EXPECT_EQ(ConvertirUnidad(90), 100);
    ajustes::UnidadAngular = 3;
    EXPECT_EQ(ConvertirUnidad(90), 3.141592654 / 2);
    ajustes::UnidadAngular = 7;  // any other value: degrees
    EXPECT_EQ(ConvertirUnidad(-12.5), -12.5);
}

TEST(TextoAviso, TextoDelDesbordamiento) {
    EXPECT_EQ(TextoDesbordamiento, "Desbordamiento en el cálculo\rLos datos introducidos son incoherentes.");
}

}  // namespace
}  // namespace tesmaro
