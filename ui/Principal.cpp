#include "Principal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Ajustes.h"
#include "Filtros.h"
#include "Texto.h"
#include "Utm.h"
#include "Teclado.h"

namespace tesmaro {

namespace {

const QString AyudaSigno = QStringLiteral("Compruebe signo de Longitud en cambios de Huso");

}  // namespace

Principal::Principal(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QStringLiteral("U.T.M. a Geodésicas"));

    // Input: the UTM point.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas U.T.M.: Seleccione ETRS89 o ED50") +
                                       QString(15, QLatin1Char(' ')),
                                   this),
                     "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("X"), Frame1), "Label1");
    CoordX = Nombrar(new QLineEdit(Frame1), "CoordX");
    CoordX->setToolTip(AyudaSigno);
    Label2 = Nombrar(new QLabel(QStringLiteral("Y"), Frame1), "Label2");
    CoordY = Nombrar(new QLineEdit(Frame1), "CoordY");
    Label10 = Nombrar(new QLabel(QStringLiteral("Huso Geográfico"), Frame1), "Label10");
    Huso1 = Nombrar(new QLineEdit(QStringLiteral("30"), Frame1), "Huso1");
    Huso1->setMaximumWidth(AnchoCifras(Huso1, 6));
    Label3 = Nombrar(new QLabel(QStringLiteral("Longitud del Meridiano Central"), Frame1), "Label3");
    Long_MC = Nombrar(new QLineEdit(Frame1), "Long_MC");
    Long_MC->setToolTip(AyudaSigno);
    Long_MC->setMaximumWidth(AnchoCifras(Long_MC, 6));
    Option_Norte = new QButtonGroup(this);
    Option_Norte->setObjectName(QStringLiteral("Option_Norte"));
    auto* norte = Nombrar(new QRadioButton(QStringLiteral("Norte"), Frame1), "Option_Norte_0");
    auto* sur = Nombrar(new QRadioButton(QStringLiteral("Sur"), Frame1), "Option_Norte_1");
    Option_Norte->addButton(norte, 0);
    Option_Norte->addButton(sur, 1);
    norte->setChecked(true);
    Check1 = Nombrar(new QCheckBox(QStringLiteral("ETRS89"), Frame1), "Check1");
    Check1->setChecked(true);
    Check2 = Nombrar(new QCheckBox(QStringLiteral("H30 extendido"), Frame1), "Check2");
    Check2->setToolTip(QStringLiteral("Marque si X e Y están en el huso 30 extendido: puntos al este de Greenwich "
                                      "dados en el huso 30 (en los ficheros, el huso «30E»). Con la marca el huso "
                                      "debe ser 30."));

    auto* rejilla1 = new QGridLayout(Frame1);
    rejilla1->addWidget(Label1, 0, 0);
    rejilla1->addWidget(CoordX, 0, 1, 1, 3);
    rejilla1->addWidget(Label2, 1, 0);
    rejilla1->addWidget(CoordY, 1, 1, 1, 3);
    rejilla1->addWidget(Label10, 2, 0);
    rejilla1->addWidget(Huso1, 2, 1);
    rejilla1->addWidget(norte, 2, 2);
    rejilla1->addWidget(sur, 2, 3);
    rejilla1->addWidget(Label3, 3, 0);
    rejilla1->addWidget(Long_MC, 3, 1);
    rejilla1->addWidget(Check1, 3, 2);
    rejilla1->addWidget(Check2, 3, 3);
    rejilla1->setColumnStretch(3, 1);

    // Results: the geographic point.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas") + QString(19, QLatin1Char(' ')), this),
                     "Frame2");
    Label4 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame2), "Label4");
    long1 = Nombrar(new QLineEdit(Frame2), "long1");
    Label5 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame2), "Label5");
    lat1 = Nombrar(new QLineEdit(Frame2), "lat1");
    Label6 = Nombrar(new QLabel(QStringLiteral("Convergencia de Meridianos"), Frame2), "Label6");
    Conver1 = Nombrar(new QLineEdit(Frame2), "Conver1");
    Label7 = Nombrar(new QLabel(QStringLiteral("Anamorfosis Lineal"), Frame2), "Label7");
    Ana1 = Nombrar(new QLineEdit(Frame2), "Ana1");
    Check_Grad = Nombrar(new QCheckBox(QStringLiteral("dd mm ss.sss"), Frame2), "Check_Grad");
    auto* rejilla2 = new QGridLayout(Frame2);
    rejilla2->addWidget(Label4, 0, 0);
    rejilla2->addWidget(long1, 0, 1);
    rejilla2->addWidget(Label5, 1, 0);
    rejilla2->addWidget(lat1, 1, 1);
    rejilla2->addWidget(Label6, 2, 0);
    rejilla2->addWidget(Conver1, 2, 1);
    rejilla2->addWidget(Label7, 3, 0);
    rejilla2->addWidget(Ana1, 3, 1);
    rejilla2->addWidget(Check_Grad, 4, 1);
    rejilla2->addLayout(CrearMetodo(), 5, 0, 1, 2);
    rejilla2->setColumnStretch(1, 1);

    // Buttons.
    Calcular = Nombrar(new QPushButton(QStringLiteral("Calcular"), this), "Calcular");
    Calcular->setDefault(true);
    salir = Nombrar(new QPushButton(QStringLiteral("Borrar"), this), "salir");
    Command1 = Nombrar(new QPushButton(QStringLiteral("Fichero en UTM ETRS89"), this), "Command1");
    Command2 = Nombrar(new QPushButton(QStringLiteral("Fichero en UTM ED50"), this), "Command2");
    Command4 = Nombrar(new QPushButton(QStringLiteral("Ver Husos UTM"), this), "Command4");
    auto* botones = new QHBoxLayout;
    botones->addWidget(Calcular);
    botones->addWidget(salir);
    BotonesResultado(botones);
    botones->addStretch(1);
    botones->addWidget(Command4);
    auto* ficheros = new QHBoxLayout;
    ficheros->addWidget(Command1);
    ficheros->addWidget(Command2);
    ficheros->addStretch(1);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Frame1);
    todo->addWidget(Frame2);
    todo->addLayout(botones);
    todo->addLayout(ficheros);
    todo->addWidget(Frame_Gra);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({CoordX, CoordY, Huso1, norte, sur, Long_MC, Check1, Check2, long1, lat1, Conver1, Ana1,
                     Check_Grad, Calcular, salir, Command4, Command1, Command2, Grados, Minutos, Segundos, Aceptar,
                     Command3});
    Acompaniar({{Label1, CoordX}, {Label2, CoordY}, {Label10, Huso1}, {Label3, Long_MC},
                                  {Label4, long1}, {Label5, lat1}, {Label6, Conver1}, {Label7, Ana1}});
    setTabOrder(Check_Grad, Check_Exacto);
    TeclaIntro(this, Calcular);

    ConectarFiltro(CoordX, TipoFiltro::Decimal);
    ConectarFiltro(CoordY, TipoFiltro::Decimal);
    ConectarFiltro(Long_MC, TipoFiltro::Entero);
    VigilarCheckGrad(Check_Grad);
    Entradas({CoordX, CoordY, Huso1, Option_Norte, Check1, Check2});
    connect(Calcular, &QPushButton::clicked, this, &Principal::Calcular_Click);
    connect(Check1, &QCheckBox::toggled, this, &Principal::Check1_Click);
    connect(Check_Grad, &QCheckBox::toggled, this, &Principal::Check_Grad_Click);
    connect(Command1, &QPushButton::clicked, this, &Principal::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Principal::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &Principal::Command4_Click);
    connect(salir, &QPushButton::clicked, this, &Principal::salir_Click);
    BotonesFichero({Command1, Command2});
    RotularConUnidad(Frame2);
    CajasResultado({long1, lat1, Conver1, Ana1});
    CoordX->setFocus();
}

void Principal::Calcular_Click() {
    Check_Grad->setChecked(false);
    EntradaPunto e;
    double huso = 0;
    if (!LeerCampos({{CoordX, "La coordenada X", e.v[0]}, {CoordY, "La coordenada Y", e.v[1]}})) return;
    const QString textoHuso = Huso1->text().trimmed();
    if (textoHuso.compare(QLatin1String("30E"), Qt::CaseInsensitive) == 0)
        return Rehusar(QStringLiteral("El huso «%1» no es un número: para el huso 30 extendido escriba 30 y marque "
                                      "«H30 extendido».").arg(textoHuso));
    if (!LeerCampos({{Huso1, "El huso", huso}})) return;
    e.huso = RedondearHuso(huso);
    e.sur = Option_Norte->checkedId() == 1;
    e.extendido = Check2->isChecked();
    // The extended zone is zone 30's: any other would put the point a zone away.
    if (e.extendido && e.huso != 30)
        return Rehusar(QStringLiteral("«H30 extendido» es para X e Y del huso 30, y el huso es %1: escriba 30 o "
                                      "quite la marca.").arg(textoHuso));
    const Conversion& c = *BuscarConversion(Check1->isChecked() ? codigo::UtmGeoETRS89 : codigo::UtmGeoED50);
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    // Longitude, latitude and convergence in the unit in use.
    long1->setText(TextoAngular(ConvertirUnidad(r.v[0], ajustes::UnidadAngular)));
    lat1->setText(TextoAngular(ConvertirUnidad(r.v[1], ajustes::UnidadAngular)));
    Conver1->setText(TextoAngular(ConvertirUnidad(r.v[3], ajustes::UnidadAngular)));
    Ana1->setText(TextoPunto(r.v[4]));
    PonerEnMapa(c, r);
}

void Principal::Check1_Click(bool marcado) {
    if (!marcado) Mensaje(QStringLiteral("¡Los cálculos se realizarán en ED50!"));
}

void Principal::Check_Grad_Click(bool marcado) {
    if (long1->text().isEmpty() || lat1->text().isEmpty() || Conver1->text().isEmpty()) return;
    CambiarFormaAngulo(long1, marcado, "Long1");
    CambiarFormaAngulo(lat1, marcado, "Lat1");
    CambiarFormaAngulo(Conver1, marcado, "Conver1");
}

void Principal::Command1_Click() { ConvertirFichero(codigo::UtmGeoETRS89); }

void Principal::Command2_Click() { ConvertirFichero(codigo::UtmGeoED50); }

void Principal::Command4_Click() { VerHusosUtm(); }

void Principal::salir_Click() {
    for (QLineEdit* caja : {CoordX, CoordY, Long_MC}) caja->clear();
    VaciarResultados();
}

}  // namespace tesmaro
