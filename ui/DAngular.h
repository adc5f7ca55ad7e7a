// "Datos angulares": the angular-units dialog. Frame1 "Graduaciones en:"
// holds the options Tip_Grad 0 "Sexagesimal", 1 "Centesimal", 2 "Radianes";
// choosing one sets UnidadAngular to its index + 1 at once (and the open
// windows hear of it through NotificadorAjustes). Command1 "Cerrar" hides it.
// The main window holds one for the whole run, shown modeless over it.
#pragma once
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tesmaro {

class DAngular final : public QDialog {
    Q_OBJECT
public:
    explicit DAngular(QWidget* padre = nullptr);

    // Selects the option of the current UnidadAngular (1, 2 or 3) and shows
    // the dialog, brought forward.
    void Mostrar();

    QGroupBox* Frame1;
    QButtonGroup* Tip_Grad;
    QPushButton* Command1;

private slots:
    void Tip_Grad_Click(int indice);
    void Command1_Click();
};

}  // namespace tesmaro
