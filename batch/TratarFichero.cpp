#include "TratarFichero.h"

#include <filesystem>

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
    interfaz.Aviso(std::string(textos::FicherosSalida) + nombreTxt + "," + nombreCsv);

    // Beside the input file, whatever the current folder is (and never beside
    // the grid, whose folder may be a read-only installation folder).
    const fs::path carpeta = opciones.carpetaSalida.empty()
                                 ? fs::path(rutaEntrada).parent_path()
                                 : fs::path(opciones.carpetaSalida);
    TareaLote tarea{*conversion, rutaEntrada,
                    DestinoLote{(carpeta / nombreTxt).string(), (carpeta / nombreCsv).string()},
                    nullptr, interfaz};
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

}  // namespace tesmaro
