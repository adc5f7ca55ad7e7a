#include "DialogosLote.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStringList>

#include "Mensajes.h"
#include "Rejilla.h"

namespace tesmaro {

namespace {

// A run shorter than this shows no progress dialog.
constexpr qint64 EsperaProgresoMs = 400;
// How often a long run lets the progress dialog paint and read its button.
constexpr qint64 IntervaloRepintadoMs = 50;

}  // namespace

DialogosLote::DialogosLote(QWidget* ventana) : ventana_(ventana) {}

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
    const QString ruta = QFileDialog::getOpenFileName(ventana_, QString::fromUtf8(dialogo.titulo.c_str()), inicio,
                                                      FiltroQt(dialogo.filtro));
    if (ruta.isEmpty()) return {};
    const QFileInfo info(ruta);
    const QString carpetaElegida = info.absolutePath();
    (rejilla ? carpetaRejilla_ : carpetaPuntos_) = carpetaElegida;
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
    reloj_.start();
    ultimoRepintado_.start();
    valor_ = -1;
    cancelado_ = false;
}

void DialogosLote::TerminarLote() {
    if (progreso_) {
        progreso_->hide();
        progreso_->deleteLater();
        progreso_ = nullptr;
    }
}

void DialogosLote::Progreso(std::uint64_t leidos, std::uint64_t total) {
    if (!reloj_.isValid()) EmpezarLote();
    if (!progreso_) {
        if (reloj_.elapsed() < EsperaProgresoMs) return;
        progreso_ = new QProgressDialog(QStringLiteral("Convirtiendo el fichero de puntos…"),
                                        QStringLiteral("Cancelar"), 0, 1000, ventana_);
        progreso_->setWindowTitle(TituloPrograma);
        progreso_->setWindowModality(Qt::ApplicationModal);
        progreso_->setMinimumDuration(0);
        progreso_->setAutoClose(false);
        progreso_->setAutoReset(false);
        progreso_->show();
    }
    const int valor = total == 0 ? 0 : static_cast<int>((leidos >= total ? 1.0 : double(leidos) / double(total)) * 1000);
    if (valor != valor_) {
        valor_ = valor;
        progreso_->setValue(valor);  // a modal progress dialog processes events here
    }
}

bool DialogosLote::Cancelado() {
    if (!progreso_) return false;
    if (ultimoRepintado_.elapsed() >= IntervaloRepintadoMs) {
        ultimoRepintado_.restart();
        QApplication::processEvents();
    }
    if (progreso_ && progreso_->wasCanceled()) cancelado_ = true;
    return cancelado_;
}

}  // namespace tesmaro
