// "Conversión sexagesimal": a longitude and a latitude typed as degrees,
// minutes and seconds into decimal degrees. The longitude's sign is the
// option's ("Oeste" or "Este"), the latitude's the sign typed in its degrees.
// No filters; the results keep the regional decimal separator.
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
