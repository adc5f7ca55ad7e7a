#include "Altitudes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "Filtros.h"
#include "Geoide.h"
#include "Teclado.h"
#include "Utm.h"

namespace tesmaro {

namespace {

// An option pair named <grupo>_0 and <grupo>_1, the first chosen.
QButtonGroup* Opciones(QWidget* ventana, QWidget* padre, const char* grupo, const QString& primera,
                       const QString& segunda) {
    auto* opciones = Nombrar(new QButtonGroup(ventana), grupo);
    auto* a = Nombrar(new QRadioButton(primera, padre), (QByteArray(grupo) + "_0").constData());
    auto* b = Nombrar(new QRadioButton(segunda, padre), (QByteArray(grupo) + "_1").constData());
    opciones->addButton(a, 0);
    opciones->addButton(b, 1);
    a->setChecked(true);
    return opciones;
}

}  // namespace

Altitudes::Altitudes(EntornoVentanas& entorno, QWidget* padre) : VentanaConversion(entorno, padre) {
    setObjectName(QStringLiteral("Altitudes"));
    setWindowTitle(QStringLiteral("Altitudes ortométricas"));

    Label_Titulo = Nombrar(new QLabel(QStringLiteral("Altitudes ortométricas con el modelo de geoide EGM08-REDNAP del IGN"),
                                      this),
                           "Label_Titulo");
    QFont negrita = Label_Titulo->font();
    negrita.setBold(true);
    Label_Titulo->setFont(negrita);
    Label_Titulo->setAlignment(Qt::AlignCenter);
    Label_Titulo->setWordWrap(true);

    // Input: the point, geographic or UTM, and the height given.
    Frame_Punto = Nombrar(new QGroupBox(QStringLiteral("Punto (ETRS89; REGCAN95 en Canarias)"), this), "Frame_Punto");
    Tipo_Punto = Opciones(this, Frame_Punto, "Tipo_Punto", QStringLiteral("Geodésicas"), QStringLiteral("U.T.M."));
    Pila_Punto = Nombrar(new QStackedWidget(Frame_Punto), "Pila_Punto");

    auto* geo = new QWidget(Pila_Punto);
    const MarcoCoordenada marcoLong = MarcoLongitud(geo, "Frame_Long", "long1", "Long_opt", 0, true)
        .Repartir(Frame_Long, long1, Long_opt);
    const MarcoCoordenada marcoLat = MarcoLatitud(geo, "Frame_Lat", "lat1", "Lat_Opt", 0, true)
        .Repartir(Frame_Lat, lat1, Lat_Opt);
    IgualarAnchos({marcoLong.positiva, marcoLong.negativa, marcoLat.positiva, marcoLat.negativa});
    auto* columnaGeo = new QVBoxLayout(geo);
    columnaGeo->setContentsMargins(0, 0, 0, 0);
    columnaGeo->addWidget(Frame_Long);
    columnaGeo->addWidget(Frame_Lat);
    columnaGeo->addStretch(1);

    auto* utm = new QWidget(Pila_Punto);
    Label_X = Nombrar(new QLabel(QStringLiteral("X"), utm), "Label_X");
    CoordX = Nombrar(new QLineEdit(utm), "CoordX");
    Label_Y = Nombrar(new QLabel(QStringLiteral("Y"), utm), "Label_Y");
    CoordY = Nombrar(new QLineEdit(utm), "CoordY");
    Label_Huso = Nombrar(new QLabel(QStringLiteral("Huso (hemisferio norte)"), utm), "Label_Huso");
    Huso1 = Nombrar(new QLineEdit(QStringLiteral("30"), utm), "Huso1");
    Huso1->setMaximumWidth(AnchoCifras(Huso1, 6));
    Check2 = Nombrar(new QCheckBox(QStringLiteral("H30 extendido"), utm), "Check2");
    Check2->setToolTip(QStringLiteral("Marque si X e Y están en el huso 30 extendido: puntos al este de Greenwich "
                                      "dados en el huso 30. Con la marca el huso debe ser 30."));
    auto* rejillaUtm = new QGridLayout(utm);
    rejillaUtm->setContentsMargins(0, 0, 0, 0);
    rejillaUtm->addWidget(Label_X, 0, 0);
    rejillaUtm->addWidget(CoordX, 0, 1, 1, 2);
    rejillaUtm->addWidget(Label_Y, 1, 0);
    rejillaUtm->addWidget(CoordY, 1, 1, 1, 2);
    rejillaUtm->addWidget(Label_Huso, 2, 0);
    rejillaUtm->addWidget(Huso1, 2, 1);
    rejillaUtm->addWidget(Check2, 2, 2);
    rejillaUtm->setColumnStretch(2, 1);
    rejillaUtm->setRowStretch(3, 1);
    Pila_Punto->addWidget(geo);
    Pila_Punto->addWidget(utm);

    Frame_Altura = Nombrar(new QGroupBox(QStringLiteral("Altura dada (m)"), Frame_Punto), "Frame_Altura");
    Tipo_Altura = Opciones(this, Frame_Altura, "Tipo_Altura", QStringLiteral("Elipsoidal h"),
                           QStringLiteral("Ortométrica H"));
    Altura1 = Nombrar(new QLineEdit(Frame_Altura), "Altura1");
    auto* filaAltura = new QHBoxLayout(Frame_Altura);
    filaAltura->addWidget(Altura1, 1);
    filaAltura->addWidget(Tipo_Altura->button(0));
    filaAltura->addWidget(Tipo_Altura->button(1));

    auto* filaTipo = new QHBoxLayout;
    filaTipo->addWidget(Tipo_Punto->button(0));
    filaTipo->addWidget(Tipo_Punto->button(1));
    filaTipo->addStretch(1);
    auto* columnaPunto = new QVBoxLayout(Frame_Punto);
    columnaPunto->addLayout(filaTipo);
    columnaPunto->addWidget(Pila_Punto);
    columnaPunto->addWidget(Frame_Altura);

    // Results: h, N, H and the grid that served the point.
    Frame_Resultados = Nombrar(new QGroupBox(QStringLiteral("Resultados (m)"), this), "Frame_Resultados");
    Label_h = Nombrar(new QLabel(QStringLiteral("Altura elipsoidal h"), Frame_Resultados), "Label_h");
    Res_h = Nombrar(new QLineEdit(Frame_Resultados), "Res_h");
    Label_N = Nombrar(new QLabel(QStringLiteral("Ondulación del geoide N"), Frame_Resultados), "Label_N");
    Res_N = Nombrar(new QLineEdit(Frame_Resultados), "Res_N");
    Label_H = Nombrar(new QLabel(QStringLiteral("Altitud ortométrica H"), Frame_Resultados), "Label_H");
    Res_H = Nombrar(new QLineEdit(Frame_Resultados), "Res_H");
    for (QLineEdit* caja : {Res_h, Res_N, Res_H}) caja->setMinimumWidth(AnchoCifras(caja, 17));
    Label_Modelo = Nombrar(new QLabel(Frame_Resultados), "Label_Modelo");
    Label_Modelo->setWordWrap(true);
    QSizePolicy politica = Label_Modelo->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    Label_Modelo->setSizePolicy(politica);
    Label_Modelo->setMinimumHeight(Label_Modelo->fontMetrics().lineSpacing() * 2 + 4);
    Label_Modelo->hide();
    auto* rejillaResultados = DisponerFilas(Frame_Resultados, {{Label_h, Res_h}, {Label_N, Res_N}, {Label_H, Res_H}});
    rejillaResultados->addWidget(Label_Modelo, 3, 0, 1, 2);
    rejillaResultados->setRowStretch(4, 1);

    // Buttons: the point, then the files.
    Calcular = Nombrar(new QPushButton(QStringLiteral("Calcular"), this), "Calcular");
    Calcular->setDefault(true);
    Limpiar = Nombrar(new QPushButton(QStringLiteral("Borrar"), this), "Limpiar");
    auto* botones = new QHBoxLayout;
    botones->addWidget(Calcular);
    botones->addWidget(Limpiar);
    BotonesResultado(botones);
    botones->addStretch(1);
    const auto botonFichero = [this](const char* nombre, const QString& texto, std::int16_t codigo) {
        auto* boton = Nombrar(new QPushButton(texto, this), nombre);
        const Conversion& c = *BuscarConversion(codigo);
        boton->setToolTip(QStringLiteral("Fichero de puntos: %1 (%2)").arg(Q(c.descripcion), Q(c.campos)));
        connect(boton, &QPushButton::clicked, this, [this, codigo] { ConvertirFichero(codigo); });
        return boton;
    };
    Fichero = botonFichero("Fichero", QStringLiteral("Fichero GEO h → H"), codigo::AltitudGeo);
    Fichero_AlturaGeo = botonFichero("Fichero_AlturaGeo", QStringLiteral("Fichero GEO H → h"), codigo::AlturaGeo);
    Fichero_AltitudUtm = botonFichero("Fichero_AltitudUtm", QStringLiteral("Fichero UTM h → H"), codigo::AltitudUtm);
    Fichero_AlturaUtm = botonFichero("Fichero_AlturaUtm", QStringLiteral("Fichero UTM H → h"), codigo::AlturaUtm);
    auto* ficheros = new QHBoxLayout;
    for (QPushButton* boton : {Fichero, Fichero_AlturaGeo, Fichero_AltitudUtm, Fichero_AlturaUtm})
        ficheros->addWidget(boton);
    ficheros->addStretch(1);

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(Frame_Punto, 1);
    columnas->addWidget(Frame_Resultados, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label_Titulo);
    todo->addLayout(columnas);
    todo->addLayout(botones);
    todo->addLayout(ficheros);
    todo->addWidget(Frame_Gra);

    // The keyboard: Tab group by group, Enter runs "Calcular".
    OrdenTabulacion({Tipo_Punto->button(0), Tipo_Punto->button(1), long1, marcoLong.grados, marcoLong.positiva,
                     marcoLong.negativa, lat1, marcoLat.grados, marcoLat.positiva, marcoLat.negativa, CoordX, CoordY,
                     Huso1, Check2, Altura1, Tipo_Altura->button(0), Tipo_Altura->button(1), Res_h, Res_N, Res_H,
                     Calcular, Limpiar, Fichero, Fichero_AlturaGeo, Fichero_AltitudUtm, Fichero_AlturaUtm, Grados,
                     Minutos, Segundos, Aceptar, Command3});
    Acompaniar({{Label_X, CoordX}, {Label_Y, CoordY}, {Label_Huso, Huso1}, {Label_h, Res_h}, {Label_N, Res_N},
                {Label_H, Res_H}});
    TeclaIntro(this, Calcular);

    ConectarFiltro(CoordX, TipoFiltro::Decimal);
    ConectarFiltro(CoordY, TipoFiltro::Decimal);
    ConectarFiltro(Altura1, TipoFiltro::Decimal);
    HacerAbridorGrados(long1);
    HacerAbridorGrados(lat1);
    AlElegir(Tipo_Punto, [this](int indice) { Pila_Punto->setCurrentIndex(indice); });
    Entradas({Tipo_Punto, CoordX, CoordY, Huso1, Check2, Tipo_Altura, Altura1});
    connect(Calcular, &QPushButton::clicked, this, &Altitudes::Calcular_Click);
    connect(Limpiar, &QPushButton::clicked, this, &Altitudes::Limpiar_Click);
    BotonesFichero({Fichero, Fichero_AlturaGeo, Fichero_AltitudUtm, Fichero_AlturaUtm});
    // The coordinates are read in degrees whatever the unit.
    AngulosEnGrados();
    CajasResultado({Res_h, Res_N, Res_H});
    long1->setFocus();
}

void Altitudes::ResultadosVaciados() { Label_Modelo->hide(); }

void Altitudes::Calcular_Click() {
    const bool enUtm = Tipo_Punto->checkedId() == 1;
    const bool desdeH = Tipo_Altura->checkedId() == 1;
    const char* altura = desdeH ? "La altitud ortométrica" : "La altura elipsoidal";
    EntradaPunto e;
    if (enUtm) {
        double huso = 0;
        if (!LeerCampos({{CoordX, "La coordenada X", e.v[0]}, {CoordY, "La coordenada Y", e.v[1]},
                         {Huso1, "El huso", huso}, {Altura1, altura, e.v[2]}}))
            return;
        e.huso = RedondearHuso(huso);
        e.extendido = Check2->isChecked();
        if (e.extendido && e.huso != 30)
            return Rehusar(QStringLiteral("«H30 extendido» es para X e Y del huso 30, y el huso es %1: escriba 30 o "
                                          "quite la marca.").arg(Huso1->text().trimmed()));
    } else if (!LeerCampos({{long1, "La longitud", e.v[0], Long_opt}, {lat1, "La latitud", e.v[1], Lat_Opt},
                            {Altura1, altura, e.v[2]}})) {
        return;
    }
    // The model, read for this click (both grids, about a millisecond).
    const Geoide geoide;
    if (geoide.estado() != EstadoRejilla::Correcta) return Rehusar(Q(geoide.mensaje()), IconoMensaje::Critico);
    const std::int16_t codigo = enUtm ? (desdeH ? codigo::AlturaUtm : codigo::AltitudUtm)
                                      : (desdeH ? codigo::AlturaGeo : codigo::AltitudGeo);
    const Conversion& c = *BuscarConversion(codigo);
    const ResultadoPunto r = Convertir(c, e, nullptr, &geoide);
    if (r.estado == EstadoPunto::FueraRejilla) Mensaje(Q(r.motivo));
    if (!Convertido(r.estado)) return;
    // h, N, H follow the position's values (longitude, latitude; or X, Y, zone).
    const std::size_t h = enUtm ? 3 : 2;
    Res_h->setText(TextoMetros(r.v[h]));
    Res_N->setText(TextoMetros(r.v[h + 1]));
    Res_H->setText(TextoMetros(r.v[h + 2]));
    const bool canarias = geoide.Ondulacion(r.a.lon, r.a.lat).zona == ZonaGeoide::Canarias;
    Label_Modelo->setText(canarias ? QStringLiteral("Geoide: %1 (Canarias; alturas sobre REGCAN95)").arg(QLatin1String(NombreGeoideCanarias))
                                   : QStringLiteral("Geoide: %1 (península y Baleares; alturas sobre ETRS89)")
                                         .arg(QLatin1String(NombreGeoidePeninsula)));
    Label_Modelo->show();
    PonerEnMapa(c, r);
}

void Altitudes::Limpiar_Click() {
    for (QLineEdit* caja : {long1, lat1, CoordX, CoordY, Altura1}) caja->clear();
    VaciarResultados();
}

}  // namespace tesmaro
