// "Conversión sexagesimal": a longitude and a latitude typed as degrees,
// minutes and seconds into decimal degrees. The longitude's hemisphere is the
// option's ("Oeste", chosen at load, or "Este"): a "-" typed in its degrees
// chooses "Oeste", and "Este" takes the "-" away. The latitude's sign is a
// "-" typed in its degrees. Decimal filters on the six boxes; a value that
// is not a number is refused in words; the results, with a decimal point,
// are emptied by any change.
#pragma once
#include <QWidget>

#include "Angulos.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tesmaro {

class EntornoVentanas;

class Form1 final : public QWidget {
    Q_OBJECT
public:
    explicit Form1(EntornoVentanas& entorno, QWidget* padre = nullptr);

    QLabel* Label4;
    QLineEdit* Long1gra;
    QLineEdit* long1min;
    QLineEdit* long1seg;
    QLabel* Label1[6];
    QRadioButton* Option1;  // "Oeste"
    QRadioButton* Option2;  // "Este"
    QLineEdit* long1;
    QLabel* Label5;
    QLineEdit* lat1gra;
    QLineEdit* lat1min;
    QLineEdit* lat1seg;
    QLineEdit* lat1;
    QPushButton* Command1;

private slots:
    void Command1_Click();

private:
    EntornoVentanas& entorno_;
};


}  // namespace tesmaro
