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
// - The sign options: EmparejarSigno(caja, opciones) pairs a filtered number
//   box with a QButtonGroup whose button 0 is the positive sign ("Este",
//   "Norte") and 1 the negative ("Oeste", "Sur"). After the box's filter has
//   run, the option follows the sign of the number; choosing an option makes
//   the number's sign agree (the negated text is TextoNumero of the negated
//   number, which the box's filter then normalises). Call it AFTER
//   ConectarFiltro on the box. The two halves are also available on their
//   own (OpcionSegunSigno, SignoSegunOpcion) for windows that name the slots.
//
// - File buttons: ConvertirFichero(pista, codigo) shows the format hint (when
//   not empty), runs TratarFichero with the main window's dialogs, then says
//   how many lines could not be computed (when any), or that the run was
//   cancelled, or why it failed.
//
// - MostrarDatosAngulares() (the angular-units dialog DAngular) and
//   VerHusosUtm() (the zone map Zonas_Utm).
//
// - Helpers to read and write boxes: Leer(caja) is LeerNumero of its text;
//   TextoPunto(v) is TextoNumero with every "," turned into "." (what the
//   result boxes show); TextoRegional(v) is TextoNumero as it is.
//
// Every window is created with WA_DeleteOnClose; MDIPrincipal keeps it in a
// QPointer so it exists at most once.
#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

#include "Angulos.h"
#include "TratarFichero.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tesmaro {

class VentanaConversion : public QWidget {
    Q_OBJECT
public:
    explicit VentanaConversion(QWidget* padre = nullptr);
    ~VentanaConversion() override;

    // The box the degrees-minutes-seconds panel writes into: the last box a
    // panel was opened for, in any window. Each window's panel still writes
    // into the box it was opened for, so that a panel left open in one window
    // never writes into another window.
    static QPointer<QLineEdit> CampoDestino;

    // Selects the option of the current UnidadAngular in DAngular and shows it.
    void MostrarDatosAngulares();

    // Opens the panel for the box caja (it becomes CampoDestino); the focus
    // goes to Grados.
    void AbrirPanelGrados(QLineEdit* caja);

    // Reading and writing numbers in boxes.
    static double Leer(const QLineEdit* caja);
    static QString TextoPunto(double valor);
    static QString TextoRegional(double valor);
    static QString Q(const std::string& texto) { return QString::fromStdString(texto); }
    static QString Q(std::string_view texto) {
        return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
    }

    // The summary message of a file run (empty: nothing to say).
    static QString TextoResumen(const ResumenLote& resumen);

    // Sign of a filtered number box and its option pair (button ids 0 and 1).
    static void OpcionSegunSigno(const QLineEdit* caja, QButtonGroup* opciones);
    static void SignoSegunOpcion(QLineEdit* caja, int indice);
    static void EmparejarSigno(QLineEdit* caja, QButtonGroup* opciones);

protected:
    void HacerAbridorGrados(QLineEdit* caja);
    QToolButton* BotonGrados(QLineEdit* caja);
    void VigilarCheckGrad(QCheckBox* Check_Grad);
    void ConvertirFichero(const QString& pista, std::int16_t codigo, std::string rutaRejilla = {});
    void VerHusosUtm();
    // Grows the window's frame to show the panel, shrinks it back after.
    void AjustarMarco();

    bool eventFilter(QObject* objeto, QEvent* evento) override;

public:
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

    QPointer<QLineEdit> destino_;  // the box this window's panel was opened for
};

// Widths that follow the font (and so any scaling of it), not pixels: a box
// wide enough for `cifras` digits, and options of one row made as wide as the
// widest of them, so that the boxes beside them line up.
int AnchoCifras(const QWidget* control, int cifras);
void IgualarAnchos(const QList<QWidget*>& controles);

}  // namespace tesmaro
