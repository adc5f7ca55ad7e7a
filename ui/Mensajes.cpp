#include "Mensajes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "Avisos.h"

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

void InstalarAvisadorVentanas() {
    static AvisadorVentanas avisador;
    FijarAvisador(&avisador);
}

}  // namespace tesmaro
