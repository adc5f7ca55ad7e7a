// What a window needs from the program around it, handed to its constructor:
// message boxes, the batch driver's dialogs for a file button, the zone map
// and the ellipsoid dialog.
//
// MDIPrincipal implements it with the real boxes and dialogs and gives itself
// to every window it creates; tests give a fake that records the messages and
// answers the file dialogs. A window never looks the main window up.
#pragma once
#include <QString>

#include "InterfazLote.h"
#include "Mensajes.h"

class QWidget;

namespace tesmaro {

class EntornoVentanas {
public:
    virtual ~EntornoVentanas() = default;

    // A modal message box centred over `ventana` (MostrarMensaje).
    virtual void Mensaje(const QString& texto, IconoMensaje icono, QWidget* ventana) = 0;

    // The outside world of one file run started from `ventana`: its dialogs
    // appear over that window. TerminarLote() after the run closes whatever
    // the run left open (the progress dialog).
    virtual InterfazLote& EmpezarLote(QWidget* ventana) = 0;
    virtual void TerminarLote() = 0;

    // "Guardar como capa…": the layer file to write, asked over `ventana`
    // starting at `propuesta`, with the layer formats as filters; empty:
    // cancelled. By default the save dialog (EntornoVentanas.cpp).
    virtual QString ElegirCapa(QWidget* ventana, const QString& propuesta);

    // "Ver Husos UTM": the zone map.
    virtual void MostrarZonasUtm() = 0;
    // The ellipsoid dialog (the ellipsoid bars and the menu entry).
    virtual void MostrarElipsoides() = 0;
    // "Mapa de puntos": the map of the last file run and of each window's
    // last "Calcular" ("Ver en el mapa").
    virtual void MostrarMapaPuntos() = 0;
};

}  // namespace tesmaro
