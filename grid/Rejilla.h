// The NTv2 distortion grid and the ED50 <-> ETRS89 transformation.
//
// Angles at this interface are seconds of arc, longitude positive east.
// A grid file is untrusted input: it is checked when it is opened and a file
// that cannot be used is refused with a Spanish message, never read out of
// bounds.
//
// Two ways to use a grid, with bit-identical results:
//  - class Rejilla reads the whole file once and keeps it in memory (768 KB
//    for sped2et.gsb): what the batch runs and a window's "Calcular" use (a
//    window opens it afresh for each click);
//  - the free functions BuscaCelda, RejillaED50aETRS89 and RejillaETRS89aED50
//    taking a path open the file for every evaluation, read its headers and
//    the four nodes of one cell with seeks, and close it again: for a caller
//    that looks up a point or two without holding the grid.
//
// What the file must be to be accepted (anything else is refused as
// EstadoRejilla::Invalida, naming the file and the reason):
//  - little-endian, overview header of 11 records starting with the label
//    NUM_OREC, NUM_OREC = NUM_SREC = 11, GS_TYPE starting with the seven
//    letters SECONDS (its eighth byte, a blank or a NUL in the grids in use,
//    is not looked at, as PROJ's reader does; "SECOND  " is refused);
//  - NUM_FILE from 1 to 150 (MaxSubrejillas). A file with more sub-grids is
//    refused rather than cut to its first 150, which would turn the points of
//    the later sub-grids silently into "outside";
//  - every sub-grid header starts with the label SUB_NAME and lies wholly in
//    the file; its limits and increments are finite, the increments positive
//    and below 1000000", the latitudes within ±90°, the longitudes within
//    ±360°; it has at least 2 rows and 2 columns of nodes and GS_COUNT equals
//    rows × columns; its GS_COUNT node records lie wholly in the file;
//  - every shift is a number within ±180° (648000"). Class Rejilla checks
//    them all when it loads the file; the per-call functions check the four
//    nodes they read, and refuse the file when one is absurd.
//  The record labels other than NUM_OREC and SUB_NAME, the accuracies and the
//  closing END record are not looked at.
//  Class Rejilla checks the headers, read with seeks, before it reads any
//  node, and then reads the file only up to the last node; a grid whose nodes
//  take more than 1 GiB is refused (not held in memory).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tesmaro {

// Name of the shipped grid, looked for in the current folder first.
inline constexpr const char* NombreRejilla = "sped2et.gsb";

// Most sub-grids a grid file may have.
inline constexpr int MaxSubrejillas = 150;

enum class EstadoRejilla {
    Correcta,
    NoEncontrada,  // the file does not exist or cannot be opened
    Invalida,      // the file is not a usable NTv2 grid
};

// Shift of one point.
struct PuntoRejilla {
    bool dentro = false;  // false: no sub-grid holds the point; lon = lat = 0
    double lon = 0;       // seconds of arc, east positive
    double lat = 0;       // seconds of arc
};

// The cell of one point (BuscaCelda).
//
// Which sub-grid: a sub-grid holds the point when it lies within the extent
// of its nodes, S_LAT <= lat <= S_LAT + (rows − 1)·LAT_INC and
// E_LONG <= lonW <= E_LONG + (columns − 1)·LONG_INC (lonW = −lonE), every
// edge line included, and a point up to (LAT_INC + LONG_INC)·1e-5 outside
// an edge taken on it (PROJ's tolerance: 0.003" for sped2et.gsb). A point that
// no sub-grid holds is outside, as PROJ has it: nothing is extrapolated. Among
// the sub-grids that hold the point the one with the smallest LAT_INC wins,
// the first in the file on a tie.
//
// Which cell: row r = trunc((lat − S_LAT) / LAT_INC) + 1 and column
// c = trunc((lonW − E_LONG) / LONG_INC) + 1, except that the northern and
// western edge lines (and the tolerance beyond any edge) take the last cell
// and the first, with X, Y kept within [0, 1].
struct CeldaRejilla {
    bool encontrada = false;
    int subrejilla = 0;        // 1 = first sub-grid of the file
    std::int64_t fila = 0;     // r of node 1, from 1 (south)
    std::int64_t columna = 0;  // c of node 1, from 1 (east)
    // Shifts of the corner nodes in seconds (latitude north positive,
    // longitude WEST positive, as stored): [0] node 1 south-east corner (r, c),
    // [1] its western neighbour (r, c + 1), [2] its northern neighbour
    // (r + 1, c), [3] the north-west corner (r + 1, c + 1).
    float dLat[4] = {0, 0, 0, 0};
    float dLon[4] = {0, 0, 0, 0};
    double X = 0;  // (lonW − lonW₁) / LONG_INC, lonW₁ = E_LONG + (c − 1)·LONG_INC
    double Y = 0;  // (lat − lat₁) / LAT_INC, lat₁ = S_LAT + (r − 1)·LAT_INC
};

// RejillaED50aETRS89 on a cell already found: the bilinear coefficients
// a1 = d2 − d1, a2 = d3 − d1, a3 = ((d4 + d1) − d2) − d3 are formed in double
// and rounded to float32, as the grid transformation has always done; then
// s = ((a0 + a1·X) + a2·Y) + (a3·X)·Y in double, lat′ = lat + s_lat,
// lonE′ = −((−lonE) + s_lon). Outside (encontrada false) gives (0, 0).
PuntoRejilla DesplazaConCelda(const CeldaRejilla& celda, double lonE, double lat);

class RejillaNtv2;  // the parsed grid, held in memory

// A grid opened once and kept for a whole batch run (or one click).
class Rejilla {
public:
    // Opens and checks the file. On failure estado() says why and mensaje()
    // gives a Spanish text that names the file.
    explicit Rejilla(const std::string& ruta);
    // A grid given as bytes (tests and the fuzzer); `nombre` stands for the
    // file name in the messages.
    Rejilla(const std::string& nombre, std::vector<unsigned char> contenido);
    ~Rejilla();
    Rejilla(Rejilla&&) noexcept;
    Rejilla& operator=(Rejilla&&) noexcept;

    EstadoRejilla estado() const;
    const std::string& mensaje() const;
    const std::string& ruta() const;

    // The cell that holds the point (see CeldaRejilla); not found when the
    // grid is not Correcta.
    CeldaRejilla BuscaCelda(double lonE, double lat) const;
    // RejillaED50aETRS89: bilinear interpolation of the cell's shifts.
    PuntoRejilla ED50aETRS89(double lonE, double lat) const;
    // RejillaETRS89aED50: fifteen fixed-point steps of the forward
    // transformation; outside (0, 0) when any step leaves the grid, or when
    // the forward transformation does not take the point found back to the
    // start within 2e-7" (6 µm): where the shifts of two sub-grids differ at
    // the edge of one (BALEARES in sped2et.gsb, by up to 0.13"), some points
    // have no ED50 point that the grid takes to them.
    PuntoRejilla ETRS89aED50(double lonE, double lat) const;

private:
    std::unique_ptr<RejillaNtv2> datos_;
    EstadoRejilla estado_;
    std::string mensaje_;
    std::string ruta_;
};

// The same lookups reading the file `ruta` afresh for every evaluation (a
// reverse transformation opens it up to 15 times). The results are
// bit-identical to those of class Rejilla. When the file is missing or
// invalid the return value says so, `mensaje` gets the Spanish text and the
// result is outside (zeros); otherwise `mensaje` is left empty.
[[nodiscard]] EstadoRejilla BuscaCelda(const std::string& ruta, double lonE, double lat,
                                       CeldaRejilla& celda, std::string& mensaje);
[[nodiscard]] EstadoRejilla RejillaED50aETRS89(const std::string& ruta, double lonE, double lat,
                                               PuntoRejilla& punto, std::string& mensaje);
[[nodiscard]] EstadoRejilla RejillaETRS89aED50(const std::string& ruta, double lonE, double lat,
                                               PuntoRejilla& punto, std::string& mensaje);

// The program's own data folder (grid and map data), given by the build:
// the installed data folder relative to the running executable's folder
// (/proc/self/exe; <bin>/../share/tesmaro), else the build tree's data folder
// (<build>/data, used by every program run from the build tree, tests
// included). The folder must hold sped2et.gsb to count. Empty when neither
// does.
std::string CarpetaDatosPrograma();

// The grid a window's "Calcular" and the command line use by default:
// "sped2et.gsb" in the current folder when it exists there, else the one in
// CarpetaDatosPrograma(), else "sped2et.gsb" (which then fails to open with
// its message).
std::string RutaRejillaVentanas();

}  // namespace tesmaro
