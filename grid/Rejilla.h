// The NTv2 distortion grid and the ED50 <-> ETRS89 transformation.
//
// Angles at this interface are seconds of arc, longitude positive east.
// A grid file is untrusted input: it is checked when it is opened and a file
// that cannot be used is refused with a Spanish message, never read out of
// bounds.
#pragma once
#include <memory>
#include <string>

namespace tesmaro {

// Name of the shipped grid, looked for in the current folder first.
inline constexpr const char* NombreRejilla = "sped2et.gsb";

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

class RejillaNtv2;  // the parsed grid, held in memory

// A grid opened once and kept for a whole batch run (or one click).
class Rejilla {
public:
    // Opens and checks the file. On failure estado() says why and mensaje()
    // gives a Spanish text that names the file.
    explicit Rejilla(const std::string& ruta);
    ~Rejilla();
    Rejilla(Rejilla&&) noexcept;
    Rejilla& operator=(Rejilla&&) noexcept;

    EstadoRejilla estado() const;
    const std::string& mensaje() const;
    const std::string& ruta() const;

    // RejillaED50aETRS89: bilinear interpolation of the cell's shifts.
    PuntoRejilla ED50aETRS89(double lonE, double lat) const;
    // RejillaETRS89aED50: fifteen fixed-point steps of the forward
    // transformation; outside (0, 0) when any step leaves the grid.
    PuntoRejilla ETRS89aED50(double lonE, double lat) const;

private:
    std::unique_ptr<RejillaNtv2> datos_;
    EstadoRejilla estado_;
    std::string mensaje_;
    std::string ruta_;
};

// The program's own data folder (grid and map data), found from the running
// executable: <bin>/../share/tesmaro when installed, <build>/data when run from
// the build tree (build/tesmaro next to build/data). Empty when neither exists.
std::string CarpetaDatosPrograma();

// The grid a window's "Calcular" and the command line use by default:
// "sped2et.gsb" in the current folder when it exists there, else the one in
// CarpetaDatosPrograma(), else "sped2et.gsb" (which then fails to open with
// its message).
std::string RutaRejillaVentanas();

}  // namespace tesmaro
