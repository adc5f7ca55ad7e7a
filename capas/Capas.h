// The results of a file conversion as a GIS layer, written with GDAL/OGR.
//
// EscribirCapa reads a finished text result (the .txt of a batch run) twice as
// a stream, with constant memory: once to learn the type of every column and
// the coordinate system, once to write the features. The layer is written
// under a temporary name beside its final name and renamed into place only
// when it is complete (a shapefile with all its sidecar files), so a failure
// leaves any earlier layer as it was.
//
// Geometry: the geographic position of each converted record, in the
// coordinate system of its datum (ETRS89 EPSG:4258, ED50 EPSG:4230, and the
// UTM systems 258zz/230zz when every point of a geographic-to-UTM run is UTM
// north in the same zone); the geocentric conversions and the geodetic
// problems on another ellipsoid get WGS 84 (EPSG:4326) or that ellipsoid's
// own geographic system. The geodetic problems give lines from A to B along
// the geodesic. GeoJSON and KML are always WGS 84 longitude/latitude: ED50
// positions go through the NTv2 grid, ETRS89 is taken as WGS 84.
// Attributes: every column of the text result, named by its header, Integer
// or Real where every value is a number, String otherwise. Records that were
// not converted (computed columns empty) are left out and counted.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tesmaro {

struct Conversion;

enum class FormatoCapa { GeoPackage, Shapefile, GeoJSON, KML, CSV };

// The format of a layer path by its extension (case-insensitive); none for an
// extension no format has.
std::optional<FormatoCapa> FormatoDeRuta(std::string_view ruta);
// The extensions, for messages: ".gpkg, .shp, .geojson, .kml, .csv".
std::string ExtensionesCapa();
// The format's name for people ("GeoPackage", "Shapefile"...).
std::string_view NombreFormato(FormatoCapa formato);

struct OpcionesCapa {
    // The point file of the run. Needed by the direct problem only, whose
    // result holds B but not A: A is read from the same line of this file.
    std::string rutaEntrada;
    // The NTv2 grid that takes ED50 positions to WGS 84 for GeoJSON and KML;
    // empty: RutaRejillaVentanas().
    std::string rutaRejilla;
    // The angle unit of the result's angles (geo-cart, cart-geo and the
    // geodetic problems: 1 sexagesimal degrees, 2 centesimal, 3 radians);
    // 0: ajustes::UnidadAngular, as the run that wrote it read it.
    std::int16_t unidad = 0;
};

struct ResumenCapa {
    bool escrita = false;        // the layer is in place
    std::string error;           // Spanish; non-empty: nothing was written
    std::string formato;         // "GeoPackage"
    std::string sistema;         // "EPSG:25830", or the ellipsoid's own system
    bool lineas = false;         // features are geodesic lines (A to B)
    std::uint64_t entidades = 0;     // features written
    std::uint64_t sinConvertir = 0;  // records left out: not converted
    std::uint64_t fueraRejilla = 0;  // left out: ED50 outside the grid (GeoJSON, KML)
};

// Writes the layer `rutaCapa` (format by its extension) from the text result
// `rutaTxt` of `conversion`. A window calls it after a file run with the
// ResumenLote's rutaTxt and the point file it chose.
ResumenCapa EscribirCapa(const Conversion& conversion, const std::string& rutaTxt,
                         const std::string& rutaCapa, const OpcionesCapa& opciones = {});

// The summary line: "Capa: FICHERO (GeoPackage, EPSG:25830): 3 puntos; 1 línea
// sin convertir fuera de la capa".
std::string TextoResumenCapa(const ResumenCapa& resumen, std::string_view rutaCapa);

// Removes the temporary files of a layer being written. Async-signal-safe
// (unlink only), for the handlers of SIGINT, SIGTERM and SIGHUP.
void BorrarTemporalesCapa() noexcept;

}  // namespace tesmaro
