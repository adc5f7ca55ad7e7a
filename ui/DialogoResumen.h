// The summary of a file run (step 3), shown after every run whatever its
// outcome: what happened (TextoResumen), the files put in place (both with
// any control character of a path escaped, TextoVisible), and the
// buttons "Abrir carpeta" (the folder of the results, in the desktop's file
// manager; off without results), "Ver en el mapa" (only when the run's
// points are on the map) and
// "Cerrar" (the default: Enter and Escape close it). Not modal; it deletes
// itself when closed.
#pragma once
#include <QDialog>
#include <functional>

#include "EntornoVentanas.h"

class QLabel;
class QPushButton;

namespace tesmaro {

class DialogoResumen final : public QDialog {
    Q_OBJECT
public:
    DialogoResumen(const ResumenVentana& resumen, std::function<void()> verMapa, QWidget* padre = nullptr);

    QLabel* Label_Titulo;
    QLabel* Label_Texto;
    QLabel* Label_Salidas;  // one full path a line
    QPushButton* AbrirCarpeta;
    QPushButton* VerMapa;
    QPushButton* Cerrar;

    // Opens a folder for the user (QDesktopServices); tests replace it.
    static std::function<bool(const QString& carpeta)> Abrir;

private:
    QString carpeta_;
};

}  // namespace tesmaro
