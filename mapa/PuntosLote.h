// The points of a file run kept for the map window: an output of the run
// (Sumidero.h) that keeps, instead of writing a file, every point the records
// place on the map (PuntosDeRegistro) in memory, 16 bytes each, and the text
// shown when the pointer rests on one, made from the record itself (its name,
// line and values, or why it was not converted). The texts wait in a scratch
// file of its own, already unlinked; nothing reads the run's input or its
// text results again.
//
// The run fills a PuntosLote on its own thread; once the run has ended, the
// window hands it to the map (MapaPuntos::MostrarFichero) and only reads it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Puntos.h"
#include "Sumidero.h"

namespace tesmaro {

// One point kept: 16 bytes.
struct PuntoGuardado {
    float lon, lat;  // degrees; a float is a metre on the ground, far below a pixel
    std::uint64_t texto : 63;     // where its record's text starts in the scratch file
    std::uint64_t convertido : 1;
};
static_assert(sizeof(PuntoGuardado) == 16);

class PuntosLote {
public:
    // At most this many points are kept (256 MB); the rest of a larger run
    // is counted, not drawn.
    static constexpr std::size_t MaxPuntos = std::size_t{16} << 20;

    PuntosLote();
    ~PuntosLote();
    PuntosLote(const PuntosLote&) = delete;
    PuntosLote& operator=(const PuntosLote&) = delete;

    const std::vector<PuntoGuardado>& Puntos() const { return puntos_; }
    // Every point of the run, kept or not, and their extent (degrees).
    const CuentaPuntos& Cuenta() const { return cuenta_; }
    double lonMin = 1e9, lonMax = -1e9, latMin = 1e9, latMax = -1e9;
    // The text of the record at `desplazamiento` (PuntoGuardado::texto).
    std::string Texto(std::uint64_t desplazamiento) const;

private:
    friend class SalidaPuntos;
    std::vector<PuntoGuardado> puntos_;
    CuentaPuntos cuenta_;
    std::FILE* textos_ = nullptr;
    std::uint64_t escrito_ = 0;
    bool bien_ = true;
};

// What the map shows for a record: "name (línea n)", then one line per
// column of the row, "Título: valor" (15 significant digits, a decimal point,
// as the text result), or, for a line not converted, why.
std::string TextoRegistro(const Conversion& conversion, const RegistroPunto& registro);

// The output that fills `destino` during a run.
std::unique_ptr<Sumidero> CrearSalidaPuntos(std::shared_ptr<PuntosLote> destino);

}  // namespace tesmaro
