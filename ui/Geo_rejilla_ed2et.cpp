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

#include "MapaPuntos.h"
#include "Filtros.h"
#include "Mensajes.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "Teclado.h"

namespace tesmaro {

namespace ventanarejilla {

const QString AvisoFuera =
    QStringLiteral("El punto está fuera de la rejilla sped2et.gsb: no se puede transformar.");
const QString AvisoComprobacionFuera =
    QStringLiteral("La comprobación vuelve a salir de la rejilla sped2et.gsb: no se puede comprobar.");

QLabel* CrearTitulo(QWidget* ventana) {
    auto* titulo = Nombrar(new QLabel(Titulo, ventana), "Label_Titulo");
    QFont letraTitulo = titulo->font();
    letraTitulo.setBold(true);
    titulo->setFont(letraTitulo);
    titulo->setAlignment(Qt::AlignCenter);
    return titulo;
}

QLabel* CrearAvisoFuera(QWidget* ventana) {
    auto* aviso = Nombrar(new QLabel(ventana), "Label_Fuera");
    aviso->setWordWrap(true);
    aviso->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    // Its room is kept while hidden (two lines at least), so that showing it
    // never takes height or width from the boxes.
    aviso->setText(AvisoComprobacionFuera);
    aviso->setMinimumHeight(aviso->fontMetrics().lineSpacing() * 2 + 4);
    QSizePolicy politica = aviso->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    politica.setHorizontalPolicy(QSizePolicy::Ignored);
    aviso->setSizePolicy(politica);
    aviso->hide();
    return aviso;
}

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

bool LeerPunto(VentanaConversion* ventana, QLineEdit* longitud, QLineEdit* latitud, bool oeste, double& lon,
               double& lat) {
    if (longitud->text().isEmpty() || latitud->text().isEmpty()) return false;
    ComasAPuntos(longitud);
    ComasAPuntos(latitud);
    lon = SegundosLongitud(longitud, oeste);
    lat = VentanaConversion::Leer(latitud) * 3600;
    const QString motivo = VentanaConversion::Primero(
        {VentanaConversion::AnguloImposible(QStringLiteral("La longitud"), lon / 3600, 180, false),
         VentanaConversion::AnguloImposible(QStringLiteral("La latitud"), lat / 3600, 90, false)});
    if (!motivo.isEmpty()) ventana->Mensaje(motivo);
    return motivo.isEmpty();
}

std::optional<Rejilla> AbrirRejilla(VentanaConversion* ventana) {
    Rejilla rejilla(RutaRejillaVentanas());
    if (rejilla.estado() != EstadoRejilla::Correcta) {
        ventana->Mensaje(VentanaConversion::Q(rejilla.mensaje()), IconoMensaje::Critico);
        return std::nullopt;
    }
    return rejilla;
}

QString TextoGradosRegional(double segundos) {
    return VentanaConversion::Q(TextoFormato(segundos / 3600, "##.000000000"));
}

double LeerRegional(const QString& texto) {
    // The regional separator is "." or ","; either way the reader wants ".".
    return LeerNumero(Normalizar(texto.toStdString()));
}

void EscribirPunto(const PuntoRejilla& punto, QLineEdit* longitud, QLineEdit* latitud, QLineEdit* longitudGms,
                   QLineEdit* latitudGms) {
    longitud->setText(TextoGradosRegional(punto.lon));
    latitud->setText(TextoGradosRegional(punto.lat));
    if (!longitudGms || !latitudGms) return;
    if (!longitud->text().isEmpty() && !latitud->text().isEmpty()) {
        longitudGms->setText(VentanaConversion::Q(FormatoSexagesimal(LeerRegional(longitud->text()), "Long1")));
        latitudGms->setText(VentanaConversion::Q(FormatoSexagesimal(LeerRegional(latitud->text()), "Lat1")));
    }
}

}  // namespace ventanarejilla

using namespace ventanarejilla;

Geo_rejilla_ed2et::Geo_rejilla_ed2et(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Geo_rejilla_ed2et"));
    setWindowTitle(QStringLiteral("Transformación Datum ED50-Datum ETRS89"));

    Label_Titulo = CrearTitulo(this);

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
    DisponerFilas(Frame1, {{Label1, LoET89, LOET89gms}, {Label2, LaET89, LAET89GMS}});

    Frame6 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ED50"), this), "Frame6");
    Label5 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame6), "Label5");
    LoED50 = Nombrar(new QLineEdit(Frame6), "LoED50");
    Label7 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame6), "Label7");
    LaED50 = Nombrar(new QLineEdit(Frame6), "LaED50");
    for (QLineEdit* caja : {LoED50, LaED50}) caja->setMinimumWidth(AnchoCifras(caja, 14));
    DisponerFilas(Frame6, {{Label5, LoED50}, {Label7, LaED50}});

    Label_Fuera = CrearAvisoFuera(this);

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Transformación de ficheros de puntos"));

    // The hidden file panel.
    CrearPanelFichero("Frame_Fich", "Label4", "LMCH_Fich", "Command1", "Command2")
        .Repartir(Frame_Fich, Label4, LMCH_Fich, Command1, Command2);

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
    BotonesFichero({Fichero, Command1});
    AngulosEnGrados();
    CajasResultado({LoET89, LaET89, LOET89gms, LAET89GMS, LoED50, LaED50});
    Form_Load();
    Long1t->setFocus();
}

void Geo_rejilla_ed2et::Form_Load() {
    // The window's height follows its layout here; the hidden panels take no
    // room.
    Frame_Gra->hide();
}

void Geo_rejilla_ed2et::Calcular_Click() {
    double lon = 0;
    double lat = 0;
    // Nothing computed (no point, an impossible one, no grid, outside it):
    // empty result boxes.
    Label_Fuera->hide();
    Rehusar({LoET89, LaET89, LOET89gms, LAET89GMS, LoED50, LaED50});
    if (!LeerPunto(this, Long1t, Lat1t, Long_opt->checkedId() == 1, lon, lat)) return;
    const std::optional<Rejilla> rejilla = AbrirRejilla(this);
    if (!rejilla) return;
    const PuntoRejilla etrs89 = rejilla->ED50aETRS89(lon, lat);
    const PuntoRejilla ed50 = rejilla->ETRS89aED50(etrs89.lon, etrs89.lat);
    if (etrs89.dentro) EscribirPunto(etrs89, LoET89, LaET89, LOET89gms, LAET89GMS);
    if (etrs89.dentro && ed50.dentro) EscribirPunto(ed50, LoED50, LaED50);
    if (etrs89.dentro)
        MapaPuntos::PonerPunto(windowTitle(), QStringLiteral("Punto"), etrs89.lon / 3600, etrs89.lat / 3600,
                               QStringLiteral("ETRS89: %1, %2").arg(LoET89->text(), LaET89->text()));
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

void Geo_rejilla_ed2et::Fichero_Click() { ConvertirFichero(codigo::ED50aETRS89); }

void Geo_rejilla_ed2et::Command1_Click() {
    Frame_Fich->hide();
    ConvertirFichero(codigo::GeoUtmETRS89, false);
}

void Geo_rejilla_ed2et::Command2_Click() { Frame_Fich->hide(); }

}  // namespace tesmaro
