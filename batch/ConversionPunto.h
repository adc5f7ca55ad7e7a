// One point through one conversion, as typed values: what every front end
// calls. The batch reads a point line into an EntradaPunto (LeerPunto of the
// conversion's row), converts it (ConvertirPunto of the row) and hands the
// ResultadoPunto to its outputs; a window fills the EntradaPunto from its
// boxes and calls the same function; the self-test, the benchmarks, the
// layers and the map take the same values.
//
// Nothing here reads a global setting: the unit, the ellipsoid, the method
// and the grid come in an AjustesConversion, taken once by the caller (a run
// at its start, a window at each "Calcular").
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "Elipsoides.h"
#include "Estado.h"
#include "Lector.h"

namespace tesmaro {

class Geoide;
class Rejilla;

// What became of one point.
enum class EstadoPunto : std::uint8_t {
    Convertido,    // every value computed
    Impreciso,     // computed, by the legacy UTM method more than 1 cm from the exact position
    NoCalculable,  // the computation refused it: the computed values are missing
    Ilegible,      // a required field empty or not a number
    Imposible,     // values no point can have
    FueraRejilla,  // outside every sub-grid
    Omitido,       // geographic to UTM: a zone outside 27..31; the line gets no record
    Detener,       // UTM to geographic: a zone text it does not compute; the run stops here
};

// Whether the point's values were all computed.
constexpr bool Convertido(EstadoPunto e) { return e == EstadoPunto::Convertido || e == EstadoPunto::Impreciso; }

// What a conversion reads besides the point, taken once by its caller.
struct AjustesConversion {
    std::int16_t unidad = 1;        // angles: 1 sexagesimal degrees, 2 centesimal grads, 3 radians
    Elipsoide elipsoide = TablaElipsoides[4];  // geocentric and geodetic-problem conversions
    bool exacto = false;            // the exact methods (Exacto.h) for UTM and the geodetic problems
    const Rejilla* rejilla = nullptr;  // the grid conversions: open, valid, held by the caller
    Datum datum = Datum::ETRS89;       // the UTM conversions
    const Geoide* geoide = nullptr;    // the height conversions: open, valid, held by the caller
    std::int16_t husoForzado = 0;      // geographic to UTM: every point in this zone (27..31); 0: its own
};

// A geographic position in degrees, east and north positive; NaN: none.
struct Posicion {
    double lon = std::numeric_limits<double>::quiet_NaN();
    double lat = std::numeric_limits<double>::quiet_NaN();
    bool Valida() const { return std::isfinite(lon) && std::isfinite(lat); }
};

// One point's input. v holds the number fields after the name in the order
// of the row's fields (campos in Conversiones.h): X, Y for UTM; longitude,
// latitude (and zone, height, azimuth, distance) for the others; angles in
// the unit of the settings where the conversion reads that unit, else
// decimal degrees.
struct EntradaPunto {
    std::array<double, 4> v{};
    // Reading a line: why a required field could not be read.
    LecturaNumero lectura = LecturaNumero::Numero;
    std::int16_t huso = 0;   // UTM to geographic: the zone
    bool extendido = false;  // ... "30E": a zone-31 point given in zone 30 extended
    bool sur = false;        // ... the southern hemisphere
};

// Most values a result holds.
inline constexpr std::size_t MaxValores = 10;

// One point's result. v holds the values of the result's columns in the
// order of the row's columns (columnas in Conversiones.h), in the units the
// result files have always had; some rows keep more values after them
// (UTM to geographic: the meridian convergence and the scale factor).
// a and b place the point on a map or in a layer, in full precision
// (degrees): the point converted (its input when the input is geographic),
// or A and B of a geodesic; a line not converted keeps its input's place
// when the input is geographic.
struct ResultadoPunto {
    EstadoPunto estado = EstadoPunto::Convertido;
    Estado calculo = Estado::Correcto;  // the computation's own status when it refused
    std::string motivo;                 // why not converted, a Spanish sentence; empty when converted
    std::array<double, MaxValores> v{};
    Posicion a, b;
};

// A field without the blanks and tabs around it.
std::string_view SinBlancos(std::string_view campo);

// Reading one point line: the fields split by the file's layout.
struct LineaPunto {
    const CamposFichero& campos;
    const FormatoCampos& formato;
    std::int16_t husoForzado = 0;  // geographic to UTM: the zone field is not read
};

// ---- The conversions (rows of Conversiones.h) --------------------------------
// LeerX fills `entrada` from the fields (the name is field 0) and returns
// Convertido when it could, Ilegible when a required field is not a number
// or is one that reads two ways (entrada.lectura says which), Detener for a
// zone text the conversion does not compute. ConvertirX never
// reads a file or a setting.

// UTM (X, Y, zone text "30", "31" or "30E", hemisphere) to longitude,
// latitude (decimal degrees) on the settings' datum; values: longitude, latitude, zone,
// convergence (degrees), scale factor.
EstadoPunto LeerUtmGeo(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirUtmGeo(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// Longitude, latitude (decimal degrees) and zone (27..31, rounded; not read
// when the settings force one) to UTM; values: X, Y, zone, hemisphere (1
// south), convergence, scale factor.
EstadoPunto LeerGeoUtm(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirGeoUtm(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// Longitude, latitude (unit) and ellipsoidal height (default 0) to geocentric
// X, Y, Z; values: X, Y, Z, a, 1/f.
EstadoPunto LeerGeoCart(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirGeoCart(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// Geocentric X, Y, Z to geographic; values: longitude, latitude (unit), zone
// by the longitude's sign, hemisphere (1 south), height, a, 1/f.
EstadoPunto LeerCartGeo(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirCartGeo(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// The direct problem: A (longitude, latitude), azimuth (unit), distance (m);
// values: longitude and latitude of B, reverse azimuth (unit), a, 1/f.
EstadoPunto LeerDirecto(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirDirecto(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// The inverse problem: A and B (longitude, latitude, unit); values: A,
// azimuth at A, distance, B, azimuth at B towards A, a, 1/f.
EstadoPunto LeerInverso(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirInverso(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// ED50 <-> ETRS89 by the grid of the settings (decimal degrees); values:
// longitude, latitude, zone by the longitude's sign (0 on Greenwich).
EstadoPunto LeerRejilla(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirED50aETRS89(const EntradaPunto& entrada, const AjustesConversion& ajustes);
ResultadoPunto ConvertirETRS89aED50(const EntradaPunto& entrada, const AjustesConversion& ajustes);

// Heights by the geoid of the settings: ellipsoidal height h (ETRS89, or
// REGCAN95 in the Canary Islands) to orthometric height H = h − N, and back.
// The point as longitude and latitude (decimal degrees) or UTM (X, Y, zone
// text "27" to "31" or "30E", northern hemisphere); then the height (m).
// Values: the position (longitude, latitude; or X, Y, zone), then h, N, H.
EstadoPunto LeerAlturaGeo(const LineaPunto& linea, EntradaPunto& entrada);
EstadoPunto LeerAlturaUtm(const LineaPunto& linea, EntradaPunto& entrada);
ResultadoPunto ConvertirAltitudGeo(const EntradaPunto& entrada, const AjustesConversion& ajustes);
ResultadoPunto ConvertirAltitudUtm(const EntradaPunto& entrada, const AjustesConversion& ajustes);
ResultadoPunto ConvertirAlturaGeo(const EntradaPunto& entrada, const AjustesConversion& ajustes);
ResultadoPunto ConvertirAlturaUtm(const EntradaPunto& entrada, const AjustesConversion& ajustes);

}  // namespace tesmaro
