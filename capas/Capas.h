// The records of a run as a GIS layer, written with GDAL/OGR: an output of
// the run (Sumidero.h) beside its text results, put in place with them.
//
// While the run goes, each converted record is kept, in full precision, in a
// scratch file beside the layer (constant memory); at the end the layer is
// written from it in one pass, knowing what only the whole run tells: the
// one UTM zone of every point, the longest name.
//
// Geometry: the position of each converted record in the coordinate system
// of its datum (ETRS89 EPSG:4258, ED50 EPSG:4230; UTM when every point of a
// geographic-to-UTM run is north in the same zone: EPSG 258zz/230zz, or a
// UTM system built from the zone and the datum where EPSG has none); the
// geocentric conversions and the geodetic problems on another ellipsoid get
// WGS 84 (EPSG:4326) or that ellipsoid's own geographic system. The geodetic
// problems give lines from A to B along the geodesic. GeoJSON and KML are
// always WGS 84 longitude/latitude: ED50 positions go through the NTv2 grid
// (a point outside it is left out and counted), ETRS89 is taken as WGS 84.
// Attributes: the name, and every column of the result, typed as the table
// of conversions declares it (a shapefile gets the columns' short names).
// Records that were not converted are left out and counted.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Sumidero.h"

namespace tesmaro {

enum class FormatoCapa { GeoPackage, Shapefile, GeoJSON, KML, CSV };

// The format of a layer path by its extension (case-insensitive); none for an
// extension no format has.
std::optional<FormatoCapa> FormatoDeRuta(std::string_view ruta);
// The extensions, for messages: ".gpkg, .shp, .geojson, .kml, .csv".
std::string ExtensionesCapa();
// The format's name for people ("GeoPackage", "Shapefile"...).
std::string_view NombreFormato(FormatoCapa formato);

// The layer `ruta` as an output of a run; its format by the extension (an
// unknown one fails at Empezar).
std::unique_ptr<Sumidero> CrearSalidaCapa(const std::string& ruta);

}  // namespace tesmaro
