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

#include "MapaPuntos.h"
#include "Angulos.h"
#include "DElipsoides.h"
#include "Elipsoides.h"
#include "Avisos.h"
#include "Filtros.h"
#include "Exacto.h"
#include "Geodesia.h"
#include "Mensajes.h"
#include "Texto.h"
#include "Textos.h"
#include "Teclado.h"

namespace tesmaro {

P_directo::P_directo(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("P_directo"));
    setWindowTitle(QStringLiteral("Problema directo de la geodesia"));

    UTM_GEO = Nombrar(new QGroupBox(this), "UTM_GEO");

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

    ConectarFiltro(long1, TipoFiltro::Decimal);
    ConectarFiltro(lat1, TipoFiltro::Decimal);
    ConectarFiltro(Acimut1, TipoFiltro::Decimal);
    ConectarFiltro(Distancia1, TipoFiltro::Decimal);
    HacerAbridorGrados(long1);
    HacerAbridorGrados(lat1);
    HacerAbridorGrados(Acimut1);
    VigilarCheckGrad(Check_Grad);
    // After the filters, so that the options see the filtered text.
    connect(lat1, &QLineEdit::textChanged, this, &P_directo::lat1_Change);
    connect(long1, &QLineEdit::textChanged, this, &P_directo::long1_Change);
    AlElegir(Lat_Opt, [this](int indice) { Lat_Opt_Click(indice); });
    AlElegir(Long_opt, [this](int indice) { Long_opt_Click(indice); });
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
    const auto resultados = {Lat_Res, Long_Res, Acimut_Res};
    if (long1->text().isEmpty() || lat1->text().isEmpty() || Acimut1->text().isEmpty() ||
        Distancia1->text().isEmpty())
        return Rehusar(resultados);
    const ParametrosElipsoide elipsoide = ElipsoideEnUso();
    if (!elipsoide.valido) return Rehusar(resultados);
    const QString motivo =
        Primero({AnguloImposible(QStringLiteral("La longitud"), Leer(long1), 180, true),
                 AnguloImposible(QStringLiteral("La latitud"), Leer(lat1), 90, true),
                 MetrosImposibles(QStringLiteral("La distancia"), Leer(Distancia1), 0, 20004000, false)});
    if (!motivo.isEmpty()) return Rehusar(resultados, motivo);
    const double longitud = UnidadARadianes(Leer(long1));
    const double latitud = UnidadARadianes(Leer(lat1));
    const double acimut = UnidadAGrados(Leer(Acimut1));
    const double distancia = Leer(Distancia1);
    const ResultadoDirecto r =
        Exacto() ? ProblemaDirectoExacto(latitud, longitud, acimut, distancia, elipsoide.a, elipsoide.rf)
                 : ProblemaDirecto(latitud, longitud, acimut, distancia, elipsoide.a, elipsoide.rf);
    if (r.estado != Estado::Correcto) return Rehusar(resultados, Q(TextoEstado(r.estado)));
    const double lat2 = GradosAUnidad(r.latitud);
    const double lon2 = GradosAUnidad(r.longitud);
    const double rho = GradosAUnidad(r.acimutInverso);
    if (!Finitos({lat2, lon2, rho})) return Rehusar(resultados, Q(TextoDesbordamiento), IconoMensaje::Critico);
    const bool sexagesimal = Check_Grad->isChecked();
    Lat_Res->setText(TextoAngulo(lat2, sexagesimal, "Lat1"));
    Long_Res->setText(TextoAngulo(lon2, sexagesimal, "Long1"));
    Acimut_Res->setText(TextoAngulo(rho, sexagesimal, "OTRO"));
    MostrarMetodo(false);
    MapaPuntos::PonerPunto(windowTitle(), QStringLiteral("B"), r.longitud, r.latitud,
                           QStringLiteral("Acimut inverso %1").arg(Acimut_Res->text()));
}

void P_directo::Check_Grad_Click(bool marcado) {
    if (Long_Res->text().isEmpty() || Lat_Res->text().isEmpty() || Acimut_Res->text().isEmpty()) return;
    CambiarFormaAngulo(Long_Res, marcado, "Long1");
    CambiarFormaAngulo(Lat_Res, marcado, "Lat1");
    CambiarFormaAngulo(Acimut_Res, marcado, "OTRO");
}

void P_directo::Lat_Opt_Click(int indice) { SignoSegunOpcion(lat1, indice); }
void P_directo::Long_opt_Click(int indice) { SignoSegunOpcion(long1, indice); }
void P_directo::lat1_Change() { OpcionSegunSigno(lat1, Lat_Opt); }
void P_directo::long1_Change() { OpcionSegunSigno(long1, Long_opt); }

void P_directo::Label4_Click() { VerElipsoides(); }

void P_directo::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void P_directo::Limpiar_Click() {
    for (QLineEdit* caja : {long1, lat1, Long_Res, Lat_Res, Acimut1, Distancia1, Acimut_Res}) caja->clear();
    OcultarMetodo();
}

void P_directo::Fichero_Click() { ConvertirFichero(codigo::Directo); }

}  // namespace tesmaro
