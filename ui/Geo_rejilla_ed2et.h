// "Transformación Datum ED50-Datum ETRS89": one ED50 point (decimal degrees,
// the sign in the number; the options Este/Oeste and Norte/Sur follow it and
// flip it, "Este" and "Norte" chosen at load) into ETRS89 by the NTv2 grid,
// shown in decimal degrees and as sexagesimal text, with the zone of the
// point; with the check: the ETRS89 point transformed back to ED50 (LoED50,
// LaED50); and the file button of the ED50 point files (code 10).
//
// The grid is the one of the grid windows (NotificadorAjustes::Rejilla: the
// one chosen with "Cambiar…", which both windows share, else the program's),
// read afresh at each "Calcular" and used by the file runs. A missing or
// unusable grid gives a message naming it; a point beyond ±180° or ±90° a
// message; a point outside the grid the notice Label_Fuera in the window.
// Whenever nothing is computed the result boxes are left empty (a check that
// leaves the grid empties the check's boxes only).
//
// The hidden panels (nothing shows them): Frame_Fich with LMCH_Fich (decimal
// filter) and Command1 "Aceptar", which runs the geographic-to-UTM ETRS89
// file conversion (code 1), and Command2 "X"; the degrees-minutes-seconds
// panel Frame_Gra.
#pragma once
#include <QString>

#include "VentanaConversion.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tesmaro {

// What both grid windows share.
namespace ventanarejilla {
// The title label of both windows.
inline const QString Titulo =
    QStringLiteral("Transformación de DATUM por rejilla NTv2 con modelado de distorsión");
// The notices of Label_Fuera.
extern const QString AvisoFuera;
extern const QString AvisoComprobacionFuera;
// Label_Titulo (Titulo, bold, centred) and Label_Fuera (hidden, dark red,
// bold, wrapped) of the window.
QLabel* CrearTitulo(QWidget* ventana);
QLabel* CrearAvisoFuera(QWidget* ventana);
// The row "Rejilla NTv2: name (la distribuida, SPED2ETV2 del IGN)" (or "(NO
// es la distribuida)", in red, or "(no se encuentra)"; Label_Rejilla, the
// full path and the SHA-256 in its tool tip)
// and its button Cambiar_Rejilla "Cambiar…", which asks for another grid
// (`elegir` answers with its path, empty when cancelled). Both windows keep
// the label in step.
QHBoxLayout* CrearFilaRejilla(QWidget* ventana, std::function<QString(const QString& actual)> elegir);
// A transformed point into its boxes: decimal degrees and, when the boxes
// are given, the sexagesimal texts of the degrees rounded to nine decimals,
// and the zone.
void EscribirPunto(const ResultadoPunto& r, QLineEdit* longitud, QLineEdit* latitud,
                   QLineEdit* longitudGms = nullptr, QLineEdit* latitudGms = nullptr, QLineEdit* huso = nullptr);
}  // namespace ventanarejilla

class Geo_rejilla_ed2et final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Geo_rejilla_ed2et(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QLabel* Label_Titulo;
    QGroupBox* Frame2;
    QGroupBox* Frame5;       // "Longitud (dd.ddddddd)"
    QLineEdit* Long1t;
    QButtonGroup* Long_opt;  // 0 "Este" (chosen at load), 1 "Oeste"
    QGroupBox* Frame4;       // "Latitud (dd.ddddddd)"
    QLineEdit* Lat1t;
    QButtonGroup* Lat_Opt;   // 0 "Norte" (chosen at load), 1 "Sur"
    QGroupBox* Frame1;       // "Coordenadas ETRS89"
    QLabel* Label1;
    QLineEdit* LoET89;
    QLineEdit* LOET89gms;
    QLabel* Label2;
    QLineEdit* LaET89;
    QLineEdit* LAET89GMS;
    QLabel* Label3;
    QLineEdit* HusoET89;     // the zone of the ETRS89 point
    QGroupBox* Frame6;       // "Coordenadas ED50" (the check)
    QLabel* Label5;
    QLineEdit* LoED50;
    QLabel* Label7;
    QLineEdit* LaED50;
    QLabel* Label_Fuera;
    QPushButton* Calcular;
    QPushButton* Limpiar;
    QPushButton* Fichero;
    // Hidden panel.
    QGroupBox* Frame_Fich;
    QLabel* Label4;
    QLineEdit* LMCH_Fich;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void ResultadosVaciados() override;
    QString RutaRejilla() const override;

private slots:
    void Calcular_Click();
    void Limpiar_Click();
    void Fichero_Click();
    void Command1_Click();
    void Command2_Click();
};

}  // namespace tesmaro
