#include "Geo_rejilla_ed2et.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Filtros.h"
#include "NotificadorAjustes.h"
#include "Rejilla.h"
#include "Teclado.h"
#include "Texto.h"
#include "Verificar.h"

namespace tesmaro {

namespace ventanarejilla {

const QString AvisoFuera = QStringLiteral("El punto está fuera de la rejilla: no se puede transformar.");
const QString AvisoComprobacionFuera =
    QStringLiteral("La comprobación vuelve a salir de la rejilla: no se puede comprobar.");

QLabel* CrearTitulo(QWidget* ventana) {
    auto* titulo = Nombrar(new QLabel(Titulo, ventana), "Label_Titulo");
    QFont letraTitulo = titulo->font();
    letraTitulo.setBold(true);
    titulo->setFont(letraTitulo);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setWordWrap(true);
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

QHBoxLayout* CrearFilaRejilla(QWidget* ventana, std::function<QString(const QString&)> elegir) {
    auto* etiqueta = Nombrar(new QLabel(ventana), "Label_Rejilla");
    auto* cambiar = Nombrar(new QPushButton(QStringLiteral("Cambiar…"), ventana), "Cambiar_Rejilla");
    cambiar->setToolTip(QStringLiteral("Elige la rejilla NTv2 de «Calcular» y de los ficheros"));
    etiqueta->setWordWrap(true);
    const auto rotular = [etiqueta] {
        // Which file, and whether it is the distributed one (its SHA-256).
        const QString ruta = NotificadorAjustes::Rejilla();
        const QFileInfo fichero(ruta);
        std::string suma;
        QString estado = QStringLiteral("no se encuentra");
        bool otra = false;
        if (fichero.isFile()) {
            switch (ComprobarRejilla(QFile::encodeName(ruta).toStdString(), suma)) {
                case OrigenRejilla::Distribuida: estado = QStringLiteral("la distribuida, SPED2ETV2 del IGN"); break;
                case OrigenRejilla::Otra: estado = QStringLiteral("NO es la distribuida"); otra = true; break;
                case OrigenRejilla::SinComprobar: estado = QStringLiteral("sin suma de control con que comprobarla"); break;
            }
        }
        etiqueta->setText(QStringLiteral("Rejilla NTv2: %1 (%2)").arg(TextoVisible(fichero.fileName()), estado));
        etiqueta->setToolTip(TextoVisible(fichero.absoluteFilePath()) +
                             (suma.empty() ? QString() : QStringLiteral("\nSHA-256: ") + QString::fromStdString(suma)));
        etiqueta->setStyleSheet(otra ? QStringLiteral("QLabel { color: #a00000; font-weight: bold; }") : QString());
    };
    rotular();
    QObject::connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::RejillaCambiada, etiqueta, rotular);
    QObject::connect(cambiar, &QPushButton::clicked, ventana, [elegir = std::move(elegir)] {
        const QString ruta = elegir(NotificadorAjustes::Rejilla());
        if (!ruta.isEmpty()) NotificadorAjustes::FijarRejilla(ruta);
    });
    auto* fila = new QHBoxLayout;
    fila->addWidget(etiqueta, 1);
    fila->addWidget(cambiar);
    return fila;
}

void EscribirPunto(const ResultadoPunto& r, QLineEdit* longitud, QLineEdit* latitud, QLineEdit* longitudGms,
                   QLineEdit* latitudGms, QLineEdit* huso) {
    longitud->setText(VentanaConversion::TextoAngular(r.v[0]));
    latitud->setText(VentanaConversion::TextoAngular(r.v[1]));
    // The sexagesimal texts of the degrees to nine decimals, as these
    // windows have always shown them.
    const auto nueve = [](double v) { return LeerNumero(TextoFormato(v, "##.000000000", '.')); };
    if (longitudGms) longitudGms->setText(VentanaConversion::Sexagesimal(nueve(r.v[0]), "Long1"));
    if (latitudGms) latitudGms->setText(VentanaConversion::Sexagesimal(nueve(r.v[1]), "Lat1"));
    if (huso) huso->setText(VentanaConversion::TextoPunto(r.v[2]));
}

}  // namespace ventanarejilla

using namespace ventanarejilla;

Geo_rejilla_ed2et::Geo_rejilla_ed2et(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Geo_rejilla_ed2et"));
    setWindowTitle(QStringLiteral("Transformación Datum ED50-Datum ETRS89"));

    Label_Titulo = CrearTitulo(this);

    // Input: the ED50 point, and the grid.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas  ED50  (Entrada Datos)"), this), "Frame2");
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame2, "Frame5", "Long1t", "Long_opt", 0, false)
        .Repartir(Frame5, Long1t, Long_opt);
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame2, "Frame4", "Lat1t", "Lat_Opt", 0, false)
        .Repartir(Frame4, Lat1t, Lat_Opt);
    IgualarAnchos({marcoLong.positiva, marcoLong.negativa, marcoLat.positiva, marcoLat.negativa});
    auto* columna2 = new QVBoxLayout(Frame2);
    columna2->addWidget(Frame5);
    columna2->addWidget(Frame4);
    columna2->addLayout(CrearFilaRejilla(this, [this](const QString& actual) {
        return Entorno().ElegirRejilla(window(), actual);
    }));
    columna2->addStretch(1);

    // Results: ETRS89 and its zone, and the ED50 check.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ETRS89"), this), "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame1), "Label1");
    LoET89 = Nombrar(new QLineEdit(Frame1), "LoET89");
    LOET89gms = Nombrar(new QLineEdit(Frame1), "LOET89gms");
    Label2 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame1), "Label2");
    LaET89 = Nombrar(new QLineEdit(Frame1), "LaET89");
    LAET89GMS = Nombrar(new QLineEdit(Frame1), "LAET89GMS");
    Label3 = Nombrar(new QLabel(QStringLiteral("Huso"), Frame1), "Label3");
    HusoET89 = Nombrar(new QLineEdit(Frame1), "HusoET89");
    HusoET89->setMaximumWidth(AnchoCifras(HusoET89, 4));
    for (QLineEdit* caja : {LoET89, LaET89}) caja->setMinimumWidth(AnchoCifras(caja, 17));
    for (QLineEdit* caja : {LOET89gms, LAET89GMS}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    DisponerFilas(Frame1, {{Label1, LoET89, LOET89gms}, {Label2, LaET89, LAET89GMS}, {Label3, HusoET89}});

    Frame6 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ED50 (comprobación)"), this), "Frame6");
    Label5 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame6), "Label5");
    LoED50 = Nombrar(new QLineEdit(Frame6), "LoED50");
    Label7 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame6), "Label7");
    LaED50 = Nombrar(new QLineEdit(Frame6), "LaED50");
    for (QLineEdit* caja : {LoED50, LaED50}) caja->setMinimumWidth(AnchoCifras(caja, 17));
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
    auto* cambiar = findChild<QPushButton*>(QStringLiteral("Cambiar_Rejilla"));
    OrdenTabulacion({Long1t, marcoLong.positiva, marcoLong.negativa, Lat1t, marcoLat.positiva, marcoLat.negativa,
                     cambiar, LoET89, LOET89gms, LaET89, LAET89GMS, HusoET89, LoED50, LaED50, Calcular, Limpiar,
                     Fichero, Grados, Minutos, Segundos, Aceptar, Command3, LMCH_Fich, Command1, Command2});
    Acompaniar({{Label1, LoET89}, {Label2, LaET89}, {Label3, HusoET89}, {Label5, LoED50}, {Label7, LaED50},
                {Label4, LMCH_Fich}});
    TeclaIntro(this, Calcular);

    ConectarFiltro(LMCH_Fich, TipoFiltro::Decimal);
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::RejillaCambiada, this,
            &Geo_rejilla_ed2et::VaciarResultados);
    connect(Calcular, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Fichero_Click);
    connect(Command1, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Geo_rejilla_ed2et::Command2_Click);
    BotonesFichero({Fichero, Command1});
    AngulosEnGrados();
    CajasResultado({LoET89, LaET89, LOET89gms, LAET89GMS, HusoET89, LoED50, LaED50});
    Long1t->setFocus();
}

void Geo_rejilla_ed2et::ResultadosVaciados() { Label_Fuera->hide(); }

QString Geo_rejilla_ed2et::RutaRejilla() const { return NotificadorAjustes::Rejilla(); }

void Geo_rejilla_ed2et::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{Long1t, "La longitud", e.v[0], Long_opt}, {Lat1t, "La latitud", e.v[1], Lat_Opt}})) return;
    const Rejilla rejilla(RutaRejilla().toStdString());
    if (rejilla.estado() != EstadoRejilla::Correcta) return Rehusar(Q(rejilla.mensaje()), IconoMensaje::Critico);
    const ResultadoPunto r = Convertir(*BuscarConversion(codigo::ED50aETRS89), e, &rejilla);
    if (r.estado == EstadoPunto::FueraRejilla) {
        Label_Fuera->setText(AvisoFuera);
        Label_Fuera->show();
    }
    if (!Convertido(r.estado)) return;
    EscribirPunto(r, LoET89, LaET89, LOET89gms, LAET89GMS, HusoET89);
    PonerEnMapa(*BuscarConversion(codigo::ED50aETRS89), r);
    // The check: the ETRS89 point back to ED50 by the other row.
    AjustesConversion a;
    a.rejilla = &rejilla;
    EntradaPunto vuelta;
    vuelta.v[0] = r.v[0];
    vuelta.v[1] = r.v[1];
    const ResultadoPunto ed50 = BuscarConversion(codigo::ETRS89aED50)->convertir(vuelta, a);
    if (Convertido(ed50.estado)) {
        EscribirPunto(ed50, LoED50, LaED50);
    } else {
        Label_Fuera->setText(AvisoComprobacionFuera);
        Label_Fuera->show();
    }
}

void Geo_rejilla_ed2et::Limpiar_Click() {
    for (QLineEdit* caja : {Long1t, Lat1t}) caja->clear();
    VaciarResultados();
}

void Geo_rejilla_ed2et::Fichero_Click() { ConvertirFichero(codigo::ED50aETRS89); }

void Geo_rejilla_ed2et::Command1_Click() {
    Frame_Fich->hide();
    ConvertirFichero(codigo::GeoUtmETRS89);
}

void Geo_rejilla_ed2et::Command2_Click() { Frame_Fich->hide(); }

}  // namespace tesmaro
