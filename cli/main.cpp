// tesmaro-lote: the file conversions of the windows, from the command line.
//
//   tesmaro-lote CONVERSION INPUT [--elipsoide N] [--unidad 1|2|3]
//                [--rejilla FILE] [--salida DIR]
//
// It runs the same driver and processors as the windows' file buttons, with
// answers instead of dialogs: the point file is INPUT, the grid --rejilla (or
// the one the windows find). It prints the paths of the two result files on
// standard output and a one-line summary on standard error.
// Exit status: 0 done (lines skipped or not computable included); 1 input
// unreadable, result not writable, grid missing or unusable, or a UTM file
// stopped at a zone it does not compute, or an unexpected failure (said in
// one line, "error inesperado"); 2 wrong usage.
#include <unistd.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Ajustes.h"
#include "Avisos.h"
#include "Conversiones.h"
#include "Elipsoides.h"
#include "InterfazLote.h"
#include "Rejilla.h"
#include "TratarFichero.h"

namespace {

using namespace tesmaro;

constexpr std::string_view Programa = "tesmaro-lote";

constexpr std::string_view Uso =
    "Uso: tesmaro-lote CONVERSION ENTRADA [--elipsoide N] [--unidad 1|2|3] [--rejilla FICHERO] "
    "[--salida CARPETA]\n";

void Escribir(std::FILE* f, std::string_view texto) { std::fwrite(texto.data(), 1, texto.size(), f); }

void MostrarAyuda() {
    std::string t;
    t += Uso;
    t += "\n"
         "Convierte un fichero de puntos igual que el botón de fichero de la ventana de\n"
         "Tesmaro: escribe los mismos dos ficheros de resultados, el de texto (.txt, para\n"
         "LibreOffice Calc) y el CSV (.csv, con \";\" y coma decimal, para EXCEL), con los\n"
         "mismos nombres y el mismo contenido, junto al fichero de entrada.\n"
         "\n"
         "La primera línea del fichero de entrada se salta; cada una de las demás es un\n"
         "punto: campos separados por comas, punto como separador decimal.\n"
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
         "  --help             esta ayuda\n"
         "\n"
         "Escribe en la salida estándar las rutas de los dos ficheros de resultados y en\n"
         "la de errores un resumen de una línea: líneas leídas, registros escritos,\n"
         "líneas saltadas (huso fuera de 27 a 31 en geo-utm) y líneas no calculables\n"
         "(escritas con las columnas calculadas vacías).\n"
         "\n"
         "Estado de salida: 0 conversión hecha, aunque haya líneas saltadas o no\n"
         "calculables; 1 el fichero de entrada no se puede leer, un resultado no se puede\n"
         "escribir, falta la rejilla o utm-geo encontró un huso distinto de 30, 31 y 30E\n"
         "(los registros anteriores quedan escritos); 2 opción o argumento incorrecto.\n"
         "\n"
         "Ejemplo:\n"
         "  $ printf 'Punto,Longitud,Latitud,Huso,Hemisferio\\r\\nP1,-0.5,39.5,30,N\\r\\n' > puntos.txt\n"
         "  $ tesmaro-lote geo-utm-etrs89 puntos.txt\n"
         "  UTM_ETRS89.txt\n"
         "  UTM_ETRS89.csv\n"
         "  tesmaro-lote: geo-utm-etrs89: 1 líneas leídas, 1 registros escritos, 0 líneas\n"
         "  saltadas, 0 líneas no calculables          (en la salida de errores)\n"
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
    t += problema;
    t += '\n';
    t += Uso;
    t += "Ayuda: tesmaro-lote --help\n";
    Escribir(stderr, t);
    std::exit(2);
}

void Error(std::string_view texto) {
    std::string t;
    t += Programa;
    t += ": ";
    for (const char c : texto) t += (c == '\r' || c == '\n') ? ' ' : c;
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

// The dialogs answered by the command line; messages and progress on stderr.
class InterfazConsola final : public InterfazLote {
public:
    InterfazConsola(std::string entrada, std::string rejilla)
        : entrada_(std::move(entrada)), rejilla_(std::move(rejilla)), terminal_(isatty(STDERR_FILENO) == 1) {}
    ~InterfazConsola() override { BorrarProgreso(); }

    std::string ElegirFicheroPuntos(const DialogoFichero&) override { return entrada_; }
    std::string ElegirRejilla(const DialogoFichero&) override { return rejilla_; }
    void Mensaje(std::string_view texto) override {
        BorrarProgreso();
        Error(texto);
    }
    // The result names are printed as paths at the end instead.
    void Aviso(std::string_view) override {}
    void Progreso(std::uint64_t leidos, std::uint64_t total) override {
        if (!terminal_ || total == 0) return;
        const int porcentaje = static_cast<int>((leidos * 100) / total);
        if (porcentaje == porcentaje_) return;
        porcentaje_ = porcentaje;
        std::string t = "\r";
        t += Programa;
        t += ": ";
        t += std::to_string(porcentaje);
        t += " %";
        Escribir(stderr, t);
        std::fflush(stderr);
    }
    void BorrarProgreso() {
        if (porcentaje_ < 0) return;
        porcentaje_ = -1;
        Escribir(stderr, "\r                          \r");
    }

private:
    std::string entrada_;
    std::string rejilla_;
    bool terminal_;
    int porcentaje_ = -1;
};

int Ejecutar(int argc, char** argv) {
    // As the windows do: nothing below may depend on the regional settings.
    std::setlocale(LC_ALL, "");

    std::vector<std::string_view> posicionales;
    std::optional<std::string> elipsoide, unidad, rejilla, salida;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            MostrarAyuda();
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() > 2 && arg.substr(0, 2) == "--") {
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
    if (posicionales.size() < 2) ErrorDeUso("faltan la conversión y el fichero de entrada");
    if (posicionales.size() > 2) ErrorDeUso("sobra el argumento: " + std::string(posicionales[2]));

    const Conversion* conversion = BuscarConversion(posicionales[0]);
    if (!conversion) ErrorDeUso("conversión desconocida: " + std::string(posicionales[0]));
    const std::string entrada(posicionales[1]);
    if (entrada.empty()) ErrorDeUso("el fichero de entrada está vacío");

    if (elipsoide) {
        const auto n = Entero(*elipsoide);
        if (!n || *n < 0 || *n >= NumeroElipsoides)
            ErrorDeUso("--elipsoide debe ser un número de 0 a 23: " + *elipsoide);
        ajustes::ElipsoideActual = static_cast<std::int16_t>(*n);
    }
    if (unidad) {
        const auto n = Entero(*unidad);
        if (!n || *n < 1 || *n > 3) ErrorDeUso("--unidad debe ser 1, 2 o 3: " + *unidad);
        ajustes::UnidadAngular = static_cast<std::int16_t>(*n);
    }
    if (rejilla && rejilla->empty()) ErrorDeUso("--rejilla está vacío");
    if (salida && salida->empty()) ErrorDeUso("--salida está vacío");

    AvisosConsola avisos;
    FijarAvisador(&avisos);

    InterfazConsola interfaz(entrada, rejilla ? *rejilla : RutaRejillaVentanas());
    OpcionesLote opciones;
    if (salida) opciones.carpetaSalida = *salida;
    const ResumenLote r = TratarFichero(conversion->codigo, interfaz, opciones);
    interfaz.BorrarProgreso();

    if (!r.error.empty()) {
        Error(r.error);
        return 1;
    }
    Escribir(stdout, r.rutaTxt + "\n" + r.rutaCsv + "\n");
    std::fflush(stdout);
    std::string resumen;
    resumen += Programa;
    resumen += ": ";
    resumen += conversion->nombre;
    resumen += ": " + std::to_string(r.lineasLeidas) + " líneas leídas, " + std::to_string(r.registros) +
               " registros escritos, " + std::to_string(r.saltadas) + " líneas saltadas, " +
               std::to_string(r.noCalculables) + " líneas no calculables";
    if (r.detenido) resumen += "; detenido en un huso distinto de 30, 31 y 30E";
    resumen += '\n';
    Escribir(stderr, resumen);
    return r.detenido ? 1 : 0;
}

}  // namespace

// Whatever escapes (memory exhausted, a file system failure) is said in one
// line, never as an abort.
int main(int argc, char** argv) {
    try {
        return Ejecutar(argc, argv);
    } catch (const std::exception& e) {
        Error(std::string("error inesperado: ") + e.what());
    } catch (...) {
        Error("error inesperado");
    }
    return 1;
}
