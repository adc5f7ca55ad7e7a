#include "AcercaDe.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "EntornoVentanas.h"
#include "Exactitud.h"

namespace tesmaro {

namespace {

// The logo: a globe with its graticule and the Greenwich meridian in red.
class Logo final : public QWidget {
public:
    explicit Logo(QWidget* padre) : QWidget(padre) { setFixedSize(96, 96); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF globo(6, 6, 84, 84);
        p.setPen(QPen(QColor(30, 60, 110), 2));
        p.setBrush(QColor(200, 225, 245));
        p.drawEllipse(globo);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(60, 100, 150), 1));
        for (double ancho : {28.0, 56.0}) p.drawEllipse(QRectF(48 - ancho / 2, 6, ancho, 84));
        for (double y : {27.0, 69.0}) {
            const double medio = std::sqrt(42.0 * 42.0 - (y - 48) * (y - 48));
            p.drawLine(QPointF(48 - medio, y), QPointF(48 + medio, y));
        }
        p.drawLine(QPointF(6, 48), QPointF(90, 48));
        p.setPen(QPen(QColor(190, 30, 30), 2));
        p.drawLine(QPointF(48, 6), QPointF(48, 90));
    }
};

}  // namespace

AcercaDe::AcercaDe(EntornoVentanas& entorno, QWidget* padre) : QDialog(padre), entorno_(entorno) {
    setObjectName(QStringLiteral("AcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de Tesmaro"));
    setModal(false);

    lblTitle = new QLabel(QStringLiteral("Tesmaro"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont grande = lblTitle->font();
    grande.setPointSizeF(grande.pointSizeF() * 2);
    grande.setBold(true);
    lblTitle->setFont(grande);

    auto* lblVersion = new QLabel(QStringLiteral("Versión %1").arg(QCoreApplication::applicationVersion()), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setVisible(!QCoreApplication::applicationVersion().isEmpty());

    lblDescription = new QLabel(
        QStringLiteral("Conversión de coordenadas geodésicas: U.T.M. y geodésicas en ED50 y ETRS89 "
                       "(husos 27 a 31), cambio de datum ED50 - ETRS89 por rejilla NTv2, altitudes ortométricas "
                       "con el geoide EGM08-REDNAP, geodésicas y cartesianas geocéntricas sobre 24 "
                       "elipsoides, y problemas directo e inverso de la geodesia, para un punto o para "
                       "ficheros de puntos."),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    Label3 = new QLabel(
        QStringLiteral("Rejilla de transformación ED50 → ETRS89 (SPED2ETV2, 2009): obra derivada de datos del "
                       "Instituto Geográfico Nacional, CC BY 4.0 www.ign.es. Convertida de GeoTIFF a NTv2 sin "
                       "modificar los valores.\n"
                       "Modelo de geoide EGM08-REDNAP (2013): obra derivada de datos del Instituto Geográfico "
                       "Nacional, CC BY 4.0 www.ign.es. Convertido de GeoTIFF a GTX sin modificar los valores."),
        this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);

    Label4 = new QLabel(
        QStringLiteral("Línea de costa y fronteras: GSHHG 2.3.7 (Wessel & Smith), LGPL-3.0; extracto modificado."),
        this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);

    // The program's own licence, beside the data's.
    auto* licencia = new QLabel(
        QStringLiteral("Tesmaro es software libre: puede redistribuirlo y modificarlo según la Licencia Pública "
                       "General de GNU, versión 3 o (a su elección) cualquier versión posterior (GPL-3.0-or-later). "
                       "Se distribuye sin ninguna garantía."),
        this);
    licencia->setObjectName(QStringLiteral("lblLicencia"));
    licencia->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &AcercaDe::cmdOK_Click);

    cmdExactitud = new QPushButton(QStringLiteral("&Exactitud…"), this);
    cmdExactitud->setObjectName(QStringLiteral("cmdExactitud"));
    cmdExactitud->setAutoDefault(false);
    Exactitud = new QDialog(this);
    Exactitud->setObjectName(QStringLiteral("Exactitud"));
    Exactitud->setWindowTitle(QStringLiteral("Exactitud de las conversiones"));
    auto* texto = new QPlainTextEdit(Exactitud);
    texto->setObjectName(QStringLiteral("txtExactitud"));
    texto->setReadOnly(true);
    texto->setPlainText(QString::fromUtf8(TextoExactitud.data(), qsizetype(TextoExactitud.size())));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), Exactitud);
    cerrar->setDefault(true);
    connect(cerrar, &QPushButton::clicked, Exactitud, &QDialog::hide);
    auto* columna = new QVBoxLayout(Exactitud);
    columna->addWidget(texto);
    columna->addWidget(cerrar, 0, Qt::AlignRight);
    // Wide enough for most lines, high enough for all of them.
    Exactitud->resize(std::max(640, fontMetrics().averageCharWidth() * 100), fontMetrics().lineSpacing() * 24);
    connect(cmdExactitud, &QPushButton::clicked, Exactitud, [this] {
        Exactitud->show();
        Exactitud->raise();
        Exactitud->activateWindow();
    });

    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(new Logo(this));
    auto* textos = new QVBoxLayout;
    textos->addWidget(lblTitle);
    textos->addWidget(lblVersion);
    textos->addWidget(lblDescription);
    cabecera->addLayout(textos, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addSpacing(8);
    todo->addWidget(Label3);
    todo->addWidget(Label4);
    todo->addWidget(licencia);
    todo->addStretch(1);
    setTabOrder(cmdExactitud, cmdOK);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdExactitud);
    botones->addStretch(1);
    botones->addWidget(cmdOK);
    todo->addLayout(botones);
    // A fixed size, as it has always had, taken from the font: about 80
    // characters wide and as high as the texts wrap into at that width.
    const int ancho = std::max(560, fontMetrics().averageCharWidth() * 80);
    const int alto = todo->hasHeightForWidth() ? todo->totalHeightForWidth(ancho) : todo->totalSizeHint().height();
    setFixedSize(ancho, std::max(290, alto));
}

void AcercaDe::mousePressEvent(QMouseEvent* evento) {
    const QPointF punto = evento->position();
    if (evento->button() == Qt::RightButton && evento->modifiers() == Qt::ShiftModifier &&
        EnRincon(punto.x() * TwipsPorPixel, punto.y() * TwipsPorPixel)) {
        entorno_.Mensaje(QStringLiteral("Dolvar"), IconoMensaje::Ninguno, this);
        return;
    }
    QDialog::mousePressEvent(evento);
}

void AcercaDe::cmdOK_Click() { hide(); }

}  // namespace tesmaro
