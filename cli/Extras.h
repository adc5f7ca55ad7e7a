// The parts of tesmaro-lote that need large libraries, GDAL for --capa and the
// Qt GUI for --mapa, live in a module that the program loads only when one of
// them is asked for: a plain conversion starts without them. The module and
// the program share nothing but this table of plain C functions; settings
// such as the angular unit are passed explicitly.
#pragma once
#include <cstddef>

extern "C" {

struct TesmaroExtras {
    // Whether `ruta` names a layer format; false with the formats in `texto`.
    bool (*FormatoCapaValido)(const char* ruta, char* texto, std::size_t n);
    // The layer `capa` from the text result `txt` of conversion `codigo`:
    // true with the summary line in `texto`, false with the error.
    bool (*Capa)(int codigo, const char* txt, const char* capa, const char* entrada, const char* rejilla,
                 int unidad, char* texto, std::size_t n);
    // The points of `txt` on the map into the PNG `png`: true with the summary
    // line in `texto`, false with the error.
    bool (*Mapa)(int codigo, const char* txt, const char* png, const char* entrada, int unidad, char* texto,
                 std::size_t n);
    // Removes the layer's temporaries; async-signal-safe.
    void (*BorrarTemporales)();
};

// The module's table (its only exported symbol).
const TesmaroExtras* tesmaro_extras();
}

// The module's file name, beside tesmaro-lote in the build tree and in
// TESMARO_EXTRAS_DESDE_BIN (relative to the program's folder) when installed.
inline constexpr const char* NombreModuloExtras = "libtesmaro-lote-extras.so";
