// "Datos angulares": the angular-units dialog. Frame1 "Graduaciones en:"
// holds the options Tip_Grad 0 "Sexagesimal", 1 "Centesimal", 2 "Radianes";
// choosing one sets UnidadAngular to its index + 1 at once (and the open
// windows hear of it through NotificadorAjustes). Command1 "Cerrar" hides it.
// One instance for the whole run, shown modeless over the main window.
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

    // The dialog of the run, created on first use.
    static DAngular* Instancia();

    QGroupBox* Frame1;
    QButtonGroup* Tip_Grad;
    QPushButton* Command1;

private slots:
    void Tip_Grad_Click(int indice);
    void Command1_Click();
};

// The window procedure of every conversion window and of the main window:
// selects the option of the current UnidadAngular (1, 2 or 3) and shows
// DAngular.
void MostrarDatosAngulares();

}  // namespace tesmaro
