#include "DAngular.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Ajustes.h"
#include "NotificadorAjustes.h"
#include "Teclado.h"

namespace tesmaro {

DAngular::DAngular(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("DAngular"));
    setWindowTitle(QStringLiteral("Datos angulares"));
    setModal(false);
    Frame1 = new QGroupBox(QStringLiteral("Graduaciones en:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Tip_Grad = new QButtonGroup(this);
    Tip_Grad->setObjectName(QStringLiteral("Tip_Grad"));
    auto* columna = new QVBoxLayout(Frame1);
    const char* textos[] = {"Sexagesimal", "Centesimal", "Radianes"};
    for (int i = 0; i < 3; ++i) {
        auto* opcion = new QRadioButton(QString::fromUtf8(textos[i]), Frame1);
        opcion->setObjectName(QStringLiteral("Tip_Grad_%1").arg(i));
        Tip_Grad->addButton(opcion, i);
        columna->addWidget(opcion);
    }
    Tip_Grad->button(0)->setChecked(true);
    Command1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Frame1);
    todo->addWidget(Command1, 0, Qt::AlignRight);
    connect(Tip_Grad, &QButtonGroup::idToggled, this, [this](int indice, bool marcado) {
        if (marcado) Tip_Grad_Click(indice);
    });
    connect(Command1, &QPushButton::clicked, this, &DAngular::Command1_Click);
    // The keyboard: the options (one stop, arrows choose), then "Cerrar";
    // Enter and Escape close the dialog.
    OrdenTabulacion({Tip_Grad->button(0), Tip_Grad->button(1), Tip_Grad->button(2), Command1});
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));
}

void DAngular::Tip_Grad_Click(int indice) {
    NotificadorAjustes::FijarUnidadAngular(static_cast<std::int16_t>(indice + 1));
}

void DAngular::Command1_Click() { hide(); }

void DAngular::Mostrar() {
    const int unidad = ajustes::UnidadAngular;
    if (unidad >= 1 && unidad <= 3) Tip_Grad->button(unidad - 1)->setChecked(true);
    show();
    raise();
    activateWindow();
}

}  // namespace tesmaro
