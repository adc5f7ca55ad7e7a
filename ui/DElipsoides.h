// "Seleccionar elipsoide de referencia": the choice of the current reference
// ellipsoid (ajustes::ElipsoideActual) from the 24 rows of TablaElipsoides.
//
// Headings Label4 "Elipsoide", Label3 "Semieje a", Label5 "1/f"; the list
// ELIPSOIDES (single selection, nothing selected when it is built) and
// Command1 "Cerrar", which only hides the dialog.
//
// Each row's text is the ellipsoid's name, a run of tabs and blanks, a as
// text, another run and 1/f as text, exactly as the list has always held
// them (TextoFilaElipsoide). The runs were made to line the values up under
// the headings in one particular font; here the list draws the three parts in
// columns of their own under the headings, whatever the font, and the item
// text stays exactly as it was (what the keyboard search and the tests see).
// The texts are for display only: the values of the computations come from
// TablaElipsoides.
//
// Any click on a row, and any change of the selected row with the keyboard,
// makes that ellipsoid current at once (ELIPSOIDES_Click); there is no
// confirm or cancel step. The next "Calcular" of the Cartesian and
// geodetic-problem windows uses it; nothing shown is recomputed.
//
// One dialog for the whole run: the main window creates it at its first
// opening and afterwards shows it again as it was left (Mostrar). It is
// modeless and has no owner (the user keeps working in the windows while it
// is open); it does not keep the program alive on its own, and the main
// window deletes it when it goes. Opening it from the menu or from any
// ellipsoid bar first selects the row of ElipsoideActual when no row is
// selected (only the first opening of a run).
//
// DElipsoides_ETED (DElipsoides_ETED.h) has the same layout with only rows 2
// and 21; the shared layout is DialogoElipsoides.
//
// BarraElipsoide is the ellipsoid bar (Label4 in Frame6) of the windows
// Geo_Cart, Cart_Geo, P_directo and P_Inverso: a label that reports a click
// with the left button, and Space or Enter while it has the focus (it is a
// stop of the Tab order and draws a focus frame).
#pragma once
#include <QDialog>
#include <QLabel>
#include <QString>
#include <vector>

class QListWidget;
class QPushButton;

namespace tesmaro {

// The exact text of row `indice` (0 to 23) of the list; empty outside.
QString TextoFilaElipsoide(int indice);

class DialogoElipsoides : public QDialog {
    Q_OBJECT
public:
    // filas: the rows of TablaElipsoides that the list holds, in order.
    DialogoElipsoides(const std::vector<int>& filas, QWidget* padre = nullptr);

    QLabel* Label4;  // "Elipsoide"
    QLabel* Label3;  // "Semieje a"
    QLabel* Label5;  // "1/f"
    QListWidget* ELIPSOIDES;
    QPushButton* Command1;  // "Cerrar"

    // The row of TablaElipsoides of the list entry `fila`, -1 when none.
    int IndiceTabla(int fila) const;

protected slots:
    // ElipsoideActual = the table row of the selected entry.
    void ELIPSOIDES_Click();
    void Command1_Click();
};

class DElipsoides final : public DialogoElipsoides {
    Q_OBJECT
public:
    explicit DElipsoides(QWidget* padre = nullptr);

    // The opening of the menu entry and of every ellipsoid bar: when no row is
    // selected, selects the row of ElipsoideActual; then shows the dialog
    // modeless and brings it forward.
    void Mostrar();
};

// The ellipsoid bar: a label that emits Click() on a left-button press, and
// on Space, Return or Enter when it has the focus. Under the text the window
// gives it (setText, Invitacion) a second line names the ellipsoid in use,
// "Elipsoide en uso: WGS 84", kept in step with ElipsoideActual.
class BarraElipsoide final : public QLabel {
    Q_OBJECT
public:
    BarraElipsoide(const QString& texto, QWidget* padre = nullptr);

    void setText(const QString& texto);
    const QString& Invitacion() const { return invitacion_; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    void Rotular();

    QString invitacion_;
};

}  // namespace tesmaro
