// Text forms of numbers and angles, the angular unit, the ellipsoid choice.
// The number reader and writers are checked against the C library (strtod,
// "%.15G", "%.Nf" with every exact digit) on many random inputs, all under a
// Spanish (comma) locale that they must not follow unless asked to.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "Ajustes.h"
#include "Avisos.h"
#include "Elipsoides.h"
#include "Texto.h"

namespace tesmaro {
namespace {

// Records every notice instead of showing it; runs under es_ES.UTF-8 when
// installed (else C); puts the locale, the notices and the settings back.
class Texto : public ::testing::Test, public Avisador {
protected:
    void Avisar(std::string_view texto, bool critico) override { avisos.emplace_back(texto, critico); }
    void SetUp() override {
        anterior_ = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "es_ES.UTF-8");
        avisador_ = FijarAvisador(this);
    }
    void TearDown() override {
        FijarAvisador(avisador_);
        std::setlocale(LC_ALL, anterior_.c_str());
        ajustes::Restablecer();
    }
    // printf in the current locale, and the same with a point.
    template <class... A>
    std::pair<std::string, std::string> Printf(const char* formato, A... a) {
        std::vector<char> b(1500);
        std::snprintf(b.data(), b.size(), formato, a...);
        std::string punto(b.data());
        for (char& c : punto) c = c == ',' ? '.' : c;
        return {b.data(), punto};
    }
    std::vector<std::pair<std::string, bool>> avisos;
    std::string anterior_;
    Avisador* avisador_ = nullptr;
};

// Random doubles: random bit patterns (all magnitudes) and ordinary values.
std::vector<double> Dobles(int n) {
    std::mt19937_64 azar(4242);
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        const std::uint64_t bits = azar();
        const double x = i % 2 ? std::bit_cast<double>(bits)
                               : std::uniform_real_distribution<double>(-1e4, 1e4)(azar) / std::pow(10.0, bits % 9);
        if (std::isfinite(x)) v.push_back(x);
    }
    return v;
}

TEST_F(Texto, LeerNumeroComoStrtod) {
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    // strtod in the C locale after the two rewrites that make it read like
    // LeerNumero: blanks, tabs and line feeds dropped, "D"/"d" as exponent
    // letters. The alphabet leaves out what strtod alone accepts (hexadecimal,
    // "inf", "nan").
    const auto comprobar = [c](const std::string& texto) {
        std::string limpio;
        for (char ch : texto)
            if (ch != ' ' && ch != '\t' && ch != '\n') limpio += (ch == 'd' || ch == 'D') ? 'e' : ch;
        const double esperado = strtod_l(limpio.c_str(), nullptr, c), leido = LeerNumero(texto);
        // Bit for bit, sign of zero included.
        ASSERT_EQ(std::memcmp(&leido, &esperado, sizeof(double)), 0) << '"' << texto << "\" " << leido;
    };
    const char alfabeto[] = " \t\n+-..eEdD0123456789012345678901234567890,z";
    std::mt19937_64 azar(20261206);
    for (int i = 0; i < 200000; ++i) {
        std::string texto(azar() % 41, ' ');
        for (char& ch : texto) ch = alfabeto[azar() % (sizeof(alfabeto) - 1)];
        comprobar(texto);
    }
    // Long mantissas and exponents, over and under the range of a double.
    for (int i = 0; i < 20000; ++i) {
        std::string texto = (i % 2) ? "-" : "";
        for (int j = 0; j < 1 + i % 30 + 1 + i % 25; ++j) texto += j == 1 + i % 30 ? '.' : char('0' + azar() % 10);
        comprobar(texto + "e" + std::to_string(static_cast<int>(azar() % 801) - 400));
    }
    freelocale(c);
}

TEST_F(Texto, TextoNumeroComoPrintf) {
    for (double v : Dobles(200000)) {
        const auto [regional, punto] = Printf("%.15G", v);
        ASSERT_EQ(TextoNumero(v, '.'), v == 0 ? "0" : punto) << v;  // -0 prints as "0"
        ASSERT_EQ(TextoNumero(v), v == 0 ? "0" : regional) << v;
        char buf[32];
        ASSERT_EQ(std::string(buf, static_cast<std::size_t>(EscribirNumero(v, buf))), TextoNumero(v, '.'));
    }
    EXPECT_EQ(TextoNumero(-0.0, '.'), "0");
}

// Half away from zero on the exact value: printf rounds the exact value to
// the nearest, and an exact tie (the exact expansion is the digits, a 5, then
// zeros) away from zero under the directed rounding mode.
TEST_F(Texto, TextoFormatoRedondeaLejosDeCero) {
    std::vector<double> valores = Dobles(100000);
    // Exact ties at six and nine decimals (odd multiples of 2^-7 and 2^-10),
    // their neighbours, and decimal halves that binary cannot hold exactly.
    for (int k = -3000; k <= 3000; ++k)
        valores.insert(valores.end(), {k / 128.0, k / 1024.0, std::nextafter(k / 128.0, 1e9),
                                       std::nextafter(k / 1024.0, -1e9), k * 1e-6 + 5e-7, k * 1e-9 + 5e-10,
                                       k * 0.37 + 5e-7, -1e-12 * k});
    for (double v : valores) {
        const std::string exacto = Printf("%.1100f", v).second;
        for (int decimales : {6, 9}) {
            const std::string resto = exacto.substr(exacto.find('.') + 1 + decimales);
            const bool empate = resto.find_first_not_of('0', 1) == std::string::npos && resto[0] == '5';
            std::fesetround(!empate ? FE_TONEAREST : v > 0 ? FE_UPWARD : FE_DOWNWARD);  // glibc's printf follows it
            auto [regional, punto] = Printf("%.*f", decimales, v + 0.0);
            std::fesetround(FE_TONEAREST);
            for (std::string* s : {&regional, &punto})  // "##": no integer zero
                if (const bool menos = (*s)[0] == '-'; decimales == 9 && (*s)[menos] == '0' && !std::isdigit((*s)[menos + 1]))
                    s->erase(menos, 1);
            const char* patron = decimales == 6 ? "0.000000" : "##.000000000";
            ASSERT_EQ(TextoFormato(v, patron, '.'), punto) << v;
            ASSERT_EQ(TextoFormato(v, patron), regional) << v;
        }
    }
}

TEST_F(Texto, Sexagesimal) {
    const struct {
        double valor;
        const char *tipo, *texto, *leido;  // tipo nullptr: only read back
    } casos[] = {
        {39.5, "Lat1", "39º 30' 0.000000'' N", "39.5"},
        {-0.5, "Long1", "0º 30' 0.000000'' W", "-0.5"},
        {-1.25, "Conver1", "-1º 15' 0.000000''", "-1.25"},
        {0, "Lat1", "0º 0' 0.000000'' N", "0"},
        {0, "Long1", "0º 0' 0.000000'' E", "0"},
        {-0.25, "Conver1", "-0º 15' 0.000000''", "-0.25"},
        {-0.5, "Lat1", "0º 30' 0.000000'' S", "-0.5"},
        {-0.0, "Long1", "0º 0' 0.000000'' E", "0"},
        {5.0 / 3600, "Conver1", "0º 0' 5.000000''", "0.00138888888888889"},
        {2 - 1e-11, "Lat1", "1º 59' 60.000000'' N", "2"},  // no carry into the minutes
        {-3.7, "Long1", "3º 42' 0.000000'' W", "-3.7"},
        {32767.5, "Lat1", "32767º 30' 0.000000'' N", "32767.5"},
        {-32767.5, "Long1", "32767º 30' 0.000000'' W", "-32767.5"},
        {2.5, "Conver1", "2º 30' 0.000000''", "2.5"},
        {0, nullptr, "3º 41' 60.000000'' W", "-3.7"},
        {1.01, "Long1", "1º 0' 36.000000'' E", "1.01"},
        // Seconds on an exact tie (1/2048° is 1.7578125"): away from zero,
        // either sign; just short of a minute; zero of either sign.
        {1.0 / 2048, "Conver1", "0º 0' 1.757813''", "0.000488281388888889"},
        {-1.0 / 2048, "Conver1", "-0º 0' 1.757813''", "-0.000488281388888889"},
        {59.9995 / 3600, "Conver1", "0º 0' 59.999500''", "0.0166665277777778"},
        {-0.0, "Conver1", "0º 0' 0.000000''", "0"},
        {-1e-12, "Lat1", "0º 0' 0.000000'' S", "0"},
    };
    for (const auto& c : casos) {
        if (c.tipo) { EXPECT_EQ(FormatoSexagesimal(c.valor, c.tipo), c.texto) << c.valor; }
        EXPECT_EQ(LeerSexagesimal(c.texto), c.leido) << c.texto;
    }
    EXPECT_TRUE(avisos.empty());
    // Whole degrees beyond a signed 16-bit integer, or no number: a critical
    // notice and no text.
    for (double v : {40000.0, 32768.0, -32768.0, -32768.5, double(NAN), double(INFINITY)}) {
        avisos.clear();
        EXPECT_EQ(FormatoSexagesimal(v, "Lat1"), "") << v;
        EXPECT_EQ(avisos, (decltype(avisos){{std::string(TextoDesbordamiento), true}})) << v;
    }
}

// Degrees into a unit, to the last digit: the
// expected digits follow the documented order (product, then quotient), which
// the other order misses in the last place for these values. Units other
// than 2 (grads) and 3 (radians) leave degrees.
TEST_F(Texto, ConvertirUnidad) {
    for (auto [unidad, grados, esperado] : {std::tuple{1, 90.0, 90.0}, {7, -12.5, -12.5}, {2, 90.0, 100.0},
                                            {2, 12.345, 13.716666666666667}, {3, 90.0, 1.570796327},
                                            {3, 40.7, 0.7103490056544446}}) {
        EXPECT_EQ(ConvertirUnidad(grados, static_cast<std::int16_t>(unidad)), esperado) << unidad << " " << grados;
    }
}

}  // namespace
}  // namespace tesmaro
