// The points of a file conversion's text result, read as a stream: each
// record gives its name, the record itself and a longitude and latitude in
// degrees, with whether it was converted.
//
// Where the position comes from:
// - utm-geo, ed50-etrs89, etrs89-ed50: the result's Longitud and Latitud;
// - geo-utm: the input line's longitude and latitude when the input file is
//   given, else the result's X, Y, zone and hemisphere converted back
//   (UtmAGeodesicas on the row's datum, zones 30 and 31 only);
// - geo-cart: the result's X, Y, Z on its ellipsoid (CalculoCartGeo);
// - cart-geo, directo: the result's Longitud and Latitud (the angular unit);
// - inverso: two points, A and B, from the result's columns, which echo the
//   input even when the line was not converted.
// A line not converted (its computed columns empty) takes its position from
// the input file's line when the conversion reads longitude and latitude
// (geo-utm, geo-cart, directo, ed50-etrs89, etrs89-ed50) and the input file
// is given; otherwise it is left out.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "Mapa.h"

namespace tesmaro {

// One result file to draw.
struct FuentePuntos {
    std::int16_t codigo = -1;  // the conversion (codigo:: in TratarFichero.h)
    std::string rutaTxt;       // its text result
    std::string rutaEntrada;   // its input file; empty: unconverted lines have no position
    std::int16_t unidad = 1;   // angular unit of the run: 1 degrees, 2 grads, 3 radians
};

struct PuntoLeido {
    double lon = 0, lat = 0;  // degrees
    TipoPunto tipo = TipoPunto::Convertido;
    std::string_view nombre;      // without quotes
    std::string_view registro;    // the whole record
    std::uint64_t desplazamiento;  // byte offset of the record in the result
};

// Calls `cada` for every point of the result, in file order, with constant
// memory. False when the result cannot be read or the code has no row.
bool RecorrerPuntos(const FuentePuntos& fuente, const std::function<void(const PuntoLeido&)>& cada);

// The titles of the result's header record ("Nombre", "Longitud", ...).
QStringList TitulosResultado(const std::string& rutaTxt);
// The record at `desplazamiento` of a result, as "Título: valor" lines.
QString DescribirRegistro(const std::string& rutaTxt, std::uint64_t desplazamiento);

struct CuentaPuntos {
    std::uint64_t convertidos = 0, noConvertidos = 0, dibujados = 0;
    std::uint64_t Total() const { return convertidos + noConvertidos; }
};

// The whole map of a result on an image of `tamano` pixels, fitted to its
// points (the region of the zone map when there is none): a first pass finds
// their extent, a second draws them. A null image when the result cannot be
// read.
QImage DibujarResultado(const FuentePuntos& fuente, QSize tamano, CuentaPuntos* cuenta = nullptr);

}  // namespace tesmaro
