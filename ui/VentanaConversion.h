// The behaviour shared by the conversion windows (Principal, GEO_UTM,
// Geo_Cart, Cart_Geo, P_directo, P_Inverso, the grid windows).
//
// A conversion window derives from VentanaConversion and gets:
//
// - "Calcular" as every front end computes: the window reads its boxes
//   strictly (LeerCampos: an empty box stops without a word, a text that is
//   not a number is refused in words, a sign typed against the chosen option
//   too) into an EntradaPunto, and Convertir calls the `convertir` of the
//   conversion's row in the table of conversions, the very function of the
//   file runs, with the settings of that moment (AjustesConversion: the
//   angular unit, the current ellipsoid, refused in words when there is none,
//   "Método exacto", the row's datum, the grid, the geoid). What it refuses empties the
//   results and says why (the critical icon for values that are not finite);
//   a converted point names the exact method beside it when used, or warns
//   where the legacy UTM method is more than 1 cm off (EstadoPunto::Impreciso,
//   with its error at the point), and goes to the map with the text of its
//   record (PonerEnMapa).
//
// - Results that belong to what is on screen: every change of an input the
//   window lists (Entradas), of the datum, of "Método exacto", of the
//   ellipsoid (when its row reads it) or of the angular unit (when its
//   captions name it) or of the decimals of the results empties the result
//   boxes (CajasResultado, read only) and the notices beside them; "Copiar"
//   copies them as shown.
//
// - The degrees-minutes-seconds panel Frame_Gra "ddº mm' ss''" (Grados,
//   Minutos, Segundos, the labels Label11 "o", Label12 "'", Label13 "''",
//   Aceptar "Aceptar", Command3 "X"), built and filtered here (Grados and
//   Minutos whole numbers, Segundos decimal) and hidden. The window puts
//   Frame_Gra into its own layout. HacerAbridorGrados(caja) makes Shift + click
//   on an angle box open the panel with that box as CampoDestino (the box's
//   tool tip says so unless it has one already); BotonGrados(caja) gives a
//   small button that does the same from the keyboard or the mouse.
//   Aceptar writes the composed angle into CampoDestino and hides the panel:
//   its sign is a "-" typed in Grados, else the hemisphere chosen for the
//   box (its option pair): with "Oeste" chosen, 3 42 13,68 is -3.7038.
//   Command3 hides it. Both are virtual slots.
//
// - The Check_Grad guard: VigilarCheckGrad(Check_Grad) keeps the box enabled
//   while UnidadAngular is 1 and disables and clears it the moment the unit
//   changes to anything else (NotificadorAjustes).
//
// - The sign options: OpcionSegunSigno makes the option pair (a QButtonGroup
//   whose button 0 is the positive sign, "Este" or "Norte", and 1 the
//   negative, "Oeste" or "Sur") follow the sign of a filtered number box;
//   SignoSegunOpcion makes the number's sign agree with the option chosen.
//   The frames of CrearMarcoCoordenada connect both.
//
// - A file run in three steps (ConvertirFichero(codigo)): the point file is
//   chosen (EntornoVentanas::ElegirFicheroPuntos, which shows the layout of
//   the lines; a file dropped on the window is taken as chosen); the run,
//   ordered with the settings of that moment (OrdenLote::ConAjustesActuales,
//   the decimals of the results included, "Método exacto", the window's grid
//   RutaRejilla(), the zone HusoForzado() of a geographic-to-UTM run), goes on a thread of
//   its own with a progress dialog (TrabajoLote), the window responsive and
//   its file buttons (BotonesFichero) off meanwhile; its summary is always
//   shown (EntornoVentanas::MostrarResumen) and its points go to the map. One
//   run at a time in the program: a file button pressed during a run says so
//   and starts nothing. Closing the window stops its run without a word
//   (nothing replaced). VerHusosUtm() shows the zone map and VerElipsoides()
//   the ellipsoid dialog.
//
// - "Guardar como capa…" (Guardar_Capa): BotonesFichero puts it after the
//   last file button; once a run of this window has converted points, it asks
//   for the layer's name (EntornoVentanas::ElegirCapa) and runs the same
//   order again with the layer as its only output (no text results), with
//   progress and "Cancelar", then shows its summary, which says when the
//   input file has changed since (its size or its date).
//
// - The exact method (UTM and geodetic-problem windows): CrearMetodo builds
//   the tick box Check_Exacto "Método exacto", unticked at every start, and
//   under it Label_Metodo, naming the exact method beside a result computed
//   by it, and Label_Aviso, the legacy UTM method's error where it exceeds
//   UmbralErrorUtm. Both hide with no result shown.
//
// - Helpers to read and write boxes: Leer(caja) is LeerNumero of its text;
//   TextoPunto(v) is TextoNumero with a decimal point (what a result box
//   shows of a number that is neither a length nor an angle: a scale factor,
//   a zone); TextoMetros(v) and TextoAngular(v) write a length in metres and
//   an angle with the decimals of the results (ajustes::DecimalesMetros and
//   DecimalesAngulos: fixed, a zero without a sign, as the file runs write
//   them; -1: TextoPunto); Sexagesimal(v, tipo) is FormatoSexagesimal with
//   "O" for the west, as the options say it; TextoAngulo and
//   CambiarFormaAngulo write a result angle as a number or as sexagesimal
//   text.
//
// - Messages quote what they quote escaped (TextoVisible): a control
//   character of a name or a path never reaches the screen as such.
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
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Conversiones.h"
#include "EntornoVentanas.h"
#include "Lote.h"

class QAbstractButton;
class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;
class QVBoxLayout;
class QRadioButton;
class QToolButton;

namespace tesmaro {

class BarraElipsoide;
class Geoide;
class PuntosLote;
class Rejilla;
class TrabajoLote;

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
// id 0) and <group>_1 (the negative sign, id 1). The box is decimal-filtered;
// the pair follows its sign and flips it.
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
    static QString TextoMetros(double metros);
    static QString TextoAngular(double angulo);
    static QString Sexagesimal(double valor, const char* tipo);
    // A result angle with a point: Sexagesimal(valor, tipo) when
    // sexagesimal, else TextoAngular.
    static QString TextoAngulo(double valor, bool sexagesimal, const char* tipo);
    // Check_Grad's turn of one result box: to the sexagesimal text of its
    // number, or back (LeerSexagesimal).
    static void CambiarFormaAngulo(QLineEdit* caja, bool sexagesimal, const char* tipo);
    static QString Q(const std::string& texto) { return QString::fromStdString(texto); }
    static QString Q(std::string_view texto) {
        return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
    }

    // Whether a file run (or a layer) started here is going on, and its stop
    // (as its "Cancelar").
    bool ConvirtiendoFichero() const { return !trabajo_.isNull(); }
    void CancelarFichero();

    // Sign of a filtered number box and its option pair (button ids 0 and 1).
    static void OpcionSegunSigno(const QLineEdit* caja, QButtonGroup* opciones);
    static void SignoSegunOpcion(QLineEdit* caja, int indice);

    // The tab-separated line "Copiar" puts on the clipboard.
    QString LineaResultados() const;

protected:
    // One box read by "Calcular": its name in messages ("La longitud"), where
    // its number goes, and the option pair whose choice its sign must agree
    // with (none: nullptr).
    struct Campo {
        const QLineEdit* caja;
        const char* nombre;
        double& valor;
        const QButtonGroup* opciones = nullptr;
    };
    // Reads the boxes in order (see above). False when one is empty or
    // refused: the results are emptied then.
    bool LeerCampos(std::initializer_list<Campo> campos);
    // The point through the row's function (see above). Not converted: the
    // results emptied and, but for a point outside the grid (the grid
    // windows say it in place), a message saying why.
    ResultadoPunto Convertir(const Conversion& conversion, const EntradaPunto& entrada,
                             const Rejilla* rejilla = nullptr, const Geoide* geoide = nullptr);
    // The converted point on the map, with the text of its record.
    void PonerEnMapa(const Conversion& conversion, const ResultadoPunto& r);
    // Empties the results and says why.
    void Rehusar(const QString& motivo, IconoMensaje icono = IconoMensaje::Ninguno);

    // Every change of these inputs (boxes, check boxes, option groups)
    // empties the results.
    void Entradas(std::initializer_list<QObject*> entradas);
    // Empties the result boxes and hides the notices that go with them.
    void VaciarResultados();
    // The window's own notices to hide with the results.
    virtual void ResultadosVaciados() {}
    // The grid of the grid windows' runs (empty: none).
    virtual QString RutaRejilla() const { return {}; }
    // The zone of every point of the geographic-to-UTM runs (27..31); 0:
    // each point's own.
    virtual std::int16_t HusoForzado() const { return 0; }
    EntornoVentanas& Entorno() const { return entorno_; }

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
    // The result boxes, in the order "Copiar" copies them; read only.
    void CajasResultado(std::initializer_list<QLineEdit*> cajas);
    // The ellipsoid bar Label4 (showing texto, with the tool tip ayuda) in its
    // frame Frame6; a change of the ellipsoid empties the results.
    BarraElipsoide* CrearBarraElipsoide(QGroupBox*& Frame6, const QString& texto, const QString& ayuda);
    // The panel and its controls, named as given, hidden.
    PanelFichero CrearPanelFichero(const char* nombreMarco, const char* nombreEtiqueta, const char* nombreCaja,
                                   const char* nombreAceptar, const char* nombreCerrar);
    // Runs manejador(indice) when the button indice of opciones is chosen.
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
    // frames always read degrees (call it before RotularConUnidad). A window
    // with a caption naming the unit empties its results when it changes.
    void RotularConUnidad(QWidget* marco);
    void AngulosEnGrados();
    // A file run of the conversion `codigo` (see above).
    void ConvertirFichero(std::int16_t codigo);
    // The file buttons, in order; the first one also runs on a point file
    // dropped on the window (a local file; the run asks for no file then).
    void BotonesFichero(std::initializer_list<QPushButton*> botones);

    // The exact method (see above): the tick box and the two labels in a
    // layout the window places under its results.
    QVBoxLayout* CrearMetodo();
    bool Exacto() const;
    void OcultarMetodo();

    void VerHusosUtm();
    void VerElipsoides();
    // Grows the window's frame to show the panel, within the area it lives
    // in; shrinks it back after.
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

    // Starts `orden` with the outputs `otras` on its thread; `alAcabar` gets
    // its summary.
    void Lanzar(const OrdenLote& orden, std::vector<std::unique_ptr<Sumidero>> otras, const QString& texto,
                std::function<void(const ResumenLote&)> alAcabar);
    void AcabarFichero(const ResumenLote& resumen, const std::shared_ptr<PuntosLote>& puntos, const OrdenLote& orden);
    void GuardarCapa();
    void HabilitarFicheros(bool si);
    void CopiarResultados();
    void VerMapa();
    // Keeps the captions of the angle frames in the unit in use.
    void RotularUnidad();

    EntornoVentanas& entorno_;
    QPointer<QLineEdit> destino_;  // the box this window's panel was opened for
    QList<QPointer<QPushButton>> botonesFichero_;
    QPointer<TrabajoLote> trabajo_;             // this window's run
    static QPointer<TrabajoLote> enCurso_;      // the program's run
    // The last run of this window that converted points, for "Guardar como
    // capa…", and the size and date of its input then.
    std::optional<OrdenLote> ordenCapa_;
    qint64 tamanioEntrada_ = -1;
    qint64 fechaEntrada_ = 0;
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

// Resizes a window's frame in the main window to `deseado`, within the area
// it lives in (never below what its frame needs), and moves it inside.
void AcomodarSubventana(QMdiSubWindow* sub, QSize deseado);

// Wide enough for the longest sexagesimal text, "-179º 59' 59.999999'' O".
int AnchoSexagesimal(const QWidget* caja);

// The control with its objectName set, for building windows in one line.
template <class T>
T* Nombrar(T* control, const char* nombre) {
    control->setObjectName(QLatin1String(nombre));
    return control;
}

}  // namespace tesmaro
