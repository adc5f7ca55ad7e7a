// "Cartesianas Geocéntricas a Geodésicas": one geocentric point X, Y, Z into
// latitude, longitude (in the angular unit of the settings, on the point's own
// meridian in all four quadrants) and ellipsoidal height on the current
// reference ellipsoid; and the file button of the Cartesian point files
// (code 3). Filters: CoordX, CoordY, CoordZ decimal. Check_Grad shows the
// two angles as sexagesimal text (only while the unit is sexagesimal
// degrees). The ellipsoid bar Label4 opens the ellipsoid dialog.
#pragma once
#include "VentanaConversion.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmaro {

class BarraElipsoide;

class Cart_Geo final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Cart_Geo(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* CoordX;
    QLabel* Label2;
    QLineEdit* CoordY;
    QLabel* Label3;
    QLineEdit* CoordZ;
    QGroupBox* Frame2;
    QLabel* Label7;
    QLineEdit* lat1;
    QLabel* Label5;
    QLineEdit* long1;
    QLabel* Label6;
    QLineEdit* Altitud;
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
