// "Decimales de los resultados": how many decimals the results show, for the
// lengths in metres (Decimales_Metros "Metros (coordenadas, alturas,
// distancias):") and for the angles (Decimales_Angulos)
// (in the unit of "Datos angulares"), in the windows' result boxes and in the
// text results of the file runs they start. Each a spin box from 0 to 15,
// or "15 cifras significativas" (the value -1, at every start), the program's
// own form. A change applies at once (ajustes::DecimalesMetros and
// DecimalesAngulos through NotificadorAjustes) and empties the results shown;
// nothing is kept for the next session. Cerrar "Cerrar" hides it. The main
// window holds one for the whole run, shown modeless over it.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace tesmaro {

class DDecimales final : public QDialog {
    Q_OBJECT
public:
    explicit DDecimales(QWidget* padre = nullptr);

    // Shows the settings as they are now, brought forward.
    void Mostrar();

    QLabel* Label_Metros;
    QSpinBox* Decimales_Metros;
    QLabel* Label_Angulos;
    QSpinBox* Decimales_Angulos;
    QLabel* Label_Nota;
    QPushButton* Cerrar;

private:
    void Leer();
};

}  // namespace tesmaro
