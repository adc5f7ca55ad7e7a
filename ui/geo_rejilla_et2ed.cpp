#include "geo_rejilla_et2ed.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Geo_rejilla_ed2et.h"
#include "NotificadorAjustes.h"
#include "Rejilla.h"
#include "Teclado.h"

namespace tesmaro {

using namespace ventanarejilla;

geo_rejilla_et2ed::geo_rejilla_et2ed(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("geo_rejilla_et2ed"));
    setWindowTitle(QStringLiteral("Transformación Datum ETRS89-Datum ED50"));

    Label_Titulo = CrearTitulo(this);

    // Input: the ETRS89 point, and the grid.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas  ETRS89  (Entrada Datos)"), this),
                     "Frame1");
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame1, "Frame4", "Lat1et", "Lat_Opt", 0, false)
        .Repartir(Frame4, Lat1et, Lat_Opt);
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame1, "Frame5", "Long1et", "Long_opt", 0, false)
        .Repartir(Frame5, Long1et, Long_opt);
    IgualarAnchos({marcoLong.positiva, marcoLong.negativa, marcoLat.positiva, marcoLat.negativa});
    auto* columna1 = new QVBoxLayout(Frame1);
    columna1->addWidget(Frame4);
    columna1->addWidget(Frame5);
    columna1->addLayout(CrearFilaRejilla(this, [this](const QString& actual) {
        return Entorno().ElegirRejilla(window(), actual);
    }));
    columna1->addStretch(1);

    // Results: ED50 and its zone.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ED50"), this), "Frame2");
    Label3 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame2), "Label3");
    LaED50 = Nombrar(new QLineEdit(Frame2), "LaED50");
    LAED50GMS = Nombrar(new QLineEdit(Frame2), "LAED50GMS");
    Label4 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame2), "Label4");
    LoED50 = Nombrar(new QLineEdit(Frame2), "LoED50");
    LOED50GMS = Nombrar(new QLineEdit(Frame2), "LOED50GMS");
    Label5 = Nombrar(new QLabel(QStringLiteral("Huso"), Frame2), "Label5");
    HusoED50 = Nombrar(new QLineEdit(Frame2), "HusoED50");
    HusoED50->setMaximumWidth(AnchoCifras(HusoED50, 4));
    for (QLineEdit* caja : {LoED50, LaED50}) caja->setMinimumWidth(AnchoCifras(caja, 17));
    for (QLineEdit* caja : {LOED50GMS, LAED50GMS}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    auto* rejilla2 = DisponerFilas(Frame2, {{Label3, LaED50, LAED50GMS}, {Label4, LoED50, LOED50GMS}, {Label5, HusoED50}});
    rejilla2->setRowStretch(3, 1);

    Label_Fuera = CrearAvisoFuera(this);

    // Buttons.
    auto* botones = CrearBotones(Calcular, Limpiar, Fichero, QStringLiteral("Transformación de ficheros de puntos"));

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame1, 1);
    columnas->addWidget(Frame2, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label_Titulo);
    todo->addLayout(columnas);
    todo->addWidget(Label_Fuera);
    todo->addLayout(botones);
    todo->addWidget(Frame_Gra);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    auto* cambiar = findChild<QPushButton*>(QStringLiteral("Cambiar_Rejilla"));
    OrdenTabulacion({Lat1et, marcoLat.positiva, marcoLat.negativa, Long1et, marcoLong.positiva, marcoLong.negativa,
                     cambiar, LaED50, LAED50GMS, LoED50, LOED50GMS, HusoED50, Calcular, Limpiar, Fichero, Grados,
                     Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label3, LaED50}, {Label4, LoED50}, {Label5, HusoED50}});
    TeclaIntro(this, Calcular);

    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::RejillaCambiada, this,
            &geo_rejilla_et2ed::VaciarResultados);
    connect(Calcular, &QPushButton::clicked, this, &geo_rejilla_et2ed::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &geo_rejilla_et2ed::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &geo_rejilla_et2ed::Fichero_Click);
    BotonesFichero({Fichero});
    AngulosEnGrados();
    CajasResultado({LaED50, LAED50GMS, LoED50, LOED50GMS, HusoED50});
    Lat1et->setFocus();
}

void geo_rejilla_et2ed::ResultadosVaciados() { Label_Fuera->hide(); }

QString geo_rejilla_et2ed::RutaRejilla() const { return NotificadorAjustes::Rejilla(); }

void geo_rejilla_et2ed::Calcular_Click() {
    EntradaPunto e;
    if (!LeerCampos({{Long1et, "La longitud", e.v[0], Long_opt}, {Lat1et, "La latitud", e.v[1], Lat_Opt}})) return;
    const Rejilla rejilla(RutaRejilla().toStdString());
    if (rejilla.estado() != EstadoRejilla::Correcta) return Rehusar(Q(rejilla.mensaje()), IconoMensaje::Critico);
    const Conversion& c = *BuscarConversion(codigo::ETRS89aED50);
    const ResultadoPunto r = Convertir(c, e, &rejilla);
    if (r.estado == EstadoPunto::FueraRejilla) {
        Label_Fuera->setText(AvisoFuera);
        Label_Fuera->show();
    }
    if (!Convertido(r.estado)) return;
    EscribirPunto(r, LoED50, LaED50, LOED50GMS, LAED50GMS, HusoED50);
    PonerEnMapa(c, r);
}

void geo_rejilla_et2ed::Limpiar_Click() {
    for (QLineEdit* caja : {Long1et, Lat1et}) caja->clear();
    VaciarResultados();
}

void geo_rejilla_et2ed::Fichero_Click() { ConvertirFichero(codigo::ETRS89aED50); }

}  // namespace tesmaro
