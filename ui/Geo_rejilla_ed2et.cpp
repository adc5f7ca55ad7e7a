#include "Geo_rejilla_ed2et.h"

#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Filtros.h"
#include "Mensajes.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "Teclado.h"

namespace tesmaro {

namespace ventanarejilla {

const QString AvisoFuera = QStringLiteral(
    "El punto está fuera de la rejilla sped2et.gsb: no se puede transformar (los resultados 0 no son válidos).");
const QString AvisoComprobacionFuera =
    QStringLiteral("La comprobación vuelve a salir de la rejilla sped2et.gsb: sus resultados 0 no son válidos.");

void ComasAPuntos(QLineEdit* caja) {
    QString texto = caja->text();
    texto.replace(QLatin1Char(','), QLatin1Char('.'));
    if (texto != caja->text()) caja->setText(texto);
}

double SegundosLongitud(const QLineEdit* caja, bool oeste) {
    double segundos = VentanaConversion::Leer(caja) * 3600;
    if (segundos < 0) segundos = -segundos;
    if (oeste) segundos = -segundos;
    return segundos;
}

QString TextoGradosRegional(double segundos) {
    return VentanaConversion::Q(TextoFormato(segundos / 3600, "##.000000000"));
}

double LeerRegional(const QString& texto) {
    // The regional separator is "." or ","; either way the reader wants ".".
    return LeerNumero(Normalizar(texto.toStdString()));
}

}  // namespace ventanarejilla

using namespace ventanarejilla;

Geo_rejilla_ed2et::Geo_rejilla_ed2et(QWidget* padre) : VentanaConversion(padre) {
    setObjectName(QStringLiteral("Geo_rejilla_ed2et"));
    setWindowTitle(QStringLiteral("Transformación Datum ED50-Datum ETRS89"));

    Label_Titulo = Nombrar(new QLabel(Titulo, this), "Label_Titulo");
    QFont letraTitulo = Label_Titulo->font();
    letraTitulo.setBold(true);
    Label_Titulo->setFont(letraTitulo);
    Label_Titulo->setAlignment(Qt::AlignCenter);

    // Input: the ED50 point.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas  ED50  (Entrada Datos)"), this), "Frame2");
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame2, "Frame5", "Long1t", "Long_opt", 0, false)
        .Repartir(Frame5, Long1t, Long_opt);
    QRadioButton* este = marcoLong.positiva;
    QRadioButton* oeste = marcoLong.negativa;
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame2, "Frame4", "Lat1t", "Lat_Opt", 0, false)
        .Repartir(Frame4, Lat1t, Lat_Opt);
    QRadioButton* norte = marcoLat.positiva;
    QRadioButton* sur = marcoLat.negativa;

    IgualarAnchos({este, oeste, norte, sur});  // the two boxes line up
    auto* columna2 = new QVBoxLayout(Frame2);
    columna2->addWidget(Frame5);
    columna2->addWidget(Frame4);

    // Results: ETRS89, and the ED50 check.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ETRS89"), this), "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame1), "Label1");
    LoET89 = Nombrar(new QLineEdit(Frame1), "LoET89");
    LOET89gms = Nombrar(new QLineEdit(Frame1), "LOET89gms");
    Label2 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame1), "Label2");
    LaET89 = Nombrar(new QLineEdit(Frame1), "LaET89");
    LAET89GMS = Nombrar(new QLineEdit(Frame1), "LAET89GMS");
    for (QLineEdit* caja : {LoET89, LaET89}) caja->setMinimumWidth(AnchoCifras(caja, 14));
    for (QLineEdit* caja : {LOET89gms, LAET89GMS}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    auto* rejilla1 = new QGridLayout(Frame1);
    rejilla1->addWidget(Label1, 0, 0);
    rejilla1->addWidget(LoET89, 0, 1);
    rejilla1->addWidget(LOET89gms, 0, 2);
    rejilla1->addWidget(Label2, 1, 0);
    rejilla1->addWidget(LaET89, 1, 1);
    rejilla1->addWidget(LAET89GMS, 1, 2);
    rejilla1->setColumnStretch(1, 1);
    rejilla1->setColumnStretch(2, 1);

    Frame6 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ED50"), this), "Frame6");
    Label5 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame6), "Label5");
    LoED50 = Nombrar(new QLineEdit(Frame6), "LoED50");
    Label7 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame6), "Label7");
    LaED50 = Nombrar(new QLineEdit(Frame6), "LaED50");
    for (QLineEdit* caja : {LoED50, LaED50}) caja->setMinimumWidth(AnchoCifras(caja, 14));
    auto* rejilla6 = new QGridLayout(Frame6);
    rejilla6->addWidget(Label5, 0, 0);
    rejilla6->addWidget(LoED50, 0, 1);
    rejilla6->addWidget(Label7, 1, 0);
    rejilla6->addWidget(LaED50, 1, 1);
    rejilla6->setColumnStretch(1, 1);

    Label_Fuera = Nombrar(new QLabel(this), "Label_Fuera");
    Label_Fuera->setWordWrap(true);
    Label_Fuera->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    Label_Fuera->hide();

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Transformación de ficheros de puntos"));

    // The hidden file panel.
    Frame_Fich = Nombrar(new QGroupBox(QStringLiteral("Datos para el cálculo del fichero"), this), "Frame_Fich");
    Label4 = Nombrar(new QLabel(QStringLiteral("Longitud del Meridiano Central del Huso (Oeste Negativo):"),
                                Frame_Fich),
                     "Label4");
    LMCH_Fich = Nombrar(new QLineEdit(Frame_Fich), "LMCH_Fich");
    Command1 = Nombrar(new QPushButton(QStringLiteral("Aceptar"), Frame_Fich), "Command1");
    Command2 = Nombrar(new QPushButton(QStringLiteral("X"), Frame_Fich), "Command2");
    auto* filaFich = new QHBoxLayout(Frame_Fich);
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(LMCH_Fich),
                       static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2)})
        filaFich->addWidget(w);
    Frame_Fich->hide();

    auto* resultados = new QVBoxLayout;
    resultados->addWidget(Frame1);
    resultados->addWidget(Frame6);
    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame2, 1);
    columnas->addLayout(resultados, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label_Titulo);
    todo->addLayout(columnas);
    todo->addWidget(Label_Fuera);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);
    todo->addWidget(Frame_Fich);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Long1t, este, oeste, Lat1t, norte, sur, LoET89, LOET89gms, LaET89, LAET89GMS, LoED50, LaED50,
                     Calcular, Limpiar, Fichero, Grados, Minutos, Segundos, Aceptar, Command3, LMCH_Fich, Command1,
                     Command2});
    Acompaniar({{Label1, LoET89}, {Label2, LaET89}, {Label5, LoED50}, {Label7, LaED50}, {Label4, LMCH_Fich}});
    TeclaIntro(this, Calcular);

    ConectarFiltro(LMCH_Fich, TipoFiltro::Decimal);
    connect(Calcular, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Fichero_Click);
    connect(Command1, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Command2_Click);
    Form_Load();
    Long1t->setFocus();
}

void Geo_rejilla_ed2et::Form_Load() {
    // The window's height follows its layout here; the hidden panels take no
    // room.
    Frame_Gra->hide();
}

void Geo_rejilla_ed2et::Calcular_Click() {
    if (Long1t->text().isEmpty() || Lat1t->text().isEmpty()) return;
    ComasAPuntos(Long1t);
    ComasAPuntos(Lat1t);
    const double lon = SegundosLongitud(Long1t, Long_opt->checkedId() == 1);
    const double lat = Leer(Lat1t) * 3600;
    const Rejilla rejilla(RutaRejillaVentanas());
    if (rejilla.estado() != EstadoRejilla::Correcta) {
        MostrarMensaje(Q(rejilla.mensaje()), IconoMensaje::Critico, this);
        return;
    }
    const PuntoRejilla etrs89 = rejilla.ED50aETRS89(lon, lat);
    LoET89->setText(TextoGradosRegional(etrs89.lon));
    LaET89->setText(TextoGradosRegional(etrs89.lat));
    if (!LoET89->text().isEmpty() && !LaET89->text().isEmpty()) {
        LOET89gms->setText(Q(FormatoSexagesimal(LeerRegional(LoET89->text()), "Long1")));
        LAET89GMS->setText(Q(FormatoSexagesimal(LeerRegional(LaET89->text()), "Lat1")));
    }
    const PuntoRejilla ed50 = rejilla.ETRS89aED50(etrs89.lon, etrs89.lat);
    LoED50->setText(TextoGradosRegional(ed50.lon));
    LaED50->setText(TextoGradosRegional(ed50.lat));
    if (!etrs89.dentro) {
        Label_Fuera->setText(AvisoFuera);
        Label_Fuera->show();
    } else if (!ed50.dentro) {
        Label_Fuera->setText(AvisoComprobacionFuera);
        Label_Fuera->show();
    } else {
        Label_Fuera->hide();
    }
}

void Geo_rejilla_ed2et::Limpiar_Click() {
    for (QLineEdit* caja : {LaET89, LoET89, Long1t, Lat1t, LOET89gms, LAET89GMS}) caja->clear();
    Label_Fuera->hide();
}

void Geo_rejilla_ed2et::Fichero_Click() {
    ConvertirFichero(Q(textos::PistaED50aETRS89), codigo::ED50aETRS89,
                     QDir::current().filePath(QString::fromUtf8(NombreRejilla)).toStdString());
}

void Geo_rejilla_ed2et::Command1_Click() {
    Frame_Fich->hide();
    ConvertirFichero(QString(), codigo::GeoUtmETRS89);
}

void Geo_rejilla_ed2et::Command2_Click() { Frame_Fich->hide(); }

}  // namespace tesmaro
