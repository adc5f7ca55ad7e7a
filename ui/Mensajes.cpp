#include "Mensajes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QThread>

#include "Avisos.h"
#include "Texto.h"

namespace tesmaro {

namespace {

class AvisadorVentanas final : public Avisador {
public:
    void Avisar(std::string_view texto, bool critico) override {
        const IconoMensaje icono = critico ? IconoMensaje::Critico : IconoMensaje::Ninguno;
        // A notice from the thread of a file run is shown later, on the
        // user-interface thread; the run does not wait for it.
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [mostrado = QString::fromUtf8(texto.data(), qsizetype(texto.size())), icono] {
                    MostrarMensaje(mostrado, icono);
                },
                Qt::QueuedConnection);
            return;
        }
        MostrarMensaje(texto, icono);
    }
};

}  // namespace

void MostrarMensaje(const QString& texto, IconoMensaje icono, QWidget* padre) {
    if (!padre) padre = QApplication::activeWindow();
    QString mostrado = texto;
    mostrado.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    mostrado.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox caja(icono == IconoMensaje::Critico ? QMessageBox::Critical : QMessageBox::NoIcon,
                     TituloPrograma, mostrado, QMessageBox::Ok, padre);
    caja.setTextFormat(Qt::PlainText);
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.exec();
}

QString TextoVisible(const QString& texto) {
    QString normalizado = texto;
    normalizado.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalizado.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lineas = normalizado.split(QLatin1Char('\n'));
    for (QString& linea : lineas) linea = QString::fromStdString(TextoParaMensaje(linea.toStdString()));
    return lineas.join(QLatin1Char('\n'));
}

void InstalarAvisadorVentanas() {
    static AvisadorVentanas avisador;
    FijarAvisador(&avisador);
}

}  // namespace tesmaro
