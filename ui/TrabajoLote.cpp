#include "TrabajoLote.h"

#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "Mensajes.h"

namespace tesmaro {

namespace {

// How often the progress dialog is refreshed.
constexpr int IntervaloRefrescoMs = 100;

// "unos 5 s", "unos 3 min", "unos 2 h 10 min".
QString TextoTiempo(qint64 ms) {
    const qint64 segundos = (ms + 999) / 1000;
    if (segundos < 60) return QStringLiteral("unos %1 s").arg(segundos);
    const qint64 minutos = (segundos + 59) / 60;
    if (minutos < 60) return QStringLiteral("unos %1 min").arg(minutos);
    return QStringLiteral("unos %1 h %2 min").arg(minutos / 60).arg(minutos % 60);
}

}  // namespace

TrabajoLote::TrabajoLote(OrdenLote orden, std::vector<std::unique_ptr<Sumidero>> sumideros, QWidget* ventana,
                         QString texto, std::function<void(const ResumenLote&)> alAcabar)
    : QObject(ventana),
      orden_(std::move(orden)),
      sumideros_(std::move(sumideros)),
      ventana_(ventana),
      texto_(std::move(texto)),
      alAcabar_(std::move(alAcabar)),
      reloj_(new QTimer(this)) {
    reloj_->setInterval(IntervaloRefrescoMs);
    connect(reloj_, &QTimer::timeout, this, &TrabajoLote::Refrescar);
    reloj_->start();
    hilo_ = std::thread([this] {
        std::vector<Sumidero*> otras;
        for (const auto& s : sumideros_) otras.push_back(s.get());
        resumen_ = EjecutarLote(orden_, otras, *this);
        terminado_ = true;
        QMetaObject::invokeMethod(this, &TrabajoLote::Acabar, Qt::QueuedConnection);
    });
}

TrabajoLote::~TrabajoLote() {
    cancelado_ = true;
    if (hilo_.joinable()) hilo_.join();
    delete progreso_.data();
}

QProgressDialog* TrabajoLote::Dialogo() const { return progreso_; }

void TrabajoLote::Progreso(std::uint64_t hechos, std::uint64_t total) {
    hechos_ = hechos;
    total_ = total;
    informado_ = true;
}

void TrabajoLote::LineasLeidas(std::uint64_t lineas) { lineas_ = lineas; }

void TrabajoLote::Fase(std::string_view texto) {
    std::lock_guard<std::mutex> cerrojo(mutex_);
    fase_ = texto;
}

void TrabajoLote::Acabar() {
    if (hilo_.joinable()) hilo_.join();
    reloj_->stop();
    delete progreso_.data();
    // The summary goes to the window, which may delete this object.
    if (alAcabar_) std::exchange(alAcabar_, {})(resumen_);
}

void TrabajoLote::Refrescar() {
    if (!informado_ || terminado_) return;
    const std::uint64_t hechos = hechos_, total = total_;
    std::string fase;
    {
        std::lock_guard<std::mutex> cerrojo(mutex_);
        fase = fase_;
    }
    if (!progreso_) {
        progreso_ = new QProgressDialog(ventana_);
        progreso_->setObjectName(QStringLiteral("Progreso"));
        progreso_->setWindowTitle(TituloPrograma);
        progreso_->setWindowModality(Qt::NonModal);
        progreso_->setAutoClose(false);
        progreso_->setAutoReset(false);
        progreso_->setMinimumDuration(0);
        progreso_->setRange(0, 1000);
        // Not a default button: Enter must not cancel the run. The dialog's
        // own button goes first, with its Escape shortcut (replacing the
        // button alone would leave two, and Escape would do nothing).
        auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), progreso_);
        cancelar->setAutoDefault(false);
        cancelar->setDefault(false);
        progreso_->setCancelButton(nullptr);
        progreso_->setCancelButton(cancelar);
        // The button, Escape and the window's close button all cancel.
        connect(progreso_, &QProgressDialog::canceled, this, &TrabajoLote::Cancelar);
        connect(progreso_, &QDialog::rejected, this, &TrabajoLote::Cancelar);
        progreso_->setMinimumWidth(progreso_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    }
    if (fase != faseMostrada_ || !desde_.isValid()) {
        // A new phase: its own share and its own estimate.
        faseMostrada_ = fase;
        desde_.start();
        hechosAlPrincipio_ = hechos;
    }
    QString restante = QStringLiteral("calculando…");
    if (hechos > hechosAlPrincipio_ && desde_.elapsed() >= 500 && total >= hechos) {
        const double porUnidad = double(desde_.elapsed()) / double(hechos - hechosAlPrincipio_);
        restante = TextoTiempo(qint64(porUnidad * double(total - hechos)));
    }
    const QLocale espaniol(QLocale::Spanish, QLocale::Spain);
    QString texto = fase.empty()
                        ? QStringLiteral("%1\n\nLíneas leídas: %2").arg(texto_, espaniol.toString(qulonglong(lineas_.load())))
                        : QString::fromStdString(fase) + QStringLiteral("…");
    texto += QStringLiteral("\nTiempo restante: ") + restante;
    if (cancelado_) texto = QStringLiteral("Cancelando…");
    progreso_->setLabelText(texto);
    progreso_->setValue(total == 0 ? 0 : int(double(std::min(hechos, total)) / double(total) * 1000));
    if (!progreso_->isVisible()) progreso_->show();
}

}  // namespace tesmaro
