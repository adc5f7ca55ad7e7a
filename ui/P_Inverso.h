// "Problema inverso de la geodesia": from two points A (long1, lat1) and B
// (Long2, Lat2), in the angular unit of the settings with the sign in the
// number (the options follow it and flip it), the geodesic distance in metres
// and the forward and reverse azimuths on the current reference ellipsoid;
// and the file button of the inverse-problem point files (code 9).
// Filters: long1, lat1, Long2, Lat2, Segundos decimal; Grados, Minutos whole
// numbers. Shift + click on a coordinate box (or the small button beside it)
// opens the degrees-minutes-seconds panel for that box. Check_Grad shows the
// two azimuths as sexagesimal text; the distance never changes form.
//
// The method holds only for two points in one hemisphere less than 90° of
// arc apart: the notice Label_Info says so, blinking light yellow for about
// two seconds after the window opens (Timer2, 200 ms, 10 ticks) and then
// staying plain; a pair the method cannot answer gives a message saying why,
// with empty results. Coincident points give distance 0. The frames "Punto
// A:" and "Punto B:" name the points as the messages and the file results do.
#pragma once
#include <QColor>
#include <cstdint>

#include "VentanaConversion.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tesmaro {

class BarraElipsoide;

class P_Inverso final : public VentanaConversion {
    Q_OBJECT
public:
    explicit P_Inverso(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QGroupBox* UTM_GEO;
    QGroupBox* Frame2;
    QGroupBox* Frame7;        // "Punto A:"
    QGroupBox* Frame5;        // "Longitud (dd.ddddddd)"
    QLineEdit* long1;
    QButtonGroup* Long_opt;   // 0 "Este", 1 "Oeste"
    QGroupBox* Frame4;        // "Latitud (dd.ddddddd)"
    QLineEdit* lat1;
    QButtonGroup* Lat_Opt;    // 0 "Norte", 1 "Sur"
    QGroupBox* Frame8;        // "Punto B:"
    QGroupBox* Frame10;       // "Longitud (dd.ddddddd)"
    QLineEdit* Long2;
    QButtonGroup* Long_opt2;  // 0 "Este", 1 "Oeste"
    QGroupBox* Frame9;        // "Latitud (dd.ddddddd)"
    QLineEdit* Lat2;
    QButtonGroup* Lat_Opt2;   // 0 "Norte", 1 "Sur"
    QGroupBox* Frame1;
    QLabel* Label7;
    QLineEdit* Dist_Res;
    QLabel* Label5;
    QLineEdit* Acimut_Dir;
    QLabel* Label3;
    QLineEdit* Acimut_Inv;
    QCheckBox* Check_Grad;
    QLabel* Label_Info;
    QGroupBox* Frame6;
    BarraElipsoide* Label4;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;
    QTimer* Timer2;

    // The two backgrounds of the notice: light yellow (blinking) and the
    // button face (plain).
    static QColor AmarilloClaro();
    QColor CaraBoton() const;
    QColor FondoInfo() const;

protected:
    void showEvent(QShowEvent* evento) override;

private slots:
    void Form_Load();
    void Calcular_Click();
    void Check_Grad_Click(bool marcado);
    void Label4_Click();
    void InvitarAElegirElipsoide();
    void Timer2_Timer();
    void Limpiar_Click();
    void Fichero_Click();

private:
    void PintarFondoInfo(const QColor& color);

    std::int16_t contador_ = 0;  // ticks of Timer2
};

}  // namespace tesmaro
