// Process-wide settings shared by every window and every batch run.
//
// They live for the whole run and are never saved: each run starts with the
// values below. Nobody keeps a copy; read them where they are used.
#pragma once
#include <cstdint>

namespace tesmaro::ajustes {

// Angular unit of typed and shown angles: 1 sexagesimal degrees (decimal
// degrees), 2 centesimal grads, 3 radians; any other value behaves like 1.
// Start value 1. Written only by the angular-units dialog (and the command-line
// option --unidad, which plays its part).
inline std::int16_t UnidadAngular = 1;

// Row of TablaElipsoides used by the Cartesian and geodetic-problem
// computations. Start value 4 ("WGS 84"). Written only by the ellipsoid
// dialog (and the command-line option --elipsoide).
inline std::int16_t ElipsoideActual = 4;

// Decimals of the results: lengths in metres (coordinates, heights,
// distances) and angles (in the unit of UnidadAngular) written with this many
// decimals, fixed, rounded to nearest, a zero without a sign; -1: 15
// significant digits, as always. Read by the windows' result boxes and by
// the file runs they order. Start value -1 and -1. Written only by the
// decimals dialog (the command-line option --decimales sets its run's own).
inline int DecimalesMetros = -1;
inline int DecimalesAngulos = -1;

// Puts every setting back to its start value (the main window does this when
// it loads; tests do it in TearDown).
inline void Restablecer() {
    UnidadAngular = 1;
    ElipsoideActual = 4;
    DecimalesMetros = -1;
    DecimalesAngulos = -1;
}

}  // namespace tesmaro::ajustes
