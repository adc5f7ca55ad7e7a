#include "TratarFichero.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "Conversiones.h"
#include "Procesadores.h"
#include "Rejilla.h"
#include "Textos.h"

namespace tesmaro {

namespace fs = std::filesystem;

ResumenLote TratarFichero(std::int16_t codigo, InterfazLote& interfaz, const OpcionesLote& opciones) {
    ResumenLote resumen;
    const Conversion* conversion = BuscarConversion(codigo);
    if (!conversion) return resumen;

    const std::string rutaEntrada = interfaz.ElegirFicheroPuntos(
        {std::string(textos::PatronPuntos), std::string(textos::TituloPuntos),
         std::string(textos::FiltroPuntos)});
    if (rutaEntrada.empty()) return resumen;

    const std::string base(conversion->base);
    const std::string nombreTxt = base + ".txt";
    const std::string nombreCsv = base + ".csv";
    DestinoLote destino{"-", ""};
    if (rutaEntrada != "-") {
        // A pipe or a device (/dev/stdin, /proc/self/fd/0) has no folder of its
        // own for results.
        std::error_code ec;
        const fs::file_status estado = fs::status(rutaEntrada, ec);
        const std::string carpetaEntrada = fs::weakly_canonical(fs::absolute(rutaEntrada, ec).parent_path(), ec).string();
        const bool especial = carpetaEntrada == "/dev" || carpetaEntrada.rfind("/dev/fd", 0) == 0 ||
                              carpetaEntrada.rfind("/proc/", 0) == 0;
        if (opciones.carpetaSalida.empty() && fs::exists(estado) && !fs::is_directory(estado) &&
            (!fs::is_regular_file(estado) || especial)) {
            resumen.ejecutado = true;
            resumen.error = "La entrada no es un fichero normal: indique la carpeta de los resultados "
                            "(--salida) o lea la entrada estándar («-»): " + rutaEntrada;
            return resumen;
        }
        interfaz.Aviso(std::string(textos::FicherosSalida) + nombreTxt + "," + nombreCsv);
        // Beside the input file, whatever the current folder is (and never beside
        // the grid, whose folder may be a read-only installation folder).
        const fs::path carpeta = opciones.carpetaSalida.empty() ? fs::path(rutaEntrada).parent_path()
                                                                : fs::path(opciones.carpetaSalida);
        destino = {(carpeta / nombreTxt).string(), (carpeta / nombreCsv).string()};
    }
    const unsigned hilos = opciones.hilos > 0 ? opciones.hilos : std::max(1u, std::thread::hardware_concurrency());
    TareaLote tarea{*conversion, rutaEntrada, destino, nullptr, interfaz, hilos};
    tarea.exacto = opciones.exacto;
    if (!conversion->LeeRejilla()) return conversion->procesar(tarea);

    const std::string rutaRejilla = interfaz.ElegirRejilla(
        {std::string(textos::PatronRejilla), std::string(conversion->tituloRejilla),
         std::string(textos::FiltroRejilla)});
    if (rutaRejilla.empty()) return resumen;  // nothing written
    // The very file chosen, opened once for the whole run. A missing or
    // unusable grid is said once (Rejilla::mensaje); nothing is written.
    const Rejilla rejilla(rutaRejilla);
    if (rejilla.estado() != EstadoRejilla::Correcta) {
        resumen.ejecutado = true;
        resumen.error = rejilla.mensaje();
        return resumen;
    }
    tarea.rejilla = &rejilla;
    return conversion->procesar(tarea);
}

namespace {

// "3 líneas ilegibles: ... (líneas 4, 9, 12)." with the singular forms.
void Contar(std::string& t, const LineasContadas& c, std::string_view una, std::string_view varias) {
    if (c.total == 0) return;
    t += c.total == 1 ? std::string(una) : std::to_string(c.total) + std::string(varias);
    t += c.primeras.size() == 1 ? " (línea " : c.primeras.size() < c.total ? " (primeras líneas " : " (líneas ";
    for (std::size_t i = 0; i < c.primeras.size(); ++i) {
        if (i > 0) t += ", ";
        t += std::to_string(c.primeras[i]);
    }
    t += ").\n";
}

}  // namespace

std::string TextoDetenido(const ResumenLote& r) {
    return std::string(textos::HusoFueraDeArea) + " (línea " + std::to_string(r.lineaDetenida) +
           ": huso «" + r.husoDetenido + "»)";
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
    t += std::to_string(r.lineasLeidas) + (r.lineasLeidas == 1 ? " línea de puntos leída, " : " líneas de puntos leídas, ") +
         std::to_string(r.convertidas) + (r.convertidas == 1 ? " convertida.\n" : " convertidas.\n");
    Contar(t, r.noCalculables, "1 línea no se ha podido calcular", " líneas no se han podido calcular");
    Contar(t, r.ilegibles, "1 línea ilegible: falta un campo o no es un número",
           " líneas ilegibles: falta un campo o no es un número");
    Contar(t, r.imposibles, "1 línea con valores imposibles", " líneas con valores imposibles");
    Contar(t, r.fueraRejilla, "1 línea fuera de la rejilla", " líneas fuera de la rejilla");
    Contar(t, r.saltadas, "1 línea omitida: su huso no está entre 27 y 31",
           " líneas omitidas: su huso no está entre 27 y 31");
    Contar(t, r.imprecisas, "1 línea convertida por el método clásico a más de 1 cm de la posición exacta",
           " líneas convertidas por el método clásico a más de 1 cm de la posición exacta");
    if (r.imprecisas.total > 0) t += "Para ellas, use el método exacto («Método exacto», --exacto).\n";
    if (!t.empty()) t.pop_back();
    return t;
}

}  // namespace tesmaro
