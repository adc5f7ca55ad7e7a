#include "Form1.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "EntornoVentanas.h"
#include "Filtros.h"
#include "Texto.h"
#include "VentanaConversion.h"
#include "Teclado.h"

namespace tesmaro {

Form1::Form1(EntornoVentanas& entorno, QWidget* padre) : QWidget(padre), entorno_(entorno) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Conversión sexagesimal"));
    auto caja = [this](const char* nombre, int cifras) {
        auto* c = new QLineEdit(this);
        c->setObjectName(QLatin1String(nombre));
        c->setMaximumWidth(AnchoCifras(c, cifras));
        return c;
    };
    const char* marcas[6] = {"º", "'", "''", "º", "'", "''"};
    for (int i = 0; i < 6; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(marcas[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    Label4 = new QLabel(QStringLiteral("Longitud"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Long1gra = caja("Long1gra", 6);
    long1min = caja("long1min", 5);
    long1seg = caja("long1seg", 12);
    Option1 = new QRadioButton(QStringLiteral("Oeste"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("Este"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option1->setChecked(true);
    long1 = caja("long1", 25);
    long1->setMinimumWidth(AnchoCifras(long1, 20));
    Label5 = new QLabel(QStringLiteral("Latitud"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    lat1gra = caja("lat1gra", 6);
    lat1min = caja("lat1min", 5);
    lat1seg = caja("lat1seg", 12);
    lat1 = caja("lat1", 25);
    lat1->setMinimumWidth(AnchoCifras(lat1, 20));
    Command1 = new QPushButton(QStringLiteral("Convertir a dd.ddddddddd"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(Label4, 0, 0);
    rejilla->addWidget(Long1gra, 0, 1);
    rejilla->addWidget(Label1[0], 0, 2);
    rejilla->addWidget(long1min, 0, 3);
    rejilla->addWidget(Label1[1], 0, 4);
    rejilla->addWidget(long1seg, 0, 5);
    rejilla->addWidget(Label1[2], 0, 6);
    rejilla->addWidget(Option1, 0, 7);
    rejilla->addWidget(Option2, 0, 8);
    rejilla->addWidget(long1, 0, 9);
    rejilla->addWidget(Label5, 1, 0);
    rejilla->addWidget(lat1gra, 1, 1);
    rejilla->addWidget(Label1[3], 1, 2);
    rejilla->addWidget(lat1min, 1, 3);
    rejilla->addWidget(Label1[4], 1, 4);
    rejilla->addWidget(lat1seg, 1, 5);
    rejilla->addWidget(Label1[5], 1, 6);
    rejilla->addWidget(lat1, 1, 9);
    rejilla->addWidget(Command1, 2, 0, 1, 10, Qt::AlignRight);
    rejilla->setColumnStretch(9, 1);

    // The keyboard: Tab row by row, Enter converts.
    OrdenTabulacion({Long1gra, long1min, long1seg, Option1, Option2, long1, lat1gra, lat1min, lat1seg, lat1,
                     Command1});
    Acompaniar({{Label4, Long1gra}, {Label5, lat1gra}});
    TeclaIntro(this, Command1);
    for (QLineEdit* c : {Long1gra, long1min, long1seg, lat1gra, lat1min, lat1seg}) ConectarFiltro(c, TipoFiltro::Decimal);
    for (QLineEdit* c : {long1, lat1}) c->setReadOnly(true);
    // A "-" typed in the degrees is the west; "Este" takes it away.
    connect(Long1gra, &QLineEdit::textChanged, this, [this](const QString& texto) {
        if (texto.trimmed().startsWith(QLatin1Char('-'))) Option1->setChecked(true);
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool este) {
        QString texto = Long1gra->text().trimmed();
        if (este && texto.startsWith(QLatin1Char('-'))) Long1gra->setText(texto.mid(1));
    });
    // Results belong to what is typed.
    for (QLineEdit* c : {Long1gra, long1min, long1seg, lat1gra, lat1min, lat1seg})
        connect(c, &QLineEdit::textChanged, this, [this] {
            long1->clear();
            lat1->clear();
        });
    connect(Option1, &QRadioButton::toggled, long1, &QLineEdit::clear);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    Long1gra->setFocus();
}

void Form1::Command1_Click() {
    long1->clear();
    lat1->clear();
    const struct {
        QLineEdit* caja;
        const char* nombre;
    } cajas[] = {{Long1gra, "Los grados de la longitud"}, {long1min, "Los minutos de la longitud"},
                 {long1seg, "Los segundos de la longitud"}, {lat1gra, "Los grados de la latitud"},
                 {lat1min, "Los minutos de la latitud"}, {lat1seg, "Los segundos de la latitud"}};
    double v[6];
    for (int i = 0; i < 6; ++i) {
        QString motivo;
        switch (LeerCaja(cajas[i].caja, QString::fromUtf8(cajas[i].nombre), v[i], motivo)) {
            case Lectura::Vacia: motivo = QStringLiteral("Introduzca los valores a convertir"); [[fallthrough]];
            case Lectura::NoNumero: return entorno_.Mensaje(motivo, IconoMensaje::Ninguno, this);
            case Lectura::Numero: break;
        }
    }
    using V = VentanaConversion;
    // The longitude's hemisphere is the option's (a "-" typed chose "Oeste").
    const double lon = std::fabs(v[0]) + FraccionMinutosSegundos(v[1], v[2]);
    long1->setText(V::TextoPunto(Option1->isChecked() ? -lon : lon));
    // The latitude's, a "-" typed in its degrees.
    const double lat = ValorGradosMinutosSegundos(std::fabs(v[3]), v[4], v[5]);
    lat1->setText(V::TextoPunto(lat1gra->text().trimmed().startsWith(QLatin1Char('-')) ? -lat : lat));
}

}  // namespace tesmaro
