// One batch processor per conversion. Each reads a point file line by line
// (the first line is a heading and is skipped), splits every later line with
// the field splitter, runs the same computation as its window and writes one
// record per point into the text result and its CSV twin, under a header
// record. Memory stays flat whatever the size of the file.
//
// Lines are converted in blocks, on as many threads as the task asks for; the
// records are written in the order of the input, so the results are the same
// bytes whatever the number of threads.
//
// A line that its computation cannot answer (a result that is not finite, an
// inverse-problem pair in different hemispheres or too far apart) is written
// with its name, the columns that echo its input or the ellipsoid, and empty
// computed columns; it is counted and the run goes on.
#pragma once
#include <string>

#include "Conversiones.h"
#include "InterfazLote.h"
#include "TratarFichero.h"

namespace tesmaro {

class Rejilla;

// Full paths of the two result files of a run.
struct DestinoLote {
    std::string rutaTxt;
    std::string rutaCsv;
};

// One run of one conversion: its row, the input file, the results and, for the
// grid conversions, the grid opened once by the caller for the whole run.
struct TareaLote {
    const Conversion& conversion;
    std::string rutaEntrada;
    DestinoLote destino;
    const Rejilla* rejilla;  // the grid conversions only
    InterfazLote& interfaz;
    unsigned hilos = 1;      // threads converting lines
    bool exacto = false;     // the exact methods for UTM and the geodetic problems
};

// UTM (fields: name, X, Y, zone text "30", "31" or "30E", hemisphere) to
// longitude and latitude in decimal degrees on the row's datum. The first
// zone text of any other kind stops the run with the message
// textos::HusoFueraDeArea; the records written so far stay (detenido).
ResumenLote LoteUtmGeo(const TareaLote& tarea);

// Longitude, latitude (decimal degrees) and zone to UTM on the row's datum. A
// zone that does not round to 27..31 skips the line (saltadas).
ResumenLote LoteGeoUtm(const TareaLote& tarea);

// Longitude, latitude (angular unit setting) and ellipsoidal height to
// geocentric X, Y, Z on the current ellipsoid, and back.
ResumenLote LoteGeoCart(const TareaLote& tarea);
ResumenLote LoteCartGeo(const TareaLote& tarea);

// UTM conversions by the legacy method note the converted lines more than
// 1 cm from the exact position (ResumenLote::imprecisas); the exact method
// names itself in ResumenLote::metodo.

// The direct and the inverse geodetic problems on the current ellipsoid,
// angles in the angular unit setting.
ResumenLote LoteProblemaDirecto(const TareaLote& tarea);
ResumenLote LoteProblemaInverso(const TareaLote& tarea);

// ED50 <-> ETRS89 by the grid. Points outside the grid are written with 0, 0
// and zone 0.
ResumenLote LoteED50aETRS89(const TareaLote& tarea);
ResumenLote LoteETRS89aED50(const TareaLote& tarea);

}  // namespace tesmaro
