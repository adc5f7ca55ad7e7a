// "Transformación Datum ETRS89-Datum ED50": one ETRS89 point (decimal
// degrees; the longitude's magnitude as typed and its sign from Este/Oeste,
// "Oeste" chosen at load; the latitude signed as typed) into ED50 by the
// NTv2 grid sped2et.gsb, shown in decimal degrees and as sexagesimal text;
// and the file button of the ETRS89 point files (code 11).
//
// As in Geo_rejilla_ed2et: unfiltered inputs whose commas "Calcular" turns
// into points, decimal results in the regional decimal separator,
// sexagesimal texts with a point, the grid read afresh at each "Calcular", a
// message naming the grid when it is missing, and the notice Label_Fuera
// with empty result boxes for a point outside the grid.
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmaro {

class geo_rejilla_et2ed final : public VentanaConversion {
    Q_OBJECT
public:
    explicit geo_rejilla_et2ed(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QLabel* Label_Titulo;
    QGroupBox* Frame1;       // "Coordenadas Geodésicas  ETRS89  (Entrada Datos)"
    QGroupBox* Frame4;       // "Latitud (dd.ddddddd)"
    QLineEdit* Lat1et;
    QButtonGroup* Lat_Opt;   // 0 "Norte" (chosen at load), 1 "Sur": not read
    QGroupBox* Frame5;       // "Longitud (dd.ddddddd)"
    QLineEdit* Long1et;
    QButtonGroup* Long_opt;  // 0 "Este", 1 "Oeste" (chosen at load)
    QGroupBox* Frame2;       // "Coordenadas ED50"
    QLabel* Label3;
    QLineEdit* LaED50;
    QLineEdit* LAED50GMS;
    QLabel* Label4;
    QLineEdit* LoED50;
    QLineEdit* LOED50GMS;
    QLabel* Label_Fuera;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;

private slots:
    void Calcular_Click();
    void Limpiar_Click();
    void Fichero_Click();
};

}  // namespace tesmaro
