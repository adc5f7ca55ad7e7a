// The self-test of tesmaro-lote --verificar: the grid in use is the shipped
// one (its SHA-256 against data/sped2et.gsb.sha256), the check points of
// data/sped2et_puntos_control.csv through the grid both ways, both geoid grids
// are the shipped ones (data/egm08_rednap*.gtx.sha256), N at the check points
// of data/egm08_rednap_puntos_control.csv, and one worked example of every
// conversion to the last printed digit.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tesmaro {

// One check: passed or not, and its line for people (what was checked and
// its worst deviation).
struct Comprobacion {
    bool bien;
    std::string texto;
};

// Runs every check with the grid at `rutaRejilla`, and the geoid grids and
// the recorded checksums and check points of the folder `carpetaDatos`.
std::vector<Comprobacion> Verificar(const std::string& rutaRejilla, const std::string& carpetaDatos);

// Whether the grid at `ruta` is the distributed one: its SHA-256 against the
// one recorded in the program's data folder. `suma` gets its SHA-256 (empty
// when the file cannot be read). SinComprobar: no file, or no sum recorded.
enum class OrigenRejilla { Distribuida, Otra, SinComprobar };
OrigenRejilla ComprobarRejilla(const std::string& ruta, std::string& suma);

// The grid a run uses, for its summary: "Rejilla: RUTA (la distribuida,
// SPED2ETV2 del IGN)", or that it is not (its SHA-256 differs from the one
// recorded in the program's data folder), or that it cannot be checked.
std::string DescribirRejilla(const std::string& rutaRejilla);
// The same for the geoid grids of a run: "Geoide: RUTA, RUTA (los
// distribuidos, EGM08-REDNAP del IGN)", or which one is not.
std::string DescribirGeoide(const std::string& rutaPeninsula, const std::string& rutaCanarias);

// SHA-256 of `datos`, as 64 lower-case hexadecimal digits.
std::string Sha256(std::string_view datos);

}  // namespace tesmaro
