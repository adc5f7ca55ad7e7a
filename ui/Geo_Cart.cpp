#include "Geo_Cart.h"

#include <QButtonGroup>
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

Geo_Cart::Geo_Cart(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Geo_Cart"));
    setWindowTitle(QStringLiteral("Geodésicas a Cartesianas Geocéntricas"));

    // Input.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas  (Entrada Datos)"), this), "Frame2");

    const MarcoCoordenada marcoLat = MarcoLatitud(Frame2, "Frame4", "lat1", "Lat_Opt", 0, true)
        .Repartir(Frame4, lat1, Lat_Opt);
    QRadioButton* norte = marcoLat.positiva;
    QRadioButton* sur = marcoLat.negativa;
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame2, "Frame5", "long1", "Long_opt", 0, true)
        .Repartir(Frame5, long1, Long_opt);
    QRadioButton* este = marcoLong.positiva;
    QRadioButton* oeste = marcoLong.negativa;

    Label6 = Nombrar(new QLabel(QStringLiteral("Altura elipsoidal h"), Frame2), "Label6");
    Long_MC = Nombrar(new QLineEdit(Frame2), "Long_MC");
    Long_MC->setToolTip(QStringLiteral("Altura elipsoidal en metros"));
    auto* rejilla2 = new QGridLayout(Frame2);
    rejilla2->addWidget(Frame4, 0, 0, 1, 2);
    rejilla2->addWidget(Frame5, 1, 0, 1, 2);
    rejilla2->addWidget(Label6, 2, 0);
    rejilla2->addWidget(Long_MC, 2, 1);
    rejilla2->setColumnStretch(1, 1);

    // Results.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Cartesianas.  (Resultados)"), this), "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("X"), Frame1), "Label1");
    CoordX = Nombrar(new QLineEdit(Frame1), "CoordX");
    Label2 = Nombrar(new QLabel(QStringLiteral("Y"), Frame1), "Label2");
    CoordY = Nombrar(new QLineEdit(Frame1), "CoordY");
    Label3 = Nombrar(new QLabel(QStringLiteral("Z"), Frame1), "Label3");
    CoordZ = Nombrar(new QLineEdit(Frame1), "CoordZ");
    for (QLineEdit* caja : {CoordX, CoordY, CoordZ}) caja->setMinimumWidth(AnchoCifras(caja, 20));
    IgualarAnchos({este, oeste, norte, sur});
    auto* rejilla1 = DisponerFilas(Frame1, {{Label1, CoordX}, {Label2, CoordY}, {Label3, CoordZ}});
    rejilla1->setRowStretch(3, 1);

    // The ellipsoid bar.
    Label4 = CrearBarraElipsoide(Frame6, QStringLiteral("Selección de elipsoide."),
                                 QStringLiteral("Haga Click para cambiar de Elipsoide"));

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Transformación de ficheros de puntos"));

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame2, 3);
    columnas->addWidget(Frame1, 2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Frame6);
    todo->addLayout(columnas);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Label4, lat1, marcoLat.grados, norte, sur, long1, marcoLong.grados, este, oeste, Long_MC,
                     CoordX, CoordY, CoordZ, Calcular, Limpiar, Fichero, Grados, Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label6, Long_MC}, {Label1, CoordX}, {Label2, CoordY}, {Label3, CoordZ}});
    TeclaIntro(this, Calcular);

    ConectarFiltro(Long_MC, TipoFiltro::Decimal);
    HacerAbridorGrados(lat1);
    HacerAbridorGrados(long1);
    Entradas({Long_MC});
    connect(Label4, &BarraElipsoide::Click, this, &Geo_Cart::Label4_Click);
    connect(Calcular, &QPushButton::clicked, this, &Geo_Cart::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &Geo_Cart::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &Geo_Cart::Fichero_Click);
    BotonesFichero({Fichero});
    CajasResultado({CoordX, CoordY, CoordZ});
    lat1->setFocus();
}

void Geo_Cart::showEvent(QShowEvent* evento) {
    VentanaConversion::showEvent(evento);
    InvitarAElegirElipsoide();
}

void Geo_Cart::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{lat1, "La latitud", e.v[1], Lat_Opt}, {long1, "La longitud", e.v[0], Long_opt},
                     {Long_MC, "La altura", e.v[2]}}))
        return;
    const Conversion& c = *BuscarConversion(codigo::GeoCart);
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    CoordX->setText(TextoMetros(r.v[0]));
    CoordY->setText(TextoMetros(r.v[1]));
    CoordZ->setText(TextoMetros(r.v[2]));
    PonerEnMapa(c, r);
}

void Geo_Cart::Label4_Click() { VerElipsoides(); }

void Geo_Cart::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void Geo_Cart::Limpiar_Click() {
    for (QLineEdit* caja : {Long_MC, long1, lat1}) caja->clear();
    VaciarResultados();
}

void Geo_Cart::Fichero_Click() { ConvertirFichero(codigo::GeoCart); }

}  // namespace tesmaro
