// "Altitudes ortométricas": the height of one point through IGN's geoid
// EGM08-REDNAP (grid/Geoide.h): an ellipsoidal height h (ETRS89, REGCAN95 in
// the Canary Islands) into the orthometric height H = h − N, or H into h,
// with the geoid undulation N; and the file buttons of the four height
// conversions.
//
// The point (Tipo_Punto: 0 "Geodésicas", chosen at load, 1 "U.T.M.") is
// either a longitude and a latitude in decimal degrees whatever the angular
// unit (long1, lat1, with the option pairs Long_opt Este/Oeste and Lat_Opt
// Norte/Sur and the degrees-minutes-seconds buttons, as the other windows),
// or UTM X, Y in a zone from 27 to 31 of the northern hemisphere (CoordX,
// CoordY, Huso1 "30" at load, Check2 "H30 extendido" as in "U.T.M. a
// Geodésicas"). The height given (Tipo_Altura: 0 "Elipsoidal h", chosen at
// load, 1 "Ortométrica H") is Altura1, in metres. "Calcular" (Enter) fills
// Res_h, Res_N and Res_H (metres, with the decimals of the results) and
// names under them the grid that served the point (Label_Modelo); a point
// outside both grids, or a value no point can have, empties them and says
// why; a geoid grid that cannot be read gives a critical message naming it.
// The converted point goes to the map.
//
// The files: Fichero "Fichero GEO h → H" (altitud-geo), Fichero_AlturaGeo
// "Fichero GEO H → h" (altura-geo), Fichero_AltitudUtm "Fichero UTM h → H"
// (altitud-utm), Fichero_AlturaUtm "Fichero UTM H → h" (altura-utm), each a
// file run in three steps, then "Guardar como capa…" (heights as Z).
#pragma once
#include "VentanaConversion.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tesmaro {

class Altitudes final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Altitudes(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QLabel* Label_Titulo;
    QGroupBox* Frame_Punto;       // "Punto (ETRS89; REGCAN95 en Canarias)"
    QButtonGroup* Tipo_Punto;     // 0 "Geodésicas", 1 "U.T.M."
    QStackedWidget* Pila_Punto;   // the page of the kind chosen
    QGroupBox* Frame_Long;        // "Longitud (dd.ddddddd)"
    QLineEdit* long1;
    QButtonGroup* Long_opt;       // 0 "Este", 1 "Oeste"
    QGroupBox* Frame_Lat;         // "Latitud (dd.ddddddd)"
    QLineEdit* lat1;
    QButtonGroup* Lat_Opt;        // 0 "Norte", 1 "Sur"
    QLabel* Label_X;
    QLineEdit* CoordX;
    QLabel* Label_Y;
    QLineEdit* CoordY;
    QLabel* Label_Huso;
    QLineEdit* Huso1;
    QCheckBox* Check2;            // "H30 extendido"
    QGroupBox* Frame_Altura;      // "Altura dada (m)"
    QButtonGroup* Tipo_Altura;    // 0 "Elipsoidal h", 1 "Ortométrica H"
    QLineEdit* Altura1;
    QGroupBox* Frame_Resultados;  // "Resultados (m)"
    QLabel* Label_h;
    QLineEdit* Res_h;
    QLabel* Label_N;
    QLineEdit* Res_N;
    QLabel* Label_H;
    QLineEdit* Res_H;
    QLabel* Label_Modelo;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;
    QPushButton* Fichero_AlturaGeo;
    QPushButton* Fichero_AltitudUtm;
    QPushButton* Fichero_AlturaUtm;

protected:
    void ResultadosVaciados() override;

private slots:
    void Calcular_Click();
    void Limpiar_Click();
};

}  // namespace tesmaro
