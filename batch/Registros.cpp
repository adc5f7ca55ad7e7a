#include "Registros.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "Texto.h"

namespace tesmaro {

namespace {
// Buffered output is written out once a record ends and this much is waiting.
constexpr std::size_t UmbralVolcado = std::size_t{1} << 20;
}  // namespace

void AnadirLineaCsv(std::string_view lineaTxt, std::string& destino) {
    const std::size_t base = destino.size();
    destino.resize(base + lineaTxt.size());
    char* salida = destino.data() + base;
    for (const char c : lineaTxt) {
        // The three replacements in their order ("," -> ";", "." -> ",", no
        // quotes) touch disjoint characters, so one pass gives the same text.
        if (c == ',') {
            *salida++ = ';';
        } else if (c == '.') {
            *salida++ = ',';
        } else if (c != '"') {
            *salida++ = c;
        }
    }
    destino.resize(static_cast<std::size_t>(salida - destino.data()));
}

std::string LineaCsv(std::string_view lineaTxt) {
    std::string csv;
    AnadirLineaCsv(lineaTxt, csv);
    return csv;
}

std::string TextoACsv(std::string_view texto) {
    std::string csv;
    csv.reserve(texto.size());
    while (!texto.empty()) {
        const std::size_t fin = texto.find("\r\n");
        AnadirLineaCsv(texto.substr(0, fin), csv);
        csv += "\r\n";
        if (fin == std::string_view::npos) break;
        texto.remove_prefix(fin + 2);
    }
    return csv;
}

// ---------------------------------------------------------------------------

EscritorResultados::~EscritorResultados() {
    if (txt_) std::fclose(txt_);
    if (csv_) std::fclose(csv_);
}

bool EscritorResultados::Abrir(const std::string& rutaTxt, const std::string& rutaCsv,
                               std::string& error) {
    rutaTxt_ = rutaTxt;
    rutaCsv_ = rutaCsv;
    txt_ = std::fopen(rutaTxt.c_str(), "wb");
    if (!txt_) {
        error = "No se puede crear el fichero de resultados: " + rutaTxt;
        return false;
    }
    csv_ = std::fopen(rutaCsv.c_str(), "wb");
    if (!csv_) {
        std::fclose(txt_);
        txt_ = nullptr;
        std::remove(rutaTxt.c_str());
        error = "No se puede crear el fichero de resultados: " + rutaCsv;
        return false;
    }
    bufTxt_.reserve(UmbralVolcado + (UmbralVolcado >> 2));
    bufCsv_.reserve(UmbralVolcado + (UmbralVolcado >> 2));
    return true;
}

void EscritorResultados::Separar() {
    if (!primerCampo_) bufTxt_ += ',';
    primerCampo_ = false;
}

void EscritorResultados::Texto(std::string_view texto) {
    Separar();
    bufTxt_ += '"';
    bufTxt_ += texto;
    bufTxt_ += '"';
}

void EscritorResultados::Nombre(std::string_view texto) {
    Separar();
    bufTxt_ += '"';
    for (std::size_t desde = 0; desde < texto.size();) {
        const std::size_t comilla = texto.find('"', desde);
        bufTxt_ += texto.substr(desde, comilla - desde);
        if (comilla == std::string_view::npos) break;
        desde = comilla + 1;
    }
    bufTxt_ += '"';
}

void EscritorResultados::Numero(double valor) {
    Separar();
    if (!std::isfinite(valor)) return;
    char cifras[40];
    const int n = EscribirNumero(valor, cifras);
    bufTxt_.append(cifras, static_cast<std::size_t>(n));
}

void EscritorResultados::Entero(long valor) {
    Separar();
    char cifras[24];
    const auto r = std::to_chars(cifras, cifras + sizeof cifras, valor);
    bufTxt_.append(cifras, r.ptr);
}

void EscritorResultados::Vacio() { Separar(); }

void EscritorResultados::Numeros(std::initializer_list<double> valores, bool calculado) {
    for (const double v : valores) {
        if (calculado)
            Numero(v);
        else
            Vacio();
    }
}

void EscritorResultados::FinRegistro() {
    AnadirLineaCsv(std::string_view(bufTxt_).substr(inicioRegistro_), bufCsv_);
    bufTxt_ += "\r\n";
    bufCsv_ += "\r\n";
    primerCampo_ = true;
    if (bufTxt_.size() >= UmbralVolcado) Volcar();
    inicioRegistro_ = bufTxt_.size();
}

void EscritorResultados::Volcar() {
    if (!fallo_ && txt_ && std::fwrite(bufTxt_.data(), 1, bufTxt_.size(), txt_) != bufTxt_.size()) {
        fallo_ = true;
        rutaFallo_ = rutaTxt_;
    }
    if (!fallo_ && csv_ && std::fwrite(bufCsv_.data(), 1, bufCsv_.size(), csv_) != bufCsv_.size()) {
        fallo_ = true;
        rutaFallo_ = rutaCsv_;
    }
    bufTxt_.clear();
    bufCsv_.clear();
    inicioRegistro_ = 0;
}

bool EscritorResultados::Cerrar(std::string& error) {
    if (!txt_ && !csv_) return !fallo_;
    // A record left open (no FinRegistro) is not written.
    bufTxt_.resize(inicioRegistro_);
    Volcar();
    if (txt_ && std::fclose(txt_) != 0 && !fallo_) {
        fallo_ = true;
        rutaFallo_ = rutaTxt_;
    }
    if (csv_ && std::fclose(csv_) != 0 && !fallo_) {
        fallo_ = true;
        rutaFallo_ = rutaCsv_;
    }
    txt_ = csv_ = nullptr;
    if (fallo_) error = "Error al escribir el fichero de resultados: " + rutaFallo_;
    return !fallo_;
}

// ---------------------------------------------------------------------------

LectorLineas::LectorLineas(std::FILE* fichero, std::size_t capacidadInicial, std::size_t longitudMaxima)
    : fichero_(fichero),
      maxima_(std::max<std::size_t>(longitudMaxima, 16)),
      buf_(std::clamp<std::size_t>(capacidadInicial, 16, maxima_)) {}

bool LectorLineas::Rellenar() {
    const std::size_t pedido = buf_.size() - fin_;
    const std::size_t n = std::fread(buf_.data() + fin_, 1, pedido, fichero_);
    fin_ += n;
    if (n < pedido) {
        if (std::ferror(fichero_))
            error_ = true;
        else
            eof_ = true;
    }
    return n > 0;
}

bool LectorLineas::Siguiente(std::string_view& linea) {
    for (;;) {
        const std::size_t desde = std::max(inicio_, buscado_);
        const void* lf =
            desde < fin_ ? std::memchr(buf_.data() + desde, '\n', fin_ - desde) : nullptr;
        if (lf) {
            const std::size_t nl = static_cast<std::size_t>(static_cast<const char*>(lf) - buf_.data());
            const std::size_t comienzo = inicio_;
            leidos_ += nl + 1 - inicio_;
            inicio_ = buscado_ = nl + 1;
            if (descartando_) {  // the tail of a line that was too long
                descartando_ = false;
                continue;
            }
            std::size_t fin = nl;
            if (fin > comienzo && buf_[fin - 1] == '\r') --fin;
            linea = std::string_view(buf_.data() + comienzo, fin - comienzo);
            return true;
        }
        buscado_ = fin_;
        if (eof_ || error_) {
            if (inicio_ >= fin_ || error_) return false;
            const std::size_t comienzo = inicio_;
            leidos_ += fin_ - inicio_;
            inicio_ = buscado_ = fin_;
            if (descartando_) {
                descartando_ = false;
                return false;
            }
            std::size_t fin = fin_;
            if (buf_[fin - 1] == '\r') --fin;
            linea = std::string_view(buf_.data() + comienzo, fin - comienzo);
            return true;
        }
        if (descartando_) {
            leidos_ += fin_ - inicio_;
            inicio_ = fin_ = buscado_ = 0;
        } else if (inicio_ > 0) {
            std::memmove(buf_.data(), buf_.data() + inicio_, fin_ - inicio_);
            fin_ -= inicio_;
            buscado_ -= inicio_;
            inicio_ = 0;
        }
        if (fin_ == buf_.size()) {
            if (buf_.size() >= maxima_) {
                // Hand out the first maxima_ bytes; skip the rest.
                cortada_ = descartando_ = true;
                leidos_ += fin_;
                inicio_ = buscado_ = fin_;
                linea = std::string_view(buf_.data(), fin_);
                return true;
            }
            buf_.resize(std::min(buf_.size() * 2, maxima_));
        }
        Rellenar();
    }
}

}  // namespace tesmaro
