#include "Lector.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "Texto.h"

namespace tesmaro {

namespace {

// The first block, where the encoding and the line ends are decided.
constexpr std::size_t BloqueDeteccion = std::size_t{64} << 10;

// Windows-1252 bytes 0x80..0x9F; the others are Latin-1.
constexpr char16_t Cp1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void PonerUtf8(char32_t c, std::string& s) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the UTF-8 character at p (of the n bytes left), 0 when the
// bytes there are not one: overlong forms, surrogates and code points past
// U+10FFFF are not.
std::size_t LargoUtf8(const unsigned char* p, std::size_t n) {
    const unsigned char c = p[0];
    if (c < 0x80) return 1;
    std::size_t largo;
    unsigned char menor = 0x80, mayor = 0xBF;  // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) {
        largo = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        largo = 3;
        if (c == 0xE0) menor = 0xA0;
        if (c == 0xED) mayor = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        largo = 4;
        if (c == 0xF0) menor = 0x90;
        if (c == 0xF4) mayor = 0x8F;
    } else {
        return 0;
    }
    if (n < largo || p[1] < menor || p[1] > mayor) return 0;
    for (std::size_t k = 2; k < largo; ++k)
        if ((p[k] & 0xC0) != 0x80) return 0;
    return largo;
}

bool EsUtf8(std::string_view t) {
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    for (std::size_t i = 0, n = t.size(); i < n;) {
        // Eight ASCII bytes at a time: most lines are nothing else.
        if (i + 8 <= n) {
            std::uint64_t ocho;
            std::memcpy(&ocho, p + i, 8);
            if ((ocho & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const std::size_t largo = LargoUtf8(p + i, n - i);
        if (largo == 0) return false;
        i += largo;
    }
    return true;
}

// The line without a character that the limit cut in two (its lead byte and
// the continuation bytes that made it into the line).
std::string_view SinCaracterPartido(std::string_view t) {
    for (std::size_t k = 1; k <= 3 && k <= t.size(); ++k) {
        const auto c = static_cast<unsigned char>(t[t.size() - k]);
        if ((c & 0xC0) == 0x80) continue;
        const std::size_t largo = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return largo > k ? t.substr(0, t.size() - k) : t;
    }
    return t;
}

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Recortar(std::string_view t) {
    while (!t.empty() && EsBlanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && EsBlanco(t.back())) t.remove_suffix(1);
    return t;
}

}  // namespace

LectorLineas::LectorLineas(std::FILE* fichero, std::size_t capacidadInicial, std::size_t longitudMaxima)
    : fichero_(fichero),
      maxima_(std::max<std::size_t>(longitudMaxima, 16)),
      buf_(std::clamp<std::size_t>(capacidadInicial, 16, maxima_)) {
    regular_ = Identificar(fichero_, identidad_);
    if (regular_) posicionInicial_ = std::max<std::int64_t>(0, ftello(fichero_));
}

bool LectorLineas::Identificar(std::FILE* fichero, Identidad& identidad) {
    struct stat st;
    if (!fichero || fstat(fileno(fichero), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    identidad = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                 static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
                 static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
    return true;
}

bool LectorLineas::FicheroCambiado() const {
    Identidad ahora;
    if (!regular_ || !Identificar(fichero_, ahora)) return false;
    if (!(ahora == identidad_)) return true;
    // The end was reached: what was read is the whole file, no more, no less.
    return eof_ && posicionInicial_ + static_cast<std::int64_t>(bytesFichero_) != ahora.tamano;
}

std::size_t LectorLineas::Leer(char* destino, std::size_t n) {
    const std::size_t leidos = std::fread(destino, 1, n, fichero_);
    bytesFichero_ += leidos;
    if (leidos < n) (std::ferror(fichero_) ? error_ : eof_) = true;
    return leidos;
}

std::uint64_t LectorLineas::Leidos() const {
    // UTF-16 decodes mostly into half as many bytes.
    const bool utf16 = tipo_ == Codificacion::Utf16LE || tipo_ == Codificacion::Utf16BE;
    return utf16 ? entregados_ * 2 : entregados_;
}

bool LectorLineas::Rellenar() {
    if (tipo_ != Codificacion::Utf16LE && tipo_ != Codificacion::Utf16BE) {
        const std::size_t n = Leer(buf_.data() + final_, buf_.size() - final_);
        final_ += n;
        return n > 0;
    }
    // UTF-16: raw pairs of bytes decoded into UTF-8, at most 3 bytes each.
    const std::size_t libre = buf_.size() - final_;
    if (libre < 8) return false;
    if (!eof_ && !error_ && crudo_.size() < libre) {
        const std::size_t yaCrudo = crudo_.size();
        const std::size_t pedido = std::max<std::size_t>(2, (libre / 3) & ~std::size_t{1});
        crudo_.resize(yaCrudo + pedido);
        crudo_.resize(yaCrudo + Leer(crudo_.data() + yaCrudo, pedido));
    }
    std::string salida;
    const bool le = tipo_ == Codificacion::Utf16LE;
    std::size_t i = 0;
    auto unidad = [&](std::size_t k) -> char16_t {
        const auto a = static_cast<unsigned char>(crudo_[k]), b = static_cast<unsigned char>(crudo_[k + 1]);
        return static_cast<char16_t>(le ? (b << 8 | a) : (a << 8 | b));
    };
    while (i + 1 < crudo_.size() && salida.size() + 4 <= libre) {
        const char16_t u = unidad(i);
        if (u >= 0xD800 && u < 0xDC00) {
            if (i + 3 >= crudo_.size()) {
                if (!eof_ && !error_) break;  // its pair comes with the next read
                PonerUtf8(0xFFFD, salida);
                i += 2;
                continue;
            }
            const char16_t v = unidad(i + 2);
            if (v >= 0xDC00 && v < 0xE000) {
                PonerUtf8(0x10000 + ((char32_t(u) - 0xD800) << 10) + (v - 0xDC00), salida);
                i += 4;
                continue;
            }
            PonerUtf8(0xFFFD, salida);
        } else {
            PonerUtf8(u >= 0xDC00 && u < 0xE000 ? 0xFFFD : u, salida);
        }
        i += 2;
    }
    crudo_.erase(crudo_.begin(), crudo_.begin() + static_cast<std::ptrdiff_t>(i));
    if ((eof_ || error_) && crudo_.size() == 1) {  // an odd byte at the end
        PonerUtf8(0xFFFD, salida);
        crudo_.clear();
    }
    std::memcpy(buf_.data() + final_, salida.data(), salida.size());
    final_ += salida.size();
    return !salida.empty();
}

void LectorLineas::Detectar() {
    detectado_ = true;
    while (final_ < std::min(buf_.size(), BloqueDeteccion) && !eof_ && !error_) Rellenar();
    const auto* p = reinterpret_cast<const unsigned char*>(buf_.data());
    if (final_ >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        tipo_ = Codificacion::Utf8Bom;
        inicio_ = buscado_ = 3;
        entregados_ = 3;
    } else if (final_ >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        tipo_ = p[0] == 0xFF ? Codificacion::Utf16LE : Codificacion::Utf16BE;
        crudo_.assign(buf_.begin() + 2, buf_.begin() + static_cast<std::ptrdiff_t>(final_));
        final_ = 0;
        const bool fin = eof_;
        eof_ = false;
        Rellenar();
        eof_ = eof_ || fin;
        entregados_ = 1;  // the mark
    }
    const std::string_view bloque(buf_.data() + inicio_, final_ - inicio_);
    if (bloque.find('\n') == std::string_view::npos && bloque.find('\r') != std::string_view::npos)
        fin_ = '\r';
}

bool LectorLineas::Siguiente(std::string_view& linea) {
    if (!detectado_) Detectar();
    cortadaAhora_ = false;
    // Room the next read needs at least (a UTF-16 read decodes into up to 4 bytes).
    const bool utf16 = tipo_ == Codificacion::Utf16LE || tipo_ == Codificacion::Utf16BE;
    const std::size_t margen = utf16 ? 8 : 1;
    for (;;) {
        const std::size_t desde = std::max(inicio_, buscado_);
        const void* lf = desde < final_ ? std::memchr(buf_.data() + desde, fin_, final_ - desde) : nullptr;
        std::size_t comienzo = inicio_, fin = 0;
        if (lf) {
            const std::size_t nl = static_cast<std::size_t>(static_cast<const char*>(lf) - buf_.data());
            entregados_ += nl + 1 - inicio_;
            inicio_ = buscado_ = nl + 1;
            if (descartando_) {  // the tail of a line that was too long
                descartando_ = false;
                continue;
            }
            fin = nl;
        } else if ((eof_ || error_) && crudo_.empty()) {
            buscado_ = final_;
            if (inicio_ >= final_ || error_) return false;
            entregados_ += final_ - inicio_;
            inicio_ = buscado_ = final_;
            if (descartando_) {
                descartando_ = false;
                return false;
            }
            fin = final_;
        } else {
            buscado_ = final_;
            if (descartando_) {
                entregados_ += final_ - inicio_;
                inicio_ = final_ = buscado_ = 0;
            } else if (inicio_ > 0) {
                std::memmove(buf_.data(), buf_.data() + inicio_, final_ - inicio_);
                final_ -= inicio_;
                buscado_ -= inicio_;
                inicio_ = 0;
            }
            if (final_ + margen > buf_.size() && buf_.size() < maxima_) {
                buf_.resize(std::min(buf_.size() * 2, maxima_));
            } else if (final_ + margen > buf_.size()) {
                // Hand out the first bytes; skip the rest of the line.
                cortadaAhora_ = algunaCortada_ = descartando_ = true;
                entregados_ += final_;
                inicio_ = buscado_ = final_;
                comienzo = 0;
                fin = final_;
            }
            if (!cortadaAhora_) {
                Rellenar();
                continue;
            }
        }
        if (fin_ == '\n' && !cortadaAhora_ && fin > comienzo && buf_[fin - 1] == '\r') --fin;
        ++numero_;
        linea = std::string_view(buf_.data() + comienzo, fin - comienzo);
        lectura_ = Transcribir(linea, cortadaAhora_, convertida_);
        return true;
    }
}

// A line decoded from UTF-16 is UTF-8 already; any other stays as it is when
// it is UTF-8, and is otherwise converted into `destino`, which `linea` then
// views: as Windows-1252 where no mark says UTF-8, with U+FFFD for each
// invalid byte where one does.
LecturaLinea LectorLineas::Transcribir(std::string_view& linea, bool cortada, std::string& destino) const {
    if (cortada) linea = SinCaracterPartido(linea);
    if (tipo_ == Codificacion::Utf16LE || tipo_ == Codificacion::Utf16BE || EsUtf8(linea))
        return LecturaLinea::Utf8;
    destino.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(linea.data());
    if (tipo_ == Codificacion::Utf8Bom) {
        for (std::size_t i = 0, n = linea.size(); i < n;) {
            const std::size_t largo = LargoUtf8(p + i, n - i);
            if (largo == 0) {
                PonerUtf8(0xFFFD, destino);
                ++i;
            } else {
                destino.append(linea.substr(i, largo));
                i += largo;
            }
        }
        linea = destino;
        return LecturaLinea::Sustituida;
    }
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const unsigned char b = p[i];
        PonerUtf8(b < 0x80 ? b : b < 0xA0 ? Cp1252[b - 0x80] : b, destino);
    }
    linea = destino;
    return LecturaLinea::Windows1252;
}

std::vector<std::string> LectorLineas::PrimerasLineas(std::size_t n) {
    if (!detectado_) Detectar();
    std::vector<std::string> lineas;
    std::string_view resto(buf_.data() + inicio_, final_ - inicio_);
    while (lineas.size() < n && !resto.empty()) {
        const std::size_t fin = resto.find(fin_);
        if (fin == std::string_view::npos && !eof_) break;  // cut by the block
        std::string_view linea = resto.substr(0, fin);
        if (fin_ == '\n' && !linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        std::string convertida;
        Transcribir(linea, false, convertida);
        lineas.emplace_back(linea);
        if (fin == std::string_view::npos) break;
        resto.remove_prefix(fin + 1);
    }
    return lineas;
}

// ---------------------------------------------------------------------------

namespace {

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// How many groups of three digits follow the first one when the digits and
// separators of a number are grouped by thousands: one to three digits (the
// first not 0), then groups of one separator and three digits, all with the
// same separator, maybe ending in the other one and decimals. 0 when they are
// not: "12.345" has 1, "1.234.567" and "1,234.5" have 2, "0.123", "1234.567",
// "12.3456" and "1.234.56" have none.
std::size_t GruposDeMillares(std::string_view c) {
    std::size_t i = 0;
    while (i < c.size() && EsDigito(c[i])) ++i;
    if (i == 0 || i > 3 || c[0] == '0' || i == c.size()) return 0;
    const char millar = c[i];
    std::size_t grupos = 0;
    for (; i < c.size() && c[i] == millar; i += 4, ++grupos)
        if (i + 4 > c.size() || !EsDigito(c[i + 1]) || !EsDigito(c[i + 2]) || !EsDigito(c[i + 3])) return 0;
    if (i == c.size()) return grupos;
    if (c[i] != '.' && c[i] != ',') return 0;  // a fourth digit
    const std::size_t decimales = ++i;
    while (i < c.size() && EsDigito(c[i])) ++i;
    return i == c.size() && i > decimales ? grupos : 0;
}

// The shape of a number field, before the file's layout has its say.
struct FormaNumero {
    std::string_view texto;     // without the blanks and quotes around it
    bool numero = false;        // sign, digits and separators, exponent, nothing else
    std::size_t separadores = 0;
    char separador = 0;         // the first one
    bool dosLecturas = false;   // one separator that may be decimal or of thousands
    bool millares = false;      // more than one, grouping thousands
};

FormaNumero Analizar(std::string_view campo) {
    FormaNumero f;
    std::string_view t = Recortar(campo);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = Recortar(t.substr(1, t.size() - 2));
    f.texto = t;
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t cuerpo = i;
    std::size_t digitos = 0;
    for (; i < n; ++i) {
        if (EsDigito(t[i])) {
            ++digitos;
        } else if (t[i] == '.' || t[i] == ',') {
            if (f.separadores++ == 0) f.separador = t[i];
        } else {
            break;
        }
    }
    const std::string_view cifras = t.substr(cuerpo, i - cuerpo);
    if (digitos == 0) return f;
    bool exponente = false;
    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        exponente = true;
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        const std::size_t desde = i;
        while (i < n && EsDigito(t[i])) ++i;
        if (i == desde) return f;
    }
    if (i != n) return f;
    f.numero = true;
    if (f.separadores > 0 && !exponente) {
        const std::size_t grupos = GruposDeMillares(cifras);
        f.dosLecturas = f.separadores == 1 && grupos == 1;
        f.millares = f.separadores > 1 && grupos > 0;
    }
    return f;
}

// The value of a number with at most one separator, by LeerNumero with the
// separator as a point.
bool Valor(std::string_view t, double& valor) {
    if (t.find(',') == std::string_view::npos) {
        // A text Analizar accepted is what LeerNumero hands to from_chars,
        // unless it has a '+' or a 'D': the same value, read once.
        const auto r = std::from_chars(t.data(), t.data() + t.size(), valor);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) valor = LeerNumero(t);
        return true;
    }
    char copia[128];
    if (t.size() > sizeof copia) return false;
    std::replace_copy(t.begin(), t.end(), copia, ',', '.');
    valor = LeerNumero(std::string_view(copia, t.size()));
    return true;
}

}  // namespace

FormatoCampos DetectarFormato(const std::vector<std::string>& primeras) {
    // The point lines decide; the heading may hold no separator at all.
    std::vector<std::string_view> lineas;
    for (std::size_t i = 1; i < primeras.size(); ++i)
        if (!LineaEnBlanco(primeras[i])) lineas.emplace_back(primeras[i]);
    const bool puntos = !lineas.empty();
    if (!puntos && !primeras.empty()) lineas.emplace_back(primeras[0]);
    auto mayoria = [&](char separador) {
        std::size_t con = 0;
        for (const std::string_view l : lineas) {
            bool entreComillas = false;
            for (const char c : l) {
                if (c == '"') entreComillas = !entreComillas;
                if (c == separador && !entreComillas) {
                    ++con;
                    break;
                }
            }
        }
        return !lineas.empty() && con * 2 > lineas.size();
    };
    FormatoCampos formato;
    if (mayoria('\t')) {
        formato = {'\t', true, 0};
    } else if (mayoria(';')) {
        formato = {';', true, ','};
    } else {
        return formato;
    }
    // The decimal separator the numbers of the point lines show.
    bool coma = false, punto = false;
    for (std::size_t i = 0; puntos && i < lineas.size(); ++i) {
        const CamposFichero campos(lineas[i], formato);
        for (std::size_t k = 1; k < campos.size(); ++k) {
            const FormaNumero f = Analizar(campos[k]);
            if (f.numero && f.separadores == 1 && !f.dosLecturas) (f.separador == ',' ? coma : punto) = true;
        }
    }
    if (coma != punto) formato.decimal = coma ? ',' : '.';
    if (coma && punto) formato.decimal = 0;
    return formato;
}

std::string DescribirFormato(Codificacion tipo, bool finalesCR, const FormatoCampos& formato) {
    std::string t;
    switch (tipo) {
        case Codificacion::Utf8: t = "UTF-8"; break;
        case Codificacion::Utf8Bom: t = "UTF-8 con marca de orden de bytes"; break;
        case Codificacion::Utf16LE: t = "UTF-16LE"; break;
        case Codificacion::Utf16BE: t = "UTF-16BE"; break;
        case Codificacion::Windows1252: t = "Windows-1252"; break;
    }
    if (finalesCR) t += ", fin de línea CR";
    if (formato.separador == ',') return t + ", separado por comas";
    t += formato.separador == ';' ? ", separado por «;»" : ", separado por tabuladores";
    t += formato.decimal == ','   ? " con coma decimal"
         : formato.decimal == '.' ? " con punto decimal"
                                  : " con coma o punto decimal";
    return t;
}

CamposFichero::CamposFichero(std::string_view linea, const FormatoCampos& formato) {
    std::size_t i = 0;
    const std::size_t n = linea.size();
    for (;;) {
        std::size_t j = i;
        while (j < n && EsBlanco(linea[j]) && linea[j] != formato.separador) ++j;
        if (j < n && linea[j] == '"') {
            // Quoted: up to the closing quote ("" is a quote inside), then only
            // blanks up to the separator. A quote that does not close so is an
            // ordinary character, as it always was.
            std::size_t k = j + 1;
            while (k < n && !(linea[k] == '"' && (k + 1 == n || linea[k + 1] != '"'))) k += linea[k] == '"' ? 2 : 1;
            if (k < n) {
                std::size_t fin = k + 1;
                while (fin < n && EsBlanco(linea[fin]) && linea[fin] != formato.separador) ++fin;
                if (fin == n || linea[fin] == formato.separador) {
                    Poner(linea.substr(j + 1, k - j - 1), true);
                    if (fin == n) return;
                    i = fin + 1;
                    continue;
                }
            }
        }
        const std::size_t fin = linea.find(formato.separador, i);
        Poner(linea.substr(i, fin == std::string_view::npos ? std::string_view::npos : fin - i));
        if (fin == std::string_view::npos) return;
        i = fin + 1;
    }
}

std::string NombreLeido(const CamposFichero& campos, bool& escapado) {
    std::string_view campo = campos[0];
    const bool comillas = campos.Entrecomillado(0);
    // An opening quote that never closes is no part of the name, as it never was.
    if (!comillas && !campo.empty() && campo.front() == '"') campo.remove_prefix(1);
    escapado = false;
    // Most names have no quote and no control character: as they are.
    const bool simple = std::none_of(campo.begin(), campo.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return c == '"' || b < 0x20 || b == 0x7F || b == 0xC2;
    });
    if (simple) return std::string(campo);
    std::string nombre;
    nombre.reserve(campo.size());
    for (std::size_t i = 0; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c == '"' && comillas && i + 1 < campo.size() && campo[i + 1] == '"') ++i;
        const auto b = static_cast<unsigned char>(c);
        const bool control = (b < 0x20 && c != '\t') || b == 0x7F ||
                             (b == 0xC2 && i + 1 < campo.size() && static_cast<unsigned char>(campo[i + 1]) >= 0x80 &&
                              static_cast<unsigned char>(campo[i + 1]) < 0xA0);
        if (!control) {
            nombre += c;
            continue;
        }
        const std::size_t largo = b == 0xC2 ? 2 : 1;
        nombre += TextoParaMensaje(campo.substr(i, largo));
        i += largo - 1;
        escapado = true;
    }
    return nombre;
}

LecturaNumero LeerCampoNumero(std::string_view campo, const FormatoCampos& formato, double& valor) {
    const FormaNumero f = Analizar(campo);
    if (!f.numero) return LecturaNumero::NoNumero;
    if (f.separadores > 1) return f.millares ? LecturaNumero::Millares : LecturaNumero::NoNumero;
    if (f.separador == ',' && !formato.comaDecimal)
        return f.dosLecturas ? LecturaNumero::Ambiguo : LecturaNumero::ComaDecimal;
    if (f.dosLecturas && f.separador != formato.decimal) return LecturaNumero::Ambiguo;
    return Valor(f.texto, valor) ? LecturaNumero::Numero : LecturaNumero::NoNumero;
}

std::string_view TextoLecturaNumero(LecturaNumero lectura) {
    switch (lectura) {
        case LecturaNumero::Numero: return "";
        case LecturaNumero::NoNumero: return "no es un número";
        case LecturaNumero::Ambiguo: return "número ambiguo: ¿separador decimal o de millares?";
        case LecturaNumero::Millares: return "número con separador de millares";
        case LecturaNumero::ComaDecimal: return "número con coma decimal en un fichero separado por comas";
    }
    return "";
}

bool LeerCampoNumero(std::string_view campo, bool comaDecimal, double& valor) {
    const FormaNumero f = Analizar(campo);
    if (!f.numero || f.separadores > 1 || (f.separador == ',' && !comaDecimal)) return false;
    return Valor(f.texto, valor);
}

bool LineaEnBlanco(std::string_view linea) { return Recortar(linea).empty(); }

}  // namespace tesmaro
