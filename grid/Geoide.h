// The geoid undulation N of IGN's EGM08-REDNAP model, read from GTX grids,
// and the conversions between ellipsoidal height h (ETRS89, or REGCAN95 in
// the Canary Islands) and orthometric height H = h − N.
//
// Angles at this interface are degrees, longitude positive east; h, H and N
// are metres. Two grids make the model, both with nodes every 0.01666666°
// (as published, not quite 1′) in both directions:
//  - egm08_rednap.gtx, mainland Spain and the Balearic Islands: 841 × 541
//    nodes, lon −9.5…4.4999944, lat 35…43.9999964;
//  - egm08_rednap_canarias.gtx, Canary Islands: 331 × 121 nodes,
//    lon −18.5…−13.0000022, lat 27.5…29.4999992.
//
// The GTX file. A 40-byte big-endian header: latitude and longitude of the
// south-west node, latitude and longitude spacing (four float64, degrees),
// number of rows and of columns (two int32); then rows × columns big-endian
// float32 values (metres), row by row from south to north, each row from west
// to east. A file is untrusted input: its header is checked and its size
// compared with the one the header asks for before any value is read, and a
// file that cannot be used is refused with a Spanish message that names it:
//  - the origin and the spacings are finite; the origin latitude within ±90°,
//    the origin longitude within ±360° (an origin of 180° or more is moved
//    360° west, as PROJ does); the spacings positive and at most 180°;
//  - at least 2 rows and 2 columns; the last row at most at 90° and the
//    columns spanning at most 360°;
//  - 4 · rows · columns values of at most 1 GiB, and the file exactly
//    40 + 4 · rows · columns bytes long.
// A node whose value is the GTX "no data" value −88.8888, NaN, infinite or
// beyond ±1000 m (PROJ's rule for no data) is a hole: a point whose four
// nodes include one is outside the model (where PROJ averages the others, or
// gives NaN for a NaN node). The shipped grids have no hole.
//
// The interpolation is PROJ's vgridshift, to the grouping of its operations:
// a point is inside a grid when west ≤ lon ≤ east and south ≤ lat ≤ north
// (edges included; east = west + spacing · (columns − 1), likewise north), a
// longitude outside that range being tried once 360° east or west of itself.
// With gx = (lon − west) / spacing, gy = (lat − south) / spacing,
// ix = floor(gx), iy = floor(gy), x = gx − ix, y = gy − iy, the four nodes
// are a (ix, iy), b (ix + 1, iy), c (ix, iy + 1), d (ix + 1, iy + 1), a
// neighbour beyond the last column or row being the last one itself (a point
// on the eastern or northern edge line); and
//   N = a·(1 − x − y + xy) + b·(x − xy) + c·(y − xy) + d·xy,
// each weight evaluated left to right, the products added in that order. A
// grid whose columns go once round the world wraps: the column after the last
// is the first one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Rejilla.h"

namespace tesmaro {

// Names of the shipped grids, looked for in the program's data folder.
inline constexpr const char* NombreGeoidePeninsula = "egm08_rednap.gtx";
inline constexpr const char* NombreGeoideCanarias = "egm08_rednap_canarias.gtx";

// What a point outside the model is told (a batch line, a window's result).
inline constexpr const char* TextoFueraDelGeoide =
    "Punto fuera del modelo de geoide EGM08-REDNAP (península, Baleares y Canarias)";

// N at one point.
struct OndulacionGeoide {
    bool dentro = false;  // false: outside the grid or next to a hole; N = 0
    double N = 0;         // geoid undulation (metres), height of the geoid above the ellipsoid
};

// One GTX grid, read whole and kept in memory for a batch run or a click
// (1.8 MB for egm08_rednap.gtx).
class RejillaGeoide {
public:
    // Opens and checks the file. On failure estado() says why and mensaje()
    // gives a Spanish text that names the file.
    explicit RejillaGeoide(const std::string& ruta);
    // A grid given as bytes (tests and the fuzzer); `nombre` stands for the
    // file name in the messages.
    RejillaGeoide(const std::string& nombre, const std::vector<unsigned char>& contenido);

    EstadoRejilla estado() const { return estado_; }
    const std::string& mensaje() const { return mensaje_; }
    const std::string& ruta() const { return ruta_; }

    // Whether the point (degrees) lies within the grid's nodes, edges
    // included; false when the grid is not Correcta.
    bool Contiene(double lon, double lat) const;
    // N at the point (degrees) by bilinear interpolation of the four nodes
    // around it; outside when not Contiene or when one of them is a hole.
    OndulacionGeoide Ondulacion(double lon, double lat) const;

private:
    void Cargar(const unsigned char* cabecera, std::uint64_t tamano);
    float Nodo(std::int64_t columna, std::int64_t fila) const {
        return valores_[static_cast<std::size_t>(fila * columnas_ + columna)];
    }

    EstadoRejilla estado_ = EstadoRejilla::Invalida;
    std::string mensaje_;
    std::string ruta_;
    double oeste_ = 0, sur_ = 0, este_ = 0, norte_ = 0;  // degrees, the outer nodes
    double pasoLon_ = 1, pasoLat_ = 1;                   // degrees
    std::int64_t filas_ = 0, columnas_ = 0;
    bool vueltaCompleta_ = false;  // the columns go once round the world
    std::vector<float> valores_;   // metres, row by row from the south, each from the west
};

// Which grid served a point.
enum class ZonaGeoide {
    Fuera,              // outside the model: in neither grid, or next to a hole
    PeninsulaBaleares,  // egm08_rednap.gtx, heights on ETRS89
    Canarias,           // egm08_rednap_canarias.gtx, heights on REGCAN95
};

// A height converted through the geoid.
struct AlturaGeoide {
    ZonaGeoide zona = ZonaGeoide::Fuera;
    double N = 0;       // geoid undulation (metres); 0 outside
    double altura = 0;  // the result (metres): H or h; 0 outside
    bool dentro() const { return zona != ZonaGeoide::Fuera; }
};

// The grid `nombre` in CarpetaDatosPrograma(), or the bare name (the current
// folder) when the program has no data folder.
std::string RutaGeoide(const char* nombre);

// The model: both grids, the one that holds the point chosen by its position
// (the mainland grid is tried first; the two do not overlap).
class Geoide {
public:
    // Opens and checks both files (by default those of the program's data
    // folder, RutaGeoide).
    explicit Geoide(const std::string& rutaPeninsula = RutaGeoide(NombreGeoidePeninsula),
                    const std::string& rutaCanarias = RutaGeoide(NombreGeoideCanarias));
    Geoide(RejillaGeoide peninsula, RejillaGeoide canarias);

    // Correcta when both grids are; else the state and message of the first
    // that is not (the mainland one first). A model that is not Correcta
    // answers every point with Fuera: callers check it before a run.
    EstadoRejilla estado() const;
    const std::string& mensaje() const;
    const RejillaGeoide& peninsula() const { return peninsula_; }
    const RejillaGeoide& canarias() const { return canarias_; }

    // N at the point (longitude, latitude in degrees); altura = 0.
    AlturaGeoide Ondulacion(double lon, double lat) const;
    // Orthometric height H = h − N from the ellipsoidal height h (metres).
    AlturaGeoide AltitudOrtometrica(double lon, double lat, double h) const;
    // Ellipsoidal height h = H + N from the orthometric height H (metres).
    AlturaGeoide AlturaElipsoidal(double lon, double lat, double H) const;

private:
    RejillaGeoide peninsula_;
    RejillaGeoide canarias_;
};

}  // namespace tesmaro
