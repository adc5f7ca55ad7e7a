#include "Cart_Geo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DElipsoides.h"
#include "Filtros.h"
#include "Teclado.h"

namespace tesmaro {

Cart_Geo::Cart_Geo(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Cart_Geo"));
    setWindowTitle(QStringLiteral("Cartesianas Geocéntricas a Geodésicas"));

    // Input.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Cartesianas Geocéntricas  (Entrada Datos)"), this),
                     "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("X"), Frame1), "Label1");
    CoordX = Nombrar(new QLineEdit(Frame1), "CoordX");
    Label2 = Nombrar(new QLabel(QStringLiteral("Y"), Frame1), "Label2");
    CoordY = Nombrar(new QLineEdit(Frame1), "CoordY");
    Label3 = Nombrar(new QLabel(QStringLiteral("Z"), Frame1), "Label3");
    CoordZ = Nombrar(new QLineEdit(Frame1), "CoordZ");
    auto* rejilla1 = DisponerFilas(Frame1, {{Label1, CoordX}, {Label2, CoordY}, {Label3, CoordZ}});
    rejilla1->setRowStretch(3, 1);

    // Results.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas (Resultados)"), this), "Frame2");
    Label7 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame2), "Label7");
    lat1 = Nombrar(new QLineEdit(Frame2), "lat1");
    Label5 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame2), "Label5");
    long1 = Nombrar(new QLineEdit(Frame2), "long1");
    Label6 = Nombrar(new QLabel(QStringLiteral("Altura elipsoidal h"), Frame2), "Label6");
    Altitud = Nombrar(new QLineEdit(Frame2), "Altitud");
    Check_Grad = Nombrar(new QCheckBox(QStringLiteral("dd mm ss.sss"), Frame2), "Check_Grad");
    for (QLineEdit* caja : {lat1, long1, Altitud}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    auto* rejilla2 = DisponerFilas(Frame2, {{Label7, lat1}, {Label5, long1}, {Label6, Altitud}});
    rejilla2->addWidget(Check_Grad, 3, 1);

    // The ellipsoid bar.
    Label4 = CrearBarraElipsoide(Frame6, QStringLiteral("Selección de Elipsoide."),
                                 QStringLiteral("Haga Click para cambiar de Elipsoide"));

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Transformación de ficheros de puntos"));

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame1, 1);
    columnas->addWidget(Frame2, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Frame6);
    todo->addLayout(columnas);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Label4, CoordX, CoordY, CoordZ, lat1, long1, Altitud, Check_Grad, Calcular, Limpiar, Fichero,
                     Grados, Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label1, CoordX}, {Label2, CoordY}, {Label3, CoordZ}, {Label7, lat1}, {Label5, long1},
                {Label6, Altitud}});
    TeclaIntro(this, Calcular);

    ConectarFiltro(CoordX, TipoFiltro::Decimal);
    ConectarFiltro(CoordY, TipoFiltro::Decimal);
    ConectarFiltro(CoordZ, TipoFiltro::Decimal);
    VigilarCheckGrad(Check_Grad);
    Entradas({CoordX, CoordY, CoordZ});
    connect(Check_Grad, &QCheckBox::toggled, this, &Cart_Geo::Check_Grad_Click);
    connect(Label4, &BarraElipsoide::Click, this, &Cart_Geo::Label4_Click);
    connect(Calcular, &QPushButton::clicked, this, &Cart_Geo::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &Cart_Geo::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &Cart_Geo::Fichero_Click);
    BotonesFichero({Fichero});
    RotularConUnidad(Frame2);
    CajasResultado({lat1, long1, Altitud});
    CoordX->setFocus();
}

void Cart_Geo::showEvent(QShowEvent* evento) {
    VentanaConversion::showEvent(evento);
    InvitarAElegirElipsoide();
}

void Cart_Geo::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{CoordX, "La coordenada X", e.v[0]}, {CoordY, "La coordenada Y", e.v[1]},
                     {CoordZ, "La coordenada Z", e.v[2]}}))
        return;
    const Conversion& c = *BuscarConversion(codigo::CartGeo);
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    const bool sexagesimal = Check_Grad->isChecked();
    lat1->setText(TextoAngulo(r.v[1], sexagesimal, "Lat1"));
    long1->setText(TextoAngulo(r.v[0], sexagesimal, "Long1"));
    Altitud->setText(TextoMetros(r.v[4]));
    PonerEnMapa(c, r);
}

void Cart_Geo::Check_Grad_Click(bool marcado) {
    if (lat1->text().isEmpty() || long1->text().isEmpty()) return;
    CambiarFormaAngulo(long1, marcado, "Long1");
    CambiarFormaAngulo(lat1, marcado, "Lat1");
}

void Cart_Geo::Label4_Click() { VerElipsoides(); }

void Cart_Geo::InvitarAElegirElipsoide() { Label4->setText(QStringLiteral("Seleccione elipsoide pulsando esta barra")); }

void Cart_Geo::Limpiar_Click() {
    for (QLineEdit* caja : {CoordX, CoordY, CoordZ}) caja->clear();
    VaciarResultados();
}

void Cart_Geo::Fichero_Click() { ConvertirFichero(codigo::CartGeo); }

}  // namespace tesmaro
