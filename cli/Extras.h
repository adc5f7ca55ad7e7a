// The parts of tesmaro-lote that need large libraries, GDAL for --capa and the
// Qt GUI for --mapa, live in a module that the program loads only when one of
// them is asked for: a plain conversion starts without them. The module
// makes the outputs (Sumidero.h) that the program adds to its run; they get
// everything else through the run (the records, the settings, the Salidas).
#pragma once
#include <cstddef>

#include "Sumidero.h"

extern "C" {

struct TesmaroExtras {
    // Whether `ruta` names a layer format; false with the formats in `texto`.
    bool (*FormatoCapaValido)(const char* ruta, char* texto, std::size_t n);
    // The layer `ruta` (format by its extension) and the map image `ruta`
    // (PNG) as outputs of a run; the caller deletes them.
    tesmaro::Sumidero* (*CrearCapa)(const char* ruta);
    tesmaro::Sumidero* (*CrearMapa)(const char* ruta);
    // After the run, its outputs deleted: ends what the map needed (the GUI
    // library and its threads), before the program does.
    void (*Terminar)();
};

// The module's table (its only exported symbol).
const TesmaroExtras* tesmaro_extras();
}

// The module's file name, beside tesmaro-lote in the build tree and in
// TESMARO_EXTRAS_DESDE_BIN (relative to the program's folder) when installed.
inline constexpr const char* NombreModuloExtras = "libtesmaro-lote-extras.so";
