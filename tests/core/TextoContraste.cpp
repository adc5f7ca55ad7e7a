// The number reader and writers against the C library's own conversions in
// the C locale (strtod, "%.15G", "%.Nf" with every exact digit), on many
// random inputs: an independent reference for every rule at once.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

#include "Texto.h"

namespace tesmaro {
namespace {

// strtod in the C locale, after the two rewrites that make it read like
// LeerNumero: blanks, tabs and line feeds dropped, "D"/"d" as exponent
// letters. The alphabet of the inputs leaves out what strtod alone accepts
// (hexadecimal, "inf", "nan").
double Referencia(const std::string& texto, locale_t c) {
    std::string limpio;
    for (char ch : texto) {
        if (ch == ' ' || ch == '\t' || ch == '\n') continue;
        limpio += (ch == 'd' || ch == 'D') ? 'e' : ch;
    }
    return strtod_l(limpio.c_str(), nullptr, c);
}

TEST(TextoContraste, LeerNumeroComoStrtod) {
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    ASSERT_NE(c, static_cast<locale_t>(nullptr));
    const char alfabeto[] = " \t\n+-..eEdD0123456789012345678901234567890,z";
    std::mt19937_64 azar(20261206);
    std::uniform_int_distribution<std::size_t> letra(0, sizeof(alfabeto) - 2);
    std::uniform_int_distribution<int> largo(0, 40);
    for (int i = 0; i < 200000; ++i) {
        std::string texto;
        const int n = largo(azar);
        for (int j = 0; j < n; ++j) texto += alfabeto[letra(azar)];
        const double esperado = Referencia(texto, c);
        const double leido = LeerNumero(texto);
        // Bit for bit, sign of zero included.
        ASSERT_EQ(std::memcmp(&leido, &esperado, sizeof(double)), 0)
            << '"' << texto << "\" " << leido << " " << esperado;
    }
    // Long exponents and mantissas, over and under the range of a double.
    std::uniform_int_distribution<int> exponente(-400, 400);
    std::uniform_int_distribution<int> digito(0, 9);
    for (int i = 0; i < 20000; ++i) {
        std::string texto = (i % 2) ? "-" : "";
        for (int j = 0; j < 1 + i % 30; ++j) texto += static_cast<char>('0' + digito(azar));
        texto += '.';
        for (int j = 0; j < i % 25; ++j) texto += static_cast<char>('0' + digito(azar));
        texto += 'e';
        texto += std::to_string(exponente(azar));
        const double esperado = Referencia(texto, c);
        const double leido = LeerNumero(texto);
        ASSERT_EQ(std::memcmp(&leido, &esperado, sizeof(double)), 0) << texto;
    }
    freelocale(c);
}

// Random doubles: random bit patterns (all magnitudes) and ordinary values.
class Dobles {
public:
    double Siguiente() {
        if (++i_ % 2) {
            double v;
            const std::uint64_t bits = azar_();
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        return std::uniform_real_distribution<double>(-1e4, 1e4)(azar_) /
               std::pow(10.0, std::uniform_int_distribution<int>(0, 8)(azar_));
    }

private:
    std::mt19937_64 azar_{4242};
    int i_ = 0;
};

TEST(TextoContraste, TextoNumeroComoPrintf) {
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    Dobles dobles;
    for (int i = 0; i < 200000; ++i) {
        const double v = dobles.Siguiente();
        if (!std::isfinite(v) || v == 0) continue;
        char esperado[64];
        std::snprintf(esperado, sizeof esperado, "%.15G", v);
        ASSERT_EQ(TextoNumero(v, '.'), esperado) << v;
        char buf[32];
        ASSERT_EQ(std::string(buf, static_cast<std::size_t>(EscribirNumero(v, buf))), esperado);
    }
    std::setlocale(LC_ALL, anterior.c_str());
}

// Rounds the exact decimal expansion (printf "%.1100f" writes every digit of
// a double) to `decimales` decimals, half away from zero, by hand.
std::string MitadLejosDeCero(double v, int decimales) {
    std::vector<char> exacto(1500);
    std::snprintf(exacto.data(), exacto.size(), "%.1100f", v);
    std::string s(exacto.data());
    const std::size_t punto = s.find('.');
    const char siguiente = s[punto + 1 + static_cast<std::size_t>(decimales)];
    s.resize(punto + 1 + static_cast<std::size_t>(decimales));
    if (siguiente >= '5') {
        std::size_t i = s.size();
        bool llevar = true;
        while (llevar && i > 0) {
            --i;
            if (s[i] == '.') continue;
            if (s[i] == '-') { ++i; break; }
            if (s[i] == '9') s[i] = '0';
            else { ++s[i]; llevar = false; }
        }
        if (llevar) s = s[0] == '-' ? "-1" + s.substr(1) : "1" + s;
    }
    if (v == 0) s.erase(0, s[0] == '-' ? 1 : 0);
    return s;
}

TEST(TextoContraste, TextoFormatoRedondeaLejosDeCero) {
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    std::vector<double> valores;
    Dobles dobles;
    for (int i = 0; i < 100000; ++i) {
        const double v = dobles.Siguiente();
        if (std::isfinite(v) && std::fabs(v) < 1e20) valores.push_back(v);
    }
    // Exact ties at six and nine decimals (odd multiples of 2^-7 and 2^-10),
    // their neighbours, and decimal halves that binary cannot hold exactly.
    for (int k = -3000; k <= 3000; ++k) {
        valores.push_back(k / 128.0);
        valores.push_back(k / 1024.0);
        valores.push_back(std::nextafter(k / 128.0, 1e9));
        valores.push_back(std::nextafter(k / 1024.0, -1e9));
        valores.push_back(k * 1e-6 + 5e-7);
        valores.push_back(k * 1e-9 + 5e-10);
        valores.push_back(k * 0.37 + 5e-7);
    }
    for (double v : valores) {
        ASSERT_EQ(TextoFormato(v, "0.000000", '.'), MitadLejosDeCero(v, 6)) << v;
        std::string nueve = MitadLejosDeCero(v, 9);
        const std::size_t pos = nueve[0] == '-' ? 1 : 0;
        if (nueve.compare(pos, 2, "0.") == 0) nueve.erase(pos, 1);
        ASSERT_EQ(TextoFormato(v, "##.000000000", '.'), nueve) << v;
    }
    std::setlocale(LC_ALL, anterior.c_str());
}

}  // namespace
}  // namespace tesmaro
