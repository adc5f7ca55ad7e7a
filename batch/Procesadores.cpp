#include "Procesadores.h"

#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "Ajustes.h"
#include "Angulos.h"
#include "Cartesianas.h"
#include "Exacto.h"
#include "Geodesia.h"
#include "Lector.h"
#include "Registros.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "Utm.h"

namespace tesmaro {

namespace fs = std::filesystem;

namespace {

// What became of one point line.
enum class Linea {
    Convertida,    // a full record
    Imprecisa,     // a full record, by the legacy UTM method more than 1 cm off
    NoCalculable,  // the computation refused it: its record has the computed columns empty
    Ilegible,      // a required field empty or not a number
    Imposible,     // values no point can have
    FueraRejilla,  // outside every sub-grid
    Saltada,       // no record (geographic-to-UTM zone outside 27..31)
    Detener,       // no record, and the run ends here (UTM-to-geographic zone text)
};

// The lines the layout of the fields is decided from, the heading included.
constexpr std::size_t LineasDeMuestra = 20;

struct CerrarFichero {
    void operator()(std::FILE* f) const {
        if (f != stdin) std::fclose(f);
    }
};

bool MismoFichero(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

// One point line, split, with the file's reading of numbers.
class Punto {
public:
    Punto(std::string_view linea, const FormatoCampos& formato) : campo(linea, formato), formato_(formato) {}
    // Field i as a number, when it is one in full.
    bool Numero(std::size_t i, double& valor) const {
        return LeerCampoNumero(campo[i], formato_.comaDecimal, valor);
    }
    // Field i as an optional number: a missing or blank field reads `omision`.
    bool NumeroOpcional(std::size_t i, double& valor, double omision) const {
        if (SinBlancos(campo[i]).empty()) {
            valor = omision;
            return true;
        }
        return Numero(i, valor);
    }
    const CamposFichero campo;

private:
    const FormatoCampos& formato_;
};

// An angle in the unit in use within ±limite degrees.
bool AnguloPosible(double valor, double limite) { return std::fabs(UnidadAGrados(valor)) <= limite + 1e-9; }
bool GradosPosibles(double longitud, double latitud) {
    return std::fabs(longitud) <= 180 && std::fabs(latitud) <= 90;
}

// A block of point lines, copied out of the reader, and what became of them.
struct Bloque {
    // Input: the lines one after another, where each ends, its number in the
    // file and whether the reader had to cut it.
    std::string texto;
    std::vector<std::size_t> fines;
    std::vector<std::uint64_t> numeros;
    std::vector<char> cortadas;
    // Output: the records, the lines of each kind, a stop.
    FormadorRegistros registros;
    std::vector<std::pair<Linea, std::uint64_t>> noConvertidas;  // in order, the imprecise too
    std::uint64_t leidas = 0, convertidas = 0, escritos = 0;
    bool detenido = false;
    std::string husoDetenido;
    bool hecho = false;  // converted (guarded by the pool's mutex)

    void Limpiar() {
        texto.clear();
        fines.clear();
        numeros.clear();
        cortadas.clear();
        registros.Vaciar();
        noConvertidas.clear();
        leidas = convertidas = escritos = 0;
        detenido = hecho = false;
        husoDetenido.clear();
    }
};

// A block holds this many lines or bytes, whichever comes first.
constexpr std::size_t LineasPorBloque = 2048;
constexpr std::size_t BytesPorBloque = std::size_t{256} << 10;

// Converts the lines of a block; a line that is not converted gets its name and
// `columnas` - 1 empty fields, unless `procesar` wrote its record (not
// computable). Stops at the first line that asks for it.
template <class Procesar>
void ConvertirBloque(Bloque& b, const FormatoCampos& formato, std::size_t columnas, Procesar& procesar) {
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < b.fines.size(); inicio = b.fines[i++]) {
        const std::string_view linea(b.texto.data() + inicio, b.fines[i] - inicio);
        const Punto punto(linea, formato);
        const Linea resultado = b.cortadas[i] ? Linea::Ilegible : procesar(punto, b.registros);
        ++b.leidas;
        if (resultado == Linea::Detener) {
            b.detenido = true;
            b.husoDetenido = SinBlancos(punto.campo[3]);
            b.noConvertidas.emplace_back(resultado, b.numeros[i]);
            return;
        }
        if (resultado == Linea::Convertida || resultado == Linea::Imprecisa) ++b.convertidas;
        if (resultado != Linea::Convertida) b.noConvertidas.emplace_back(resultado, b.numeros[i]);
        if (resultado == Linea::Ilegible || resultado == Linea::Imposible || resultado == Linea::FueraRejilla) {
            b.registros.Nombre(punto.campo[0]);
            for (std::size_t k = 1; k < columnas; ++k) b.registros.Vacio();
        }
        if (resultado != Linea::Saltada) {
            b.registros.FinRegistro();
            ++b.escritos;
        }
    }
}

// Threads that convert blocks in the background. The blocks are handed back
// in the order they were given.
template <class Procesar>
class Cuadrilla {
public:
    Cuadrilla(unsigned hilos, const FormatoCampos& formato, std::size_t columnas, Procesar& procesar)
        : formato_(formato), columnas_(columnas), procesar_(procesar) {
        for (unsigned i = 0; i < hilos; ++i) hilos_.emplace_back([this] { Trabajar(); });
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
            ConvertirBloque(*b, formato_, columnas_, procesar_);
            {
                std::lock_guard<std::mutex> cerrojo(mutex_);
                b->hecho = true;
            }
            terminado_.notify_all();
        }
    }

    const FormatoCampos& formato_;
    std::size_t columnas_;
    Procesar& procesar_;
    std::mutex mutex_;
    std::condition_variable hayTrabajo_, terminado_;
    std::deque<Bloque*> pendientes_;
    bool fin_ = false;
    std::vector<std::thread> hilos_;
};

// The shared processor loop: open the input and both results, skip the heading
// line and write the header record in its place, then convert the later lines
// that are not blank, in blocks, on the task's threads, and write their
// records in order. The results replace earlier ones only when the run ends
// well; a cancel or a failure leaves them as they were.
template <class Procesar>
ResumenLote Recorrer(const TareaLote& tarea, std::initializer_list<std::string_view> cabecera,
                     std::size_t columnas, Procesar&& procesar) {
    const std::string& rutaEntrada = tarea.rutaEntrada;
    const DestinoLote& destino = tarea.destino;
    InterfazLote& interfaz = tarea.interfaz;
    ResumenLote resumen;
    resumen.ejecutado = true;
    resumen.rutaTxt = destino.rutaTxt;
    resumen.rutaCsv = destino.rutaCsv;

    std::error_code ec;
    std::unique_ptr<std::FILE, CerrarFichero> entrada;
    if (rutaEntrada == "-")
        entrada.reset(stdin);
    else if (!fs::is_directory(rutaEntrada, ec))
        entrada.reset(std::fopen(rutaEntrada.c_str(), "rb"));
    if (!entrada) {
        resumen.error = "No se puede leer el fichero de entrada: " + rutaEntrada;
        return resumen;
    }
    // The input is never one of the results.
    for (const std::string* ruta : {&destino.rutaTxt, &destino.rutaCsv}) {
        if (MismoFichero(rutaEntrada, *ruta)) {
            resumen.error = "El fichero de entrada no puede ser también el fichero de resultados: " +
                            rutaEntrada;
            return resumen;
        }
    }
    std::uint64_t total = rutaEntrada == "-" ? 0 : fs::file_size(rutaEntrada, ec);
    if (ec) total = 0;

    EscritorResultados escritor;
    if (!escritor.Abrir(destino.rutaTxt, destino.rutaCsv, resumen.error)) return resumen;

    LectorLineas lector(entrada.get());
    const FormatoCampos formato = DetectarFormato(lector.PrimerasLineas(LineasDeMuestra));
    resumen.formato = DescribirFormato(lector.Tipo(), lector.FinalesCR(), formato);

    // Blocks in flight, in the order of the input; with one thread, converted
    // here as soon as they are full.
    const unsigned hilos = std::max(1u, tarea.hilos);
    const std::size_t enVueloMaximo = hilos == 1 ? 1 : std::size_t{2} * hilos;
    std::vector<std::unique_ptr<Bloque>> reserva;
    std::deque<Bloque*> enVuelo;
    std::optional<Cuadrilla<Procesar>> cuadrilla;
    if (hilos > 1) cuadrilla.emplace(hilos, formato, columnas, procesar);
    bool parar = false;

    // Writes the oldest block in flight and counts its lines.
    auto terminarPrimero = [&] {
        Bloque* b = enVuelo.front();
        enVuelo.pop_front();
        if (cuadrilla) cuadrilla->Esperar(b);
        if (!parar) {
            escritor.Anexar(b->registros);
            resumen.lineasLeidas += b->leidas;
            resumen.convertidas += b->convertidas;
            resumen.registros += b->escritos;
            for (const auto& [tipo, numero] : b->noConvertidas) {
                switch (tipo) {
                    case Linea::NoCalculable: resumen.noCalculables.Anotar(numero); break;
                    case Linea::Ilegible: resumen.ilegibles.Anotar(numero); break;
                    case Linea::Imposible: resumen.imposibles.Anotar(numero); break;
                    case Linea::FueraRejilla: resumen.fueraRejilla.Anotar(numero); break;
                    case Linea::Saltada: resumen.saltadas.Anotar(numero); break;
                    case Linea::Imprecisa: resumen.imprecisas.Anotar(numero); break;
                    case Linea::Detener:
                        resumen.detenido = parar = true;
                        resumen.lineaDetenida = numero;
                        resumen.husoDetenido = b->husoDetenido;
                        break;
                    case Linea::Convertida: break;
                }
            }
        }
        b->Limpiar();
        reserva.emplace_back(b);
    };
    auto enviar = [&](Bloque* b) {
        enVuelo.push_back(b);
        if (cuadrilla)
            cuadrilla->Encargar(b);
        else
            ConvertirBloque(*b, formato, columnas, procesar);
        while (enVuelo.size() >= enVueloMaximo) terminarPrimero();
        // After every block: progress, and the request to stop.
        interfaz.LineasLeidas(lector.NumeroLinea());
        interfaz.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));
        if (escritor.Fallo()) parar = true;  // a full disk: reported below
        if (interfaz.Cancelado()) resumen.cancelado = parar = true;
    };

    std::string_view linea;
    Bloque* actual = nullptr;
    bool cabeceraHecha = false;
    while (!parar && lector.Siguiente(linea)) {
        if (!cabeceraHecha) {
            for (const std::string_view titulo : cabecera) escritor.Texto(titulo);
            escritor.FinRegistro();
            cabeceraHecha = true;
            continue;
        }
        if (LineaEnBlanco(linea)) continue;
        if (!actual) {
            if (reserva.empty()) reserva.push_back(std::make_unique<Bloque>());
            actual = reserva.back().release();
            reserva.pop_back();
        }
        actual->texto += linea;
        actual->fines.push_back(actual->texto.size());
        actual->numeros.push_back(lector.NumeroLinea());
        actual->cortadas.push_back(lector.LineaCortada());
        if (actual->fines.size() >= LineasPorBloque || actual->texto.size() >= BytesPorBloque) {
            enviar(actual);
            actual = nullptr;
        }
    }
    if (actual) {
        if (parar) {
            reserva.emplace_back(actual);
        } else {
            enviar(actual);
        }
    }
    while (!enVuelo.empty()) terminarPrimero();
    cuadrilla.reset();

    if (lector.Error()) resumen.error = "Error al leer el fichero de entrada: " + rutaEntrada;
    if (resumen.cancelado || !resumen.error.empty()) {
        escritor.Descartar();  // earlier results stay as they were
    } else {
        escritor.Cerrar(resumen.error);
    }
    interfaz.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));
    return resumen;
}


// a and 1/f of the current ellipsoid, read once per run before any file is
// opened. An index outside the table gives the error of the run.
bool ElipsoideDelLote(ParametrosElipsoide& elipsoide, ResumenLote& resumen) {
    if (ajustes::ElipsoideActual < 0 || ajustes::ElipsoideActual >= NumeroElipsoides) {
        resumen.ejecutado = true;
        resumen.error = std::string(TextoEstado(Estado::SinElipsoide));
        return false;
    }
    elipsoide = ElipsoideEnUso();
    return true;
}

// The hemisphere field: its first character other than a double quote, S or s,
// is the south; anything else (an empty field too) the north.
bool EsSur(std::string_view campo) {
    const std::size_t i = campo.find_first_not_of(" \t\"");
    return i != std::string_view::npos && (campo[i] == 's' || campo[i] == 'S');
}

// The extent of a UTM coordinate: a northing from the equator to the pole on
// either hemisphere, an easting that the zones (extended zone 30 included)
// reach.
bool UtmPosible(double X, double Y) { return X > 0 && X < 1500000 && Y >= 0 && Y <= 10000000; }
// A geocentric coordinate or an ellipsoidal height: within 100,000 km.
constexpr double MaximoMetros = 1e8;
// The exact methods as the summary names them.
constexpr std::string_view MetodoUtmExacto = "exacto (Krüger, GeographicLib)";
constexpr std::string_view MetodoGeodesiaExacto = "exacto (Karney, GeographicLib)";

// A geodesic distance: from 0 to half a meridian and a little more.
constexpr double MaximaDistancia = 20004000;

}  // namespace

ResumenLote LoteUtmGeo(const TareaLote& tarea) {
    const Datum datum = *tarea.conversion.datum;
    const bool exacto = tarea.exacto;
    ResumenLote resumen = Recorrer(
        tarea, {"Nombre", "Longitud", "Latitud", "Huso"}, 4,
        [datum, exacto](const Punto& p, FormadorRegistros& esc) {
            // The zone text compared exactly, blanks and quotes around it aside.
            const std::string_view textoHuso = SinBlancos(p.campo[3]);
            std::int16_t huso;
            bool extendido = false;
            if (textoHuso == "30") {
                huso = 30;
            } else if (textoHuso == "31") {
                huso = 31;
            } else if (textoHuso == "30E") {
                huso = 30;
                extendido = true;
            } else {
                return textoHuso.empty() ? Linea::Ilegible : Linea::Detener;
            }
            double X, Y;
            if (!p.Numero(1, X) || !p.Numero(2, Y)) return Linea::Ilegible;
            if (!UtmPosible(X, Y)) return Linea::Imposible;
            const ResultadoGeodesicas r = (exacto ? UtmAGeodesicasExacto : UtmAGeodesicas)(
                X, Y, huso, EsSur(p.campo[4]), extendido, datum);
            esc.Nombre(p.campo[0]);
            const bool bien = r.estado == Estado::Correcto && Finitos({r.longitud, r.latitud});
            // Unrounded, exactly as the window computes them; the
            // convergence and the scale factor are not written.
            esc.Numeros({r.longitud, r.latitud}, bien);
            esc.Entero(huso);
            if (!bien) return Linea::NoCalculable;
            // The legacy error at the point found, in extended zone 30 only:
            // within zones 30 and 31 the series stay within 7 mm.
            if (!exacto && extendido && SuperaUmbralUtmLegado(r.longitud, r.latitud, huso, datum))
                return Linea::Imprecisa;
            return Linea::Convertida;
        });
    if (exacto && resumen.ejecutado && resumen.error.empty()) resumen.metodo = MetodoUtmExacto;
    // Shown once both files are closed: what was written before stays.
    if (resumen.detenido) tarea.interfaz.Mensaje(TextoDetenido(resumen));
    return resumen;
}

ResumenLote LoteGeoUtm(const TareaLote& tarea) {
    const Datum datum = *tarea.conversion.datum;
    const bool exacto = tarea.exacto;
    ResumenLote resumen = Recorrer(
        tarea,
        {"Nombre", "Coordenada X", "Coordenada Y", "Huso", "Latitud Norte-Sur",
         "Convergencia de meridianos", "Anamorfosis lineal"},
        7, [datum, exacto](const Punto& p, FormadorRegistros& esc) {
            double longitud, latitud, textoHuso;
            // Field 4 (the hemisphere word) is not used: the latitude's sign decides.
            if (!p.Numero(1, longitud) || !p.Numero(2, latitud) || !p.Numero(3, textoHuso))
                return Linea::Ilegible;
            const std::int16_t huso = RedondearHuso(textoHuso);
            if (huso < 27 || huso > 31) return Linea::Saltada;
            if (!GradosPosibles(longitud, latitud)) return Linea::Imposible;
            const ResultadoUtm r = (exacto ? GeodesicasAUtmExacto : GeodesicasAUtm)(longitud, latitud, huso, datum);
            // Tested on the latitude in radians, as the false northing is.
            const bool sur = (latitud * PiDiezCifras) / 180 < 0;
            const bool bien = r.estado == Estado::Correcto &&
                              Finitos({r.X, r.Y, r.convergencia, r.anamorfosis});
            esc.Nombre(p.campo[0]);
            esc.Numeros({r.X, r.Y}, bien);
            esc.Entero(huso);
            esc.Texto(sur ? "Sur" : "Norte");
            esc.Numeros({r.convergencia, r.anamorfosis}, bien);
            if (!bien) return Linea::NoCalculable;
            if (!exacto && SuperaUmbralUtmLegado(longitud, latitud, huso, datum, r.X, r.Y)) return Linea::Imprecisa;
            return Linea::Convertida;
        });
    if (exacto && resumen.ejecutado && resumen.error.empty()) resumen.metodo = MetodoUtmExacto;
    return resumen;
}

ResumenLote LoteGeoCart(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea, {"Nombre", "Coordenada X", "Coordenada Y", "Coordenada Z", "Semieje a", "1/f"}, 6,
        [e](const Punto& p, FormadorRegistros& esc) {
            double longitud, latitud, h;
            // A missing height is 0: points on the ellipsoid.
            if (!p.Numero(1, longitud) || !p.Numero(2, latitud) || !p.NumeroOpcional(3, h, 0))
                return Linea::Ilegible;
            if (!AnguloPosible(longitud, 180) || !AnguloPosible(latitud, 90) || !(std::fabs(h) < MaximoMetros))
                return Linea::Imposible;
            const double fi = UnidadARadianes(latitud);
            const double lambda = UnidadARadianes(longitud);
            const ResultadoCartesianas r = CalculoGeoCart(fi, lambda, h, e.a, e.rf);
            const bool bien = r.estado == Estado::Correcto && Finitos({r.X, r.Y, r.Z});
            esc.Nombre(p.campo[0]);
            esc.Numeros({r.X, r.Y, r.Z}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Convertida : Linea::NoCalculable;
        });
}

ResumenLote LoteCartGeo(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea,
        {"Nombre", "Longitud", "Latitud", "Huso", "Hemisferio", "Altura_elipsoidal", "Semieje a", "1/f"},
        8, [e](const Punto& p, FormadorRegistros& esc) {
            double X, Y, Z;
            if (!p.Numero(1, X) || !p.Numero(2, Y) || !p.Numero(3, Z)) return Linea::Ilegible;
            if (!(std::fabs(X) < MaximoMetros && std::fabs(Y) < MaximoMetros && std::fabs(Z) < MaximoMetros))
                return Linea::Imposible;
            const ResultadoGeograficas r = CalculoCartGeo(X, Y, Z, e.a, e.rf);
            const double fi = RadianesAUnidad(r.fi);
            const double lambda = RadianesAUnidad(r.lambda);
            const bool bien = r.estado == Estado::Correcto && Finitos({fi, lambda, r.h});
            esc.Nombre(p.campo[0]);
            if (bien) {
                esc.Numero(lambda);
                esc.Numero(fi);
                // The zone by the sign of the longitude alone, as always.
                esc.Entero(lambda <= 0 ? 30 : 31);
                esc.Texto(fi > 0 ? "Norte" : "Sur");
                esc.Numero(r.h);
            } else {
                for (int i = 0; i < 5; ++i) esc.Vacio();
            }
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Convertida : Linea::NoCalculable;
        });
}

ResumenLote LoteProblemaDirecto(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    const bool exacto = tarea.exacto;
    resumen = Recorrer(
        tarea, {"Nombre", "Longitud", "Latitud", "Acimut inverso", "Semieje a", "1/f"}, 6,
        [e, exacto](const Punto& p, FormadorRegistros& esc) {
            double longitud, latitud, acimut, distancia;
            if (!p.Numero(1, longitud) || !p.Numero(2, latitud) || !p.Numero(3, acimut) ||
                !p.Numero(4, distancia))
                return Linea::Ilegible;
            if (!AnguloPosible(longitud, 180) || !AnguloPosible(latitud, 90) || !std::isfinite(acimut) ||
                !(distancia >= 0 && distancia <= MaximaDistancia))
                return Linea::Imposible;
            const double fi = UnidadARadianes(latitud);
            const double lambda = UnidadARadianes(longitud);
            const double acimutGrados = UnidadAGrados(acimut);
            const ResultadoDirecto r =
                (exacto ? ProblemaDirectoExacto : ProblemaDirecto)(fi, lambda, acimutGrados, distancia, e.a, e.rf);
            const double longitudB = GradosAUnidad(r.longitud);
            const double latitudB = GradosAUnidad(r.latitud);
            const double inverso = GradosAUnidad(r.acimutInverso);
            const bool bien = r.estado == Estado::Correcto && Finitos({longitudB, latitudB, inverso});
            esc.Nombre(p.campo[0]);
            esc.Numeros({longitudB, latitudB, inverso}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Convertida : Linea::NoCalculable;
        });
    if (exacto && resumen.error.empty()) resumen.metodo = MetodoGeodesiaExacto;
    return resumen;
}

ResumenLote LoteProblemaInverso(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    const bool exacto = tarea.exacto;
    resumen = Recorrer(
        tarea,
        {"Nombre", "Longitud A", "Latitud A", "Acimut directo (A-B)", "Distancia (A-B)",
         "Longitud (B)", "Latitud (B)", "Acimut inverso (B-A)", "Semieje a", "1/f",
         textos::MismoHemisferio},
        10, [e, exacto](const Punto& p, FormadorRegistros& esc) {
            double longitudA, latitudA, longitudB, latitudB;
            if (!p.Numero(1, longitudA) || !p.Numero(2, latitudA) || !p.Numero(3, longitudB) ||
                !p.Numero(4, latitudB))
                return Linea::Ilegible;
            if (!AnguloPosible(longitudA, 180) || !AnguloPosible(latitudA, 90) ||
                !AnguloPosible(longitudB, 180) || !AnguloPosible(latitudB, 90))
                return Linea::Imposible;
            const ResultadoInverso r = (exacto ? ProblemaInversoExacto : ProblemaInverso)(
                UnidadARadianes(latitudA), UnidadARadianes(longitudA),
                                UnidadARadianes(latitudB), UnidadARadianes(longitudB), e.a, e.rf);
            const double directo = GradosAUnidad(r.acimutDirecto);
            const double inverso = GradosAUnidad(r.acimutInverso);
            const bool bien = r.estado == Estado::Correcto && Finitos({directo, r.distancia, inverso});
            esc.Nombre(p.campo[0]);
            // A and B as read, in the user's unit.
            esc.Numero(longitudA);
            esc.Numero(latitudA);
            esc.Numeros({directo, r.distancia}, bien);
            esc.Numero(longitudB);
            esc.Numero(latitudB);
            esc.Numeros({inverso}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Convertida : Linea::NoCalculable;
        });
    if (exacto && resumen.error.empty()) resumen.metodo = MetodoGeodesiaExacto;
    return resumen;
}

namespace {

template <class Transformar>
ResumenLote LoteRejilla(const TareaLote& tarea, Transformar transformar) {
    return Recorrer(tarea, {"Nombre", "Longitud", "Latitud", "Huso"}, 4,
                    [&transformar](const Punto& p, FormadorRegistros& esc) {
                        double longitud, latitud;
                        if (!p.Numero(1, longitud) || !p.Numero(2, latitud)) return Linea::Ilegible;
                        if (!GradosPosibles(longitud, latitud)) return Linea::Imposible;
                        // Seconds of arc inside the grid.
                        const PuntoRejilla r = transformar(longitud * 3600, latitud * 3600);
                        if (!r.dentro) return Linea::FueraRejilla;
                        const double lon = r.lon / 3600;
                        const double lat = r.lat / 3600;
                        esc.Nombre(p.campo[0]);
                        esc.Numero(lon);
                        esc.Numero(lat);
                        // A longitude of exactly 0 has no zone: 0.
                        esc.Entero(lon > 0 ? 31 : lon < 0 ? 30 : 0);
                        return Linea::Convertida;
                    });
}

}  // namespace

ResumenLote LoteED50aETRS89(const TareaLote& tarea) {
    return LoteRejilla(tarea, [&tarea](double lon, double lat) { return tarea.rejilla->ED50aETRS89(lon, lat); });
}

ResumenLote LoteETRS89aED50(const TareaLote& tarea) {
    return LoteRejilla(tarea, [&tarea](double lon, double lat) { return tarea.rejilla->ETRS89aED50(lon, lat); });
}

}  // namespace tesmaro
