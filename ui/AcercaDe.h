// The About window: the program's name and purpose, and the credits of the
// grid and of the map data, and the accuracy of every conversion. Shown over the empty frame at start-up and from
// "&Acerca de"; cmdOK "Aceptar" hides it.
//
// Shift + right click in its upper right part (x >= 5310 and y <= 3300 twips
// from the top left of the window, 15 twips a pixel) shows the message
// "Dolvar".
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace tesmaro {

class EntornoVentanas;

class AcercaDe final : public QDialog {
    Q_OBJECT
public:
    explicit AcercaDe(EntornoVentanas& entorno, QWidget* padre = nullptr);

    // Twips to a pixel, as the window's coordinates have always been counted.
    static constexpr int TwipsPorPixel = 15;
    // Whether a click at (x, y) twips falls in the corner of the message.
    static bool EnRincon(double xTwips, double yTwips) { return xTwips >= 5310 && yTwips <= 3300; }

    QLabel* lblTitle;
    QLabel* lblDescription;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* cmdOK;
    // "Exactitud…": the accuracy of every conversion (TextoExactitud) in a
    // read-only text box of its own window, Exactitud.
    QPushButton* cmdExactitud;
    QDialog* Exactitud;

protected:
    void mousePressEvent(QMouseEvent* evento) override;

private slots:
    void cmdOK_Click();

private:
    EntornoVentanas& entorno_;
};

}  // namespace tesmaro
