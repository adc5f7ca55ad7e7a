// One file conversion (TratarFichero) on a thread of its own, so that the
// windows stay responsive while it runs.
//
// The driver talks to the InterfazLote `destino` given at the start, as it
// would on the user-interface thread, except for progress:
// - the dialogs and messages (ElegirFicheroPuntos, ElegirRejilla, Mensaje,
//   Aviso) are carried to the thread that created the HiloLote and run there,
//   the worker waiting for the answer;
// - Progreso, LineasLeidas and Cancelado are called on the worker thread
//   itself: `destino` must take them from any thread.
//
// `fichero`, when given, answers the point-file dialog without showing it
// (a file dropped on a window); RutaEntrada() is the point file of the run,
// chosen or given, once the run has ended.
//
// The job is TratarFichero(codigo) with `opciones`, or any other `trabajo`
// given the interface (writing a layer from a finished run's results).
// When the run ends, `alAcabar` receives its summary on the creating thread.
// Detener() (and the destructor) stops the run without a word: the dialogs
// still pending are answered "cancelled", messages are dropped, the driver
// is told to stop (it replaces nothing then), and alAcabar is never called.
// The destructor waits for the worker.
#pragma once
#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "InterfazLote.h"
#include "TratarFichero.h"

namespace tesmaro {

class HiloLote final : public QObject, private InterfazLote {
    Q_OBJECT
public:
    HiloLote(std::int16_t codigo, InterfazLote& destino, std::function<void(const ResumenLote&)> alAcabar,
             QObject* padre = nullptr, std::string fichero = {}, const OpcionesLote& opciones = {});
    HiloLote(std::function<ResumenLote(InterfazLote&)> trabajo, InterfazLote& destino,
             std::function<void(const ResumenLote&)> alAcabar, QObject* padre = nullptr,
             std::string fichero = {});
    ~HiloLote() override;

    void Detener();
    const std::string& RutaEntrada() const { return rutaEntrada_; }

private:
    std::string ElegirFicheroPuntos(const DialogoFichero& dialogo) override;
    std::string ElegirRejilla(const DialogoFichero& dialogo) override;
    void Mensaje(std::string_view texto) override;
    void Aviso(std::string_view texto) override;
    void Progreso(std::uint64_t leidos, std::uint64_t total) override;
    void LineasLeidas(std::uint64_t lineas) override;
    bool Cancelado() override;

    // Runs `llamada` on the creating thread and waits for it; nothing once
    // the run was stopped.
    void EnHiloVentanas(const std::function<void()>& llamada);
    void Acabar();

    InterfazLote& destino_;
    std::function<void(const ResumenLote&)> alAcabar_;
    std::atomic<bool> detener_{false};
    std::atomic<bool> terminado_{false};
    ResumenLote resumen_;  // written by the worker before terminado_
    std::string fichero_;
    std::string rutaEntrada_;  // written by the worker before terminado_
    std::thread hilo_;
};

}  // namespace tesmaro
