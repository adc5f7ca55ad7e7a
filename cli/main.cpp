// tesmaro-lote: the file conversions of the windows, from the command line.
//
//   tesmaro-lote CONVERSION INPUT [--elipsoide N] [--unidad 1|2|3]
//                [--rejilla FILE] [--salida DIR] [--exacto]
//   tesmaro-lote --verificar [--rejilla FILE]
//
// It builds one run (Lote.h) from its arguments, the same run the windows'
// file buttons start: the point file is INPUT, the grid --rejilla (or the
// one the windows find); INPUT "-" is the standard input, with the text
// result on standard output. --capa FILE adds a GIS layer (capas/) and --mapa
// FILE.png a map (mapa/) to the run's outputs, through a module loaded only
// then. It prints the paths of the two result files on standard output and
// the summary on standard error.
// Exit status: 0 every line converted and held by every output; 3 outputs
// written but some line not converted (or a UTM file stopped at a zone it
// does not compute, or a layer left some converted point out); 1 failed,
// nothing replaced (input unreadable, an output not writable, grid missing or
// unusable, standard output not writable, an unexpected failure said as
// "error inesperado"); 2 wrong usage. SIGINT, SIGTERM and SIGHUP stop the
// run, nothing replaced, and end the program as the signal would.
#include <dlfcn.h>
#include <unistd.h>

#include <charconv>
#include <csignal>
#include <clocale>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Avisos.h"
#include "Conversiones.h"
#include "Elipsoides.h"
#include "Extras.h"
#include "Lote.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Verificar.h"



namespace {

using namespace tesmaro;

constexpr std::string_view Programa = "tesmaro-lote";

constexpr std::string_view Uso =
    "Uso: tesmaro-lote CONVERSION ENTRADA [--elipsoide N] [--unidad 1|2|3] [--rejilla FICHERO] "
    "[--salida CARPETA] [--hilos N] [--huso N] [--decimales M[,A]] [--capa FICHERO] [--mapa FICHERO.png] "
    "[--exacto] [--]\n"
    "       tesmaro-lote --verificar [--rejilla FICHERO]\n";

void Escribir(std::FILE* f, std::string_view texto) { std::fwrite(texto.data(), 1, texto.size(), f); }

void MostrarAyuda() {
    std::string t;
    t += Uso;
    t += "\n"
         "Convierte un fichero de puntos igual que el botón de fichero de la ventana de\n"
         "Tesmaro: escribe los mismos dos ficheros de resultados, el de texto (.txt, para\n"
         "LibreOffice Calc) y el CSV (.csv, con \";\" y coma decimal, para EXCEL), con los\n"
         "mismos nombres y el mismo contenido, junto al fichero de entrada. ENTRADA \"-\" es\n"
         "la entrada estándar: el resultado de texto sale por la salida estándar, sin\n"
         "ficheros. \"--\" termina las opciones.\n"
         "\n"
         "La primera línea del fichero de entrada es una cabecera y se salta; las líneas en\n"
         "blanco no cuentan; cada una de las demás es un punto. Campos separados por comas\n"
         "con punto decimal, por \";\" con coma decimal (como los guarda una hoja de\n"
         "cálculo en español) o por tabuladores, según la mayoría de las primeras líneas;\n"
         "los campos pueden ir entre comillas. Se leen UTF-8 (con o sin marca de orden de\n"
         "bytes) y UTF-16 con marca, con fin de línea LF, CR LF o CR; sin marca, cada\n"
         "línea que no es UTF-8 se lee como Windows-1252 y el resumen lo dice. Un número\n"
         "que se puede leer de dos maneras (\"12.345\" con coma decimal, \"500,000\" con\n"
         "punto decimal, separadores de millares) no se adivina: la línea es ilegible.\n"
         "Un fichero vacío, o que cambia mientras se lee, es un error. Entre corchetes,\n"
         "los campos opcionales.\n"
         "\n"
         "CONVERSION (y campos de cada línea):\n";
    for (const Conversion& c : Conversiones()) {
        std::string linea = "  ";
        linea += c.nombre;
        linea.resize(18, ' ');
        t += linea;
        t += c.descripcion;
        t += ": ";
        t += c.campos;
        t += '\n';
    }
    t += "\n"
         "Opciones:\n"
         "  --elipsoide N      elipsoide de referencia de geo-cart, cart-geo, directo e\n"
         "                     inverso, de 0 a 23 (por defecto 4, WGS 84):\n";
    for (int i = 0; i < NumeroElipsoides; ++i) {
        std::string linea = "                       ";
        linea += std::to_string(i);
        linea.resize(27, ' ');
        linea += TablaElipsoides[static_cast<std::size_t>(i)].nombre;
        t += linea;
        t += '\n';
    }
    t += "  --unidad 1|2|3     unidad de los ángulos de geo-cart, cart-geo, directo e\n"
         "                     inverso: 1 grados sexagesimales (por defecto), 2 grados\n"
         "                     centesimales, 3 radianes\n"
         "  --rejilla FICHERO  rejilla NTv2 de ed50-etrs89 y etrs89-ed50 (por defecto\n"
         "                     sped2et.gsb de la carpeta actual o la del programa)\n"
         "  --salida CARPETA   carpeta de los ficheros de resultados (por defecto la del\n"
         "                     fichero de entrada)\n"
         "  --huso N           geo-utm: todos los puntos en el huso N (27 a 31), aunque\n"
         "                     estén en otro; la columna del huso de la entrada no se lee\n"
         "                     y puede faltar\n"
         "  --decimales M[,A]  decimales de las longitudes (M, en metros: coordenadas,\n"
         "                     alturas, distancias) y de los ángulos (A; sin A, también\n"
         "                     M) en los resultados de texto, de 0 a 15; por defecto, 15\n"
         "                     cifras significativas, como siempre\n"
         "  --hilos N          hilos que convierten las líneas (por defecto, uno por\n"
         "                     núcleo); los resultados son los mismos con cualquier número\n"
         "  --capa FICHERO     escribe además los resultados como capa SIG, en el formato\n"
         "                     de su extensión: .gpkg (GeoPackage), .shp (Shapefile, con\n"
         "                     .prj y .cpg), .geojson, .kml o .csv (con X e Y, o WKT).\n"
         "                     Puntos en el sistema del datum (ETRS89 EPSG:4258, ED50\n"
         "                     EPSG:4230; UTM de su huso cuando todos los puntos de\n"
         "                     geo-utm están en el mismo huso; otro elipsoide, sus\n"
         "                     geográficas; de las alturas, puntos 3D con Z la altitud\n"
         "                     ortométrica); directo e inverso, líneas geodésicas de A a\n"
         "                     B, partidas en el antimeridiano. GeoJSON y KML van en\n"
         "                     WGS 84: ED50 pasa por la rejilla. Cada columna del\n"
         "                     resultado es un atributo; las líneas sin convertir quedan\n"
         "                     fuera. La capa se pone en su sitio con los demás\n"
         "                     resultados: si no se puede escribir, el estado es 1 y no\n"
         "                     se sustituye ningún fichero.\n"
         "  --mapa FICHERO.png dibuja también los puntos de la conversión sobre el mapa de\n"
         "                     costas y husos, en una imagen PNG de 1200 x 900 ajustada a\n"
         "                     ellos: en azul los convertidos y en rojo las líneas no\n"
         "                     convertidas, en la posición de su entrada cuando la entrada\n"
         "                     es de longitud y latitud (geo-utm, geo-cart, directo,\n"
         "                     ed50-etrs89, etrs89-ed50; de inverso, sus dos puntos); no\n"
         "                     necesita pantalla. Si no se puede escribir, el estado es 1\n"
         "                     y no se sustituye ningún fichero\n"
         "  --exacto           utm-geo, geo-utm, geo-cart, cart-geo, directo e inverso por\n"
         "                     los métodos exactos (Mercator transversa de Krüger,\n"
         "                     cartesianas y geodésicas de Karney, con GeographicLib) en\n"
         "                     lugar de los clásicos; el resumen lo dice. Sin ella, cada\n"
         "                     resultado conserva sus cifras de siempre, y el resumen\n"
         "                     avisa de las líneas UTM en que el método clásico se aparta\n"
         "                     más de 1 cm del exacto\n"
         "  --verificar        autocomprobación: la rejilla en uso es la distribuida (su\n"
         "                     SHA-256), los puntos de control por la rejilla en los dos\n"
         "                     sentidos, las rejillas del geoide y sus puntos de\n"
         "                     control, y un ejemplo de cada conversión; una línea por\n"
         "                     comprobación; estado 0 o 1\n"
         "  --version          la versión y la licencia\n"
         "  --help             esta ayuda\n"
         "\n"
         "Cada línea de puntos queda convertida o, con su nombre y las columnas calculadas\n"
         "vacías, como no calculable (el cálculo la rechaza), ilegible (un campo necesario\n"
         "vacío, que no es solo un número -\"abc\", \"nan\", \"0x10\"- o que se lee de\n"
         "dos maneras), imposible (latitud de más de 90 grados, longitud de más de 180 en\n"
         "la unidad en uso; coordenada Y UTM fuera de 0 a 10.000.000 m o X fuera de 0 a\n"
         "1.500.000 m; X, Y, Z de más de 100.000 km; alturas de más de 100 km para el\n"
         "geoide; distancia negativa o de más de 20.004 km; acimut de más de un millón de\n"
         "grados) o fuera de la rejilla (o del modelo de geoide);\n"
         "geo-utm omite las líneas de huso fuera de 27 a 31, y utm-geo se detiene en un\n"
         "huso distinto de 27 a 31 y 30E (los registros anteriores se escriben).\n"
         "\n"
         "Escribe en la salida estándar las rutas de los dos ficheros de resultados y en\n"
         "la de errores un resumen: cómo se ha leído la entrada, la rejilla usada, las\n"
         "líneas convertidas y las de cada otro tipo con los números de las primeras\n"
         "(hasta diez). Los nombres vuelven como se escribieron: en el CSV, entre comillas\n"
         "si llevan \";\" o comillas, y con un apóstrofo delante si empiezan por =, +, - o @.\n"
         "Los resultados (los de texto, la capa y el mapa) se escriben aparte y sustituyen\n"
         "a los anteriores todos juntos, solo al terminar bien: un error o una interrupción\n"
         "(Ctrl+C, SIGTERM, SIGHUP) los deja como estaban.\n"
         "\n"
         "Estado de salida: 0 todas las líneas convertidas; 3 resultados escritos, pero\n"
         "alguna línea no se ha convertido (o utm-geo se ha detenido, o la capa ha dejado\n"
         "fuera un punto); 1 no se ha podido hacer (entrada ilegible, vacía o que cambia,\n"
         "resultado no escribible, disco lleno, falta la rejilla o el geoide, error al\n"
         "escribir en la salida estándar) y no se ha sustituido nada; 2 opción o argumento\n"
         "incorrecto.\n"
         "\n"
         "Tesmaro es software libre (GPL-3.0-or-later), sin ninguna garantía.\n"
         "\n"
         "Ejemplo:\n"
         "  $ printf 'Punto,Longitud,Latitud,Huso,Hemisferio\\r\\nP1,-0.5,39.5,30,N\\r\\n' > puntos.txt\n"
         "  $ tesmaro-lote geo-utm-etrs89 puntos.txt\n"
         "  UTM_ETRS89.txt\n"
         "  UTM_ETRS89.csv\n"
         "  tesmaro-lote: geo-utm-etrs89: Fichero de entrada: UTF-8, separado por comas.\n"
         "  tesmaro-lote: geo-utm-etrs89: 1 línea de puntos leída, 1 convertida.\n"
         "  $ cat UTM_ETRS89.csv\n"
         "  Nombre;Coordenada X;Coordenada Y;Huso;Latitud Norte-Sur;Convergencia de meridianos;Anamorfosis lineal\n"
         "  P1;714960,69593;4375248,58024;30;Norte;1,59080384719244;1,00016896\n"
         "  $ cat UTM_ETRS89.txt\n"
         "  \"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\",\"Convergencia de meridianos\",\"Anamorfosis lineal\"\n"
         "  \"P1\",714960.69593,4375248.58024,30,\"Norte\",1.59080384719244,1.00016896\n";
    Escribir(stdout, t);
}

[[noreturn]] void ErrorDeUso(std::string_view problema) {
    std::string t;
    t += Programa;
    t += ": ";
    t += TextoParaMensaje(problema);
    t += '\n';
    t += Uso;
    t += "Ayuda: tesmaro-lote --help\n";
    Escribir(stderr, t);
    std::exit(2);
}

// A message on standard error, one line; what came from a file or the
// command line shown escaped, never as control characters for the terminal.
void Error(std::string_view texto) {
    std::string t;
    t += Programa;
    t += ": ";
    t += TextoParaMensaje(texto);
    t += '\n';
    Escribir(stderr, t);
}

std::optional<int> Entero(std::string_view texto) {
    int valor = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (r.ec != std::errc() || r.ptr != texto.data() + texto.size() || texto.empty()) return std::nullopt;
    return valor;
}

// Core notices (an ellipsoid missing, a failed text conversion) on stderr.
class AvisosConsola final : public Avisador {
public:
    void Avisar(std::string_view texto, bool) override { Error(texto); }
};

// The signal that asked the run to stop (0: none).
volatile std::sig_atomic_t senalRecibida = 0;

// Progress on standard error when it is a terminal; a signal stops the run.
class ObservadorConsola final : public ObservadorLote {
public:
    explicit ObservadorConsola(std::string entrada)
        : entrada_(std::move(entrada)), terminal_(isatty(STDERR_FILENO) == 1) {}
    ~ObservadorConsola() override { BorrarProgreso(); }

    void Progreso(std::uint64_t leidos, std::uint64_t total) override {
        if (!terminal_ || total == 0) return;
        const int porcentaje = static_cast<int>((leidos * 100) / total);
        if (porcentaje == porcentaje_) return;
        porcentaje_ = porcentaje;
        std::string t = "\r";
        t += Programa;
        t += ": ";
        t += fase_;
        t += std::to_string(porcentaje);
        t += " %";
        Escribir(stderr, t);
        std::fflush(stderr);
    }
    void Fase(std::string_view texto) override {
        fase_ = std::string(texto) + " ";
        porcentaje_ = -2;
    }
    bool Cancelado() override { return senalRecibida != 0; }
    // The paths of the two text results on standard output, before they go
    // in place: if they cannot be written, nothing is replaced.
    bool AntesDeConfirmar(const std::vector<std::string>& salidas) override {
        if (entrada_ == "-") return true;
        std::string t;
        for (std::size_t i = 0; i < salidas.size() && i < 2; ++i) t += salidas[i] + "\n";
        BorrarProgreso();
        Escribir(stdout, t);
        return std::fflush(stdout) == 0 && !std::ferror(stdout);
    }
    void BorrarProgreso() {
        if (porcentaje_ == -1) return;
        porcentaje_ = -1;
        std::string t(1, '\r');
        t.append(40 + fase_.size(), ' ');
        t += '\r';
        Escribir(stderr, t);
    }

private:
    std::string entrada_;
    bool terminal_;
    int porcentaje_ = -1;
    std::string fase_;
};

// The module of --capa and --mapa, loaded on first use: beside the program
// in the build tree, in its library folder when installed. Null when it
// cannot be loaded (said on standard error).
const TesmaroExtras* extrasCargados = nullptr;

const TesmaroExtras* Extras() {
    if (extrasCargados) return extrasCargados;
    std::error_code ec;
    const std::filesystem::path programa = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    std::string fallo;
    for (const std::filesystem::path& ruta : {programa / NombreModuloExtras,
                                              (programa / TESMARO_EXTRAS_DESDE_BIN / NombreModuloExtras).lexically_normal()}) {
        if (!std::filesystem::exists(ruta, ec)) continue;
        if (void* modulo = dlopen(ruta.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            using Tabla = const TesmaroExtras* (*)();
            if (auto tabla = reinterpret_cast<Tabla>(dlsym(modulo, "tesmaro_extras"))) {
                extrasCargados = tabla();
                return extrasCargados;
            }
        }
        fallo = dlerror() ? dlerror() : ruta.string();
    }
    Error("no se puede cargar el módulo de capas y mapas (" + std::string(NombreModuloExtras) + ")" +
          (fallo.empty() ? std::string() : ": " + fallo));
    return nullptr;
}

// --verificar: one line per check on standard output; 0 when all pass.
int Autocomprobar(const std::vector<std::string_view>& posicionales, const std::optional<std::string>& rejilla) {
    if (!posicionales.empty()) ErrorDeUso("--verificar no lleva conversión ni fichero: " + std::string(posicionales[0]));
    if (rejilla && rejilla->empty()) ErrorDeUso("--rejilla está vacío");
    bool todo = true;
    std::string t;
    for (const Comprobacion& c : Verificar(rejilla ? *rejilla : RutaRejillaVentanas(), CarpetaDatosPrograma())) {
        t += c.bien ? "bien   " : "FALLO  ";
        t += c.texto + "\n";
        todo = todo && c.bien;
    }
    t += todo ? "Autocomprobación superada.\n" : "Autocomprobación NO superada.\n";
    Escribir(stdout, t);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return 1;
    return todo ? 0 : 1;
}

int Ejecutar(int argc, char** argv) {
    // As the windows do: nothing below may depend on the regional settings.
    std::setlocale(LC_ALL, "");

    std::vector<std::string_view> posicionales;
    bool exacto = false, verificar = false;
    std::optional<std::string> mapa;
    std::optional<std::string> elipsoide, unidad, rejilla, salida, hilos, huso, decimales;
    std::optional<std::string> capa;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--version") {
            Escribir(stdout, std::string(Programa) + " " TESMARO_VERSION "\n"
                             "Licencia GPL-3.0-or-later: software libre, sin ninguna garantía.\n");
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            MostrarAyuda();
            return 0;
        }
    }
    bool hayOpciones = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (hayOpciones && arg == "--") {
            hayOpciones = false;
        } else if (!hayOpciones) {
            posicionales.push_back(arg);
        } else if (arg == "--exacto") {
            exacto = true;
        } else if (arg == "--verificar") {
            verificar = true;
        } else if (arg.size() > 2 && arg.substr(0, 2) == "--") {
            std::string_view nombre = arg.substr(2);
            std::optional<std::string> valor;
            if (const auto igual = nombre.find('='); igual != std::string_view::npos) {
                valor = std::string(nombre.substr(igual + 1));
                nombre = nombre.substr(0, igual);
            }
            std::optional<std::string>* destino = nullptr;
            if (nombre == "elipsoide") destino = &elipsoide;
            else if (nombre == "unidad") destino = &unidad;
            else if (nombre == "rejilla") destino = &rejilla;
            else if (nombre == "salida") destino = &salida;
            else if (nombre == "hilos") destino = &hilos;
            else if (nombre == "huso") destino = &huso;
            else if (nombre == "decimales") destino = &decimales;
            else if (nombre == "mapa") destino = &mapa;
            else if (nombre == "capa") destino = &capa;
            else ErrorDeUso("opción desconocida: " + std::string(arg));
            if (!valor) {
                if (i + 1 >= argc) ErrorDeUso("falta el valor de --" + std::string(nombre));
                valor = argv[++i];
            }
            if (destino->has_value()) ErrorDeUso("opción repetida: --" + std::string(nombre));
            *destino = std::move(valor);
        } else if (arg.size() > 1 && arg[0] == '-') {
            ErrorDeUso("opción desconocida: " + std::string(arg));
        } else {
            posicionales.push_back(arg);
        }
    }
    if (verificar) return Autocomprobar(posicionales, rejilla);
    if (posicionales.size() < 2) ErrorDeUso("faltan la conversión y el fichero de entrada");
    if (posicionales.size() > 2) ErrorDeUso("sobra el argumento: " + std::string(posicionales[2]));

    const Conversion* conversion = BuscarConversion(posicionales[0]);
    if (!conversion) ErrorDeUso("conversión desconocida: " + std::string(posicionales[0]));
    const std::string entrada(posicionales[1]);
    if (entrada.empty()) ErrorDeUso("el fichero de entrada está vacío");

    // The run, with the settings' start values unless told otherwise.
    OrdenLote orden;
    orden.conversion = conversion;
    orden.entrada = entrada;
    if (elipsoide) {
        const auto n = Entero(*elipsoide);
        if (!n || *n < 0 || *n >= NumeroElipsoides)
            ErrorDeUso("--elipsoide debe ser un número de 0 a 23: " + *elipsoide);
        orden.elipsoide = static_cast<std::int16_t>(*n);
    }
    if (unidad) {
        const auto n = Entero(*unidad);
        if (!n || *n < 1 || *n > 3) ErrorDeUso("--unidad debe ser 1, 2 o 3: " + *unidad);
        orden.unidad = static_cast<std::int16_t>(*n);
    }
    if (rejilla && rejilla->empty()) ErrorDeUso("--rejilla está vacío");
    if (salida && salida->empty()) ErrorDeUso("--salida está vacío");
    if (mapa && mapa->empty()) ErrorDeUso("--mapa está vacío");
    if (huso) {
        const auto n = Entero(*huso);
        if (!n || *n < 27 || *n > 31) ErrorDeUso("--huso debe ser un número de 27 a 31: " + *huso);
        if (!conversion->leeHuso) ErrorDeUso("--huso solo vale para geo-utm-etrs89 y geo-utm-ed50");
        orden.huso = static_cast<std::int16_t>(*n);
    }
    if (decimales) {
        const std::size_t coma = decimales->find(',');
        const auto m = Entero(std::string_view(*decimales).substr(0, coma));
        const auto a = coma == std::string::npos ? m : Entero(std::string_view(*decimales).substr(coma + 1));
        if (!m || !a || *m < 0 || *m > 15 || *a < 0 || *a > 15)
            ErrorDeUso("--decimales debe ser M o M,A con números de 0 a 15: " + *decimales);
        orden.decimalesMetros = *m;
        orden.decimalesAngulos = *a;
    }
    if (hilos) {
        const auto n = Entero(*hilos);
        if (!n || *n < 1 || *n > 256) ErrorDeUso("--hilos debe ser un número de 1 a 256: " + *hilos);
    }

    if (capa) {
        const TesmaroExtras* extras = Extras();
        if (!extras) return 1;
        char formatos[256];
        if (!extras->FormatoCapaValido(capa->c_str(), formatos, sizeof formatos))
            ErrorDeUso("formato de capa desconocido: " + *capa + " (formatos: " + formatos + ")");
    }
    if (mapa && !Extras()) return 1;

    AvisosConsola avisos;
    FijarAvisador(&avisos);

    if (salida) orden.carpetaSalida = *salida;
    if (hilos) orden.hilos = static_cast<unsigned>(*Entero(*hilos));
    if (rejilla) orden.rutaRejilla = *rejilla;
    orden.exacto = exacto;
    // The layer and the map, made by the module, go with the run's outputs.
    std::vector<std::unique_ptr<Sumidero>> otras;
    if (capa) otras.emplace_back(Extras()->CrearCapa(capa->c_str()));
    if (mapa) otras.emplace_back(Extras()->CrearMapa(mapa->c_str()));
    std::vector<Sumidero*> sumideros;
    for (const auto& s : otras) sumideros.push_back(s.get());
    ObservadorConsola observador(entrada);
    const ResumenLote r = EjecutarLote(orden, sumideros, observador);
    observador.BorrarProgreso();
    otras.clear();
    if (extrasCargados) extrasCargados->Terminar();

    const std::string prefijo = std::string(Programa) + ": " + std::string(conversion->nombre) + ": ";
    if (senalRecibida != 0) {
        Error(std::string(conversion->nombre) + ": interrumpido: no se ha escrito ningún fichero; los "
              "resultados anteriores siguen como estaban.");
        return 1;
    }
    if (!r.error.empty()) {
        Error(r.error);
        return 1;
    }
    if (r.detenido) Error(TextoDetenido(r));
    std::string t;
    const std::string resumen = TextoResumen(r);
    for (std::size_t i = 0; i <= resumen.size();) {
        const std::size_t fin = std::min(resumen.find('\n', i), resumen.size());
        t += prefijo + TextoParaMensaje(std::string_view(resumen).substr(i, fin - i)) + "\n";
        i = fin + 1;
    }
    Escribir(stderr, t);
    return r.Completo() ? 0 : 3;
}

// SIGINT, SIGTERM, SIGHUP: the run stops at its next block, replaces
// nothing and removes what it wrote, then the program ends as the signal
// would end it. The same signal again (timeout(1) sends it to the program and
// to its group) changes nothing; SIGKILL ends it at once, and the next run in
// that folder removes what it left.
extern "C" void AlRecibirSenal(int senal) { senalRecibida = senal; }

}  // namespace

// Whatever escapes (memory exhausted, a file system failure) is said in one
// line, never as an abort.
int main(int argc, char** argv) {
    // Without SA_RESTART, so that a read waiting on a pipe or a terminal
    // returns at once and the run stops.
    struct sigaction accion{};
    accion.sa_handler = AlRecibirSenal;
    sigemptyset(&accion.sa_mask);
    for (const int senal : {SIGINT, SIGTERM, SIGHUP}) sigaction(senal, &accion, nullptr);
    // A closed pipe on standard output is a write error (exit 1), not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    int estado = 1;
    try {
        estado = Ejecutar(argc, argv);
    } catch (const std::exception& e) {
        Error(std::string("error inesperado: ") + e.what());
    } catch (...) {
        Error("error inesperado");
    }
    if (const int senal = senalRecibida; senal != 0) {
        std::signal(senal, SIG_DFL);
        std::raise(senal);
    }
    return estado;
}
