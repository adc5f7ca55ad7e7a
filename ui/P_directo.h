// "Problema directo de la geodesia": from a start point (latitude and
// longitude in the angular unit of the settings, the sign in the number; the
// options follow it and flip it), a forward azimuth and a distance in metres,
// the end point and the reverse azimuth on the current reference ellipsoid;
// and the file button of the direct-problem point files (code 8).
// Filters: long1, lat1, Acimut1, Distancia1, Segundos decimal; Grados,
// Minutos whole numbers. Shift + click on long1, lat1 or Acimut1 (or the small
// button beside them) opens the degrees-minutes-seconds panel for that box.
// Check_Grad shows the three result angles as sexagesimal text (only while
// the unit is sexagesimal degrees). The ellipsoid bar Label4 opens the
// ellipsoid dialog. A zero distance gives the start point.
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmaro {

class BarraElipsoide;

class P_directo final : public VentanaConversion {
    Q_OBJECT
public:
    explicit P_directo(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* UTM_GEO;
    QGroupBox* Frame2;
    QGroupBox* Frame5;       // "Longitud (dd.ddddddd)"
    QLineEdit* long1;
    QButtonGroup* Long_opt;  // 0 "Este", 1 "Oeste"
    QGroupBox* Frame4;       // "Latitud (dd.ddddddd)"
    QLineEdit* lat1;
    QButtonGroup* Lat_Opt;   // 0 "Norte", 1 "Sur"
    QLabel* Label1;
    QLineEdit* Acimut1;
    QLabel* Label2;
    QLineEdit* Distancia1;
    QGroupBox* Frame1;
    QLabel* Label5;
    QLineEdit* Long_Res;
    QLabel* Label7;
    QLineEdit* Lat_Res;
    QLabel* Label3;
    QLineEdit* Acimut_Res;
    QCheckBox* Check_Grad;
    QGroupBox* Frame6;
    BarraElipsoide* Label4;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;

protected:
    void showEvent(QShowEvent* evento) override;

private slots:
    void Calcular_Click();
    void Check_Grad_Click(bool marcado);
    void Label4_Click();
    void InvitarAElegirElipsoide();
    void Limpiar_Click();
    void Fichero_Click();
};

}  // namespace tesmaro
