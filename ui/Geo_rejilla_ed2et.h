// "Transformación Datum ED50-Datum ETRS89": one ED50 point (decimal degrees;
// the longitude's magnitude as typed and its sign from Este/Oeste, the
// latitude signed as typed) into ETRS89 by the NTv2 grid sped2et.gsb, shown in
// decimal degrees and as sexagesimal text, with the check: the ETRS89 point
// transformed back to ED50 (LoED50, LaED50); and the file button of the ED50
// point files (code 10).
//
// The input boxes have no filter: "Calcular" turns every "," into "." in
// them. The decimal results are written with the pattern "##.000000000" in
// the regional decimal separator; the sexagesimal texts always use a point.
// The grid is read afresh at each "Calcular": sped2et.gsb in the current
// folder, else the one in the program's data folder. A missing or unusable
// grid gives a message naming it; a point beyond ±180° or ±90° a message;
// a point outside the grid the notice Label_Fuera in the window. Whenever
// nothing is computed the result boxes are left empty (a check that leaves
// the grid empties the check's boxes only).
//
// The hidden panels (nothing shows them): Frame_Fich with LMCH_Fich (decimal
// filter) and Command1 "Aceptar", which runs the geographic-to-UTM ETRS89
// file conversion (code 1) without a hint, and Command2 "X"; the
// degrees-minutes-seconds panel Frame_Gra.
#pragma once
#include <QString>
#include <optional>
#include <string>

#include "Rejilla.h"
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
// Every "," of the box's text turned into "." (written back only when it
// changes).
void ComasAPuntos(QLineEdit* caja);
// The typed longitude in seconds of arc, its sign from the option: west
// when oeste, whatever sign was typed.
double SegundosLongitud(const QLineEdit* caja, bool oeste);
// What "Calcular" reads: false when a box is empty, or when the point is
// beyond ±180° or ±90° (the window says so). Otherwise both boxes' commas
// are turned into points (longitude first) and lon, lat are the point in
// seconds of arc, the longitude's sign from the option (west when oeste),
// the latitude signed as typed.
bool LeerPunto(VentanaConversion* ventana, QLineEdit* longitud, QLineEdit* latitud, bool oeste, double& lon,
               double& lat);
// The grid of the windows (RutaRejillaVentanas), read afresh; when it cannot
// be used, a critical message naming it and nothing.
std::optional<Rejilla> AbrirRejilla(VentanaConversion* ventana);
// Seconds of arc as decimal degrees with the pattern "##.000000000", in the
// regional decimal separator.
QString TextoGradosRegional(double segundos);
// The number of a text in the regional decimal separator (what
// TextoGradosRegional wrote).
double LeerRegional(const QString& texto);
// A transformed point into its boxes: decimal degrees (TextoGradosRegional),
// and, when both boxes are given and hold a text, the sexagesimal texts read
// back from them.
void EscribirPunto(const PuntoRejilla& punto, QLineEdit* longitud, QLineEdit* latitud,
                   QLineEdit* longitudGms = nullptr, QLineEdit* latitudGms = nullptr);
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
    QButtonGroup* Lat_Opt;   // 0 "Norte", 1 "Sur": not read
    QGroupBox* Frame1;       // "Coordenadas ETRS89"
    QLabel* Label1;
    QLineEdit* LoET89;
    QLineEdit* LOET89gms;
    QLabel* Label2;
    QLineEdit* LaET89;
    QLineEdit* LAET89GMS;
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

private slots:
    void Form_Load();
    void Calcular_Click();
    void Limpiar_Click();
    void Fichero_Click();
    void Command1_Click();
    void Command2_Click();
};

}  // namespace tesmaro
