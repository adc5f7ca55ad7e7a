// One file run (EjecutarLote, batch/Lote.h) on a thread of its own, so that
// the windows stay responsive, with its progress dialog (step 2 of a file
// run).
//
// The run is ordered whole before it starts (the OrdenLote and its extra
// outputs): the worker asks nothing and waits for nothing. Its observer only
// stores what the run reports (from the worker thread); the progress dialog,
// refreshed on the user-interface thread every tenth of a second, shows the
// lines read, the share of the file done and an estimate of the time left,
// or the phase of an output (writing a layer) with its own share. It is not
// modal. "Cancelar", Escape or closing the dialog ask the run to stop; Enter
// does nothing, so that a key pressed for another window never cancels a
// run. A stopped run replaces nothing (Compromiso.h).
//
// When the run ends, `alAcabar` receives its summary on the user-interface
// thread. Deleting the TrabajoLote (closing its window, or the program) stops
// the run, waits for its thread and never calls `alAcabar`.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Lote.h"

class QProgressDialog;
class QTimer;
class QWidget;

namespace tesmaro {

class TrabajoLote final : public QObject, private ObservadorLote {
    Q_OBJECT
public:
    TrabajoLote(OrdenLote orden, std::vector<std::unique_ptr<Sumidero>> sumideros, QWidget* ventana,
                QString texto, std::function<void(const ResumenLote&)> alAcabar);
    ~TrabajoLote() override;

    // Asks the run to stop (as "Cancelar").
    void Cancelar() { cancelado_ = true; }
    // The progress dialog, once the run has reported (nullptr before).
    QProgressDialog* Dialogo() const;

private:
    void Progreso(std::uint64_t hechos, std::uint64_t total) override;
    void LineasLeidas(std::uint64_t lineas) override;
    void Fase(std::string_view texto) override;
    bool Cancelado() override { return cancelado_; }

    void Refrescar();
    void Acabar();

    OrdenLote orden_;
    std::vector<std::unique_ptr<Sumidero>> sumideros_;
    QPointer<QWidget> ventana_;
    QString texto_;
    std::function<void(const ResumenLote&)> alAcabar_;
    ResumenLote resumen_;  // written by the worker before terminado_
    QTimer* reloj_;
    QPointer<QProgressDialog> progreso_;
    // What the run reported (worker thread).
    std::atomic<std::uint64_t> hechos_{0}, total_{0}, lineas_{0};
    std::atomic<bool> informado_{false}, cancelado_{false}, terminado_{false};
    std::mutex mutex_;
    std::string fase_;  // guarded by mutex_
    // The estimate of the time left: since the dialog appeared, or the phase began.
    QElapsedTimer desde_;
    std::uint64_t hechosAlPrincipio_ = 0;
    std::string faseMostrada_;
    std::thread hilo_;
};

}  // namespace tesmaro
