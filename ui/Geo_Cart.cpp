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

#include "MapaPuntos.h"
#include "Angulos.h"
#include "Avisos.h"
#include "Cartesianas.h"
#include "DElipsoides.h"
#include "Elipsoides.h"
#include "Filtros.h"
#include "Texto.h"
#include "Textos.h"
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

    Label6 = Nombrar(new QLabel(QStringLiteral("Altitud h"), Frame2), "Label6");
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

    ConectarFiltro(lat1, TipoFiltro::Decimal);
    ConectarFiltro(long1, TipoFiltro::Decimal);
    ConectarFiltro(Long_MC, TipoFiltro::Decimal);
    HacerAbridorGrados(lat1);
    HacerAbridorGrados(long1);
    // After the filters, so that the options see the filtered text.
    connect(lat1, &QLineEdit::textChanged, this, &Geo_Cart::lat1_Change);
    connect(long1, &QLineEdit::textChanged, this, &Geo_Cart::long1_Change);
    AlElegir(Lat_Opt, [this](int indice) { Lat_Opt_Click(indice); });
    AlElegir(Long_opt, [this](int indice) { Long_opt_Click(indice); });
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
    const auto resultados = {CoordX, CoordY, CoordZ};
    if (lat1->text().isEmpty() || long1->text().isEmpty() || Long_MC->text().isEmpty()) return Rehusar(resultados);
    const ParametrosElipsoide elipsoide = ElipsoideEnUso();
    if (!elipsoide.valido) return Rehusar(resultados);
    const QString motivo = Primero({AnguloImposible(QStringLiteral("La latitud"), Leer(lat1), 90, true),
                                    AnguloImposible(QStringLiteral("La longitud"), Leer(long1), 180, true),
                                    MetrosImposibles(QStringLiteral("La altura"), Leer(Long_MC), -1e8, 1e8, true)});
    if (!motivo.isEmpty()) return Rehusar(resultados, motivo);
    const double fi = UnidadARadianes(Leer(lat1));
    const double lambda = UnidadARadianes(Leer(long1));
    const double h = Leer(Long_MC);
    const ResultadoCartesianas r = CalculoGeoCart(fi, lambda, h, elipsoide.a, elipsoide.rf);
    if (r.estado != Estado::Correcto || !Finitos({r.X, r.Y, r.Z}))
        return Rehusar(resultados, Q(TextoDesbordamiento), IconoMensaje::Critico);
    CoordX->setText(TextoPunto(r.X));
    CoordY->setText(TextoPunto(r.Y));
    CoordZ->setText(TextoPunto(r.Z));
    MapaPuntos::PonerPunto(windowTitle(), QStringLiteral("Punto"), UnidadAGrados(Leer(long1)),
                           UnidadAGrados(Leer(lat1)),
                           QStringLiteral("X %1  Y %2  Z %3").arg(CoordX->text(), CoordY->text(), CoordZ->text()));
}

void Geo_Cart::Lat_Opt_Click(int indice) { SignoSegunOpcion(lat1, indice); }
void Geo_Cart::Long_opt_Click(int indice) { SignoSegunOpcion(long1, indice); }
void Geo_Cart::lat1_Change() { OpcionSegunSigno(lat1, Lat_Opt); }
void Geo_Cart::long1_Change() { OpcionSegunSigno(long1, Long_opt); }

void Geo_Cart::Label4_Click() { VerElipsoides(); }

void Geo_Cart::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void Geo_Cart::Limpiar_Click() {
    for (QLineEdit* caja : {CoordX, CoordY, CoordZ, Long_MC, long1, lat1}) caja->clear();
}

void Geo_Cart::Fichero_Click() { ConvertirFichero(codigo::GeoCart); }

}  // namespace tesmaro
