// The behaviour shared by the conversion windows (Principal, GEO_UTM,
// Geo_Cart, Cart_Geo, P_directo, P_Inverso, the grid windows).
//
// A conversion window derives from VentanaConversion and gets:
//
// - The degrees-minutes-seconds panel Frame_Gra "ddº mm' ss''" (Grados,
//   Minutos, Segundos, the labels Label11 "o", Label12 "'", Label13 "''",
//   Aceptar "Aceptar", Command3 "X"), built and filtered here (Grados and
//   Minutos whole numbers, Segundos decimal) and hidden. The window puts
//   Frame_Gra into its own layout. HacerAbridorGrados(caja) makes Shift + click
//   on an angle box open the panel with that box as CampoDestino (the box's
//   tool tip says so unless it has one already); BotonGrados(caja) gives a
//   small button that does the same from the keyboard or the mouse.
//   Aceptar writes the composed angle into CampoDestino (TextoNumero, regional
//   separator; the box's own filter turns a comma into a point) and hides the
//   panel; Command3 hides it. Both are virtual slots.
//
// - The Check_Grad guard: VigilarCheckGrad(Check_Grad) keeps the box enabled
//   while UnidadAngular is 1 and disables and clears it the moment the unit
//   changes to anything else (NotificadorAjustes). Clearing raises toggled(),
//   which the window connects to its Check_Grad_Click, so sexagesimal results
//   go back to decimal text.
//
// - The sign options: OpcionSegunSigno makes the option pair (a QButtonGroup
//   whose button 0 is the positive sign, "Este" or "Norte", and 1 the
//   negative, "Oeste" or "Sur") follow the sign of a filtered number box;
//   SignoSegunOpcion makes the number's sign agree with the option chosen (the
//   negated text is TextoNumero of the negated number, which the box's filter
//   then normalises). Windows call them from their own named slots.
//
// - The program around it, EntornoVentanas (given to the constructor):
//   Mensaje(texto) shows a message box over the window; ConvertirFichero(codigo)
//   is a file button: it shows the conversion's hint (the pista of its row in
//   the table of conversions, unless told not to) and starts TratarFichero on
//   a thread of its own (HiloLote) with the environment's batch dialogs; the
//   window stays responsive and its file buttons (BotonesFichero) are
//   disabled meanwhile. When the run ends it says how many lines could not
//   be computed or were left out (when any), or that the run was cancelled,
//   or why it failed. One run at a time in the program: a file button pressed
//   during a run says so and starts nothing. Closing the window stops its run
//   without a word (nothing replaced). VerHusosUtm() shows the zone map and
//   VerElipsoides() the ellipsoid dialog.
//
// - The exact method (UTM and geodetic-problem windows): CrearMetodo builds
//   the tick box Check_Exacto "Método exacto", unticked at every start, and
//   under it Label_Metodo, naming the exact method beside a result computed
//   by it, and Label_Aviso, the legacy UTM method's error at the point where
//   it exceeds UmbralErrorUtm (AvisarErrorUtm). Both hide with no result
//   shown (Rehusar, OcultarMetodo). The file buttons run the exact method
//   too while the box is ticked.
//
// - "Guardar como capa…" (Guardar_Capa): BotonesFichero puts it after the
//   last file button; it is enabled once a run of this window wrote results,
//   asks for the layer's name (EntornoVentanas::ElegirCapa) and writes the
//   last run's results with EscribirCapa on a thread of its own, then says
//   what was written or why nothing was.
//
// - The checks of typed values, with the ranges of the batch: Primero gives
//   the first non-empty reason of a list; AnguloImposible (an angle beyond
//   ±limite degrees, in the unit in use or in degrees), MetrosImposibles (a
//   length outside a range) give the reason a value is impossible, empty when
//   it is possible. Rehusar(resultados, motivo) empties the result boxes and
//   says why: a window never leaves an earlier point's results beside input
//   it did not compute (core's Finitos tells whether every result is a number).
//
// - Helpers to read and write boxes: Leer(caja) is LeerNumero of its text;
//   TextoPunto(v) is TextoNumero with every "," turned into "." (what the
//   result boxes show); TextoRegional(v) is TextoNumero as it is;
//   TextoAngulo and CambiarFormaAngulo write a result angle as a number or as
//   sexagesimal text.
//
// - The coordinate frames of the inputs: CrearMarcoCoordenada builds the
//   group box "Latitud (dd.ddddddd)" or "Longitud (dd.ddddddd)" with its box,
//   the small degrees-minutes-seconds button when asked, and the option pair
//   in one row (MarcoLatitud and MarcoLongitud name the usual texts).
//
// Every window is created with WA_DeleteOnClose; MDIPrincipal keeps it in a
// QPointer so it exists at most once.
#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "Angulos.h"
#include "Estado.h"
#include "Elipsoides.h"
#include "EntornoVentanas.h"
#include "HiloLote.h"
#include "TratarFichero.h"

class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QRadioButton;
class QToolButton;

namespace tesmaro {

class BarraElipsoide;

// A hidden file panel "Datos para el cálculo del fichero": the label
// "Longitud del Meridiano Central del Huso (Oeste Negativo):", its box,
// "Aceptar" and "X" in one row. Nothing shows it.
struct PanelFichero {
    QGroupBox* marco;
    QLabel* etiqueta;
    QLineEdit* caja;
    QPushButton* aceptar;
    QPushButton* cerrar;

    // Hands the panel's controls to the window's members.
    void Repartir(QGroupBox*& marco_, QLabel*& etiqueta_, QLineEdit*& caja_, QPushButton*& aceptar_,
                  QPushButton*& cerrar_) const {
        marco_ = marco;
        etiqueta_ = etiqueta;
        caja_ = caja;
        aceptar_ = aceptar;
        cerrar_ = cerrar;
    }
};

// One coordinate frame: a group box holding, in one grid row whose first
// column takes the spare width, the number box, the degrees-minutes-seconds
// button (BotonGrados, only when asked) and the option pair. The pair's group
// belongs to the window; its buttons are named <group>_0 (the positive sign,
// id 0) and <group>_1 (the negative sign, id 1).
struct MarcoCoordenada {
    QGroupBox* marco;
    QLineEdit* caja;
    QButtonGroup* opciones;
    QRadioButton* positiva;  // id 0: "Norte" or "Este"
    QRadioButton* negativa;  // id 1: "Sur" or "Oeste"
    QToolButton* grados;     // nullptr without the button

    // Hands the frame, the box and the group to the window's members.
    MarcoCoordenada Repartir(QGroupBox*& marco_, QLineEdit*& caja_, QButtonGroup*& opciones_) const {
        marco_ = marco;
        caja_ = caja;
        opciones_ = opciones;
        return *this;
    }
};

class VentanaConversion : public QWidget {
    Q_OBJECT
public:
    explicit VentanaConversion(EntornoVentanas& entorno, QWidget* padre = nullptr);
    ~VentanaConversion() override;

    // The box the degrees-minutes-seconds panel writes into: the last box a
    // panel was opened for, in any window. Each window's panel still writes
    // into the box it was opened for, so that a panel left open in one window
    // never writes into another window.
    static QPointer<QLineEdit> CampoDestino;

    // A message box over the window, through the environment.
    void Mensaje(const QString& texto, IconoMensaje icono = IconoMensaje::Ninguno);

    // Opens the panel for the box caja (it becomes CampoDestino); the focus
    // goes to Grados.
    void AbrirPanelGrados(QLineEdit* caja);

    // Reading and writing numbers in boxes.
    static double Leer(const QLineEdit* caja);
    static QString TextoPunto(double valor);
    static QString TextoRegional(double valor);
    // A result angle with a point: FormatoSexagesimal(valor, tipo) when
    // sexagesimal, else TextoNumero.
    static QString TextoAngulo(double valor, bool sexagesimal, const char* tipo);
    // Check_Grad's turn of one result box: to the sexagesimal text of its
    // number (FormatoSexagesimal with tipo), or back (LeerSexagesimal).
    static void CambiarFormaAngulo(QLineEdit* caja, bool sexagesimal, const char* tipo);
    static QString Q(const std::string& texto) { return QString::fromStdString(texto); }
    static QString Q(std::string_view texto) {
        return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
    }

    // Whether a file run started here is going on.
    bool ConvirtiendoFichero() const { return !hilo_.isNull(); }

    // The summary message of a file run (empty: nothing to say).
    static QString TextoResumen(const ResumenLote& resumen);

    // The checks of typed values (see above).
    static QString Primero(std::initializer_list<QString> motivos);
    static QString AnguloImposible(const QString& nombre, double valor, double limiteGrados, bool enUnidad);
    // abierto: both ends excluded.
    static QString MetrosImposibles(const QString& nombre, double valor, double minimo, double maximo,
                                    bool abierto);

    // Sign of a filtered number box and its option pair (button ids 0 and 1).
    static void OpcionSegunSigno(const QLineEdit* caja, QButtonGroup* opciones);
    static void SignoSegunOpcion(QLineEdit* caja, int indice);

protected:
    void HacerAbridorGrados(QLineEdit* caja);
    QToolButton* BotonGrados(QLineEdit* caja);
    // The row of buttons under a window's frames: Calcular "Calcular" (the
    // default button), Limpiar "Borrar", the result buttons (BotonesResultado),
    // the spare width, Fichero textoFichero.
    QHBoxLayout* CrearBotones(QPushButton*& Calcular, QPushButton*& Limpiar, QPushButton*& Fichero,
                              const QString& textoFichero);
    // The small buttons beside a window's results, added to fila: "Copiar"
    // (every box of CajasResultado, in order, as one tab-separated line on
    // the clipboard) and "Ver en el mapa" (the map of points).
    void BotonesResultado(QHBoxLayout* fila);
    void CajasResultado(std::initializer_list<QLineEdit*> cajas);
    // The tab-separated line "Copiar" puts on the clipboard.
    QString LineaResultados() const;
    // The ellipsoid bar Label4 (showing texto, with the tool tip ayuda) in its
    // frame Frame6.
    BarraElipsoide* CrearBarraElipsoide(QGroupBox*& Frame6, const QString& texto, const QString& ayuda);
    // The panel and its controls, named as given, hidden.
    PanelFichero CrearPanelFichero(const char* nombreMarco, const char* nombreEtiqueta, const char* nombreCaja,
                                   const char* nombreAceptar, const char* nombreCerrar);
    // Runs manejador(indice) when the button indice of opciones is chosen
    // (the window's Lat_Opt_Click and the like).
    void AlElegir(QButtonGroup* opciones, std::function<void(int)> manejador);
    // The frame titulo inside padre; indiceElegido (0 or 1) is the option
    // chosen at load.
    MarcoCoordenada CrearMarcoCoordenada(QWidget* padre, const char* nombreMarco, const QString& titulo,
                                         const char* nombreCaja, const char* nombreOpciones,
                                         const QString& textoPositivo, const QString& textoNegativo,
                                         int indiceElegido, bool conBotonGrados);
    // "Latitud (dd.ddddddd)" with "Norte"/"Sur"; "Longitud (dd.ddddddd)" with
    // "Este"/"Oeste".
    MarcoCoordenada MarcoLatitud(QWidget* padre, const char* nombreMarco, const char* nombreCaja,
                                 const char* nombreOpciones, int indiceElegido, bool conBotonGrados);
    MarcoCoordenada MarcoLongitud(QWidget* padre, const char* nombreMarco, const char* nombreCaja,
                                  const char* nombreOpciones, int indiceElegido, bool conBotonGrados);
    void VigilarCheckGrad(QCheckBox* Check_Grad);
    // The caption of marco (a group box's title or a label's text) names the
    // angular unit in use while it is not sexagesimal degrees: "(dd.ddddddd)"
    // becomes "(grados centesimales)" or "(radianes)", a caption without it
    // gets the unit appended. The frames of MarcoLatitud and MarcoLongitud do
    // it already; AngulosEnGrados() undoes it for a window whose coordinate
    // frames always read degrees (call it before RotularConUnidad).
    void RotularConUnidad(QWidget* marco);
    void AngulosEnGrados();
    void ConvertirFichero(std::int16_t codigo, bool conPista = true);
    // The file buttons, in order; the first one also runs on a point file
    // dropped on the window (a local file; the run asks for no file then).
    void BotonesFichero(std::initializer_list<QPushButton*> botones);

    // The exact method (see above): the tick box and the two labels in a
    // layout the window places under its results.
    QVBoxLayout* CrearMetodo();
    bool Exacto() const;
    // After a result: the method's name when exact (utm: the transverse
    // Mercator; else the geodesic), hidden otherwise.
    void MostrarMetodo(bool utm);
    // After a legacy UTM result: the warning where the legacy method is off
    // by more than UmbralErrorUtm at the point, hidden otherwise.
    void AvisarErrorUtm(double longitud, double latitud, std::int16_t huso, Datum datum);
    void OcultarMetodo();

    void Rehusar(std::initializer_list<QLineEdit*> resultados, const QString& motivo = {},
                 IconoMensaje icono = IconoMensaje::Ninguno);
    void VerHusosUtm();
    void VerElipsoides();
    // Grows the window's frame to show the panel, shrinks it back after.
    void AjustarMarco();

    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

public:
    // The exact method (nullptr in windows without it) and the layer button.
    QCheckBox* Check_Exacto = nullptr;
    QLabel* Label_Metodo = nullptr;
    QLabel* Label_Aviso = nullptr;
    QPushButton* Guardar_Capa = nullptr;
    // The warning's text for an error of `metros`.
    static QString TextoAvisoUtm(double metros);

    // The degrees-minutes-seconds panel (hidden until opened).
    QGroupBox* Frame_Gra;
    QLineEdit* Grados;
    QLineEdit* Minutos;
    QLineEdit* Segundos;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QPushButton* Aceptar;
    QPushButton* Command3;

protected slots:
    virtual void Aceptar_Click();
    virtual void Command3_Click();

private:
    void CrearPanelGrados();

    void AcabarFichero(const ResumenLote& resumen);
    void GuardarCapa();
    void AcabarCapa(const QString& texto, bool escrita);
    void CopiarResultados();
    void VerMapa();
    // Keeps the captions of the angle frames in the unit in use.
    void RotularUnidad();

    EntornoVentanas& entorno_;
    QPointer<QLineEdit> destino_;  // the box this window's panel was opened for
    QList<QPointer<QPushButton>> botonesFichero_;
    QPointer<HiloLote> hilo_;             // this window's file run
    static QPointer<HiloLote> enCurso_;   // the program's file run
    bool capaEnCurso_ = false;            // hilo_ writes a layer, not a run
    // The last run of this window that wrote results: its conversion, its
    // text result and its point file.
    std::int16_t codigoCapa_ = 0;
    std::string txtCapa_;
    std::string entradaCapa_;
    std::int16_t codigoFichero_ = 0;      // the conversion of hilo_
    QString soltado_;                     // the file dropped, while its button runs
    QList<QPointer<QLineEdit>> resultados_;
    QPointer<QWidget> antesResultado_;  // the button before "Copiar"

    QList<QPointer<QWidget>> marcosAngulo_;  // frames whose caption names the unit
};

// Widths that follow the font (and so any scaling of it), not pixels: a box
// wide enough for `cifras` digits, and options of one row made as wide as the
// widest of them, so that the boxes beside them line up.
int AnchoCifras(const QWidget* control, int cifras);
void IgualarAnchos(const QList<QWidget*>& controles);

// A grid in marco with one row per list: the controls of row i in columns
// 0, 1, ...; every column after the first (the labels') takes an equal share
// of the spare width. The caller may add more to it.
QGridLayout* DisponerFilas(QWidget* marco, std::initializer_list<std::initializer_list<QWidget*>> filas);

// Wide enough for the longest sexagesimal text, "-179º 59' 59.999999'' W".
int AnchoSexagesimal(const QWidget* caja);

// The control with its objectName set, for building windows in one line.
template <class T>
T* Nombrar(T* control, const char* nombre) {
    control->setObjectName(QLatin1String(nombre));
    return control;
}

}  // namespace tesmaro
