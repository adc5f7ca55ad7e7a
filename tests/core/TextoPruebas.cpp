// Text forms of numbers and angles: the reader, %.15G, the fixed patterns,
// the sexagesimal text, the angular unit. Run under a point locale and under
// a Spanish (comma) locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
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

// Degrees typed into the unit of the settings, to the last digit: the
// expected digits follow the documented order (product, then quotient), which
// the other order misses in the last place for these values.
TEST_P(TextoEnLocale, ConvertirUnidad) {
    const struct {
        std::int16_t unidad;
        double grados, esperado;
    } casos[] = {
        {1, 90, 90}, {7, -12.5, -12.5},  // any other unit: degrees
        {2, 90, 100}, {2, 12.345, 13.716666666666667},
        {3, 90, 1.570796327}, {3, 40.7, 0.7103490056544446},
    };
    for (const auto& c : casos) {
        ajustes::UnidadAngular = c.unidad;
        EXPECT_EQ(ConvertirUnidad(c.grados), c.esperado) << c.unidad << " " << c.grados;
    }
}

}  // namespace
}  // namespace tesmaro
