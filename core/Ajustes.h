// Process-wide settings shared by every window and every batch run.
//
// Both live for the whole run and are never saved: each run starts with the
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

// Puts both settings back to their start values (the main window does this
// when it loads; tests do it in TearDown).
inline void Restablecer() {
    UnidadAngular = 1;
    ElipsoideActual = 4;
}

}  // namespace tesmaro::ajustes
