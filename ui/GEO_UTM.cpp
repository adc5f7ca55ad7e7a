#include "GEO_UTM.h"

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

#include "Ajustes.h"
#include "Filtros.h"
#include "Texto.h"
#include "Utm.h"
#include "Teclado.h"

namespace tesmaro {

GEO_UTM::GEO_UTM(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("GEO_UTM"));
    setWindowTitle(QStringLiteral("Geodésicas a U.T.M."));

    // Input.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas: Seleccione ETRS89 o ED50"), this), "Frame2");
    Check1 = Nombrar(new QCheckBox(QStringLiteral("ETRS89"), Frame2), "Check1");
    Check1->setChecked(true);
    Label10 = Nombrar(new QLabel(QStringLiteral("Huso Geográfico"), Frame2), "Label10");
    Huso1 = Nombrar(new QLineEdit(QStringLiteral("30"), Frame2), "Huso1");
    Huso1->setMaximumWidth(AnchoCifras(Huso1, 6));

    const MarcoCoordenada marcoLong = MarcoLongitud(Frame2, "GEO_UTM_0", "long1", "Long_opt", 0, true)
        .Repartir(GEO_UTM_0, long1, Long_opt);
    QRadioButton* este = marcoLong.positiva;
    QRadioButton* oeste = marcoLong.negativa;
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame2, "GEO_UTM_1", "lat1", "Lat_Opt", 0, true)
        .Repartir(GEO_UTM_1, lat1, Lat_Opt);
    QRadioButton* norte = marcoLat.positiva;
    QRadioButton* sur = marcoLat.negativa;

    Label6 = Nombrar(new QLabel(QStringLiteral("Longitud meridiano central del Huso"), Frame2), "Label6");
    Long_MC = Nombrar(new QLineEdit(Frame2), "Long_MC");
    Long_MC->setMaximumWidth(AnchoCifras(Long_MC, 6));

    // The zone of the points of a file.
    Label_HusoFichero = Nombrar(new QLabel(QStringLiteral("Ficheros:"), Frame2), "Label_HusoFichero");
    Huso_Fichero = Nombrar(new QButtonGroup(this), "Huso_Fichero");
    auto* cadaPunto = Nombrar(new QRadioButton(QStringLiteral("Huso de cada punto (columna Huso)"), Frame2),
                              "Huso_Fichero_0");
    auto* todos = Nombrar(new QRadioButton(Frame2), "Huso_Fichero_1");
    todos->setToolTip(QStringLiteral("Todos los puntos de los ficheros en el huso de la casilla «Huso Geográfico», "
                                     "aunque estén en otro; la columna Huso puede faltar"));
    Huso_Fichero->addButton(cadaPunto, 0);
    Huso_Fichero->addButton(todos, 1);
    cadaPunto->setChecked(true);
    const auto rotularTodos = [this, todos] {
        const std::int16_t huso = HusoDeLaCasilla();
        todos->setText(huso > 0 ? QStringLiteral("Todos en el huso %1 (el de la casilla)").arg(huso)
                                : QStringLiteral("Todos en el huso de la casilla"));
    };
    rotularTodos();
    connect(Huso1, &QLineEdit::textChanged, this, rotularTodos);
    auto* husoFichero = new QVBoxLayout;
    husoFichero->addWidget(cadaPunto);
    husoFichero->addWidget(todos);

    auto* rejilla2 = new QGridLayout(Frame2);
    rejilla2->addWidget(Label10, 0, 0);
    rejilla2->addWidget(Huso1, 0, 1);
    rejilla2->addWidget(Check1, 0, 2, Qt::AlignRight);
    rejilla2->addWidget(GEO_UTM_0, 1, 0, 1, 3);
    rejilla2->addWidget(GEO_UTM_1, 2, 0, 1, 3);
    rejilla2->addWidget(Label6, 3, 0);
    rejilla2->addWidget(Long_MC, 3, 1);
    rejilla2->addWidget(Label_HusoFichero, 4, 0, Qt::AlignTop);
    rejilla2->addLayout(husoFichero, 4, 1, 1, 2);
    rejilla2->setColumnStretch(2, 1);

    // Results.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas U.T.M.  (Resultados)"), this), "Frame1");
    Label1 = Nombrar(new QLabel(QStringLiteral("X"), Frame1), "Label1");
    CoordX = Nombrar(new QLineEdit(Frame1), "CoordX");
    Label2 = Nombrar(new QLabel(QStringLiteral("Y"), Frame1), "Label2");
    CoordY = Nombrar(new QLineEdit(Frame1), "CoordY");
    Label8 = Nombrar(new QLabel(QStringLiteral("Convergencia de cuadrícula"), Frame1), "Label8");
    Cover1 = Nombrar(new QLineEdit(Frame1), "Cover1");
    Label3 = Nombrar(new QLabel(QStringLiteral("Anamorfosis Lineal"), Frame1), "Label3");
    Ana1 = Nombrar(new QLineEdit(Frame1), "Ana1");
    Check_Grad = Nombrar(new QCheckBox(QStringLiteral("dd mm ss.sss"), Frame1), "Check_Grad");
    for (QLineEdit* caja : {CoordX, CoordY, Cover1, Ana1}) caja->setMinimumWidth(AnchoCifras(caja, 20));
    IgualarAnchos({este, oeste, norte, sur});
    auto* rejilla1 = DisponerFilas(Frame1, {{Label1, CoordX}, {Label2, CoordY}, {Label8, Cover1}, {Label3, Ana1}});
    rejilla1->addWidget(Check_Grad, 4, 1);
    rejilla1->addLayout(CrearMetodo(), 5, 0, 1, 2);

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Fichero GEO ETRS89"));
    Command4 = Nombrar(new QPushButton(QStringLiteral("Fichero GEO ED50"), this), "Command4");
    botones->addWidget(Command4);

    // The two file panels (never shown).
    CrearPanelFichero("Frame_Fich", "Label4", "LMCH_Fich", "Command1", "Command2")
        .Repartir(Frame_Fich, Label4, LMCH_Fich, Command1, Command2);
    CrearPanelFichero("Frame3", "Label5", "Text1", "Command6", "Command5")
        .Repartir(Frame3, Label5, Text1, Command6, Command5);

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame2, 1);
    columnas->addWidget(Frame1, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(columnas);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);
    todo->addWidget(Frame_Fich);
    todo->addWidget(Frame3);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Huso1, Check1, long1, marcoLong.grados, este, oeste, lat1, marcoLat.grados, norte, sur, Long_MC,
                     cadaPunto, todos, CoordX, CoordY, Cover1, Ana1, Check_Grad, Calcular, Limpiar, Fichero, Command4, Grados, Minutos,
                     Segundos, Aceptar, Command3, LMCH_Fich, Command1, Command2, Text1, Command6, Command5});
    Acompaniar({{Label10, Huso1}, {Label6, Long_MC}, {Label1, CoordX}, {Label2, CoordY},
                                  {Label8, Cover1}, {Label3, Ana1}, {Label4, LMCH_Fich}, {Label5, Text1}});
    setTabOrder(Check_Grad, Check_Exacto);
    TeclaIntro(this, Calcular);

    ConectarFiltro(LMCH_Fich, TipoFiltro::Decimal);
    ConectarFiltro(Long_MC, TipoFiltro::Entero);
    HacerAbridorGrados(long1);
    HacerAbridorGrados(lat1);
    VigilarCheckGrad(Check_Grad);
    Entradas({Huso1, Check1});
    connect(Calcular, &QPushButton::clicked, this, &GEO_UTM::Calcular_Click);
    connect(Check_Grad, &QCheckBox::toggled, this, &GEO_UTM::Check_Grad_Click);
    connect(Check1, &QCheckBox::toggled, this, &GEO_UTM::Check1_Click);
    connect(Limpiar, &QPushButton::clicked, this, &GEO_UTM::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &GEO_UTM::Fichero_Click);
    connect(Command4, &QPushButton::clicked, this, &GEO_UTM::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &GEO_UTM::Command1_Click);
    connect(Command6, &QPushButton::clicked, this, &GEO_UTM::Command6_Click);
    BotonesFichero({Fichero, Command4, Command1});
    // The coordinates are read in degrees; the convergence is in the unit.
    AngulosEnGrados();
    RotularConUnidad(Label8);
    CajasResultado({CoordX, CoordY, Cover1, Ana1});
    long1->setFocus();
}

void GEO_UTM::Calcular_Click() {
    Check_Grad->setChecked(false);
    EntradaPunto e;
    if (!LeerCampos({{Huso1, "El huso", e.v[2]}, {long1, "La longitud", e.v[0], Long_opt},
                     {lat1, "La latitud", e.v[1], Lat_Opt}}))
        return;
    const Conversion& c = *BuscarConversion(Check1->isChecked() ? codigo::GeoUtmETRS89 : codigo::GeoUtmED50);
    const ResultadoPunto r = Convertir(c, e);
    if (!Convertido(r.estado)) return;
    CoordX->setText(TextoMetros(r.v[0]));
    CoordY->setText(TextoMetros(r.v[1]));
    Cover1->setText(TextoAngular(ConvertirUnidad(r.v[4], ajustes::UnidadAngular)));
    Ana1->setText(TextoPunto(r.v[5]));
    PonerEnMapa(c, r);
}

void GEO_UTM::Check_Grad_Click(bool marcado) {
    for (QLineEdit* caja : {CoordX, CoordY, Cover1, Ana1})
        if (caja->text().isEmpty()) return;
    CambiarFormaAngulo(Cover1, marcado, "Otro");
}

void GEO_UTM::Check1_Click(bool marcado) {
    if (!marcado) Mensaje(QStringLiteral("¡Los cálculos se realizarán en ED50!"));
}

void GEO_UTM::Limpiar_Click() {
    for (QLineEdit* caja : {Long_MC, long1, lat1}) caja->clear();
    VaciarResultados();
}

std::int16_t GEO_UTM::HusoDeLaCasilla() const {
    double huso = 0;
    QString motivo;
    if (LeerCaja(Huso1, QStringLiteral("El huso"), huso, motivo) != Lectura::Numero) return -1;
    const std::int16_t redondeado = RedondearHuso(huso);
    return redondeado >= 27 && redondeado <= 31 ? redondeado : -1;
}

std::int16_t GEO_UTM::HusoForzado() const { return Huso_Fichero->checkedId() == 1 ? HusoDeLaCasilla() : 0; }

bool GEO_UTM::HusoFicheroValido() {
    if (HusoForzado() >= 0) return true;
    Mensaje(QStringLiteral("Para convertir todos los puntos del fichero en un huso, escriba en «Huso Geográfico» "
                           "un huso de 27 a 31 (ahora «%1»).").arg(Huso1->text().trimmed()));
    return false;
}

void GEO_UTM::Fichero_Click() {
    if (HusoFicheroValido()) ConvertirFichero(codigo::GeoUtmETRS89);
}

void GEO_UTM::Command4_Click() {
    if (HusoFicheroValido()) ConvertirFichero(codigo::GeoUtmED50);
}

void GEO_UTM::Command1_Click() {
    Frame_Fich->hide();
    Fichero_Click();
}

void GEO_UTM::Command6_Click() { Frame3->hide(); }

}  // namespace tesmaro
