#include "P_Inverso.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "DElipsoides.h"
#include "Filtros.h"
#include "Teclado.h"

namespace tesmaro {

P_Inverso::P_Inverso(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("P_Inverso"));
    setWindowTitle(QStringLiteral("Problema inverso de la geodesia"));

    UTM_GEO = Nombrar(new QGroupBox(this), "UTM_GEO");
    UTM_GEO->setFlat(true);  // a frame around the two frames takes room and says nothing

    // Input: the two points.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Problema Inverso.  (Entrada Datos)"), UTM_GEO), "Frame2");
    Frame7 = Nombrar(new QGroupBox(QStringLiteral("Punto A:"), Frame2), "Frame7");
    const MarcoCoordenada marcoLong1 = MarcoLongitud(Frame7, "Frame5", "long1", "Long_opt", 0, true)
        .Repartir(Frame5, long1, Long_opt);
    const MarcoCoordenada marcoLat1 = MarcoLatitud(Frame7, "Frame4", "lat1", "Lat_Opt", 0, true)
        .Repartir(Frame4, lat1, Lat_Opt);
    auto* columna7 = new QVBoxLayout(Frame7);
    columna7->addWidget(Frame5);
    columna7->addWidget(Frame4);
    Frame8 = Nombrar(new QGroupBox(QStringLiteral("Punto B:"), Frame2), "Frame8");
    const MarcoCoordenada marcoLong2 = MarcoLongitud(Frame8, "Frame10", "Long2", "Long_opt2", 0, true)
        .Repartir(Frame10, Long2, Long_opt2);
    const MarcoCoordenada marcoLat2 = MarcoLatitud(Frame8, "Frame9", "Lat2", "Lat_Opt2", 0, true)
        .Repartir(Frame9, Lat2, Lat_Opt2);
    auto* columna8 = new QVBoxLayout(Frame8);
    columna8->addWidget(Frame10);
    columna8->addWidget(Frame9);
    auto* puntos = new QVBoxLayout(Frame2);
    puntos->addWidget(Frame7);
    puntos->addWidget(Frame8);

    // Results.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Problema Inverso.  (Resultados)"), UTM_GEO), "Frame1");
    Label7 = Nombrar(new QLabel(QStringLiteral("Distancia"), Frame1), "Label7");
    Dist_Res = Nombrar(new QLineEdit(Frame1), "Dist_Res");
    Label5 = Nombrar(new QLabel(QStringLiteral("Acimut directo"), Frame1), "Label5");
    Acimut_Dir = Nombrar(new QLineEdit(Frame1), "Acimut_Dir");
    Label3 = Nombrar(new QLabel(QStringLiteral("Acimut inverso"), Frame1), "Label3");
    Acimut_Inv = Nombrar(new QLineEdit(Frame1), "Acimut_Inv");
    Check_Grad = Nombrar(new QCheckBox(QStringLiteral("dd mm ss.sss"), Frame1), "Check_Grad");
    Label_Info = Nombrar(new QLabel(QStringLiteral("Cálculo válido sólo para puntos en un mismo hemisferio"), Frame1),
                         "Label_Info");
    Label_Info->setAutoFillBackground(true);
    Label_Info->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label_Info->setMargin(3);
    Label_Info->setWordWrap(true);
    for (QLineEdit* caja : {Dist_Res, Acimut_Dir, Acimut_Inv}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    auto* rejilla1 = DisponerFilas(Frame1, {{Label7, Dist_Res}, {Label5, Acimut_Dir}, {Label3, Acimut_Inv}});
    rejilla1->addWidget(Check_Grad, 3, 1);
    rejilla1->addWidget(Label_Info, 4, 0, 1, 2);
    rejilla1->addLayout(CrearMetodo(), 5, 0, 1, 2);
    rejilla1->setRowStretch(6, 1);

    auto* columnas = new QHBoxLayout(UTM_GEO);
    columnas->setContentsMargins(0, 0, 0, 0);
    columnas->addWidget(Frame2, 3);
    columnas->addWidget(Frame1, 2);

    // The ellipsoid bar.
    Label4 = CrearBarraElipsoide(Frame6, QStringLiteral("Selección de Elipsoide."),
                                 QStringLiteral("Haga Click para cambiar"));

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Fichero"));

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Frame6);
    todo->addWidget(UTM_GEO);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);

    // The options of the four pairs equally wide, so that the boxes line up.
    QList<QWidget*> opciones;
    for (QRadioButton* opcion : findChildren<QRadioButton*>()) opciones << opcion;
    IgualarAnchos(opciones);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Label4, long1, marcoLong1.grados, marcoLong1.positiva, marcoLong1.negativa, lat1,
                     marcoLat1.grados, marcoLat1.positiva, marcoLat1.negativa, Long2, marcoLong2.grados,
                     marcoLong2.positiva, marcoLong2.negativa, Lat2, marcoLat2.grados, marcoLat2.positiva,
                     marcoLat2.negativa, Dist_Res, Acimut_Dir, Acimut_Inv, Check_Grad, Calcular, Limpiar, Fichero,
                     Grados, Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label7, Dist_Res}, {Label5, Acimut_Dir}, {Label3, Acimut_Inv}});
    setTabOrder(Check_Grad, Check_Exacto);
    TeclaIntro(this, Calcular);

    for (QLineEdit* caja : {long1, lat1, Long2, Lat2}) HacerAbridorGrados(caja);
    VigilarCheckGrad(Check_Grad);
    connect(Check_Grad, &QCheckBox::toggled, this, &P_Inverso::Check_Grad_Click);
    connect(Label4, &BarraElipsoide::Click, this, &P_Inverso::Label4_Click);
    connect(Calcular, &QPushButton::clicked, this, &P_Inverso::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &P_Inverso::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &P_Inverso::Fichero_Click);
    BotonesFichero({Fichero});
    RotularConUnidad(Frame1);
    CajasResultado({Acimut_Dir, Acimut_Inv, Dist_Res});

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, &P_Inverso::Timer2_Timer);
    Form_Load();
    long1->setFocus();
}

QColor P_Inverso::AmarilloClaro() { return QColor(0xFF, 0xFF, 0xC0); }

QColor P_Inverso::CaraBoton() const { return palette().color(QPalette::Button); }

QColor P_Inverso::FondoInfo() const { return Label_Info->palette().color(Label_Info->backgroundRole()); }

void P_Inverso::PintarFondoInfo(const QColor& color) {
    QPalette paleta = Label_Info->palette();
    paleta.setColor(Label_Info->backgroundRole(), color);
    Label_Info->setPalette(paleta);
}

void P_Inverso::Form_Load() {
    contador_ = 0;
    Timer2->setInterval(200);
    PintarFondoInfo(AmarilloClaro());
    Timer2->start();
}

void P_Inverso::showEvent(QShowEvent* evento) {
    VentanaConversion::showEvent(evento);
    InvitarAElegirElipsoide();
}

void P_Inverso::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{long1, "La longitud del punto A", e.v[0], Long_opt},
                     {lat1, "La latitud del punto A", e.v[1], Lat_Opt},
                     {Long2, "La longitud del punto B", e.v[2], Long_opt2},
                     {Lat2, "La latitud del punto B", e.v[3], Lat_Opt2}}))
        return;
    const Conversion& c = *BuscarConversion(codigo::Inverso);
    // Different hemispheres, 90° of arc or more apart, or absurd input: the
    // legacy method says why, with empty result boxes.
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    const bool sexagesimal = Check_Grad->isChecked();
    Acimut_Dir->setText(TextoAngulo(r.v[2], sexagesimal, "OTRO"));
    Acimut_Inv->setText(TextoAngulo(r.v[6], sexagesimal, "OTRO"));
    Dist_Res->setText(TextoMetros(r.v[3]));
    PonerEnMapa(c, r);
}

void P_Inverso::Check_Grad_Click(bool marcado) {
    if (Acimut_Inv->text().isEmpty() || Acimut_Dir->text().isEmpty() || Dist_Res->text().isEmpty()) return;
    CambiarFormaAngulo(Acimut_Dir, marcado, "OTRO");
    CambiarFormaAngulo(Acimut_Inv, marcado, "OTRO");
}

void P_Inverso::Label4_Click() { VerElipsoides(); }

void P_Inverso::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void P_Inverso::Timer2_Timer() {
    ++contador_;
    PintarFondoInfo(FondoInfo() == CaraBoton() ? AmarilloClaro() : CaraBoton());
    if (contador_ > 10) {
        Timer2->stop();
        PintarFondoInfo(CaraBoton());
        Label_Info->setVisible(true);
    }
}

void P_Inverso::Limpiar_Click() {
    for (QLineEdit* caja : {long1, lat1, Long2, Lat2}) caja->clear();
    VaciarResultados();
}

void P_Inverso::Fichero_Click() { ConvertirFichero(codigo::Inverso); }

}  // namespace tesmaro
