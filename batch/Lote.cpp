#include "Lote.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "Ajustes.h"
#include "Compromiso.h"
#include "Geoide.h"
#include "Lector.h"
#include "Rejilla.h"
#include "SalidaTexto.h"
#include "Texto.h"
#include "Textos.h"
#include "Verificar.h"

namespace tesmaro {

namespace fs = std::filesystem;

OrdenLote OrdenLote::ConAjustesActuales(const Conversion& conversion, std::string entrada) {
    OrdenLote o;
    o.conversion = &conversion;
    o.entrada = std::move(entrada);
    o.unidad = ajustes::UnidadAngular;
    o.elipsoide = ajustes::ElipsoideActual;
    o.decimalesMetros = ajustes::DecimalesMetros;
    o.decimalesAngulos = ajustes::DecimalesAngulos;
    return o;
}

RegistroPunto ConvertirLinea(const Conversion& c, const CamposFichero& campos, const FormatoCampos& formato,
                             const AjustesConversion& ajustes, bool cortada) {
    RegistroPunto reg;
    reg.nombre = NombreLeido(campos, reg.nombreEscapado);
    EntradaPunto entrada;
    const EstadoPunto leido =
        cortada ? EstadoPunto::Ilegible : c.leer({campos, formato, ajustes.husoForzado}, entrada);
    reg.r.estado = leido;
    if (leido == EstadoPunto::Convertido) {
        reg.r = c.convertir(entrada, ajustes);
    } else if (leido == EstadoPunto::Ilegible) {
        reg.lectura = entrada.lectura == LecturaNumero::Numero ? LecturaNumero::NoNumero : entrada.lectura;
        reg.r.motivo = cortada ? "La línea es demasiado larga."
                       : reg.lectura == LecturaNumero::NoNumero
                           ? "Falta un campo o no es un número."
                           : "Campo ilegible: " + std::string(TextoLecturaNumero(reg.lectura)) + ".";
    } else {
        // A stop: the zone text, blanks around it aside.
        reg.r.motivo = SinBlancos(campos[3]);
    }
    return reg;
}

namespace {

// The lines the layout of the fields is decided from, the heading included.
constexpr std::size_t LineasDeMuestra = 20;

// A block holds this many lines or bytes, whichever comes first.
constexpr std::size_t LineasPorBloque = 2048;
constexpr std::size_t BytesPorBloque = std::size_t{256} << 10;

struct CerrarFichero {
    void operator()(std::FILE* f) const {
        if (f != stdin) std::fclose(f);
    }
};

// What the threads of a run share, read only.
struct Tarea {
    const Conversion& conversion;
    const AjustesConversion& ajustes;
    const FormatoCampos& formato;
    std::span<Sumidero* const> sumideros;
};

// A block of point lines, copied out of the reader, and their records.
struct Bloque {
    std::string texto;                  // the lines one after another
    std::vector<std::size_t> fines;     // where each ends
    std::vector<std::uint64_t> numeros;  // its number in the file
    std::vector<char> cortadas;         // whether the reader had to cut it
    std::vector<RegistroPunto> registros;
    std::vector<Preparado> preparados;  // one per output
    bool hecho = false;                 // converted (guarded by the pool's mutex)

    void Limpiar() {
        texto.clear();
        fines.clear();
        numeros.clear();
        cortadas.clear();
        registros.clear();
        for (Preparado& p : preparados)
            for (std::string& s : p) s.clear();
    }
};

// Converts the lines of a block, up to a stop.
void ConvertirBloque(Bloque& b, const Tarea& t) {
    b.preparados.resize(t.sumideros.size());
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < b.fines.size(); inicio = b.fines[i++]) {
        const std::string_view linea(b.texto.data() + inicio, b.fines[i] - inicio);
        RegistroPunto& reg = b.registros.emplace_back(
            ConvertirLinea(t.conversion, CamposFichero(linea, t.formato), t.formato, t.ajustes, b.cortadas[i]));
        reg.linea = b.numeros[i];
        for (std::size_t k = 0; k < t.sumideros.size(); ++k) t.sumideros[k]->Preparar(reg, b.preparados[k]);
        if (reg.r.estado == EstadoPunto::Detener) return;
    }
}

// Threads that convert blocks in the background. The blocks are handed back
// in the order they were given. The threads leave the signals that end the
// program to the run's thread, whose reading they interrupt.
class Cuadrilla {
public:
    Cuadrilla(unsigned hilos, const Tarea& tarea) : tarea_(tarea) {
        sigset_t senales, antes;
        sigemptyset(&senales);
        for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaddset(&senales, s);
        pthread_sigmask(SIG_BLOCK, &senales, &antes);
        for (unsigned i = 0; i < hilos; ++i) hilos_.emplace_back([this] { Trabajar(); });
        pthread_sigmask(SIG_SETMASK, &antes, nullptr);
    }
    ~Cuadrilla() {
        {
            std::lock_guard<std::mutex> cerrojo(mutex_);
            fin_ = true;
        }
        hayTrabajo_.notify_all();
        for (std::thread& h : hilos_) h.join();
    }
    void Encargar(Bloque* b) {
        {
            std::lock_guard<std::mutex> cerrojo(mutex_);
            b->hecho = false;
            pendientes_.push_back(b);
        }
        hayTrabajo_.notify_one();
    }
    void Esperar(Bloque* b) {
        std::unique_lock<std::mutex> cerrojo(mutex_);
        terminado_.wait(cerrojo, [b] { return b->hecho; });
    }

private:
    void Trabajar() {
        for (;;) {
            Bloque* b;
            {
                std::unique_lock<std::mutex> cerrojo(mutex_);
                hayTrabajo_.wait(cerrojo, [this] { return fin_ || !pendientes_.empty(); });
                if (pendientes_.empty()) return;
                b = pendientes_.front();
                pendientes_.pop_front();
            }
            ConvertirBloque(*b, tarea_);
            {
                std::lock_guard<std::mutex> cerrojo(mutex_);
                b->hecho = true;
            }
            terminado_.notify_all();
        }
    }

    const Tarea& tarea_;
    std::mutex mutex_;
    std::condition_variable hayTrabajo_, terminado_;
    std::deque<Bloque*> pendientes_;
    bool fin_ = false;
    std::vector<std::thread> hilos_;
};

// Counts the records of a block into the summary; a stop ends the run.
void Contar(const Bloque& b, ResumenLote& r) {
    for (const RegistroPunto& reg : b.registros) {
        ++r.lineasLeidas;
        if (reg.nombreEscapado) r.nombresEscapados.Anotar(reg.linea);
        const EstadoPunto e = reg.r.estado;
        if (e != EstadoPunto::Omitido && e != EstadoPunto::Detener) ++r.registros;
        switch (e) {
            case EstadoPunto::Convertido: ++r.convertidas; break;
            case EstadoPunto::Impreciso:
                ++r.convertidas;
                r.imprecisas.Anotar(reg.linea);
                break;
            case EstadoPunto::NoCalculable:
                r.noCalculables.Anotar(reg.linea);
                r.noCalculablesPor[static_cast<std::size_t>(reg.r.calculo)].Anotar(reg.linea);
                break;
            case EstadoPunto::Ilegible: {
                r.ilegibles.Anotar(reg.linea);
                const std::size_t i = static_cast<std::size_t>(&reg - b.registros.data());
                if (b.cortadas[i])
                    r.largas.Anotar(reg.linea);
                else
                    r.ilegiblesPor[static_cast<std::size_t>(reg.lectura)].Anotar(reg.linea);
                break;
            }
            case EstadoPunto::Imposible: r.imposibles.Anotar(reg.linea); break;
            case EstadoPunto::FueraRejilla: r.fueraRejilla.Anotar(reg.linea); break;
            case EstadoPunto::Omitido: r.saltadas.Anotar(reg.linea); break;
            case EstadoPunto::Detener:
                r.detenido = true;
                r.lineaDetenida = reg.linea;
                r.husoDetenido = reg.r.motivo;
                break;
        }
    }
}

// Whether an input with no folder of its own (a pipe, a device) is named.
bool Especial(const std::string& ruta) {
    std::error_code ec;
    const fs::file_status estado = fs::status(ruta, ec);
    const std::string carpeta = fs::weakly_canonical(fs::absolute(ruta, ec).parent_path(), ec).string();
    const bool sistema = carpeta == "/dev" || carpeta.rfind("/dev/fd", 0) == 0 || carpeta.rfind("/proc/", 0) == 0;
    return fs::exists(estado) && !fs::is_directory(estado) && (!fs::is_regular_file(estado) || sistema);
}

}  // namespace

ResumenLote EjecutarLote(const OrdenLote& orden, ObservadorLote& observador) {
    return EjecutarLote(orden, {}, observador);
}

ResumenLote EjecutarLote(const OrdenLote& orden, std::span<Sumidero* const> otras, ObservadorLote& observador) {
    ResumenLote resumen;
    if (!orden.conversion) return resumen;
    const Conversion& conversion = *orden.conversion;
    resumen.ejecutado = true;

    // The settings, once.
    AjustesConversion ajustes;
    if (!AjustesDe(conversion, orden.unidad, orden.elipsoide, orden.exacto, ajustes)) {
        resumen.error = std::string(TextoEstado(Estado::SinElipsoide));
        return resumen;
    }
    // The very grid chosen, opened once for the whole run.
    std::optional<Rejilla> rejilla;
    std::string rutaRejilla;
    if (conversion.LeeRejilla()) {
        rutaRejilla = orden.rutaRejilla.empty() ? RutaRejillaVentanas() : orden.rutaRejilla;
        rejilla.emplace(rutaRejilla);
        if (rejilla->estado() != EstadoRejilla::Correcta) {
            resumen.error = rejilla->mensaje();
            return resumen;
        }
        ajustes.rejilla = &*rejilla;
        resumen.rejilla = DescribirRejilla(rutaRejilla);
    }

    // The geoid model, opened once for the whole run.
    std::optional<Geoide> geoide;
    if (conversion.leeGeoide) {
        geoide.emplace();
        if (geoide->estado() != EstadoRejilla::Correcta) {
            resumen.error = geoide->mensaje();
            return resumen;
        }
        ajustes.geoide = &*geoide;
        resumen.rejilla = DescribirGeoide(geoide->peninsula().ruta(), geoide->canarias().ruta());
    }
    if (orden.huso != 0) {
        if (!conversion.leeHuso || orden.huso < 27 || orden.huso > 31) {
            resumen.error = conversion.leeHuso ? "El huso forzado debe estar entre 27 y 31."
                                               : std::string(conversion.nombre) + " no tiene huso que forzar.";
            return resumen;
        }
        ajustes.husoForzado = orden.huso;
    }
    resumen.fuera = conversion.fuera;

    // The input.
    const std::string& rutaEntrada = orden.entrada;
    const bool estandar = rutaEntrada == "-";
    if (!estandar && orden.textos && orden.carpetaSalida.empty() && Especial(rutaEntrada)) {
        resumen.error = "La entrada no es un fichero normal: indique la carpeta de los resultados (--salida) o lea "
                        "la entrada estándar («-»): " + rutaEntrada;
        return resumen;
    }
    std::error_code ec;
    std::unique_ptr<std::FILE, CerrarFichero> entrada;
    if (estandar)
        entrada.reset(stdin);
    else if (!fs::is_directory(rutaEntrada, ec))
        entrada.reset(std::fopen(rutaEntrada.c_str(), "rb"));
    if (!entrada) {
        resumen.error = "No se puede leer el fichero de entrada: " + rutaEntrada;
        return resumen;
    }
    std::uint64_t total = estandar ? 0 : fs::file_size(rutaEntrada, ec);
    if (ec) total = 0;

    // The outputs.
    Compromiso compromiso;
    compromiso.Proteger(rutaEntrada);
    compromiso.Proteger(rutaRejilla);
    std::optional<SalidaTexto> textos;
    std::vector<Sumidero*> sumideros;
    if (orden.textos) {
        const std::string base(conversion.base);
        if (estandar) {
            resumen.rutaTxt = "-";
        } else {
            // Beside the input file, whatever the current folder is.
            const fs::path carpeta =
                orden.carpetaSalida.empty() ? fs::path(rutaEntrada).parent_path() : fs::path(orden.carpetaSalida);
            resumen.rutaTxt = (carpeta / (base + ".txt")).string();
            resumen.rutaCsv = (carpeta / (base + ".csv")).string();
        }
        sumideros.push_back(&textos.emplace(resumen.rutaTxt, resumen.rutaCsv));
    }
    sumideros.insert(sumideros.end(), otras.begin(), otras.end());
    const ContextoLote contexto{conversion, ajustes, rutaEntrada, rutaRejilla, orden.decimalesMetros,
                                orden.decimalesAngulos};
    for (Sumidero* s : sumideros)
        if (!s->Empezar(contexto, compromiso, resumen.error)) return resumen;

    LectorLineas lector(entrada.get());
    const FormatoCampos formato = DetectarFormato(lector.PrimerasLineas(LineasDeMuestra));
    resumen.formato = DescribirFormato(lector.Tipo(), lector.FinalesCR(), formato);
    const Tarea tarea{conversion, ajustes, formato, sumideros};

    // Blocks in flight, in the order of the input; with one thread, converted
    // here as soon as they are full.
    const unsigned hilos = orden.hilos > 0 ? orden.hilos : std::max(1u, std::thread::hardware_concurrency());
    const std::size_t enVueloMaximo = hilos == 1 ? 1 : std::size_t{2} * hilos;
    std::vector<std::unique_ptr<Bloque>> reserva;
    std::deque<Bloque*> enVuelo;
    std::optional<Cuadrilla> cuadrilla;
    if (hilos > 1) cuadrilla.emplace(hilos, tarea);
    bool parar = false, fallo = false;

    // Hands the oldest block in flight to the outputs and counts its lines.
    auto terminarPrimero = [&] {
        Bloque* b = enVuelo.front();
        enVuelo.pop_front();
        if (cuadrilla) cuadrilla->Esperar(b);
        if (!parar) {
            Contar(*b, resumen);
            if (resumen.detenido) parar = true;
            for (std::size_t k = 0; k < sumideros.size(); ++k)
                if (!sumideros[k]->Recibir(b->registros, b->preparados[k])) fallo = parar = true;
        }
        b->Limpiar();
        reserva.emplace_back(b);
    };
    auto enviar = [&](Bloque* b) {
        enVuelo.push_back(b);
        if (cuadrilla)
            cuadrilla->Encargar(b);
        else
            ConvertirBloque(*b, tarea);
        while (enVuelo.size() >= enVueloMaximo) terminarPrimero();
        // After every block: progress, and the request to stop.
        observador.LineasLeidas(lector.NumeroLinea());
        observador.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));
        if (observador.Cancelado()) resumen.cancelado = parar = true;
    };

    std::string_view linea;
    Bloque* actual = nullptr;
    bool cabecera = true;
    while (!parar && lector.Siguiente(linea)) {
        if (cabecera) {  // the heading line gives way to the header record
            cabecera = false;
            continue;
        }
        if (LineaEnBlanco(linea)) continue;
        if (!actual) {
            if (reserva.empty()) reserva.push_back(std::make_unique<Bloque>());
            actual = reserva.back().release();
            reserva.pop_back();
        }
        // A line cut by the reader is unreadable: its start is enough for its
        // name, and keeps a block small whatever the line.
        actual->texto += lector.LineaCortada() ? linea.substr(0, 4096) : linea;
        actual->fines.push_back(actual->texto.size());
        actual->numeros.push_back(lector.NumeroLinea());
        actual->cortadas.push_back(lector.LineaCortada());
        if (lector.Lectura() == LecturaLinea::Windows1252) resumen.windows1252.Anotar(lector.NumeroLinea());
        if (lector.Lectura() == LecturaLinea::Sustituida) resumen.sustituidas.Anotar(lector.NumeroLinea());
        if (actual->fines.size() >= LineasPorBloque || actual->texto.size() >= BytesPorBloque) {
            enviar(actual);
            actual = nullptr;
        }
    }
    if (actual) {
        if (parar)
            reserva.emplace_back(actual);
        else
            enviar(actual);
    }
    while (!enVuelo.empty()) terminarPrimero();
    cuadrilla.reset();
    observador.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));

    if (lector.Error()) {
        resumen.error = "Error al leer el fichero de entrada: " + rutaEntrada;
    } else if (!resumen.cancelado && lector.Vacio()) {
        // No byte at all: nothing to replace earlier results with.
        resumen.error = "El fichero de entrada está vacío: " + rutaEntrada;
    } else if (!resumen.cancelado && !resumen.detenido && lector.FicheroCambiado()) {
        resumen.error = "El fichero cambió mientras se leía: " + rutaEntrada +
                        " (no se ha sustituido ningún resultado; vuelva a convertirlo cuando esté completo)";
    }
    for (Sumidero* s : sumideros) {
        if (fallo || resumen.cancelado || !resumen.error.empty()) break;
        if (!s->Terminar(observador, resumen.error)) {
            if (resumen.error.empty()) resumen.cancelado = true;
            break;
        }
    }
    if (fallo && resumen.error.empty()) {
        // A write failed (a full disk): the sink that failed says which file.
        for (Sumidero* s : sumideros)
            if (!s->Terminar(observador, resumen.error)) break;
    }
    if (resumen.cancelado || !resumen.error.empty()) return resumen;  // the Compromiso discards
    resumen.salidas = compromiso.Rutas();
    if (!observador.AntesDeConfirmar(resumen.salidas)) {
        if (resumen.error.empty()) resumen.error = "Error al escribir en la salida estándar";
        resumen.salidas.clear();
        return resumen;
    }
    if (!compromiso.Confirmar(resumen.error)) {
        resumen.salidas.clear();
        return resumen;
    }
    for (Sumidero* s : sumideros) {
        if (std::string t = s->Resumen(); !t.empty()) resumen.otras.push_back(std::move(t));
        resumen.excluidos += s->Excluidos();
    }
    if (ajustes.exacto) resumen.metodo = conversion.metodoExacto;
    return resumen;
}

namespace {

// "3 líneas ilegibles: ... (líneas 4, 9, 12)." with the singular forms.
void Contar(std::string& t, const LineasContadas& c, const std::string& una, const std::string& varias) {
    if (c.total == 0) return;
    t += c.total == 1 ? una : std::to_string(c.total) + varias;
    t += c.primeras.size() == 1 ? " (línea " : c.primeras.size() < c.total ? " (primeras líneas " : " (líneas ";
    for (std::size_t i = 0; i < c.primeras.size(); ++i) {
        if (i > 0) t += ", ";
        t += std::to_string(c.primeras[i]);
    }
    t += ").\n";
}

// Why the computation refused a line, as the summary says it.
std::string_view CausaNoCalculable(Estado e) {
    switch (e) {
        case Estado::Correcto:
        case Estado::NoFinito: return "los datos dan un resultado no finito";
        case Estado::HusoNoCalculado: return "su huso no está entre 27 y 31";
        case Estado::HemisferiosDistintos: return "los dos puntos no están en el mismo hemisferio";
        case Estado::PuntosDemasiadoAlejados: return "los puntos distan 90º de arco o más";
        case Estado::SinElipsoide: return "no hay elipsoide de referencia";
        case Estado::SerieNoFiable:
            return "tan lejos del meridiano central el método clásico se aparta más de 1 m; el método "
                   "exacto las calcula";
        case Estado::FueraDelDominio:
            return "el punto está a más de 10 000 km del meridiano central del huso";
    }
    return {};
}

}  // namespace

std::string TextoDetenido(const ResumenLote& r) {
    return std::string(textos::HusoFueraDeArea) + " (línea " + std::to_string(r.lineaDetenida) + ": huso «" +
           TextoParaMensaje(r.husoDetenido) + "»)";
}

std::string TextoResumen(const ResumenLote& r) {
    if (!r.ejecutado) return {};
    if (!r.error.empty()) return r.error;
    std::string t;
    if (r.cancelado) {
        t += "Conversión cancelada: no se ha escrito ningún fichero; los resultados anteriores siguen "
             "como estaban.\n";
    }
    if (!r.formato.empty()) t += "Fichero de entrada: " + r.formato + ".\n";
    if (!r.metodo.empty()) t += "Método: " + r.metodo + ".\n";
    if (!r.rejilla.empty()) t += r.rejilla + "\n";
    t += std::to_string(r.lineasLeidas) + (r.lineasLeidas == 1 ? " línea de puntos leída, " : " líneas de puntos leídas, ") +
         std::to_string(r.convertidas) + (r.convertidas == 1 ? " convertida.\n" : " convertidas.\n");
    for (std::size_t e = 0; e < NumeroEstados; ++e) {
        const std::string causa(CausaNoCalculable(static_cast<Estado>(e)));
        Contar(t, r.noCalculablesPor[e], "1 línea no se ha podido calcular: " + causa,
               " líneas no se han podido calcular: " + causa);
    }
    Contar(t, r.ilegiblesPor[static_cast<std::size_t>(LecturaNumero::NoNumero)],
           "1 línea ilegible: falta un campo o no es un número", " líneas ilegibles: falta un campo o no es un número");
    for (const LecturaNumero l : {LecturaNumero::Ambiguo, LecturaNumero::Millares, LecturaNumero::ComaDecimal}) {
        const std::string causa(TextoLecturaNumero(l));
        Contar(t, r.ilegiblesPor[static_cast<std::size_t>(l)], "1 línea ilegible: " + causa,
               " líneas ilegibles: " + causa);
    }
    Contar(t, r.largas, "1 línea ilegible: demasiado larga (más de 1 MiB)",
           " líneas ilegibles: demasiado largas (más de 1 MiB)");
    Contar(t, r.imposibles, "1 línea con valores imposibles", " líneas con valores imposibles");
    Contar(t, r.fueraRejilla, "1 línea " + r.fuera, " líneas " + r.fuera);
    Contar(t, r.saltadas, "1 línea omitida: su huso no está entre 27 y 31",
           " líneas omitidas: su huso no está entre 27 y 31");
    Contar(t, r.imprecisas, "1 línea convertida por el método clásico a más de 1 cm de la posición exacta",
           " líneas convertidas por el método clásico a más de 1 cm de la posición exacta");
    if (r.imprecisas.total > 0) t += "Para ellas, use el método exacto («Método exacto», --exacto).\n";
    Contar(t, r.nombresEscapados, "1 nombre tenía caracteres de control, escritos como secuencias de escape (\\r, \\x1b...)",
           " nombres tenían caracteres de control, escritos como secuencias de escape (\\r, \\x1b...)");
    Contar(t, r.windows1252, "1 línea no era UTF-8 y se ha leído como Windows-1252",
           " líneas no eran UTF-8 y se han leído como Windows-1252");
    Contar(t, r.sustituidas, "1 línea tenía bytes que no son UTF-8, sustituidos por «\xEF\xBF\xBD»",
           " líneas tenían bytes que no son UTF-8, sustituidos por «\xEF\xBF\xBD»");
    for (const std::string& o : r.otras) t += o + "\n";
    if (!t.empty()) t.pop_back();
    return t;
}

}  // namespace tesmaro
