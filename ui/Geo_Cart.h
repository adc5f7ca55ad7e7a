// "Geodésicas a Cartesianas Geocéntricas": one geographic point (latitude and
// longitude in the angular unit of the settings, the sign in the number; the
// options Norte/Sur and Este/Oeste follow it and flip it) with its
// ellipsoidal height into geocentric X, Y, Z on the current reference
// ellipsoid; and the file button of the geographic point files (code 2).
// Filters: lat1, long1, Long_MC, Segundos decimal; Grados, Minutos whole
// numbers. Shift + click on lat1 or long1 (or the small button beside them)
// opens the degrees-minutes-seconds panel for that box. The ellipsoid bar
// Label4 opens the ellipsoid dialog. No results toggle: the results are
// lengths.
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmaro {

class BarraElipsoide;

class Geo_Cart final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Geo_Cart(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* Frame2;
    QGroupBox* Frame4;       // "Latitud (dd.ddddddd)"
    QLineEdit* lat1;
    QButtonGroup* Lat_Opt;   // 0 "Norte", 1 "Sur"
    QGroupBox* Frame5;       // "Longitud (dd.ddddddd)"
    QLineEdit* long1;
    QButtonGroup* Long_opt;  // 0 "Este", 1 "Oeste"
    QLabel* Label6;
    QLineEdit* Long_MC;      // ellipsoidal height (metres)
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* CoordX;
    QLabel* Label2;
    QLineEdit* CoordY;
    QLabel* Label3;
    QLineEdit* CoordZ;
    QGroupBox* Frame6;
    BarraElipsoide* Label4;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;

protected:
    void showEvent(QShowEvent* evento) override;

private slots:
    void Calcular_Click();
    void Label4_Click();
    void InvitarAElegirElipsoide();
    void Limpiar_Click();
    void Fichero_Click();
};

}  // namespace tesmaro
