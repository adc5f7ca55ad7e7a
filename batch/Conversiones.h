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

// Where the points of a conversion's text result are.
enum class ResultadoPuntos {
    Geograficas,  // columns 2 and 3: longitude and latitude
    Utm,          // columns 2 to 5: X, Y, zone, hemisphere
    Cartesianas,  // columns 2 to 4: geocentric X, Y, Z; then a and 1/f
    Directo,      // columns 2 and 3: point B; point A is in the input line
    Inverso,      // columns 2, 3 and 6, 7: points A and B
};

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
    // What its result holds, for the layers and the map.
    ResultadoPuntos puntos;
    std::optional<Datum> datumPuntos;  // datum of the positions; none: the ellipsoid's columns
    bool entradaLonLat;                // input fields 2 and 3 are longitude and latitude

    constexpr bool LeeRejilla() const { return !tituloRejilla.empty(); }
};

// Every row, in the order of tesmaro-lote --help.
std::span<const Conversion> Conversiones();

// The row of a code or command-line name; nullptr when there is none.
const Conversion* BuscarConversion(std::int16_t codigo);
const Conversion* BuscarConversion(std::string_view nombre);

}  // namespace tesmaro
