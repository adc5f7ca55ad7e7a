#include "geo_rejilla_et2ed.h"

#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MapaPuntos.h"
#include "Geo_rejilla_ed2et.h"
#include "Mensajes.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "Teclado.h"

namespace tesmaro {

using namespace ventanarejilla;

geo_rejilla_et2ed::geo_rejilla_et2ed(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("geo_rejilla_et2ed"));
    setWindowTitle(QStringLiteral("Transformación Datum ETRS89-Datum ED50"));

    Label_Titulo = CrearTitulo(this);

    // Input: the ETRS89 point.
    Frame1 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas Geodésicas  ETRS89  (Entrada Datos)"), this),
                     "Frame1");
    const MarcoCoordenada marcoLat = MarcoLatitud(Frame1, "Frame4", "Lat1et", "Lat_Opt", 0, false)
        .Repartir(Frame4, Lat1et, Lat_Opt);
    QRadioButton* norte = marcoLat.positiva;
    QRadioButton* sur = marcoLat.negativa;
    const MarcoCoordenada marcoLong = MarcoLongitud(Frame1, "Frame5", "Long1et", "Long_opt", 1, false)
        .Repartir(Frame5, Long1et, Long_opt);
    QRadioButton* este = marcoLong.positiva;
    QRadioButton* oeste = marcoLong.negativa;

    IgualarAnchos({este, oeste, norte, sur});  // the two boxes line up
    auto* columna1 = new QVBoxLayout(Frame1);
    columna1->addWidget(Frame4);
    columna1->addWidget(Frame5);

    // Results: ED50.
    Frame2 = Nombrar(new QGroupBox(QStringLiteral("Coordenadas ED50"), this), "Frame2");
    Label3 = Nombrar(new QLabel(QStringLiteral("Latitud"), Frame2), "Label3");
    LaED50 = Nombrar(new QLineEdit(Frame2), "LaED50");
    LAED50GMS = Nombrar(new QLineEdit(Frame2), "LAED50GMS");
    Label4 = Nombrar(new QLabel(QStringLiteral("Longitud"), Frame2), "Label4");
    LoED50 = Nombrar(new QLineEdit(Frame2), "LoED50");
    LOED50GMS = Nombrar(new QLineEdit(Frame2), "LOED50GMS");
    for (QLineEdit* caja : {LoED50, LaED50}) caja->setMinimumWidth(AnchoCifras(caja, 14));
    for (QLineEdit* caja : {LOED50GMS, LAED50GMS}) caja->setMinimumWidth(AnchoSexagesimal(caja));
    auto* rejilla2 = DisponerFilas(Frame2, {{Label3, LaED50, LAED50GMS}, {Label4, LoED50, LOED50GMS}});
    rejilla2->setRowStretch(2, 1);

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
    OrdenTabulacion({Lat1et, norte, sur, Long1et, este, oeste, LaED50, LAED50GMS, LoED50, LOED50GMS, Calcular,
                     Limpiar, Fichero, Grados, Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label3, LaED50}, {Label4, LoED50}});
    TeclaIntro(this, Calcular);

    connect(Calcular, &QPushButton::clicked, this, &geo_rejilla_et2ed::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &geo_rejilla_et2ed::Limpiar_Click);
    connect(Fichero, &QPushButton::clicked, this, &geo_rejilla_et2ed::Fichero_Click);
    BotonesFichero({Fichero});
    AngulosEnGrados();
    CajasResultado({LaED50, LAED50GMS, LoED50, LOED50GMS});
    Lat1et->setFocus();
}

void geo_rejilla_et2ed::Calcular_Click() {
    double lon = 0;
    double lat = 0;
    // Nothing computed (no point, an impossible one, no grid, outside it):
    // empty result boxes.
    Label_Fuera->hide();
    Rehusar({LoED50, LaED50, LOED50GMS, LAED50GMS});
    if (!LeerPunto(this, Long1et, Lat1et, Long_opt->checkedId() == 1, lon, lat)) return;
    const std::optional<Rejilla> rejilla = AbrirRejilla(this);
    if (!rejilla) return;
    const PuntoRejilla ed50 = rejilla->ETRS89aED50(lon, lat);
    if (ed50.dentro) EscribirPunto(ed50, LoED50, LaED50, LOED50GMS, LAED50GMS);
    if (ed50.dentro)
        MapaPuntos::PonerPunto(windowTitle(), QStringLiteral("Punto"), lon / 3600, lat / 3600,
                               QStringLiteral("ED50: %1, %2").arg(LoED50->text(), LaED50->text()));
    Label_Fuera->setText(AvisoFuera);
    Label_Fuera->setVisible(!ed50.dentro);
}

void geo_rejilla_et2ed::Limpiar_Click() {
    for (QLineEdit* caja : {LaED50, LoED50, Long1et, Lat1et, LOED50GMS, LAED50GMS}) caja->clear();
    Label_Fuera->hide();
}

void geo_rejilla_et2ed::Fichero_Click() {
    ConvertirFichero(codigo::ETRS89aED50);
}

}  // namespace tesmaro
