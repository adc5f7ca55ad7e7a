#include "DialogosLote.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <QProgressDialog>
#include <QStringList>

#include "Mensajes.h"
#include "Rejilla.h"

namespace tesmaro {

namespace {

const QString ClavePuntos = QStringLiteral("carpetas/puntos");
const QString ClaveRejilla = QStringLiteral("carpetas/rejilla");

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

DialogosLote::DialogosLote(QWidget* ventana) : ventana_(ventana), reloj_(std::make_unique<QTimer>()) {
    // The folders of the last session, when they are still there.
    const QSettings ajustes(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro"));
    for (auto [clave, carpeta] : {std::pair{ClavePuntos, &carpetaPuntos_}, {ClaveRejilla, &carpetaRejilla_}}) {
        const QString guardada = ajustes.value(clave).toString();
        if (!guardada.isEmpty() && QFileInfo(guardada).isDir()) *carpeta = guardada;
    }
    reloj_->setInterval(IntervaloRefrescoMs);
    QObject::connect(reloj_.get(), &QTimer::timeout, reloj_.get(), [this] { Refrescar(); });
}

DialogosLote::~DialogosLote() { delete progreso_.data(); }

QString DialogosLote::FiltroQt(const std::string& filtro) {
    const QStringList partes = QString::fromUtf8(filtro.c_str()).split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QString descripcion = partes[i].trimmed();
        QString patron = partes[i + 1].trimmed();
        // A description that names its own pattern "(...)" would override ours.
        const qsizetype abre = descripcion.lastIndexOf(QLatin1Char('('));
        if (abre >= 0 && descripcion.endsWith(QLatin1Char(')')))
            descripcion = descripcion.left(abre).trimmed();
        QStringList patrones = patron.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patrones) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        filtros << QStringLiteral("%1 (%2)").arg(descripcion, patrones.join(QLatin1Char(' ')));
    }
    if (filtros.isEmpty()) filtros << QStringLiteral("Todos los archivos (*)");
    return filtros.join(QLatin1String(";;"));
}

std::string DialogosLote::Elegir(const DialogoFichero& dialogo, bool rejilla) {
    QString inicio = rejilla ? carpetaRejilla_ : carpetaPuntos_;
    if (inicio.isEmpty()) {
        inicio = QDir::currentPath();
        // The grid normally lives in the program's data folder.
        if (rejilla && !QFileInfo::exists(QDir(inicio).filePath(QString::fromUtf8(NombreRejilla)))) {
            const QString datos = QString::fromUtf8(CarpetaDatosPrograma().c_str());
            if (!datos.isEmpty()) inicio = datos;
        }
    }
    QFileDialog elegir(ventana_, QString::fromUtf8(dialogo.titulo.c_str()), inicio, FiltroQt(dialogo.filtro));
    elegir.setFileMode(QFileDialog::ExistingFile);
    elegir.setAcceptMode(QFileDialog::AcceptOpen);
    // Wide enough for the names, sizes and dates without cutting them.
    QSize tamanio(900, 600);
    if (const QScreen* pantalla = ventana_ ? ventana_->screen() : QGuiApplication::primaryScreen())
        tamanio = tamanio.boundedTo(pantalla->availableGeometry().size() * 0.9);
    elegir.resize(tamanio);
    if (elegir.exec() != QDialog::Accepted || elegir.selectedFiles().isEmpty()) return {};
    const QString ruta = elegir.selectedFiles().constFirst();
    if (ruta.isEmpty()) return {};
    const QFileInfo info(ruta);
    const QString carpetaElegida = info.absolutePath();
    (rejilla ? carpetaRejilla_ : carpetaPuntos_) = carpetaElegida;
    QSettings(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro"))
        .setValue(rejilla ? ClaveRejilla : ClavePuntos, carpetaElegida);
    QDir::setCurrent(carpetaElegida);
    return QFile::encodeName(info.absoluteFilePath()).toStdString();
}

std::string DialogosLote::ElegirFicheroPuntos(const DialogoFichero& dialogo) {
    return Elegir(dialogo, false);
}

std::string DialogosLote::ElegirRejilla(const DialogoFichero& dialogo) { return Elegir(dialogo, true); }

void DialogosLote::Mensaje(std::string_view texto) { MostrarMensaje(texto, IconoMensaje::Ninguno, ventana_); }

void DialogosLote::EmpezarLote() {
    TerminarLote();
    leidos_ = 0;
    total_ = 0;
    lineas_ = 0;
    informado_ = false;
    cancelado_ = false;
    reloj_->start();
}

void DialogosLote::TerminarLote() {
    reloj_->stop();
    if (progreso_) {
        progreso_->hide();
        progreso_->deleteLater();
        progreso_ = nullptr;
    }
}

void DialogosLote::Progreso(std::uint64_t leidos, std::uint64_t total) {
    leidos_ = leidos;
    total_ = total;
    informado_ = true;
}

void DialogosLote::LineasLeidas(std::uint64_t lineas) { lineas_ = lineas; }

bool DialogosLote::Cancelado() { return cancelado_; }

void DialogosLote::Refrescar() {
    if (!informado_) return;
    const std::uint64_t leidos = leidos_;
    const std::uint64_t total = total_;
    if (!progreso_) {
        progreso_ = new QProgressDialog(ventana_);
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
        QObject::connect(progreso_, &QProgressDialog::canceled, reloj_.get(), [this] { cancelado_ = true; });
        QObject::connect(progreso_, &QDialog::rejected, reloj_.get(), [this] { cancelado_ = true; });
        progreso_->setMinimumWidth(progreso_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
        desde_.start();
        leidosAlPrincipio_ = leidos;
    }
    const QLocale espaniol(QLocale::Spanish, QLocale::Spain);
    QString restante = QStringLiteral("calculando…");
    if (leidos > leidosAlPrincipio_ && desde_.elapsed() >= 500 && total >= leidos) {
        const double porByte = double(desde_.elapsed()) / double(leidos - leidosAlPrincipio_);
        restante = TextoTiempo(qint64(porByte * double(total - leidos)));
    }
    progreso_->setLabelText(QStringLiteral("Convirtiendo el fichero de puntos…\n\nLíneas leídas: %1\nTiempo restante: %2")
                                .arg(espaniol.toString(qulonglong(lineas_.load())), restante));
    progreso_->setValue(total == 0 ? 0 : int(double(std::min(leidos, total)) / double(total) * 1000));
    if (cancelado_) progreso_->setLabelText(QStringLiteral("Cancelando…"));
    if (!progreso_->isVisible()) progreso_->show();
}

}  // namespace tesmaro
