// "Transformación Datum ETRS89-Datum ED50": one ETRS89 point (decimal
// degrees, the sign in the number; the options follow it and flip it, "Este"
// and "Norte" chosen at load, as in the other grid window) into ED50 by the
// NTv2 grid, shown in decimal degrees and as sexagesimal text, with the zone
// of the point; and the file button of the ETRS89 point files (code 11).
//
// As in Geo_rejilla_ed2et: the grid shared by both windows ("Cambiar…"),
// read afresh at each "Calcular", a message naming the grid when it is
// missing, and the notice Label_Fuera with empty result boxes for a point
// outside the grid.
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
    QButtonGroup* Lat_Opt;   // 0 "Norte" (chosen at load), 1 "Sur"
    QGroupBox* Frame5;       // "Longitud (dd.ddddddd)"
    QLineEdit* Long1et;
    QButtonGroup* Long_opt;  // 0 "Este" (chosen at load), 1 "Oeste"
    QGroupBox* Frame2;       // "Coordenadas ED50"
    QLabel* Label3;
    QLineEdit* LaED50;
    QLineEdit* LAED50GMS;
    QLabel* Label4;
    QLineEdit* LoED50;
    QLineEdit* LOED50GMS;
    QLabel* Label5;
    QLineEdit* HusoED50;     // the zone of the ED50 point
    QLabel* Label_Fuera;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;

protected:
    void ResultadosVaciados() override;
    QString RutaRejilla() const override;

private slots:
    void Calcular_Click();
    void Limpiar_Click();
    void Fichero_Click();
};

}  // namespace tesmaro
