// The points of a run on the map: what a record places there, and the map
// image of a whole run as one of its outputs (tesmaro-lote --mapa).
//
// A converted record places its point (the point converted: its result, or
// its input when the input is the geographic point, as in geo-utm); a
// direct problem its B, an inverse problem its A and B. A line not converted
// is drawn in red at its input's position when its input is geographic
// (geo-utm, geo-cart, directo, ed50-etrs89, etrs89-ed50; inverso's A and B).
#pragma once
#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Mapa.h"
#include "Sumidero.h"

namespace tesmaro {

struct PuntoMapa {
    double lon = 0, lat = 0;  // degrees
    TipoPunto tipo = TipoPunto::Convertido;
};

// Calls `cada` for every point `registro` places on the map.
void PuntosDeRegistro(const Conversion& conversion, const RegistroPunto& registro,
                      const std::function<void(const PuntoMapa&)>& cada);

struct CuentaPuntos {
    std::uint64_t convertidos = 0, noConvertidos = 0, dibujados = 0;
    std::uint64_t Total() const { return convertidos + noConvertidos; }
};

// The map of a set of points on an image of `tamano` pixels, fitted to them
// (the region of the zone map when there is none). `recorrer` is called
// twice and hands every point to its argument each time: a first pass finds
// their extent, the second draws them.
QImage DibujarPuntos(const std::function<void(const std::function<void(const PuntoMapa&)>&)>& recorrer,
                     QSize tamano, CuentaPuntos* cuenta = nullptr);

// The map image `rutaPng` (1200 × 900 pixels, PNG) as an output of a run. The
// points wait in a scratch file beside it, 17 bytes each, so that memory is
// flat whatever the size of the file. Needs a QGuiApplication (any
// platform, offscreen included).
std::unique_ptr<Sumidero> CrearSalidaMapa(const std::string& rutaPng);

}  // namespace tesmaro
