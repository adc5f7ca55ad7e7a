#include "SalidaTexto.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "Conversiones.h"
#include "Texto.h"

namespace tesmaro {

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

namespace {

void Texto(std::string& t, std::string_view texto) {
    t += '"';
    t += texto;
    t += '"';
}

// The name in double quotes, each of its own quotes doubled: one field
// whatever it holds.
void Nombre(std::string& t, std::string_view nombre) {
    t += '"';
    for (std::size_t comilla; (comilla = nombre.find('"')) != std::string_view::npos;) {
        t.append(nombre.substr(0, comilla + 1)) += '"';
        nombre.remove_prefix(comilla + 1);
    }
    t += nombre;
    t += '"';
}

// The name as the CSV twin's first field. A name the CSV step leaves as it is
// (no '.', ',', ';' or quote) is written as it always was. Any other is
// written as it is (a '.' stays a '.'), in double quotes with its quotes
// doubled (RFC 4180, with ';') when it holds ';' or a quote; and one a
// spreadsheet would take for a formula (a leading '=', '+', '-' or '@') is
// neutralised by a leading apostrophe, in quotes.
void NombreCsv(std::string& t, std::string_view nombre) {
    const bool formula = !nombre.empty() && (nombre[0] == '=' || nombre[0] == '+' || nombre[0] == '-' || nombre[0] == '@');
    const bool comillas =
        formula || std::any_of(nombre.begin(), nombre.end(), [](char c) { return c == ';' || c == '"' || c == '\r' || c == '\n'; });
    if (!comillas) {
        t += nombre;
        return;
    }
    t += '"';
    if (formula) t += '\'';
    for (const char c : nombre) {
        t += c;
        if (c == '"') t += '"';
    }
    t += '"';
}

void Valor(std::string& t, TipoColumna tipo, double v, const Decimales& d) {
    switch (tipo) {
        case TipoColumna::Real:
        case TipoColumna::Metros:
        case TipoColumna::Angulo: {
            if (!std::isfinite(v)) break;
            const int decimales = tipo == TipoColumna::Metros ? d.metros : tipo == TipoColumna::Angulo ? d.angulos : -1;
            // Beyond 1e21 a fixed form is no longer a measure: 15 digits.
            if (decimales >= 0 && std::fabs(v) < 1e21) {
                t += TextoDecimales(v, decimales);
            } else {
                char cifras[40];
                t.append(cifras, static_cast<std::size_t>(EscribirNumero(v, cifras)));
            }
            break;
        }
        case TipoColumna::Entero: {
            char cifras[24];
            const auto r = std::to_chars(cifras, cifras + sizeof cifras, static_cast<long>(v));
            t.append(cifras, r.ptr);
            break;
        }
        case TipoColumna::NorteSur: Texto(t, v == 0 ? "Norte" : "Sur"); break;
    }
}

bool VolcarAlDisco(std::FILE* f) { return std::fflush(f) == 0 && fsync(fileno(f)) == 0; }

// Written out once this much is waiting.
constexpr std::size_t TamanoBuffer = std::size_t{1} << 20;

}  // namespace

std::string CabeceraTexto(const Conversion& c) {
    std::string t;
    Texto(t, "Nombre");
    for (const Columna& col : c.columnas) {
        t += ',';
        Texto(t, col.titulo);
    }
    if (!c.notaCabecera.empty()) {
        t += ',';
        Texto(t, c.notaCabecera);
    }
    t += "\r\n";
    return t;
}

void AnadirRegistro(const Conversion& c, const RegistroPunto& reg, std::string& txt, std::string* csv,
                    const Decimales& d) {
    const EstadoPunto e = reg.r.estado;
    if (e == EstadoPunto::Omitido || e == EstadoPunto::Detener) return;
    Nombre(txt, reg.nombre);
    const std::size_t valores = txt.size();
    // Converted: every column; not computable: the columns that echo the
    // input or the ellipsoid; otherwise the name alone.
    const bool todas = Convertido(e);
    const bool eco = e == EstadoPunto::NoCalculable;
    for (const Columna& col : c.columnas) {
        txt += ',';
        if (todas || (eco && !col.calculada)) Valor(txt, col.tipo, reg.r.v[col.valor], d);
    }
    if (csv) {
        NombreCsv(*csv, reg.nombre);
        AnadirLineaCsv(std::string_view(txt).substr(valores), *csv);
        *csv += "\r\n";
    }
    txt += "\r\n";
}

SalidaTexto::SalidaTexto(std::string rutaTxt, std::string rutaCsv)
    : rutaTxt_(std::move(rutaTxt)), rutaCsv_(std::move(rutaCsv)) {}

SalidaTexto::~SalidaTexto() {
    if (txt_ && txt_ != stdout) std::fclose(txt_);
    if (csv_) std::fclose(csv_);
}

bool SalidaTexto::Empezar(const ContextoLote& contexto, Salidas& salidas, std::string& error) {
    conversion_ = &contexto.conversion;
    decimales_ = {contexto.decimalesMetros, contexto.decimalesAngulos};
    if (rutaTxt_ == "-") {
        txt_ = stdout;
    } else {
        const std::string txt = salidas.Preparar(rutaTxt_, {}, error);
        const std::string csv = txt.empty() ? std::string() : salidas.Preparar(rutaCsv_, {}, error);
        if (csv.empty()) return false;
        txt_ = std::fopen(txt.c_str(), "wbx");
        csv_ = txt_ ? std::fopen(csv.c_str(), "wbx") : nullptr;
        if (!csv_) {
            error = "No se puede crear el fichero de resultados: " + (txt_ ? rutaCsv_ : rutaTxt_);
            return false;
        }
        std::setvbuf(txt_, nullptr, _IOFBF, TamanoBuffer);
        std::setvbuf(csv_, nullptr, _IOFBF, TamanoBuffer);
    }
    const std::string cabecera = CabeceraTexto(*conversion_);
    std::string csv = csv_ ? "\xEF\xBB\xBF" : "";
    csv += TextoACsv(cabecera);
    Escribir(txt_, cabecera, rutaTxt_ == "-" ? "la salida estándar" : rutaTxt_);
    if (csv_) Escribir(csv_, csv, rutaCsv_);
    return true;
}

void SalidaTexto::Preparar(const RegistroPunto& registro, Preparado& preparado) const {
    AnadirRegistro(*conversion_, registro, preparado[0], csv_ ? &preparado[1] : nullptr, decimales_);
}

bool SalidaTexto::Escribir(std::FILE* f, std::string_view datos, const std::string& ruta) {
    if (!fallo_.empty()) return false;
    if (std::fwrite(datos.data(), 1, datos.size(), f) != datos.size()) fallo_ = ruta;
    return fallo_.empty();
}

bool SalidaTexto::Recibir(std::span<const RegistroPunto>, const Preparado& preparado) {
    return Escribir(txt_, preparado[0], txt_ == stdout ? "la salida estándar" : rutaTxt_) &&
           (!csv_ || Escribir(csv_, preparado[1], rutaCsv_));
}

bool SalidaTexto::Terminar(ObservadorLote&, std::string& error) {
    if (fallo_.empty()) {
        if (txt_ == stdout) {
            if (std::fflush(stdout) != 0 || std::ferror(stdout)) fallo_ = "la salida estándar";
        } else if (!VolcarAlDisco(txt_)) {
            fallo_ = rutaTxt_;
        } else if (!VolcarAlDisco(csv_)) {
            fallo_ = rutaCsv_;
        }
    }
    if (txt_ && txt_ != stdout) {
        if (std::fclose(txt_) != 0 && fallo_.empty()) fallo_ = rutaTxt_;
        if (std::fclose(csv_) != 0 && fallo_.empty()) fallo_ = rutaCsv_;
        txt_ = csv_ = nullptr;
    }
    if (fallo_.empty()) return true;
    error = "Error al escribir el fichero de resultados: " + fallo_;
    return false;
}

}  // namespace tesmaro
