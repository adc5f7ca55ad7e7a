// The table of conversions: one row per conversion, read by the batch run,
// the windows (their "Calcular" and file buttons), the command line (names
// and --help), the self-test, the layers, the map and the tests. Adding a
// conversion means adding one row, its two functions (ConversionPunto.h) and
// its test.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ConversionPunto.h"
#include "Elipsoides.h"

namespace tesmaro {

// The conversions' codes, by which the windows name their file buttons.
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
inline constexpr std::int16_t AltitudGeo = 14;
inline constexpr std::int16_t AltitudUtm = 15;
inline constexpr std::int16_t AlturaGeo = 16;
inline constexpr std::int16_t AlturaUtm = 17;
}  // namespace codigo

// How a result column is written.
enum class TipoColumna : std::uint8_t {
    Real,      // 15 significant digits, decimal point; not finite: empty
    Metros,    // the same, or the decimals the run asks for lengths
    Angulo,    // the same, or the decimals the run asks for angles
    Entero,    // plain digits
    NorteSur,  // "Norte" (value 0) or "Sur" (any other), in double quotes
};

// One column of a result after the name: its header, its value (an index
// into ResultadoPunto::v) and whether it is computed (empty in the record of
// a line that could not be computed) or echoes the input or the ellipsoid.
struct Columna {
    std::string_view titulo;
    TipoColumna tipo;
    std::uint8_t valor;
    bool calculada;
    std::string_view corto;  // the name where ten bytes are all there is (a shapefile's fields)
};

// Where the points of a conversion's text result are.
enum class ResultadoPuntos {
    Geograficas,  // a point: ResultadoPunto::a
    Utm,          // a point, and UTM X, Y, zone, hemisphere in values 0 to 3
    Cartesianas,  // a point on the ellipsoid of the run
    Directo,      // the geodesic from a to b
    Inverso,      // the geodesic from a to b
};

struct Conversion {
    std::int16_t codigo;           // the file buttons' code (codigo:: above)
    std::string_view nombre;       // command-line name, e.g. "geo-utm-etrs89"
    std::string_view base;         // result base name: base + ".txt" and base + ".csv"
    std::string_view descripcion;  // what it does, for tesmaro-lote --help
    std::string_view campos;       // the input fields of a point line
    // The settings it reads besides the input file.
    std::optional<Datum> datum;      // fixed by the row (the UTM conversions)
    bool leeElipsoide = false;       // ajustes::ElipsoideActual
    bool leeUnidad = false;          // ajustes::UnidadAngular
    bool leeRejilla = false;         // the NTv2 grid
    bool leeGeoide = false;          // the geoid model (Geoide.h)
    bool leeHuso = false;            // a zone forced for every point (--huso)
    // The name of the exact method in the summary when it is used; empty: the
    // conversion has no exact method.
    std::string_view metodoExacto;
    // The point: read from the fields of a line, converted.
    EstadoPunto (*leer)(const LineaPunto& linea, EntradaPunto& entrada) = nullptr;
    ResultadoPunto (*convertir)(const EntradaPunto& entrada, const AjustesConversion& ajustes) = nullptr;
    // The result's columns after "Nombre", and a last header title that no
    // record fills (empty: none).
    std::span<const Columna> columnas;
    std::string_view notaCabecera;
    // What its result holds, for the layers and the map.
    ResultadoPuntos puntos = ResultadoPuntos::Geograficas;
    std::optional<Datum> datumPuntos;  // datum of the positions; none: the ellipsoid's
    int valorZ = -1;                   // the value that is a point's height in a layer; -1: none
    // How the summary names a point the model does not cover.
    std::string_view fuera = "fuera de la rejilla";

    constexpr bool LeeRejilla() const { return leeRejilla; }
};

// Every row, in the order of tesmaro-lote --help.
std::span<const Conversion> Conversiones();

// The row of a code or command-line name; nullptr when there is none.
const Conversion* BuscarConversion(std::int16_t codigo);
const Conversion* BuscarConversion(std::string_view nombre);

// The settings conversion c takes from a run or a window: the unit (1..3),
// the ellipsoid (an index of TablaElipsoides) and the exact method, each
// where c reads it, and c's datum. False when c reads the ellipsoid and
// `elipsoide` is none.
bool AjustesDe(const Conversion& c, std::int16_t unidad, int elipsoide, bool exacto, AjustesConversion& a);

}  // namespace tesmaro
