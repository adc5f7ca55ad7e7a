#include "DDecimales.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "Ajustes.h"
#include "NotificadorAjustes.h"
#include "Teclado.h"

namespace tesmaro {

DDecimales::DDecimales(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("DDecimales"));
    setWindowTitle(QStringLiteral("Decimales de los resultados"));
    setModal(false);
    const auto caja = [this](const char* nombre) {
        auto* c = new QSpinBox(this);
        c->setObjectName(QLatin1String(nombre));
        // -1 is the program's own form, shown in words.
        c->setRange(-1, 15);
        const QString cifras = QStringLiteral("15 cifras significativas");
        c->setSpecialValueText(cifras);
        // Room for the words and the arrows, whatever the font.
        c->setMinimumWidth(c->fontMetrics().horizontalAdvance(cifras + QStringLiteral("MM")) +
                           c->style()->pixelMetric(QStyle::PM_ScrollBarExtent) * 2);
        connect(c, &QSpinBox::valueChanged, this, [this] {
            NotificadorAjustes::FijarDecimales(Decimales_Metros->value(), Decimales_Angulos->value());
        });
        return c;
    };
    Label_Metros = new QLabel(QStringLiteral("Metros (coordenadas, alturas, distancias):"), this);
    Label_Metros->setObjectName(QStringLiteral("Label_Metros"));
    Decimales_Metros = caja("Decimales_Metros");
    Label_Angulos = new QLabel(QStringLiteral("Ángulos (en la unidad de «Datos angulares»):"), this);
    Label_Angulos->setObjectName(QStringLiteral("Label_Angulos"));
    Decimales_Angulos = caja("Decimales_Angulos");
    Label_Nota = new QLabel(QStringLiteral("En los resultados de «Calcular» y en los ficheros de resultados. "
                                           "No se guardan: cada sesión empieza con 15 cifras significativas."),
                            this);
    Label_Nota->setObjectName(QStringLiteral("Label_Nota"));
    Label_Nota->setWordWrap(true);
    Cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    Cerrar->setObjectName(QStringLiteral("Cerrar"));
    Cerrar->setDefault(true);
    connect(Cerrar, &QPushButton::clicked, this, &QWidget::hide);

    auto* filas = new QGridLayout;
    filas->addWidget(Label_Metros, 0, 0);
    filas->addWidget(Decimales_Metros, 0, 1);
    filas->addWidget(Label_Angulos, 1, 0);
    filas->addWidget(Decimales_Angulos, 1, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(filas);
    todo->addWidget(Label_Nota);
    todo->addWidget(Cerrar, 0, Qt::AlignRight);
    Acompaniar({{Label_Metros, Decimales_Metros}, {Label_Angulos, Decimales_Angulos}});
    OrdenTabulacion({Decimales_Metros, Decimales_Angulos, Cerrar});
    // In step with the settings, whoever writes them.
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::DecimalesCambiados, this, &DDecimales::Leer);
    Leer();
}

void DDecimales::Leer() {
    const QSignalBlocker m(Decimales_Metros), a(Decimales_Angulos);
    Decimales_Metros->setValue(ajustes::DecimalesMetros);
    Decimales_Angulos->setValue(ajustes::DecimalesAngulos);
}

void DDecimales::Mostrar() {
    Leer();
    show();
    raise();
    activateWindow();
}

}  // namespace tesmaro
