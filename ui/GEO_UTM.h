// "Geodésicas a U.T.M.": one geographic point (decimal degrees, the sign in
// the number; the options Este/Oeste and Norte/Sur follow it and flip it) into
// UTM X, Y, grid convergence and scale factor, zones 27 to 31, ETRS89 or ED50;
// and the two file buttons of the geographic point files, whose points keep
// their own zone (the file's Huso column) or all go into the zone of the box
// Huso1 (Huso_Fichero: 0 "Huso de cada punto (columna Huso)", 1 "Todos en el
// huso N (el de la casilla)", N the box's zone; the column may then be
// missing; a box that holds no zone from 27 to 31 is refused in words before
// any file is asked for). Not kept between sessions: each 0 at the start.
// Filters: long1, lat1, LMCH_Fich, Segundos decimal; Long_MC, Grados, Minutos
// whole numbers. Shift + click on long1 or lat1 (or the small button beside
// them) opens the degrees-minutes-seconds panel for that box.
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmaro {

class GEO_UTM final : public VentanaConversion {
    Q_OBJECT
public:
    explicit GEO_UTM(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* Frame2;
    QCheckBox* Check1;
    QLabel* Label10;
    QLineEdit* Huso1;
    QGroupBox* GEO_UTM_0;  // "Longitud (dd.ddddddd)"
    QButtonGroup* Long_opt;  // 0 "Este", 1 "Oeste"
    QLineEdit* long1;
    QGroupBox* GEO_UTM_1;  // "Latitud (dd.ddddddd)"
    QButtonGroup* Lat_Opt;   // 0 "Norte", 1 "Sur"
    QLineEdit* lat1;
    QLabel* Label6;
    QLineEdit* Long_MC;
    QLabel* Label_HusoFichero;
    QButtonGroup* Huso_Fichero;  // 0 "Huso de cada punto (columna Huso)", 1 "Todos en el huso N (el de la casilla)"
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* CoordX;
    QLabel* Label2;
    QLineEdit* CoordY;
    QLabel* Label8;
    QLineEdit* Cover1;
    QLabel* Label3;
    QLineEdit* Ana1;
    QCheckBox* Check_Grad;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;
    QPushButton* Command4;
    // The two file panels: hidden, and nothing shows them.
    QGroupBox* Frame_Fich;
    QLabel* Label4;
    QLineEdit* LMCH_Fich;
    QPushButton* Command1;
    QPushButton* Command2;
    QGroupBox* Frame3;
    QLabel* Label5;
    QLineEdit* Text1;
    QPushButton* Command6;
    QPushButton* Command5;

protected:
    std::int16_t HusoForzado() const override;

private slots:
    void Calcular_Click();
    void Check_Grad_Click(bool marcado);
    void Check1_Click(bool marcado);
    void Limpiar_Click();
    void Fichero_Click();
    void Command4_Click();
    void Command1_Click();
    void Command6_Click();

private:
    // The zone of the box for every point of a file, when chosen: 27 to 31;
    // -1 when the box holds no such zone; 0 when each point keeps its own.
    std::int16_t HusoDeLaCasilla() const;
    // False, with a message, when every point goes into a zone the box does not give.
    bool HusoFicheroValido();
};

}  // namespace tesmaro
