// A file run: one conversion of one point file into its outputs.
//
// A run is a value (OrdenLote): the conversion, the input, where the text
// results go, and the settings it reads, taken once when it is built (a
// setting changed while it runs does not touch it). EjecutarLote asks
// nothing: a window asks for the files first, then starts the run.
//
// The input is read line by line with constant memory (Lector.h): the first
// line is a heading and is skipped, blank lines are ignored, every other line
// is a point. Lines are converted in blocks on several threads by the row's
// functions (Conversiones.h) and their records go, in input order, to every
// output (Sumidero.h): the text result and its CSV twin, and whatever else the
// caller adds (a layer, a map). The results are the same bytes whatever the
// number of threads. Every output of the run is put in place together when
// the run ends well (Compromiso.h); a cancel or a failure replaces nothing.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Conversiones.h"
#include "Sumidero.h"

namespace tesmaro {

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

// One run, as a value.
struct OrdenLote {
    const Conversion* conversion = nullptr;
    std::string entrada;        // the point file; "-": the standard input
    // The text result and its CSV twin: beside the input (or in
    // carpetaSalida), named by the row; for the input "-" the text alone, on
    // the standard output. false: no text results (a run that only writes a
    // layer).
    bool textos = true;
    std::string carpetaSalida;  // empty: the input file's folder
    // The settings (Ajustes.h) as they were when the run was ordered.
    std::int16_t unidad = 1;
    std::int16_t elipsoide = 4;
    bool exacto = false;        // the exact methods where the conversion has them
    std::string rutaRejilla;    // the grid conversions; empty: RutaRejillaVentanas()
    std::int16_t huso = 0;      // geographic to UTM: every point in this zone (27..31); 0: each its own
    // Decimals of the lengths and the angles written in the text results
    // (0 to 15); -1: 15 significant digits, as always.
    int decimalesMetros = -1;
    int decimalesAngulos = -1;
    unsigned hilos = 0;         // threads converting lines; 0: one per core

    // A run of `conversion` on `entrada` with the settings of the process now.
    static OrdenLote ConAjustesActuales(const Conversion& conversion, std::string entrada);
};

// What one run did, for the summary. Every data line (blank lines aside) is
// exactly one of: converted, not computable, unreadable, impossible, outside
// the grid, skipped for its zone; or it was not reached (a stop, a cancel).
struct ResumenLote {
    bool ejecutado = false;            // false: no conversion of that name
    std::string formato;               // how the input was read ("UTF-8, separado por comas")
    std::uint64_t lineasLeidas = 0;    // data lines read (the heading and blank lines not counted)
    std::uint64_t registros = 0;       // result records (header not counted)
    std::uint64_t convertidas = 0;
    LineasContadas noCalculables;      // the computation refused them: computed columns empty
    // ... of them, by the computation's status (Correcto: values not finite).
    std::array<LineasContadas, NumeroEstados> noCalculablesPor;
    LineasContadas ilegibles;          // a required field empty or not a number: columns empty
    // ... of them, by why: a field not a number or missing (NoNumero), a
    // number that reads two ways (Ambiguo, Millares, ComaDecimal); and lines
    // longer than the reader's limit.
    std::array<LineasContadas, 5> ilegiblesPor;
    LineasContadas largas;
    LineasContadas windows1252;        // point lines that were not UTF-8, read as Windows-1252
    LineasContadas nombresEscapados;   // names with control characters, written escaped
    LineasContadas sustituidas;        // point lines with bytes that are not UTF-8 in a UTF-8 file
    LineasContadas imposibles;         // values no point can have: columns empty
    LineasContadas fueraRejilla;       // outside the grid (or the geoid model): columns empty
    std::string fuera = "fuera de la rejilla";  // how the summary names them
    LineasContadas saltadas;           // no record: geographic-to-UTM zone outside 27..31
    // Converted by the legacy UTM method more than UmbralErrorUtm (1 cm) from
    // the exact position (counted among the converted lines too).
    LineasContadas imprecisas;
    std::string metodo;                // the exact method's name when it was used; empty: legacy
    std::string rejilla;               // the grid conversions: which grid, and whether the distributed one
    bool cancelado = false;            // stopped by the user's request: nothing replaced
    bool detenido = false;             // UTM-to-geographic stopped at a zone it does not compute
    std::uint64_t lineaDetenida = 0;   // ... at this line
    std::string husoDetenido;          // ... with this zone text
    std::string error;                 // non-empty: the run failed and nothing was replaced
    std::string rutaTxt;               // full paths of the two text results ("-": standard output)
    std::string rutaCsv;
    std::vector<std::string> salidas;  // every file put in place, main files only
    std::vector<std::string> otras;    // the summary lines of the other outputs (a layer, a map)
    std::uint64_t excluidos = 0;       // converted lines an output could not hold

    // Every data line converted, and held by every output.
    bool Completo() const {
        return ejecutado && error.empty() && !cancelado && !detenido && convertidas == lineasLeidas &&
               excluidos == 0;
    }
};

// One point line (its fields split by the file's layout) through a
// conversion, as a run converts it: its name, read, converted; unreadable
// (with why) when the reader had to cut it. What the run, the self-test and
// the fuzzer share.
RegistroPunto ConvertirLinea(const Conversion& conversion, const CamposFichero& campos, const FormatoCampos& formato,
                             const AjustesConversion& ajustes, bool cortada = false);

// Runs `orden`: the text results (unless orden.textos is false) and the
// outputs `otras` (sinks owned by the caller). Progress, and the request to
// stop, through `observador`.
ResumenLote EjecutarLote(const OrdenLote& orden, std::span<Sumidero* const> otras, ObservadorLote& observador);
ResumenLote EjecutarLote(const OrdenLote& orden, ObservadorLote& observador);

// The summary of a run for people, one sentence a line: a failure or a
// cancel, how the input was read, the counts of each kind with their first
// line numbers, a stop, the other outputs.
std::string TextoResumen(const ResumenLote& resumen);
// The message of a UTM-to-geographic stop, naming its line and zone text.
std::string TextoDetenido(const ResumenLote& resumen);

}  // namespace tesmaro
