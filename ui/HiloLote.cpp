#include "HiloLote.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <utility>

namespace tesmaro {

HiloLote::HiloLote(std::int16_t codigo, InterfazLote& destino, std::function<void(const ResumenLote&)> alAcabar,
                   QObject* padre, std::string fichero, const OpcionesLote& opciones)
    : HiloLote([codigo, opciones](InterfazLote& interfaz) { return TratarFichero(codigo, interfaz, opciones); },
               destino, std::move(alAcabar), padre, std::move(fichero)) {}

HiloLote::HiloLote(std::function<ResumenLote(InterfazLote&)> trabajo, InterfazLote& destino,
                   std::function<void(const ResumenLote&)> alAcabar, QObject* padre, std::string fichero)
    : QObject(padre), destino_(destino), alAcabar_(std::move(alAcabar)), fichero_(std::move(fichero)) {
    hilo_ = std::thread([this, trabajo = std::move(trabajo)] {
        resumen_ = trabajo(*this);
        terminado_ = true;
        QMetaObject::invokeMethod(this, [this] { Acabar(); }, Qt::QueuedConnection);
    });
}

HiloLote::~HiloLote() {
    Detener();
    // The worker may be waiting for a dialog call posted to this object:
    // deliver those (they return at once now) until it is done.
    while (!terminado_) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (hilo_.joinable()) hilo_.join();
}

void HiloLote::Detener() { detener_ = true; }

void HiloLote::Acabar() {
    if (hilo_.joinable()) hilo_.join();
    if (!detener_ && alAcabar_) alAcabar_(resumen_);
}

void HiloLote::EnHiloVentanas(const std::function<void()>& llamada) {
    if (detener_) return;
    QMetaObject::invokeMethod(
        this, [this, &llamada] { if (!detener_) llamada(); }, Qt::BlockingQueuedConnection);
}

std::string HiloLote::ElegirFicheroPuntos(const DialogoFichero& dialogo) {
    std::string ruta;
    if (!fichero_.empty()) ruta = std::exchange(fichero_, {});
    else EnHiloVentanas([&] { ruta = destino_.ElegirFicheroPuntos(dialogo); });
    rutaEntrada_ = ruta;
    return ruta;
}

std::string HiloLote::ElegirRejilla(const DialogoFichero& dialogo) {
    std::string ruta;
    EnHiloVentanas([&] { ruta = destino_.ElegirRejilla(dialogo); });
    return ruta;
}

void HiloLote::Mensaje(std::string_view texto) {
    EnHiloVentanas([&] { destino_.Mensaje(texto); });
}

void HiloLote::Aviso(std::string_view texto) {
    EnHiloVentanas([&] { destino_.Aviso(texto); });
}

void HiloLote::Progreso(std::uint64_t leidos, std::uint64_t total) { destino_.Progreso(leidos, total); }

void HiloLote::LineasLeidas(std::uint64_t lineas) { destino_.LineasLeidas(lineas); }

bool HiloLote::Cancelado() { return detener_ || destino_.Cancelado(); }

}  // namespace tesmaro
