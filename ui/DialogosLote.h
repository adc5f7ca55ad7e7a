// The batch driver's outside world in the windows: the Qt implementation of
// InterfazLote (batch/InterfazLote.h).
//
// - The two file-open dialogs (CommonDialog1 for point files, CommonDialog2
//   for grid files), with the driver's title and filter. The filter
//   "Todos los archivos (*.*)|*.*" shows every file here: on this platform
//   the pattern "*.*" would hide files without an extension, so it becomes
//   "*". Choosing a file makes its folder the current folder, as the dialog
//   always did. Each dialog opens where it was last used, in this session or
//   the last one (QSettings "Tesmaro"), at 900 × 600 (less on a small screen).
// - Messages through MostrarMensaje (ui/Mensajes.h).
// - A progress dialog, shown as soon as the run reports progress: the lines
//   read, the share of the file done and an estimate of the time left. It is
//   not modal: the other windows stay usable. "Cancelar" (or Escape, or
//   closing the dialog) asks the run to stop; Enter does nothing, so that a
//   key pressed for another window never cancels a run.
//
// The run itself goes on another thread (HiloLote): Progreso, LineasLeidas
// and Cancelado may be called from any thread; they only store what the
// dialog, refreshed on its own thread every tenth of a second, shows. The
// file dialogs and messages are called on the user-interface thread.
//
// The main window owns one instance and hands it to the file buttons through
// EntornoVentanas::EmpezarLote, which calls EmpezarLote() here; TerminarLote()
// follows the run.
#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "InterfazLote.h"

class QProgressDialog;
class QTimer;
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
    void LineasLeidas(std::uint64_t lineas) override;
    bool Cancelado() override;

    // Around every run of the driver: clears what the last run reported and
    // starts watching for progress; closes the progress dialog.
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
    // The timer's tick: shows the dialog once the run reports, refreshes it.
    void Refrescar();

    QPointer<QWidget> ventana_;
    QString carpetaPuntos_;
    QString carpetaRejilla_;
    std::unique_ptr<QTimer> reloj_;
    QPointer<QProgressDialog> progreso_;
    // What the run reported (any thread).
    std::atomic<std::uint64_t> leidos_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<std::uint64_t> lineas_{0};
    std::atomic<bool> informado_{false};
    std::atomic<bool> cancelado_{false};
    // The estimate of the time left: the clock and the bytes read when the
    // dialog appeared.
    QElapsedTimer desde_;
    std::uint64_t leidosAlPrincipio_ = 0;
};

}  // namespace tesmaro
