// "U.T.M. a Geodésicas": one UTM point, on ETRS89 or ED50, into longitude,
// latitude, meridian convergence and scale factor (the zones the UTM
// conversion computes say which); and the two file buttons of the UTM point
// files. "H30 extendido" has one meaning: X and Y are in zone 30 extended (a
// point east of Greenwich given in zone 30, the files' "30E"), so the zone
// must be 30 with it; any other zone with the tick is refused, never read as
// another zone's point. Filters: CoordX, CoordY, Segundos decimal; Long_MC,
// Grados, Minutos whole numbers. Huso1 is not filtered, and is read strictly.
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tesmaro {

class Principal final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Principal(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* CoordX;
    QLabel* Label2;
    QLineEdit* CoordY;
    QLabel* Label10;
    QLineEdit* Huso1;
    QLabel* Label3;
    QLineEdit* Long_MC;
    QButtonGroup* Option_Norte;  // 0 "Norte", 1 "Sur"
    QCheckBox* Check1;           // "ETRS89": checked ETRS89, cleared ED50
    QCheckBox* Check2;           // "H30 extendido"
    QGroupBox* Frame2;
    QLabel* Label4;
    QLineEdit* long1;
    QLabel* Label5;
    QLineEdit* lat1;
    QLabel* Label6;
    QLineEdit* Conver1;
    QLabel* Label7;
    QLineEdit* Ana1;
    QCheckBox* Check_Grad;
    QPushButton* Calcular;
    QPushButton* salir;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;

private slots:
    void Calcular_Click();
    void Check1_Click(bool marcado);
    void Check_Grad_Click(bool marcado);
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void salir_Click();
};

}  // namespace tesmaro
