// The batch driver's outside world in the windows: the Qt implementation of
// InterfazLote (batch/InterfazLote.h).
//
// - The two file-open dialogs (CommonDialog1 for point files, CommonDialog2
//   for grid files), with the driver's title and filter. The filter
//   "Todos los archivos (*.*)|*.*" shows every file here: on this platform
//   the pattern "*.*" would hide files without an extension, so it becomes
//   "*". Choosing a file makes its folder the current folder, as the dialog
//   always did. Each dialog opens where it was last used.
// - Messages through MostrarMensaje (ui/Mensajes.h).
// - A progress dialog with a "Cancelar" button, shown once a run has lasted
//   more than a moment (0.4 s), driven by Progreso(); Cancelado() lets it
//   paint and reports the button. While it is shown it is application modal,
//   so no other window can start work meanwhile.
//
// The main window owns one instance and hands it to the file buttons through
// EntornoVentanas::EmpezarLote, which calls EmpezarLote() here; TerminarLote()
// follows the run.
#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <string>

#include "InterfazLote.h"

class QProgressDialog;
class QWidget;

namespace tesmaro {

class DialogosLote final : public InterfazLote {
public:
    explicit DialogosLote(QWidget* ventana = nullptr);
    ~DialogosLote() override;

    std::string ElegirFicheroPuntos(const DialogoFichero& dialogo) override;
    std::string ElegirRejilla(const DialogoFichero& dialogo) override;
    void Mensaje(std::string_view texto) override;
    void Progreso(std::uint64_t leidos, std::uint64_t total) override;
    bool Cancelado() override;

    // Around every run of the driver: starts the clock of the progress
    // dialog; closes it.
    void EmpezarLote();
    void TerminarLote();

    // The window over which the dialogs appear.
    void FijarVentana(QWidget* ventana) { ventana_ = ventana; }

    // The driver's "Description|pattern|..." filter as a Qt file-dialog
    // filter, "*.*" shown as "*": "Todos los archivos (*.*)|*.*" gives
    // "Todos los archivos (*)".
    static QString FiltroQt(const std::string& filtro);

private:
    std::string Elegir(const DialogoFichero& dialogo, bool rejilla);

    QPointer<QWidget> ventana_;
    QString carpetaPuntos_;
    QString carpetaRejilla_;
    QElapsedTimer reloj_;
    QElapsedTimer ultimoRepintado_;
    QPointer<QProgressDialog> progreso_;
    int valor_ = -1;
    bool cancelado_ = false;
};

}  // namespace tesmaro
