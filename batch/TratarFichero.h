// The batch driver behind every file button and the command line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
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

// Data lines of one kind: how many, and the line numbers (counted from 1, the
// heading being line 1) of the first ones.
struct LineasContadas {
    static constexpr std::size_t MaxNumeros = 10;
    std::uint64_t total = 0;
    std::vector<std::uint64_t> primeras;  // at most MaxNumeros
    void Anotar(std::uint64_t linea) {
        ++total;
        if (primeras.size() < MaxNumeros) primeras.push_back(linea);
    }
};

// What one run did, for the final message (window) or summary (command line).
// Every data line (blank lines aside) is exactly one of: converted, not
// computable, unreadable, impossible, outside the grid, skipped for its zone;
// or it was not reached (a stop, a cancel).
struct ResumenLote {
    bool ejecutado = false;            // false: the user cancelled a dialog, nothing written
    std::string formato;               // how the input was read ("UTF-8, separado por comas")
    std::uint64_t lineasLeidas = 0;    // data lines read (the heading and blank lines not counted)
    std::uint64_t registros = 0;       // result records written (header not counted)
    std::uint64_t convertidas = 0;
    LineasContadas noCalculables;      // the computation refused them: computed columns empty
    LineasContadas ilegibles;          // a required field empty or not a number: columns empty
    LineasContadas imposibles;         // values no point can have: columns empty
    LineasContadas fueraRejilla;       // outside the grid: columns empty
    LineasContadas saltadas;           // no record: geographic-to-UTM zone outside 27..31
    // Converted by the legacy UTM method more than UmbralErrorUtm (1 cm) from
    // the exact position (counted among the converted lines too).
    LineasContadas imprecisas;
    std::string metodo;                // the exact method's name when it was used; empty: legacy
    bool cancelado = false;            // stopped by the user's request: nothing replaced
    bool detenido = false;             // UTM-to-geographic stopped at a zone it does not compute
    std::uint64_t lineaDetenida = 0;   // ... at this line
    std::string husoDetenido;          // ... with this zone text
    std::string error;                 // non-empty: the run failed and nothing was replaced
    std::string rutaTxt;               // full paths of the two result files
    std::string rutaCsv;

    // Every data line converted.
    bool Completo() const { return ejecutado && error.empty() && !cancelado && !detenido && convertidas == lineasLeidas; }
};

// The summary of a run for people, one sentence a line: how the input was
// read, the counts of each kind with their first line numbers, a stop or a
// cancel. Empty when the user cancelled a dialog.
std::string TextoResumen(const ResumenLote& resumen);
// The message of a UTM-to-geographic stop, naming its line and zone text.
std::string TextoDetenido(const ResumenLote& resumen);

// Where the result files go. By default beside the input file (the folder of
// the chosen path, whatever the current folder); the command line may name
// another folder.
struct OpcionesLote {
    std::string carpetaSalida;  // empty: the input file's folder
    unsigned hilos = 0;         // threads converting lines; 0: one per core
    // The exact methods (Exacto.h) for UTM and the geodetic problems instead
    // of the legacy ones.
    bool exacto = false;
};
// The point file "-" is the standard input; its text result goes to the
// standard output (no CSV). An input that is not a regular file never gets
// results beside it: it needs carpetaSalida.

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
