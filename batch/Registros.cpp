#include "Registros.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Texto.h"

namespace tesmaro {

namespace {
// Buffered output is written out once a record ends and this much is waiting.
constexpr std::size_t UmbralVolcado = std::size_t{1} << 20;

// The temporaries still open, for BorrarTemporales: fixed storage, so that a
// signal handler reads it without allocating.
constexpr int MaxTemporales = 16;
constexpr std::size_t LargoRuta = 4096;
char temporales[MaxTemporales][LargoRuta];
volatile std::sig_atomic_t ocupados[MaxTemporales];

void Anotar(const std::string& ruta) {
    if (ruta.size() >= LargoRuta) return;
    for (int i = 0; i < MaxTemporales; ++i) {
        if (ocupados[i]) continue;
        std::memcpy(temporales[i], ruta.c_str(), ruta.size() + 1);
        ocupados[i] = 1;
        return;
    }
}

void Olvidar(const std::string& ruta) {
    for (int i = 0; i < MaxTemporales; ++i)
        if (ocupados[i] && ruta == temporales[i]) ocupados[i] = 0;
}

// A new temporary beside `ruta` (".NAME.XXXXXX"), with the permissions a new
// file of the user gets.
std::FILE* CrearTemporal(const std::string& ruta, std::string& temporal) {
    const std::filesystem::path p(ruta);
    std::string nombre(1, '.');
    nombre.append(p.filename().string()).append(".XXXXXX");
    temporal = (p.parent_path() / nombre).string();
    const int fd = mkstemp(temporal.data());
    if (fd < 0) {
        temporal.clear();
        return nullptr;
    }
    const mode_t mascara = umask(0);
    umask(mascara);
    fchmod(fd, 0666 & ~mascara);
    Anotar(temporal);
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        close(fd);
        unlink(temporal.c_str());
        Olvidar(temporal);
        temporal.clear();
    }
    return f;
}

// An existing final name that is not a regular file (a folder, a symbolic link).
bool NoEsFicheroNormal(const std::string& ruta) {
    struct stat st{};
    return lstat(ruta.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool VolcarAlDisco(std::FILE* f) { return std::fflush(f) == 0 && fsync(fileno(f)) == 0; }
}  // namespace

void BorrarTemporales() noexcept {
    for (int i = 0; i < MaxTemporales; ++i)
        if (ocupados[i]) unlink(temporales[i]);
}

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

EscritorResultados::~EscritorResultados() { Descartar(); }

bool EscritorResultados::Abrir(const std::string& rutaTxt, const std::string& rutaCsv,
                               std::string& error) {
    rutaTxt_ = rutaTxt;
    rutaCsv_ = rutaCsv;
    if (rutaTxt == "-") {
        txt_ = stdout;
        rutaTxt_ = "la salida estándar";
        rutaCsv_.clear();
    } else {
        for (const std::string* ruta : {&rutaTxt_, &rutaCsv_}) {
            if (NoEsFicheroNormal(*ruta)) {
                error = "El fichero de resultados existe y no es un fichero normal: " + *ruta;
                return false;
            }
        }
        txt_ = CrearTemporal(rutaTxt_, temporalTxt_);
        if (txt_) csv_ = CrearTemporal(rutaCsv_, temporalCsv_);
        if (!txt_ || !csv_) {
            error = "No se puede crear el fichero de resultados: " + (txt_ ? rutaCsv_ : rutaTxt_);
            Descartar();
            return false;
        }
    }
    bufTxt_.reserve(UmbralVolcado + (UmbralVolcado >> 2));
    bufCsv_.reserve(UmbralVolcado + (UmbralVolcado >> 2));
    if (csv_) bufCsv_ = "\xEF\xBB\xBF";
    return true;
}

void EscritorResultados::Descartar() {
    if (txt_ && txt_ != stdout) std::fclose(txt_);
    if (csv_) std::fclose(csv_);
    txt_ = csv_ = nullptr;
    for (std::string* t : {&temporalTxt_, &temporalCsv_}) {
        if (t->empty()) continue;
        unlink(t->c_str());
        Olvidar(*t);
        t->clear();
    }
}

void FormadorRegistros::Separar() {
    if (!primerCampo_) bufTxt_ += ',';
    primerCampo_ = false;
}

void FormadorRegistros::Texto(std::string_view texto) {
    Separar();
    bufTxt_ += '"';
    bufTxt_ += texto;
    bufTxt_ += '"';
}

void FormadorRegistros::Nombre(std::string_view texto) {
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

void FormadorRegistros::Numero(double valor) {
    Separar();
    if (!std::isfinite(valor)) return;
    char cifras[40];
    const int n = EscribirNumero(valor, cifras);
    bufTxt_.append(cifras, static_cast<std::size_t>(n));
}

void FormadorRegistros::Entero(long valor) {
    Separar();
    char cifras[24];
    const auto r = std::to_chars(cifras, cifras + sizeof cifras, valor);
    bufTxt_.append(cifras, r.ptr);
}

void FormadorRegistros::Vacio() { Separar(); }

void FormadorRegistros::Numeros(std::initializer_list<double> valores, bool calculado) {
    for (const double v : valores) {
        if (calculado)
            Numero(v);
        else
            Vacio();
    }
}

void FormadorRegistros::FinRegistro() {
    AnadirLineaCsv(std::string_view(bufTxt_).substr(inicioRegistro_), bufCsv_);
    bufTxt_ += "\r\n";
    bufCsv_ += "\r\n";
    primerCampo_ = true;
    inicioRegistro_ = bufTxt_.size();
    AlTerminarRegistro();
}

void FormadorRegistros::Vaciar() {
    bufTxt_.erase(0, inicioRegistro_);
    bufCsv_.clear();
    inicioRegistro_ = 0;
}

void EscritorResultados::AlTerminarRegistro() {
    if (bufTxt_.size() >= UmbralVolcado) Volcar();
}

void EscritorResultados::Anexar(const FormadorRegistros& registros) {
    Volcar();
    Escribir(registros.Txt(), registros.Csv());
}

void EscritorResultados::Escribir(std::string_view txt, std::string_view csv) {
    if (!fallo_ && txt_ && std::fwrite(txt.data(), 1, txt.size(), txt_) != txt.size()) {
        fallo_ = true;
        rutaFallo_ = rutaTxt_;
    }
    if (!fallo_ && csv_ && std::fwrite(csv.data(), 1, csv.size(), csv_) != csv.size()) {
        fallo_ = true;
        rutaFallo_ = rutaCsv_;
    }
}

void EscritorResultados::Volcar() {
    Escribir(Txt(), Csv());
    Vaciar();
}

bool EscritorResultados::Cerrar(std::string& error) {
    if (!txt_ && !csv_) return !fallo_;
    // A record left open (no FinRegistro) is not written.
    Volcar();
    if (!fallo_ && txt_ == stdout && std::fflush(stdout) != 0) {
        fallo_ = true;
        rutaFallo_ = "la salida estándar";
    }
    if (!fallo_ && txt_ != stdout && !VolcarAlDisco(txt_)) {
        fallo_ = true;
        rutaFallo_ = rutaTxt_;
    }
    if (!fallo_ && csv_ && !VolcarAlDisco(csv_)) {
        fallo_ = true;
        rutaFallo_ = rutaCsv_;
    }
    if (!fallo_ && csv_) {
        const int a = std::fclose(txt_), b = std::fclose(csv_);
        txt_ = csv_ = nullptr;
        if (a != 0 || b != 0) {
            fallo_ = true;
            rutaFallo_ = a != 0 ? rutaTxt_ : rutaCsv_;
        }
    }
    if (!fallo_ && !temporalTxt_.empty()) {
        // Both names replaced together: another run's pair never mixes in.
        const std::string carpeta = std::filesystem::path(rutaTxt_).parent_path().string();
        const int fd = open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) flock(fd, LOCK_EX);
        if (NoEsFicheroNormal(rutaTxt_) || NoEsFicheroNormal(rutaCsv_) ||
            std::rename(temporalTxt_.c_str(), rutaTxt_.c_str()) != 0) {
            fallo_ = true;
            rutaFallo_ = rutaTxt_;
        } else {
            Olvidar(temporalTxt_);
            temporalTxt_.clear();
            if (std::rename(temporalCsv_.c_str(), rutaCsv_.c_str()) != 0) {
                fallo_ = true;
                rutaFallo_ = rutaCsv_;
            } else {
                Olvidar(temporalCsv_);
                temporalCsv_.clear();
            }
        }
        if (fd >= 0) close(fd);  // releases the lock
    }
    if (txt_ == stdout) txt_ = nullptr;
    if (fallo_) {
        error = "Error al escribir el fichero de resultados: " + rutaFallo_;
        Descartar();
    }
    return !fallo_;
}

}  // namespace tesmaro
