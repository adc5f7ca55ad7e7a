// The table of file conversions: one row per conversion, read by the batch
// driver, the windows' file buttons, the command line (names and --help) and
// the tests. Adding a conversion means adding one row and its processor.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "Elipsoides.h"

namespace tesmaro {

struct ResumenLote;
struct TareaLote;  // Procesadores.h

// Runs one conversion on one input file (see Procesadores.h).
using Procesador = ResumenLote (*)(const TareaLote& tarea);

struct Conversion {
    std::int16_t codigo;           // the file buttons' code (codigo:: in TratarFichero.h)
    std::string_view nombre;       // command-line name, e.g. "geo-utm-etrs89"
    std::string_view base;         // result base name: base + ".txt" and base + ".csv"
    std::string_view pista;        // hint the window's file button shows before the run
                                   // (exact: double and trailing blanks are part of it)
    std::string_view descripcion;  // what it does, for tesmaro-lote --help
    std::string_view campos;       // the input fields of a point line
    // The settings it reads besides the input file.
    std::optional<Datum> datum;      // fixed by the row (the UTM conversions)
    bool leeElipsoide;               // ajustes::ElipsoideActual
    bool leeUnidad;                  // ajustes::UnidadAngular
    std::string_view tituloRejilla;  // title of the NTv2 grid dialog; empty: no grid
    Procesador procesar;

    constexpr bool LeeRejilla() const { return !tituloRejilla.empty(); }
};

// Every row, in the order of tesmaro-lote --help.
std::span<const Conversion> Conversiones();

// The row of a code or command-line name; nullptr when there is none.
const Conversion* BuscarConversion(std::int16_t codigo);
const Conversion* BuscarConversion(std::string_view nombre);

}  // namespace tesmaro
