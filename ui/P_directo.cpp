#include "P_directo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "DElipsoides.h"
#include "Filtros.h"
#include "Teclado.h"

namespace tesmaro {

P_directo::P_directo(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("P_directo"));
    setWindowTitle(QStringLiteral("Problema directo de la geodesia"));

    UTM_GEO = Nombrar(new QGroupBox(this), "UTM_GEO");
    UTM_GEO->setFlat(true);  // a frame around the two frames takes room and says nothing

    // Input.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Problema Directo.  (Entrada Datos)"), UTM_GEO), "Frame2");
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame2, "Frame5", "long1", "Long_opt", 0, true)
        .Repartir(Frame5, long1, Long_opt);
    QRadioButton* este = marcoLong.positiva;
    QRadioButton* oeste = marcoLong.negativa;
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame2, "Frame4", "lat1", "Lat_Opt", 0, true)
        .Repartir(Frame4, lat1, Lat_Opt);
    QRadioButton* norte = marcoLat.positiva;
    QRadioButton* sur = marcoLat.negativa;

    Label1 = Nombrar(new QLabel(QStringLiteral("Acimut directo"), Frame2), "Label1");
    Acimut1 = Nombrar(new QLineEdit(Frame2), "Acimut1");
    Acimut1->setToolTip(QStringLiteral("Haga \"Shift+Click\" para entrada dd mm ss.ss"));
    Label2 = Nombrar(new QLabel(QStringLiteral("Distancia"), Frame2), "Label2");
    Distancia1 = Nombrar(new QLineEdit(Frame2), "Distancia1");
    auto* rejilla2 = new QGridLayout(Frame2);
    rejilla2->addWidget(Frame5, 0, 0, 1, 3);
    rejilla2->addWidget(Frame4, 1, 0, 1, 3);
    rejilla2->addWidget(Label1, 2, 0);
    rejilla2->addWidget(Acimut1, 2, 1);
    auto* Acimut1_gms = BotonGrados(Acimut1);
    rejilla2->addWidget(Acimut1_gms, 2, 2);
    rejilla2->addWidget(Label2, 3, 0);
    rejilla2->addWidget(Distancia1, 3, 1);
    rejilla2->setColumnStretch(1, 1);

    // Results.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Problema Directo.  (Resultados)"), UTM_GEO), "Frame1");
    Label5 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame1), "Label5");
    Long_Res = Nombrar(new QLineEdit(Frame1), "Long_Res");
    Label7 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame1), "Label7");
    Lat_Res = Nombrar(new QLineEdit(Frame1), "Lat_Res");
    Label3 = Nombrar(new QLabel(QStringLiteral("Acimut inverso"), Frame1), "Label3");
    Acimut_Res = Nombrar(new QLineEdit(Frame1), "Acimut_Res");
    Check_Grad = Nombrar(new QCheckBox(QStringLiteral("dd mm ss.sss"), Frame1), "Check_Grad");
    for (QLineEdit* caja : {Long_Res, Lat_Res, Acimut_Res}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    IgualarAnchos({este, oeste, norte, sur});
    auto* rejilla1 = DisponerFilas(Frame1, {{Label5, Long_Res}, {Label7, Lat_Res}, {Label3, Acimut_Res}});
    rejilla1->addWidget(Check_Grad, 3, 1);
    rejilla1->addLayout(CrearMetodo(), 4, 0, 1, 2);
    rejilla1->setRowStretch(5, 1);

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

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Label4, long1, marcoLong.grados, este, oeste, lat1, marcoLat.grados, norte, sur, Acimut1,
                     Acimut1_gms, Distancia1, Long_Res, Lat_Res, Acimut_Res, Check_Grad, Calcular, Limpiar, Fichero,
                     Grados, Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label1, Acimut1}, {Label2, Distancia1}, {Label5, Long_Res}, {Label7, Lat_Res}, {Label3, Acimut_Res}});
    setTabOrder(Check_Grad, Check_Exacto);
    TeclaIntro(this, Calcular);

    ConectarFiltro(Acimut1, TipoFiltro::Decimal);
    ConectarFiltro(Distancia1, TipoFiltro::Decimal);
    HacerAbridorGrados(long1);
    HacerAbridorGrados(lat1);
    HacerAbridorGrados(Acimut1);
    VigilarCheckGrad(Check_Grad);
    Entradas({Acimut1, Distancia1});
    connect(Check_Grad, &QCheckBox::toggled, this, &P_directo::Check_Grad_Click);
    connect(Label4, &BarraElipsoide::Click, this, &P_directo::Label4_Click);
    connect(Calcular, &QPushButton::clicked, this, &P_directo::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &P_directo::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &P_directo::Fichero_Click);
    BotonesFichero({Fichero});
    RotularConUnidad(Frame1);
    CajasResultado({Lat_Res, Long_Res, Acimut_Res});
    long1->setFocus();
}

void P_directo::showEvent(QShowEvent* evento) {
    VentanaConversion::showEvent(evento);
    InvitarAElegirElipsoide();
}

void P_directo::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{long1, "La longitud", e.v[0], Long_opt}, {lat1, "La latitud", e.v[1], Lat_Opt},
                     {Acimut1, "El acimut", e.v[2]}, {Distancia1, "La distancia", e.v[3]}}))
        return;
    const Conversion& c = *BuscarConversion(codigo::Directo);
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    const bool sexagesimal = Check_Grad->isChecked();
    Lat_Res->setText(TextoAngulo(r.v[1], sexagesimal, "Lat1"));
    Long_Res->setText(TextoAngulo(r.v[0], sexagesimal, "Long1"));
    Acimut_Res->setText(TextoAngulo(r.v[2], sexagesimal, "OTRO"));
    PonerEnMapa(c, r);
}

void P_directo::Check_Grad_Click(bool marcado) {
    if (Long_Res->text().isEmpty() || Lat_Res->text().isEmpty() || Acimut_Res->text().isEmpty()) return;
    CambiarFormaAngulo(Long_Res, marcado, "Long1");
    CambiarFormaAngulo(Lat_Res, marcado, "Lat1");
    CambiarFormaAngulo(Acimut_Res, marcado, "OTRO");
}

void P_directo::Label4_Click() { VerElipsoides(); }

void P_directo::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void P_directo::Limpiar_Click() {
    for (QLineEdit* caja : {long1, lat1, Acimut1, Distancia1}) caja->clear();
    VaciarResultados();
}

void P_directo::Fichero_Click() { ConvertirFichero(codigo::Directo); }

}  // namespace tesmaro
