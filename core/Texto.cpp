#include "Texto.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "Angulos.h"
#include "Avisos.h"

namespace tesmaro {

namespace {

// Blanks, tabs and line feeds are skipped wherever they appear in a number.
constexpr bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n'; }
constexpr bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// The cleaned copy of the number that std::from_chars reads. Short numbers
// (every ordinary field) stay in the fixed part; only very long fields grow
// the string.
class Limpio {
public:
    void Poner(char c) {
        if (!enLargo_) {
            if (largo_ < sizeof(corto_)) {
                corto_[largo_++] = c;
                return;
            }
            largo.assign(corto_, largo_);
            enLargo_ = true;
        }
        largo.push_back(c);
        ++largo_;
    }
    const char* Principio() const { return enLargo_ ? largo.data() : corto_; }
    std::size_t Largo() const { return largo_; }

private:
    char corto_[96];
    std::size_t largo_ = 0;
    bool enLargo_ = false;
    std::string largo;
};

// Adds one digit to a decimal exponent without ever overflowing: far beyond
// any double's range the exact value no longer matters.
void SumarDigitoExponente(std::int64_t& exponente, char digito) {
    constexpr std::int64_t Tope = 1'000'000'000'000;
    if (exponente < Tope) exponente = exponente * 10 + (digito - '0');
}

// The separator written by TextoNumero and TextoFormato in place of '.'.
void CambiarSeparador(char* principio, char* fin, char separador) {
    if (separador == '.') return;
    for (char* p = principio; p != fin; ++p)
        if (*p == '.') *p = separador;
}

// The %.15G form into buf (at least 32 chars): to_chars with 15 significant
// digits in the general format follows printf's %.15g exactly (exponent with
// sign and at least two digits); only the letter is made upper case. -0
// prints as "0"; non-finite values give nothing.
int FormaGeneral(double valor, char* buf) {
    if (!std::isfinite(valor)) return 0;
    if (valor == 0) {
        buf[0] = '0';
        return 1;
    }
    auto [fin, ec] = std::to_chars(buf, buf + 32, valor, std::chars_format::general, 15);
    if (ec != std::errc()) return 0;  // cannot happen: 22 characters at most
    for (char* p = buf; p != fin; ++p)
        if (*p == 'e') *p = 'E';
    return static_cast<int>(fin - buf);
}

// Digits of one of the fixed patterns: `decimales` decimals, rounded half away
// from zero on the exact value of the double.
//
// to_chars in the fixed format rounds the exact binary value correctly to the
// nearest, but breaks exact ties to even. A double M·2^E (M odd, E < 0) has an
// exact decimal expansion of exactly -E decimals, the last one a 5; so it lies
// exactly halfway between two results of `decimales` decimals only when
// E = -(decimales + 1), that is when valor · 2^(decimales+1) is an odd whole
// number. Only then the result is formed by hand: the exact expansion with one
// more decimal (ending in that 5) loses the 5 and its magnitude goes up by one
// unit in the last place. Every other value has no tie and to_chars is exact.
std::string FormaFija(double valor, int decimales) {
    if (valor == 0) valor = 0;  // -0 prints without a sign
    // Integer part up to 309 digits, sign, point and decimals.
    char buf[340];
    const double escalado = std::ldexp(valor, decimales + 1);
    const bool empate = std::fabs(escalado) < 0x1p53 && escalado == std::trunc(escalado) &&
                        std::fmod(escalado, 2.0) != 0;
    if (!empate) {
        auto [fin, ec] = std::to_chars(buf, buf + sizeof(buf), valor, std::chars_format::fixed,
                                       decimales);
        if (ec != std::errc()) return {};
        return std::string(buf, fin);
    }
    auto [fin, ec] = std::to_chars(buf, buf + sizeof(buf), valor, std::chars_format::fixed,
                                   decimales + 1);
    if (ec != std::errc()) return {};
    std::string texto(buf, fin - 1);  // without the final 5
    // Add one in the last place, carrying through the digits.
    std::size_t i = texto.size();
    while (i > 0) {
        --i;
        char& c = texto[i];
        if (c == '.') continue;
        if (c == '-') {
            ++i;
            break;
        }
        if (c != '9') {
            ++c;
            return texto;
        }
        c = '0';
        if (i == 0) break;
    }
    // Carry beyond the first digit: one more integer digit.
    const std::size_t pos = (!texto.empty() && texto[0] == '-') ? 1 : 0;
    texto.insert(texto.begin() + static_cast<std::ptrdiff_t>(pos), '1');
    return texto;
}

}  // namespace

double LeerNumero(std::string_view texto) {
    Limpio limpio;
    bool negativo = false;
    bool hayDigitos = false;
    bool hayPunto = false;
    // For telling an overflow from an underflow: the decimal position of the
    // first significant digit, without the exponent.
    std::int64_t digitosEnteros = 0;  // significant digits before the point
    std::int64_t cerosFraccion = 0;   // zeros after the point before the first significant digit
    bool haySignificativo = false;
    std::int64_t exponente = 0;
    bool exponenteNegativo = false;

    enum class Fase { Signo, Mantisa, LetraExponente, SignoExponente, DigitosExponente };
    Fase fase = Fase::Signo;
    std::size_t finMantisa = 0;  // length of the cleaned text without an exponent

    for (char c : texto) {
        if (EsBlanco(c)) continue;
        bool sigue = false;
        switch (fase) {
            case Fase::Signo:
                if (c == '+' || c == '-') {
                    negativo = (c == '-');
                    if (negativo) limpio.Poner('-');
                    fase = Fase::Mantisa;
                    sigue = true;
                    break;
                }
                fase = Fase::Mantisa;
                [[fallthrough]];
            case Fase::Mantisa:
                if (EsDigito(c)) {
                    hayDigitos = true;
                    limpio.Poner(c);
                    if (c != '0') haySignificativo = true;
                    if (!hayPunto) {
                        if (haySignificativo) ++digitosEnteros;
                    } else if (!haySignificativo) {
                        ++cerosFraccion;
                    }
                    sigue = true;
                } else if (c == '.' && !hayPunto) {
                    hayPunto = true;
                    limpio.Poner('.');
                    sigue = true;
                } else if (hayDigitos && (c == 'E' || c == 'e' || c == 'D' || c == 'd')) {
                    finMantisa = limpio.Largo();
                    limpio.Poner('e');
                    fase = Fase::SignoExponente;
                    sigue = true;
                }
                break;
            case Fase::SignoExponente:
                if (c == '+' || c == '-') {
                    exponenteNegativo = (c == '-');
                    if (exponenteNegativo) limpio.Poner('-');
                    fase = Fase::LetraExponente;  // now only digits may follow
                    sigue = true;
                    break;
                }
                [[fallthrough]];
            case Fase::LetraExponente:
            case Fase::DigitosExponente:
                if (EsDigito(c)) {
                    limpio.Poner(c);
                    SumarDigitoExponente(exponente, c);
                    fase = Fase::DigitosExponente;
                    sigue = true;
                }
                break;
        }
        if (!sigue) break;
    }
    if (!hayDigitos) return 0;

    // An exponent letter without digits is not part of the number.
    std::size_t largo = limpio.Largo();
    if (fase == Fase::SignoExponente || fase == Fase::LetraExponente) {
        largo = finMantisa;
        exponente = 0;
    }
    const char* principio = limpio.Principio();
    double valor = 0;
    auto [fin, ec] = std::from_chars(principio, principio + largo, valor);
    (void)fin;
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range of a double: an infinity of the number's sign when
        // the number is large, a zero of its sign when it is tiny.
        const std::int64_t posicion =
            (digitosEnteros > 0 ? digitosEnteros : -cerosFraccion) +
            (exponenteNegativo ? -exponente : exponente);
        valor = posicion > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (negativo) valor = -valor;
    } else if (ec != std::errc()) {
        valor = 0;  // cannot happen: the cleaned text always has a digit
    }
    return valor;
}

char SeparadorDecimal() {
    const std::lconv* lc = std::localeconv();
    return (lc && lc->decimal_point && lc->decimal_point[0] == ',') ? ',' : '.';
}

std::string TextoNumero(double valor, char separador) {
    char buf[32];
    const int n = FormaGeneral(valor, buf);
    CambiarSeparador(buf, buf + n, separador);
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string TextoNumero(double valor) { return TextoNumero(valor, SeparadorDecimal()); }

int EscribirNumero(double valor, char* buf) { return FormaGeneral(valor, buf); }

std::string TextoDecimales(double valor, int decimales) {
    // Below 1e21: at most 21 integer digits, a sign, a point and 15 decimals.
    char cifras[48];
    const auto r = std::to_chars(cifras, cifras + sizeof cifras, valor, std::chars_format::fixed, decimales);
    if (r.ec != std::errc()) return {};
    std::string_view texto(cifras, static_cast<std::size_t>(r.ptr - cifras));
    if (texto.front() == '-' && texto.find_first_not_of("-0.") == std::string_view::npos) texto.remove_prefix(1);
    return std::string(texto);
}

std::string TextoFormato(double valor, std::string_view patron, char separador) {
    int decimales;
    bool ceroEntero;
    if (patron == "0.000000") {
        decimales = 6;
        ceroEntero = true;
    } else if (patron == "##.000000000") {
        decimales = 9;
        ceroEntero = false;
    } else {
        return {};
    }
    if (!std::isfinite(valor)) return {};
    std::string texto = FormaFija(valor, decimales);
    if (!ceroEntero) {
        // "0.250000000" -> ".250000000", "-0.250000000" -> "-.250000000".
        const std::size_t pos = (!texto.empty() && texto[0] == '-') ? 1 : 0;
        if (texto.size() > pos + 1 && texto[pos] == '0' && texto[pos + 1] == '.')
            texto.erase(pos, 1);
    }
    CambiarSeparador(texto.data(), texto.data() + texto.size(), separador);
    return texto;
}

std::string TextoFormato(double valor, std::string_view patron) {
    return TextoFormato(valor, patron, SeparadorDecimal());
}

std::string Normalizar(std::string texto) {
    for (char& c : texto)
        if (c == ',') c = '.';
    return texto;
}

std::string TextoParaMensaje(std::string_view texto) {
    static constexpr char Hex[] = "0123456789abcdef";
    const auto* p = reinterpret_cast<const unsigned char*>(texto.data());
    const std::size_t n = texto.size();
    std::string t;
    t.reserve(n);
    auto escapar = [&](const char* prefijo, unsigned char c) {
        t += prefijo;
        t += Hex[c >> 4];
        t += Hex[c & 0xF];
    };
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c >= 0x20 && c < 0x7F) {
            t += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c < 0x80) {
            if (c == '\t') t += "\\t";
            else if (c == '\r') t += "\\r";
            else if (c == '\n') t += "\\n";
            else escapar("\\x", c);
            ++i;
            continue;
        }
        // A UTF-8 character: its length by the lead byte, the second byte's
        // range excluding overlong forms, surrogates and code points past
        // U+10FFFF, the others continuation bytes.
        const std::size_t largo = c >= 0xC2 && c <= 0xDF   ? 2
                                  : c >= 0xE0 && c <= 0xEF ? 3
                                  : c >= 0xF0 && c <= 0xF4 ? 4
                                                           : 0;
        const unsigned char menor = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned char mayor = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        bool valido = largo > 0 && i + largo <= n && p[i + 1] >= menor && p[i + 1] <= mayor;
        for (std::size_t k = 2; valido && k < largo; ++k) valido = (p[i + k] & 0xC0) == 0x80;
        if (!valido) {
            escapar("\\x", c);
            ++i;
        } else if (c == 0xC2 && p[i + 1] < 0xA0) {
            escapar("\\u00", p[i + 1]);  // U+0080..U+009F
            i += 2;
        } else {
            t.append(texto.substr(i, largo));
            i += largo;
        }
    }
    return t;
}

std::string FormatoSexagesimal(double valor, std::string_view tipo) {
    // The whole degrees are a signed 16-bit integer whose magnitude is taken:
    // 32768 or more (or no number at all) does not fit.
    if (!(std::fabs(valor) < 32768.0)) {
        AvisoDesbordamiento();
        return {};
    }
    const double entero = std::trunc(valor);
    const int grados = static_cast<int>(entero);
    const double f = std::fabs(valor - entero);
    const double m = std::floor(f * 60);
    const double s = (f * 60 - m) * 60;

    char buf[16];
    auto [finGrados, ec] = std::to_chars(buf, buf + sizeof(buf), grados < 0 ? -grados : grados);
    (void)ec;
    std::string texto;
    const bool negativo = valor < 0;
    const bool esLongitud = (tipo == "Long1");
    const bool esLatitud = (tipo == "Lat1");
    if (negativo && !esLongitud && !esLatitud) texto += '-';
    texto.append(buf, finGrados);
    texto += "º ";
    texto += TextoNumero(m, '.');
    texto += "' ";
    texto += TextoFormato(s, "0.000000", '.');
    texto += "''";
    if (esLongitud) texto += negativo ? " W" : " E";
    if (esLatitud) texto += negativo ? " S" : " N";
    return Normalizar(std::move(texto));
}

std::string LeerSexagesimal(std::string_view texto) {
    constexpr std::string_view MarcaGrados = "º ";
    constexpr std::string_view MarcaMinutos = "' ";
    constexpr std::string_view MarcaSegundos = "''";
    const auto p1 = texto.find(MarcaGrados);
    const auto p2 = texto.find(MarcaMinutos);
    const auto p3 = texto.find(MarcaSegundos);
    // A missing marker, or markers out of order, leave no room for a field.
    if (p1 == std::string_view::npos || p2 == std::string_view::npos ||
        p3 == std::string_view::npos || p2 < p1 + MarcaGrados.size() ||
        p3 < p2 + MarcaMinutos.size()) {
        AvisoDesbordamiento();
        return {};
    }
    const double grados = LeerNumero(texto.substr(0, p1));
    const std::size_t iniMin = p1 + MarcaGrados.size();
    const double minutos = LeerNumero(texto.substr(iniMin, p2 - iniMin)) / 60;
    const std::size_t iniSeg = p2 + MarcaMinutos.size();
    const double segundos = LeerNumero(texto.substr(iniSeg, p3 - iniSeg)) / 3600;
    const bool negativo = texto.back() == 'S' || texto.back() == 'W' || texto.front() == '-';
    double r = (std::fabs(grados) + minutos) + segundos;
    if (negativo) r = r * -1;
    // A field too large for a double is an overflow, not a number.
    if (!std::isfinite(r)) {
        AvisoDesbordamiento();
        return {};
    }
    return TextoNumero(r, '.');
}

double ConvertirUnidad(double valor, std::int16_t unidad) {
    switch (unidad) {
        case 2:
            return (valor * 10) / 9;
        case 3:
            return ((valor + valor) * PiDiezCifras) / 360;
        default:
            return valor;
    }
}

}  // namespace tesmaro
