// What a window needs from the program around it, handed to its constructor:
// message boxes, the dialogs of a file run (the point file, the grid, the
// layer's name, the summary), the zone map, the ellipsoid dialog and the map
// of points.
//
// MDIPrincipal implements it with the real boxes and dialogs (the defaults
// below) and gives itself to every window it creates; tests give a fake that
// records what was asked and shown and answers the file dialogs. A window
// never looks the main window up.
#pragma once
#include <QString>
#include <QStringList>

#include "Mensajes.h"

class QWidget;

namespace tesmaro {

struct Conversion;

// What the summary of a run shows (step 3 of a file run).
struct ResumenVentana {
    QString titulo;       // "Fichero convertido: UTM a geodésicas en ETRS89", or what went wrong
    QString texto;        // TextoResumen of the run
    QStringList salidas;  // the files put in place (full paths)
    bool fallo = false;   // failed or cancelled: nothing replaced
    bool mapa = false;    // its points are on the map
};

class EntornoVentanas {
public:
    virtual ~EntornoVentanas() = default;

    // A modal message box centred over `ventana` (MostrarMensaje).
    virtual void Mensaje(const QString& texto, IconoMensaje icono, QWidget* ventana) = 0;

    // Step 1 of a file run: the point file of `conversion`, asked over
    // `ventana` with the layout of its lines and the names of its results in
    // sight; empty: cancelled. The folder is remembered between sessions.
    // husoForzado: the zone every point of a geographic-to-UTM run goes in
    // (27..31), 0: each point's own.
    virtual QString ElegirFicheroPuntos(QWidget* ventana, const Conversion& conversion, std::int16_t husoForzado);
    // The NTv2 grid of the grid windows, starting at `actual`; empty: cancelled.
    virtual QString ElegirRejilla(QWidget* ventana, const QString& actual);
    // "Guardar como capa…": the layer file to write, asked over `ventana`
    // starting at `propuesta`, with the layer formats as filters; empty:
    // cancelled.
    virtual QString ElegirCapa(QWidget* ventana, const QString& propuesta);
    // Step 3: the summary of every run, whatever its outcome, over `ventana`,
    // with buttons to open the results' folder and to show the points on the
    // map. Not modal.
    virtual void MostrarResumen(QWidget* ventana, const ResumenVentana& resumen);

    // "Ver Husos UTM": the zone map.
    virtual void MostrarZonasUtm() = 0;
    // The ellipsoid dialog (the ellipsoid bars and the menu entry).
    virtual void MostrarElipsoides() = 0;
    // "Mapa de puntos": the map of the last file run and of each window's
    // last "Calcular" ("Ver en el mapa").
    virtual void MostrarMapaPuntos() = 0;
};

// The layout of a conversion's point lines and the names of its results, as
// the point-file dialog shows them (with the zone forced, if not 0).
QString AyudaFichero(const Conversion& conversion, std::int16_t husoForzado = 0);

}  // namespace tesmaro
