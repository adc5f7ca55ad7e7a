// The batch driver behind every file button and the command line.
#pragma once
#include <cstdint>
#include <string>
#include "InterfazLote.h"

namespace tesmaro {

// Conversion codes of the file buttons (the rows of Conversiones.h).
namespace codigo {
inline constexpr std::int16_t UtmGeoETRS89 = 0;
inline constexpr std::int16_t GeoUtmETRS89 = 1;
inline constexpr std::int16_t GeoCart = 2;
inline constexpr std::int16_t CartGeo = 3;
inline constexpr std::int16_t Directo = 8;
inline constexpr std::int16_t Inverso = 9;
inline constexpr std::int16_t ED50aETRS89 = 10;
inline constexpr std::int16_t ETRS89aED50 = 11;
inline constexpr std::int16_t UtmGeoED50 = 12;
inline constexpr std::int16_t GeoUtmED50 = 13;
}  // namespace codigo

// What one run did, for the final message (window) or summary (command line).
struct ResumenLote {
    bool ejecutado = false;            // false: the user cancelled a dialog, nothing written
    std::uint64_t lineasLeidas = 0;    // point lines read (the heading line not counted)
    std::uint64_t registros = 0;       // result records written (header not counted)
    std::uint64_t saltadas = 0;        // lines skipped (geographic-to-UTM zone outside 27..31)
    std::uint64_t noCalculables = 0;   // lines written with empty computed columns
    bool cancelado = false;            // stopped by the user's request
    bool detenido = false;             // UTM-to-geographic stopped at a zone it does not compute
    std::string error;                 // non-empty: input unreadable, result not writable, grid missing
    std::string rutaTxt;               // full paths of the two result files
    std::string rutaCsv;
};

// Where the result files go. By default beside the input file (the folder of
// the chosen path, whatever the current folder); the command line may name
// another folder.
struct OpcionesLote {
    std::string carpetaSalida;  // empty: the input file's folder
};

// Runs the conversion of `codigo` (its row in Conversiones.h): asks for the
// point file (and, for the grid conversions, the grid file, opened once for
// the whole run), announces the result names, runs the row's processor and
// writes the CSV twin of its text result. The output-names message goes
// through InterfazLote::Aviso, the stop of the UTM-to-geographic batch through
// InterfazLote::Mensaje; a failure (input unreadable, result not writable,
// grid missing or unusable) is not shown but returned in ResumenLote::error,
// with nothing written, for the caller to show with the counts. A code without
// a row, or a dialog cancelled, does nothing (ResumenLote::ejecutado false).
ResumenLote TratarFichero(std::int16_t codigo, InterfazLote& interfaz,
                          const OpcionesLote& opciones = {});

}  // namespace tesmaro
