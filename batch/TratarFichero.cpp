#include "TratarFichero.h"

#include <filesystem>

#include "Procesadores.h"
#include "Rejilla.h"
#include "Textos.h"

namespace tesmaro {

namespace fs = std::filesystem;

std::string NombreBase(std::int16_t codigo) {
    switch (codigo) {
        case codigo::UtmGeoETRS89: return "Geodesicas_ETRS89";
        case codigo::UtmGeoED50: return "Geodesicas_ED50";
        case codigo::GeoUtmETRS89: return "UTM_ETRS89";
        case codigo::GeoUtmED50: return "UTM_ED50";
        case codigo::GeoCart: return "Cartesianas_geocéntricas";
        case codigo::CartGeo: return "Geodesicas_elipsoidales";
        // Named, so that the results are not hidden files called ".txt" and
        // ".csv" that the user cannot find.
        case codigo::Directo: return "Problema_directo";
        case codigo::Inverso: return "Problema_inverso";
        case codigo::ED50aETRS89: return "Transformacion_a_ETRS89";
        case codigo::ETRS89aED50: return "Transformacion_a_ED50";
        default: return {};
    }
}

ResumenLote TratarFichero(const std::int16_t& codigo, std::string& rutaRejilla,
                          InterfazLote& interfaz) {
    return TratarFichero(codigo, rutaRejilla, interfaz, OpcionesLote{});
}

ResumenLote TratarFichero(const std::int16_t& codigo, std::string& rutaRejilla,
                          InterfazLote& interfaz, const OpcionesLote& opciones) {
    ResumenLote resumen;
    const std::string base = NombreBase(codigo);
    if (base.empty()) return resumen;  // no conversion has this code

    const std::string rutaEntrada = interfaz.ElegirFicheroPuntos(
        {std::string(textos::PatronPuntos), std::string(textos::TituloPuntos),
         std::string(textos::FiltroPuntos)});
    if (rutaEntrada.empty()) return resumen;

    const std::string nombreTxt = base + ".txt";
    const std::string nombreCsv = base + ".csv";
    interfaz.Aviso(std::string(textos::FicherosSalida) + nombreTxt + "," + nombreCsv);

    // Beside the input file, whatever the current folder is (and never beside
    // the grid, whose folder may be a read-only installation folder).
    const fs::path carpeta = opciones.carpetaSalida.empty()
                                 ? fs::path(rutaEntrada).parent_path()
                                 : fs::path(opciones.carpetaSalida);
    const DestinoLote destino{(carpeta / nombreTxt).string(), (carpeta / nombreCsv).string()};

    switch (codigo) {
        case codigo::UtmGeoETRS89:
            resumen = LoteUtmGeo(rutaEntrada, destino, Datum::ETRS89, interfaz);
            break;
        case codigo::UtmGeoED50:
            resumen = LoteUtmGeo(rutaEntrada, destino, Datum::ED50, interfaz);
            break;
        case codigo::GeoUtmETRS89:
            resumen = LoteGeoUtm(rutaEntrada, destino, Datum::ETRS89, interfaz);
            break;
        case codigo::GeoUtmED50:
            resumen = LoteGeoUtm(rutaEntrada, destino, Datum::ED50, interfaz);
            break;
        case codigo::GeoCart:
            resumen = LoteGeoCart(rutaEntrada, destino, interfaz);
            break;
        case codigo::CartGeo:
            resumen = LoteCartGeo(rutaEntrada, destino, interfaz);
            break;
        case codigo::Directo:
            resumen = LoteProblemaDirecto(rutaEntrada, destino, interfaz);
            break;
        case codigo::Inverso:
            resumen = LoteProblemaInverso(rutaEntrada, destino, interfaz);
            break;
        case codigo::ED50aETRS89:
        case codigo::ETRS89aED50: {
            const bool haciaETRS89 = codigo == codigo::ED50aETRS89;
            rutaRejilla = interfaz.ElegirRejilla(
                {std::string(textos::PatronRejilla),
                 std::string(haciaETRS89 ? textos::TituloRejillaED50aETRS89
                                         : textos::TituloRejillaETRS89aED50),
                 std::string(textos::FiltroRejilla)});
            if (rutaRejilla.empty()) return resumen;  // nothing written
            // The very file chosen, opened once for the whole run. A missing
            // or unusable grid is said once; nothing is written.
            const Rejilla rejilla(rutaRejilla);
            if (rejilla.estado() != EstadoRejilla::Correcta) {
                resumen.ejecutado = true;
                resumen.error = rejilla.mensaje();
                if (resumen.error.empty()) resumen.error = "No se puede usar la rejilla: " + rutaRejilla;
                break;
            }
            resumen = haciaETRS89 ? LoteED50aETRS89(rutaEntrada, destino, rejilla, interfaz)
                                  : LoteETRS89aED50(rutaEntrada, destino, rejilla, interfaz);
            break;
        }
        default:
            return resumen;
    }

    // resumen.error and the counts are for the caller to show (the window's
    // closing message, the command line's summary).
    return resumen;
}

}  // namespace tesmaro
