#include "VentanaConversion.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "Ajustes.h"
#include "Angulos.h"
#include "Capas.h"
#include "DElipsoides.h"
#include "Exacto.h"
#include "Filtros.h"
#include "MapaPuntos.h"
#include "NotificadorAjustes.h"
#include "PuntosLote.h"
#include "Teclado.h"
#include "Texto.h"
#include "TrabajoLote.h"

namespace tesmaro {

QPointer<QLineEdit> VentanaConversion::CampoDestino;
QPointer<TrabajoLote> VentanaConversion::enCurso_;

static QBoxLayout* FilaDe(QLayout* disposicion, QWidget* control);

namespace {
const QString AyudaShiftClick = QStringLiteral("Haga \"Shift+Click\" para entrada dd mm ss.ss");
const QString YaConvirtiendo =
    QStringLiteral("Ya se está convirtiendo un fichero: espere a que termine o cancele la conversión.");

// The nearest scroll area around a control (the frame of a window in the
// main window), or nullptr.
QScrollArea* AreaDe(QWidget* control) {
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) return area;
    return nullptr;
}
}  // namespace

VentanaConversion::VentanaConversion(EntornoVentanas& entorno, QWidget* padre) : QWidget(padre), entorno_(entorno) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    CrearPanelGrados();
    // A window whose captions name the unit shows results in it.
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::UnidadAngularCambiada, this, [this] {
        RotularUnidad();
        if (!marcosAngulo_.isEmpty()) VaciarResultados();
    });
    // The results shown were written with the decimals of their "Calcular".
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::DecimalesCambiados, this,
            &VentanaConversion::VaciarResultados);
}

VentanaConversion::~VentanaConversion() {
    // A run still going: stopped without a word, its thread waited for.
    delete trabajo_.data();
}

void VentanaConversion::CrearPanelGrados() {
    Frame_Gra = new QGroupBox(QStringLiteral("ddº mm' ss''"), this);
    Frame_Gra->setObjectName(QStringLiteral("Frame_Gra"));
    auto crearCaja = [this](const char* nombre, int cifras) {
        auto* caja = new QLineEdit(Frame_Gra);
        caja->setObjectName(QLatin1String(nombre));
        caja->setMaximumWidth(AnchoCifras(caja, cifras));
        return caja;
    };
    auto crearEtiqueta = [this](const char* nombre, const QString& texto) {
        auto* etiqueta = new QLabel(texto, Frame_Gra);
        etiqueta->setObjectName(QLatin1String(nombre));
        etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return etiqueta;
    };
    Grados = crearCaja("Grados", 6);
    Minutos = crearCaja("Minutos", 5);
    Segundos = crearCaja("Segundos", 13);
    Label11 = crearEtiqueta("Label11", QStringLiteral("o"));
    Label12 = crearEtiqueta("Label12", QStringLiteral("'"));
    Label13 = crearEtiqueta("Label13", QStringLiteral("''"));
    Aceptar = new QPushButton(QStringLiteral("Aceptar"), Frame_Gra);
    Aceptar->setObjectName(QStringLiteral("Aceptar"));
    Command3 = new QPushButton(QStringLiteral("X"), Frame_Gra);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setMaximumWidth(Command3->fontMetrics().horizontalAdvance(QStringLiteral("X")) * 4);

    auto* fila = new QHBoxLayout(Frame_Gra);
    fila->addWidget(Grados);
    fila->addWidget(Label11);
    fila->addWidget(Minutos);
    fila->addWidget(Label12);
    fila->addWidget(Segundos);
    fila->addWidget(Label13);
    fila->addStretch(1);
    fila->addWidget(Aceptar);
    fila->addWidget(Command3);

    ConectarFiltro(Grados, TipoFiltro::Entero);
    ConectarFiltro(Minutos, TipoFiltro::Entero);
    ConectarFiltro(Segundos, TipoFiltro::Decimal);
    connect(Aceptar, &QPushButton::clicked, this, &VentanaConversion::Aceptar_Click);
    connect(Command3, &QPushButton::clicked, this, &VentanaConversion::Command3_Click);
    // Enter in the panel accepts it, Escape closes it (before the window's own
    // Enter, which runs its calculation).
    TeclaIntro(Frame_Gra, Aceptar);
    TeclaEscape(Frame_Gra, Command3);
    Frame_Gra->hide();
}

void VentanaConversion::AbrirPanelGrados(QLineEdit* caja) {
    CampoDestino = caja;
    destino_ = caja;
    Frame_Gra->show();
    AjustarMarco();
    if (QScrollArea* area = AreaDe(this)) area->ensureWidgetVisible(Frame_Gra);
    Grados->setFocus(Qt::OtherFocusReason);
    Grados->selectAll();
}

void AcomodarSubventana(QMdiSubWindow* sub, QSize deseado) {
    QSize area = sub->mdiArea() ? sub->mdiArea()->viewport()->size() : deseado;
    const QSize tamanio = deseado.boundedTo(area).expandedTo(sub->minimumSizeHint().boundedTo(area));
    sub->resize(tamanio);
    const QPoint p = sub->pos();
    sub->move(std::clamp(p.x(), 0, std::max(0, area.width() - tamanio.width())),
              std::clamp(p.y(), 0, std::max(0, area.height() - tamanio.height())));
}

void VentanaConversion::AjustarMarco() {
    if (QLayout* disposicion = layout()) disposicion->activate();
    QMdiSubWindow* sub = nullptr;
    for (QWidget* w = parentWidget(); w && !sub; w = w->parentWidget()) sub = qobject_cast<QMdiSubWindow*>(w);
    if (sub) {
        if (QLayout* disposicion = sub->layout()) disposicion->activate();
        const QSize deseado = sub->sizeHint();
        // Open: as large as the panel needs, within the area; closed: back to
        // the height of the window without it.
        AcomodarSubventana(sub, Frame_Gra->isVisible() ? sub->size().expandedTo(deseado)
                                                       : QSize(sub->width(), std::min(sub->height(), deseado.height())));
    } else if (isWindow()) {
        const QSize deseado = sizeHint();
        if (Frame_Gra->isVisible()) resize(size().expandedTo(deseado));
        else if (height() > deseado.height()) resize(width(), deseado.height());
    }
}

void VentanaConversion::Aceptar_Click() {
    for (QLineEdit* caja : {Grados, Minutos, Segundos})
        if (caja->text().trimmed().isEmpty()) caja->setText(QStringLiteral("0"));
    double g = 0, m = 0, s = 0;
    const struct {
        QLineEdit* caja;
        QString nombre;
        double& valor;
        bool entero;
    } partes[] = {{Grados, QStringLiteral("Los grados"), g, true},
                  {Minutos, QStringLiteral("Los minutos"), m, true},
                  {Segundos, QStringLiteral("Los segundos"), s, false}};
    for (const auto& parte : partes) {
        QString motivo;
        const QString texto = parte.caja->text().trimmed();
        if (LeerCaja(parte.caja, parte.nombre, parte.valor, motivo) != Lectura::Numero) return Mensaje(motivo);
        if (parte.entero && (texto.contains(QLatin1Char('.')) || texto.contains(QLatin1Char(',')) ||
                             parte.valor != std::trunc(parte.valor)))
            return Mensaje(QStringLiteral("%1 «%2» deben ser un número entero.").arg(parte.nombre, texto));
    }
    Frame_Gra->hide();
    AjustarMarco();
    QLineEdit* destino = destino_ ? destino_.data() : CampoDestino.data();
    if (!destino) return;
    // The hemisphere: a "-" typed, else the option chosen for the box.
    bool negativo = Grados->text().trimmed().startsWith(QLatin1Char('-'));
    if (!negativo) {
        const auto* opciones = qobject_cast<const QButtonGroup*>(destino->property("opciones").value<QObject*>());
        negativo = opciones && opciones->checkedId() == 1;
    }
    const double valor = ValorGradosMinutosSegundos(std::fabs(g), m, s);
    destino->setText(TextoPunto(negativo ? -valor : valor));
    destino->setFocus(Qt::OtherFocusReason);
    destino->end(false);
}

void VentanaConversion::Command3_Click() {
    const bool teniaFoco = Frame_Gra->isAncestorOf(QApplication::focusWidget());
    Frame_Gra->hide();
    AjustarMarco();
    // Back to the box the panel was opened for, as after "Aceptar".
    if (teniaFoco && destino_) destino_->setFocus(Qt::OtherFocusReason);
}

void VentanaConversion::HacerAbridorGrados(QLineEdit* caja) {
    caja->installEventFilter(this);
    if (caja->toolTip().isEmpty()) caja->setToolTip(AyudaShiftClick);
}

QToolButton* VentanaConversion::BotonGrados(QLineEdit* caja) {
    auto* boton = new QToolButton(this);
    boton->setObjectName(caja->objectName() + QStringLiteral("_gms"));
    boton->setText(QStringLiteral("º '"));
    boton->setToolTip(QStringLiteral("Entrada dd mm ss.ss"));
    boton->setAccessibleName(QStringLiteral("Entrada dd mm ss.ss"));
    boton->setFocusPolicy(Qt::TabFocus);
    connect(boton, &QToolButton::clicked, this, [this, caja] { AbrirPanelGrados(caja); });
    return boton;
}

MarcoCoordenada VentanaConversion::CrearMarcoCoordenada(QWidget* padre, const char* nombreMarco,
                                                        const QString& titulo, const char* nombreCaja,
                                                        const char* nombreOpciones, const QString& textoPositivo,
                                                        const QString& textoNegativo, int indiceElegido,
                                                        bool conBotonGrados) {
    MarcoCoordenada m{};
    m.marco = new QGroupBox(titulo, padre);
    m.marco->setObjectName(QLatin1String(nombreMarco));
    m.caja = new QLineEdit(m.marco);
    m.caja->setObjectName(QLatin1String(nombreCaja));
    m.opciones = new QButtonGroup(this);
    m.opciones->setObjectName(QLatin1String(nombreOpciones));
    m.positiva = new QRadioButton(textoPositivo, m.marco);
    m.positiva->setObjectName(QLatin1String(nombreOpciones) + QStringLiteral("_0"));
    m.negativa = new QRadioButton(textoNegativo, m.marco);
    m.negativa->setObjectName(QLatin1String(nombreOpciones) + QStringLiteral("_1"));
    m.opciones->addButton(m.positiva, 0);
    m.opciones->addButton(m.negativa, 1);
    (indiceElegido == 1 ? m.negativa : m.positiva)->setChecked(true);
    auto* fila = new QGridLayout(m.marco);
    // Little room around one row: these frames stack up to four high.
    const int margen = m.marco->fontMetrics().height() / 3;
    fila->setContentsMargins(margen, margen, margen, margen);
    fila->addWidget(m.caja, 0, 0);
    int columna = 1;
    if (conBotonGrados) {
        m.grados = BotonGrados(m.caja);
        fila->addWidget(m.grados, 0, columna++);
    }
    fila->addWidget(m.positiva, 0, columna++);
    fila->addWidget(m.negativa, 0, columna);
    fila->setColumnStretch(0, 1);
    // The typed sign chooses the option, the option chosen sets the sign
    // (after the filter, so that the option sees the filtered text); the
    // degrees-minutes-seconds panel finds the box's hemisphere here.
    ConectarFiltro(m.caja, TipoFiltro::Decimal);
    QLineEdit* caja = m.caja;
    QButtonGroup* opciones = m.opciones;
    connect(caja, &QLineEdit::textChanged, this, [caja, opciones] { OpcionSegunSigno(caja, opciones); });
    AlElegir(opciones, [caja](int indice) { SignoSegunOpcion(caja, indice); });
    caja->setProperty("opciones", QVariant::fromValue<QObject*>(opciones));
    Entradas({caja, opciones});
    return m;
}

MarcoCoordenada VentanaConversion::MarcoLatitud(QWidget* padre, const char* nombreMarco, const char* nombreCaja,
                                                const char* nombreOpciones, int indiceElegido, bool conBotonGrados) {
    const MarcoCoordenada m = CrearMarcoCoordenada(padre, nombreMarco, QStringLiteral("Latitud (dd.ddddddd)"),
                                                   nombreCaja, nombreOpciones, QStringLiteral("Norte"),
                                                   QStringLiteral("Sur"), indiceElegido, conBotonGrados);
    RotularConUnidad(m.marco);
    return m;
}

MarcoCoordenada VentanaConversion::MarcoLongitud(QWidget* padre, const char* nombreMarco, const char* nombreCaja,
                                                 const char* nombreOpciones, int indiceElegido, bool conBotonGrados) {
    const MarcoCoordenada m = CrearMarcoCoordenada(padre, nombreMarco, QStringLiteral("Longitud (dd.ddddddd)"),
                                                   nombreCaja, nombreOpciones, QStringLiteral("Este"),
                                                   QStringLiteral("Oeste"), indiceElegido, conBotonGrados);
    RotularConUnidad(m.marco);
    return m;
}

namespace {
void PonerRotulo(QWidget* control, const QString& texto) {
    if (auto* marco = qobject_cast<QGroupBox*>(control)) marco->setTitle(texto);
    else if (auto* etiqueta = qobject_cast<QLabel*>(control)) etiqueta->setText(texto);
}
}  // namespace

void VentanaConversion::RotularConUnidad(QWidget* marco) {
    const auto* grupo = qobject_cast<QGroupBox*>(marco);
    const auto* etiqueta = qobject_cast<QLabel*>(marco);
    marco->setProperty("tituloGrados", grupo ? grupo->title() : etiqueta ? etiqueta->text() : QString());
    marcosAngulo_ << marco;
    RotularUnidad();
}

void VentanaConversion::AngulosEnGrados() {
    for (QWidget* marco : std::as_const(marcosAngulo_))
        if (marco) PonerRotulo(marco, marco->property("tituloGrados").toString());
    marcosAngulo_.clear();
}

void VentanaConversion::RotularUnidad() {
    QString unidad;
    if (ajustes::UnidadAngular == 2) unidad = QStringLiteral("(grados centesimales)");
    else if (ajustes::UnidadAngular == 3) unidad = QStringLiteral("(radianes)");
    for (QWidget* marco : std::as_const(marcosAngulo_)) {
        if (!marco) continue;
        QString titulo = marco->property("tituloGrados").toString();
        if (!unidad.isEmpty()) {
            const QString grados = QStringLiteral("(dd.ddddddd)");
            if (titulo.contains(grados)) titulo.replace(grados, unidad);
            else titulo = titulo.trimmed() + QLatin1Char(' ') + unidad;
        }
        PonerRotulo(marco, titulo);
    }
}

QHBoxLayout* VentanaConversion::CrearBotones(QPushButton*& Calcular, QPushButton*& Limpiar, QPushButton*& Fichero,
                                             const QString& textoFichero) {
    Calcular = Nombrar(new QPushButton(QStringLiteral("Calcular"), this), "Calcular");
    Calcular->setDefault(true);
    Limpiar = Nombrar(new QPushButton(QStringLiteral("Borrar"), this), "Limpiar");
    Fichero = Nombrar(new QPushButton(textoFichero, this), "Fichero");
    auto* botones = new QHBoxLayout;
    botones->addWidget(Calcular);
    botones->addWidget(Limpiar);
    BotonesResultado(botones);
    botones->addStretch(1);
    botones->addWidget(Fichero);
    return botones;
}

void VentanaConversion::BotonesResultado(QHBoxLayout* fila) {
    // In the Tab order right after the button before them (BotonesFichero
    // puts them there, once the window has set its order).
    if (fila->count() > 0) antesResultado_ = fila->itemAt(fila->count() - 1)->widget();
    auto* copiar = Nombrar(new QToolButton(this), "Copiar");
    copiar->setText(QStringLiteral("Copiar"));
    copiar->setToolTip(QStringLiteral("Copia los resultados, separados por tabuladores"));
    auto* mapa = Nombrar(new QToolButton(this), "VerMapa");
    mapa->setText(QStringLiteral("Ver en el mapa"));
    mapa->setToolTip(QStringLiteral("Muestra el último punto calculado y el último fichero en el mapa"));
    for (QToolButton* boton : {copiar, mapa}) {
        boton->setAccessibleName(boton->text());
        boton->setFocusPolicy(Qt::TabFocus);
        fila->addWidget(boton);
    }
    connect(copiar, &QToolButton::clicked, this, &VentanaConversion::CopiarResultados);
    connect(mapa, &QToolButton::clicked, this, &VentanaConversion::VerMapa);
}

void VentanaConversion::CajasResultado(std::initializer_list<QLineEdit*> cajas) {
    resultados_.clear();
    for (QLineEdit* caja : cajas) {
        caja->setReadOnly(true);
        resultados_ << caja;
    }
}

QString VentanaConversion::LineaResultados() const {
    QStringList textos;
    for (const QPointer<QLineEdit>& caja : resultados_)
        if (caja) textos << caja->text();
    return textos.join(QLatin1Char('\t'));
}

void VentanaConversion::CopiarResultados() { QGuiApplication::clipboard()->setText(LineaResultados()); }

void VentanaConversion::VerMapa() { entorno_.MostrarMapaPuntos(); }

void VentanaConversion::Entradas(std::initializer_list<QObject*> entradas) {
    for (QObject* entrada : entradas) {
        if (auto* caja = qobject_cast<QLineEdit*>(entrada))
            connect(caja, &QLineEdit::textChanged, this, &VentanaConversion::VaciarResultados);
        else if (auto* boton = qobject_cast<QAbstractButton*>(entrada))
            connect(boton, &QAbstractButton::toggled, this, &VentanaConversion::VaciarResultados);
        else if (auto* grupo = qobject_cast<QButtonGroup*>(entrada))
            connect(grupo, &QButtonGroup::idToggled, this, &VentanaConversion::VaciarResultados);
    }
}

void VentanaConversion::VaciarResultados() {
    for (const QPointer<QLineEdit>& caja : std::as_const(resultados_))
        if (caja) caja->clear();
    OcultarMetodo();
    ResultadosVaciados();
}

void VentanaConversion::Rehusar(const QString& motivo, IconoMensaje icono) {
    VaciarResultados();
    if (!motivo.isEmpty()) Mensaje(motivo, icono);
}

bool VentanaConversion::LeerCampos(std::initializer_list<Campo> campos) {
    for (const Campo& campo : campos) {
        QString motivo;
        const QString nombre = QString::fromUtf8(campo.nombre);
        switch (LeerCaja(campo.caja, nombre, campo.valor, motivo)) {
            case Lectura::Vacia: Rehusar({}); return false;
            case Lectura::NoNumero: Rehusar(motivo); return false;
            case Lectura::Numero: break;
        }
        // A sign typed against the option chosen is refused, never resolved.
        if (campo.opciones && campo.valor != 0 && (campo.valor < 0) != (campo.opciones->checkedId() == 1)) {
            const QAbstractButton* elegida = campo.opciones->checkedButton();
            const QAbstractButton* signo = campo.opciones->button(campo.valor < 0 ? 1 : 0);
            Rehusar(QStringLiteral("%1 %2 es %3, pero está marcado «%4»: elija «%3» o cambie el signo.")
                        .arg(nombre, campo.caja->text().trimmed(), signo ? signo->text() : QString(),
                             elegida ? elegida->text() : QString()));
            return false;
        }
    }
    return true;
}

ResultadoPunto VentanaConversion::Convertir(const Conversion& c, const EntradaPunto& e, const Rejilla* rejilla,
                                            const Geoide* geoide) {
    VaciarResultados();
    // The settings of this moment.
    AjustesConversion a;
    if (!AjustesDe(c, ajustes::UnidadAngular, ajustes::ElipsoideActual, Exacto(), a)) {
        ResultadoPunto r;
        r.estado = EstadoPunto::Imposible;
        r.motivo = std::string(TextoEstado(Estado::SinElipsoide)) + ".";
        Mensaje(Q(r.motivo));
        return r;
    }
    a.rejilla = rejilla;
    a.geoide = geoide;
    const ResultadoPunto r = c.convertir(e, a);
    if (!Convertido(r.estado)) {
        // Values that are not finite: the critical notice, as ever.
        const bool critico = r.estado == EstadoPunto::NoCalculable && r.calculo == Estado::Correcto;
        if (r.estado != EstadoPunto::FueraRejilla)
            Mensaje(Q(r.motivo), critico ? IconoMensaje::Critico : IconoMensaje::Ninguno);
        return r;
    }
    if (Label_Metodo && a.exacto) {
        Label_Metodo->setText(QStringLiteral("Método ") + Q(c.metodoExacto));
        Label_Metodo->show();
    }
    // The legacy method more than 1 cm off at the point, by how much.
    if (Label_Aviso && r.estado == EstadoPunto::Impreciso) {
        // UTM to geographic: from the X, Y given; geographic to UTM: from the point.
        const double error = c.puntos == ResultadoPuntos::Utm
                                 ? ErrorUtmLegado(r.a.lon, r.a.lat, std::int16_t(r.v[2]), a.datum)
                                 : ErrorUtmAGeodesicasLegado(e.v[0], e.v[1], e.huso, e.sur, a.datum);
        Label_Aviso->setText(TextoAvisoUtm(error));
        Label_Aviso->show();
    }
    return r;
}

void VentanaConversion::PonerEnMapa(const Conversion& c, const ResultadoPunto& r) {
    RegistroPunto registro;
    registro.r = r;
    Posicion ultima;
    PuntosDeRegistro(c, registro, [&](const PuntoMapa& p) { ultima = {p.lon, p.lat}; });
    if (!ultima.Valida()) return;
    MapaPuntos::PonerPunto(windowTitle(), c.puntos == ResultadoPuntos::Directo || c.puntos == ResultadoPuntos::Inverso
                                              ? QStringLiteral("B") : QStringLiteral("Punto"),
                           ultima.lon, ultima.lat, Q(TextoRegistro(c, registro)).trimmed());
}

namespace {
// The first local file of a drag, empty when it brings none.
QString FicheroArrastrado(const QMimeData* datos) {
    if (!datos || !datos->hasUrls()) return {};
    for (const QUrl& url : datos->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) return url.toLocalFile();
    return {};
}
}  // namespace

void VentanaConversion::dragEnterEvent(QDragEnterEvent* evento) {
    if (!botonesFichero_.isEmpty() && !FicheroArrastrado(evento->mimeData()).isEmpty()) evento->acceptProposedAction();
}

void VentanaConversion::dropEvent(QDropEvent* evento) {
    const QString fichero = FicheroArrastrado(evento->mimeData());
    QPushButton* boton = botonesFichero_.isEmpty() ? nullptr : botonesFichero_.first().data();
    if (fichero.isEmpty() || !boton || !boton->isEnabled()) return;
    evento->acceptProposedAction();
    // The button's own slot runs the conversion; ConvertirFichero takes the file.
    soltado_ = fichero;
    boton->click();
    soltado_.clear();
}

BarraElipsoide* VentanaConversion::CrearBarraElipsoide(QGroupBox*& Frame6, const QString& texto,
                                                       const QString& ayuda) {
    Frame6 = Nombrar(new QGroupBox(this), "Frame6");
    auto* Label4 = Nombrar(new BarraElipsoide(texto, Frame6), "Label4");
    Label4->setToolTip(ayuda);
    auto* fila6 = new QHBoxLayout(Frame6);
    fila6->setContentsMargins(2, 2, 2, 2);
    fila6->addWidget(Label4);
    // The results were computed on the ellipsoid of their "Calcular".
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::ElipsoideCambiado, this,
            &VentanaConversion::VaciarResultados);
    return Label4;
}

PanelFichero VentanaConversion::CrearPanelFichero(const char* nombreMarco, const char* nombreEtiqueta,
                                                  const char* nombreCaja, const char* nombreAceptar,
                                                  const char* nombreCerrar) {
    PanelFichero p{};
    p.marco = Nombrar(new QGroupBox(QStringLiteral("Datos para el cálculo del fichero"), this), nombreMarco);
    const QString ayuda = QStringLiteral("Longitud del Meridiano Central del Huso (Oeste Negativo):");
    p.etiqueta = Nombrar(new QLabel(ayuda, p.marco), nombreEtiqueta);
    p.caja = Nombrar(new QLineEdit(p.marco), nombreCaja);
    p.aceptar = Nombrar(new QPushButton(QStringLiteral("Aceptar"), p.marco), nombreAceptar);
    p.cerrar = Nombrar(new QPushButton(QStringLiteral("X"), p.marco), nombreCerrar);
    auto* fila = new QHBoxLayout(p.marco);
    fila->addWidget(p.etiqueta);
    fila->addWidget(p.caja);
    fila->addWidget(p.aceptar);
    fila->addWidget(p.cerrar);
    p.marco->hide();
    return p;
}

void VentanaConversion::AlElegir(QButtonGroup* opciones, std::function<void(int)> manejador) {
    connect(opciones, &QButtonGroup::idToggled, this, [manejador = std::move(manejador)](int indice, bool marcado) {
        if (marcado) manejador(indice);
    });
}

bool VentanaConversion::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() == Qt::LeftButton && (raton->modifiers() & Qt::ShiftModifier)) {
            if (auto* caja = qobject_cast<QLineEdit*>(objeto)) {
                AbrirPanelGrados(caja);
                return true;
            }
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void VentanaConversion::VigilarCheckGrad(QCheckBox* Check_Grad) {
    auto guarda = [Check_Grad] {
        if (ajustes::UnidadAngular == 1) {
            Check_Grad->setEnabled(true);
        } else {
            Check_Grad->setEnabled(false);
            Check_Grad->setChecked(false);
        }
    };
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::UnidadAngularCambiada, Check_Grad, guarda);
    guarda();
}

double VentanaConversion::Leer(const QLineEdit* caja) { return LeerNumero(caja->text().toStdString()); }

QString VentanaConversion::TextoPunto(double valor) { return Q(TextoNumero(valor, '.')); }

namespace {
// `valor` with `decimales` decimals as the text results have them: fixed,
// rounded to nearest by its exact binary value, a zero without a sign; -1 (or
// a magnitude from 1e21 on, no longer a measure) the 15 significant digits.
QString ConDecimales(double valor, int decimales) {
    if (decimales < 0 || !std::isfinite(valor) || std::fabs(valor) >= 1e21) return VentanaConversion::TextoPunto(valor);
    return QString::fromStdString(TextoDecimales(valor, std::min(decimales, 15)));
}
}  // namespace

QString VentanaConversion::TextoMetros(double metros) { return ConDecimales(metros, ajustes::DecimalesMetros); }

QString VentanaConversion::TextoAngular(double angulo) { return ConDecimales(angulo, ajustes::DecimalesAngulos); }

QString VentanaConversion::Sexagesimal(double valor, const char* tipo) {
    // West is "O", as the options call it.
    QString texto = Q(FormatoSexagesimal(valor, tipo));
    if (texto.endsWith(QLatin1String(" W"))) texto.back() = QLatin1Char('O');
    return texto;
}

QString VentanaConversion::TextoAngulo(double valor, bool sexagesimal, const char* tipo) {
    return sexagesimal ? Sexagesimal(valor, tipo) : TextoAngular(valor);
}

void VentanaConversion::CambiarFormaAngulo(QLineEdit* caja, bool sexagesimal, const char* tipo) {
    if (sexagesimal) return caja->setText(Sexagesimal(Leer(caja), tipo));
    QString texto = caja->text();
    if (texto.endsWith(QLatin1String(" O"))) texto.back() = QLatin1Char('W');
    const std::string decimal = LeerSexagesimal(texto.toStdString());
    caja->setText(decimal.empty() || ajustes::DecimalesAngulos < 0 ? Q(decimal) : TextoAngular(LeerNumero(decimal)));
}

void VentanaConversion::OpcionSegunSigno(const QLineEdit* caja, QButtonGroup* opciones) {
    // A box with no number yet ("", "-") leaves the option as it is.
    const double valor = Leer(caja);
    if (valor == 0) return;
    const int indice = valor < 0 ? 1 : 0;
    if (QAbstractButton* boton = opciones->button(indice); boton && !boton->isChecked()) boton->setChecked(true);
}

void VentanaConversion::SignoSegunOpcion(QLineEdit* caja, int indice) {
    const double valor = Leer(caja);
    if ((indice == 0 && valor < 0) || (indice == 1 && valor > 0)) caja->setText(TextoPunto(-valor));
}

void VentanaConversion::Mensaje(const QString& texto, IconoMensaje icono) {
    entorno_.Mensaje(TextoVisible(texto), icono, this);
}

// ---- File runs ---------------------------------------------------------------

void VentanaConversion::HabilitarFicheros(bool si) {
    for (QPushButton* boton : std::as_const(botonesFichero_))
        if (boton) boton->setEnabled(si);
    if (Guardar_Capa) Guardar_Capa->setEnabled(si && ordenCapa_.has_value());
}

void VentanaConversion::Lanzar(const OrdenLote& orden, std::vector<std::unique_ptr<Sumidero>> otras,
                               const QString& texto, std::function<void(const ResumenLote&)> alAcabar) {
    HabilitarFicheros(false);
    trabajo_ = enCurso_ = new TrabajoLote(orden, std::move(otras), this, texto, [this, alAcabar](const ResumenLote& r) {
        trabajo_->deleteLater();
        trabajo_ = nullptr;
        enCurso_ = nullptr;
        HabilitarFicheros(true);
        alAcabar(r);
    });
}

void VentanaConversion::CancelarFichero() {
    if (trabajo_) trabajo_->Cancelar();
}

void VentanaConversion::ConvertirFichero(std::int16_t codigo) {
    const QString soltado = std::exchange(soltado_, {});
    if (enCurso_) return Mensaje(YaConvirtiendo);
    const Conversion* conversion = BuscarConversion(codigo);
    if (!conversion) return;
    // 1. The file (a file dropped is chosen already).
    const std::int16_t huso = conversion->leeHuso ? HusoForzado() : 0;
    const QString ruta = soltado.isEmpty() ? entorno_.ElegirFicheroPuntos(window(), *conversion, huso) : soltado;
    if (ruta.isEmpty()) return;
    // 2. The run, with the settings of this moment.
    OrdenLote orden = OrdenLote::ConAjustesActuales(*conversion, QFile::encodeName(ruta).toStdString());
    orden.exacto = Exacto();
    orden.rutaRejilla = QFile::encodeName(RutaRejilla()).toStdString();
    orden.huso = huso;
    const QFileInfo entrada(ruta);
    const qint64 tamanio = entrada.size();
    const qint64 fecha = entrada.lastModified().toMSecsSinceEpoch();
    auto puntos = std::make_shared<PuntosLote>();
    std::vector<std::unique_ptr<Sumidero>> otras;
    otras.push_back(CrearSalidaPuntos(puntos));
    Lanzar(orden, std::move(otras), QStringLiteral("Convirtiendo el fichero de puntos…"),
           [this, orden, tamanio, fecha, puntos](const ResumenLote& r) {
               if (r.error.empty() && !r.cancelado && r.convertidas > 0) {
                   ordenCapa_ = orden;
                   tamanioEntrada_ = tamanio;
                   fechaEntrada_ = fecha;
                   if (Guardar_Capa) Guardar_Capa->setEnabled(true);
               }
               AcabarFichero(r, puntos, orden);
           });
}

void VentanaConversion::AcabarFichero(const ResumenLote& r, const std::shared_ptr<PuntosLote>& puntos,
                                      const OrdenLote& orden) {
    const bool hecho = r.error.empty() && !r.cancelado;
    if (hecho) {
        const QString nombre = QFileInfo(QFile::decodeName(QByteArray::fromStdString(orden.entrada))).fileName();
        MapaPuntos::MostrarFichero(puntos, Q(TextoParaMensaje(nombre.toStdString())));
    }
    // 3. The summary, whatever the outcome.
    ResumenVentana v;
    v.fallo = !hecho;
    v.mapa = hecho && puntos->Cuenta().Total() > 0;
    v.titulo = !r.error.empty() ? QStringLiteral("No se ha convertido el fichero.")
               : r.cancelado    ? QStringLiteral("Conversión cancelada.")
               : r.detenido     ? QStringLiteral("Conversión detenida.")
               : r.Completo() && r.imprecisas.total == 0 ? QStringLiteral("Fichero convertido.")
                                                         : QStringLiteral("Fichero convertido; vea las líneas señaladas.");
    v.texto = Q(TextoResumen(r));
    if (r.detenido) v.texto += QStringLiteral("\n") + Q(TextoDetenido(r));
    for (const std::string& salida : r.salidas) v.salidas << QFile::decodeName(QByteArray::fromStdString(salida));
    entorno_.MostrarResumen(this, v);
}

void VentanaConversion::GuardarCapa() {
    if (!ordenCapa_) return;
    if (enCurso_) return Mensaje(YaConvirtiendo);
    // Proposed: the results' name beside the input, as a GeoPackage.
    const QFileInfo entrada(QFile::decodeName(QByteArray::fromStdString(ordenCapa_->entrada)));
    const QString ruta = entorno_.ElegirCapa(
        window(), entrada.dir().filePath(Q(ordenCapa_->conversion->base) + QStringLiteral(".gpkg")));
    if (ruta.isEmpty()) return;
    // The same order again, the layer its only output.
    OrdenLote orden = *ordenCapa_;
    orden.textos = false;
    const QFileInfo ahora(entrada.absoluteFilePath());
    const bool cambiada = !ahora.exists() || ahora.size() != tamanioEntrada_ ||
                          ahora.lastModified().toMSecsSinceEpoch() != fechaEntrada_;
    std::vector<std::unique_ptr<Sumidero>> otras;
    otras.push_back(CrearSalidaCapa(QFile::encodeName(ruta).toStdString()));
    Lanzar(orden, std::move(otras), QStringLiteral("Convirtiendo el fichero de puntos para la capa…"),
           [this, cambiada, entrada](const ResumenLote& r) {
               ResumenVentana v;
               v.fallo = !r.error.empty() || r.cancelado;
               v.titulo = !r.error.empty() ? QStringLiteral("No se ha guardado la capa.")
                          : r.cancelado    ? QStringLiteral("Capa cancelada: no se ha escrito nada.")
                                           : QStringLiteral("Capa guardada.");
               if (cambiada)
                   v.texto = QStringLiteral("El fichero %1 ha cambiado (tamaño o fecha) desde su conversión: la capa "
                                            "es de su contenido de ahora.\n").arg(entrada.fileName());
               v.texto += Q(TextoResumen(r));
               for (const std::string& salida : r.salidas) v.salidas << QFile::decodeName(QByteArray::fromStdString(salida));
               entorno_.MostrarResumen(this, v);
           });
}

void VentanaConversion::BotonesFichero(std::initializer_list<QPushButton*> botones) {
    for (QPushButton* boton : botones) botonesFichero_ << boton;
    auto* copiar = findChild<QToolButton*>(QStringLiteral("Copiar"), Qt::FindDirectChildrenOnly);
    auto* mapa = findChild<QToolButton*>(QStringLiteral("VerMapa"), Qt::FindDirectChildrenOnly);
    if (antesResultado_ && copiar && mapa) {
        setTabOrder(antesResultado_, copiar);
        setTabOrder(copiar, mapa);
    }
    if (Guardar_Capa || botonesFichero_.isEmpty()) return;
    // "Guardar como capa…" after the last file button in sight, in its row.
    QPushButton* ultimo = nullptr;
    for (QPushButton* boton : botones)
        if (boton && boton->parentWidget() == this) ultimo = boton;
    Guardar_Capa = Nombrar(new QPushButton(QStringLiteral("Guardar como capa…"), this), "Guardar_Capa");
    Guardar_Capa->setToolTip(QStringLiteral("Guarda los resultados del último fichero convertido como capa SIG (") +
                             QString::fromStdString(ExtensionesCapa()) + QStringLiteral(")"));
    Guardar_Capa->setEnabled(false);
    connect(Guardar_Capa, &QPushButton::clicked, this, &VentanaConversion::GuardarCapa);
    if (ultimo) {
        if (QBoxLayout* fila = FilaDe(layout(), ultimo)) {
            fila->insertWidget(fila->indexOf(ultimo) + 1, Guardar_Capa);
            setTabOrder(ultimo, Guardar_Capa);
            return;
        }
    }
    if (auto* todo = qobject_cast<QBoxLayout*>(layout())) todo->addWidget(Guardar_Capa, 0, Qt::AlignRight);
}

int AnchoCifras(const QWidget* control, int cifras) {
    // The digits, and room for the box's frame and inner margins.
    const QFontMetrics medidas = control->fontMetrics();
    return medidas.horizontalAdvance(QString(cifras, QLatin1Char('0'))) + medidas.averageCharWidth() * 2 + 4;
}

QGridLayout* DisponerFilas(QWidget* marco, std::initializer_list<std::initializer_list<QWidget*>> filas) {
    auto* rejilla = new QGridLayout(marco);
    int fila = 0;
    int columnas = 0;
    for (const auto& controles : filas) {
        int columna = 0;
        for (QWidget* control : controles) rejilla->addWidget(control, fila, columna++);
        columnas = std::max(columnas, columna);
        ++fila;
    }
    for (int columna = 1; columna < columnas; ++columna) rejilla->setColumnStretch(columna, 1);
    return rejilla;
}

int AnchoSexagesimal(const QWidget* caja) {
    return caja->fontMetrics().horizontalAdvance(QStringLiteral("-179º 59' 59.999999'' O")) + 16;
}

void IgualarAnchos(const QList<QWidget*>& controles) {
    int ancho = 0;
    for (const QWidget* control : controles) ancho = std::max(ancho, control->sizeHint().width());
    for (QWidget* control : controles) control->setMinimumWidth(ancho);
}

void VentanaConversion::VerHusosUtm() { entorno_.MostrarZonasUtm(); }

void VentanaConversion::VerElipsoides() { entorno_.MostrarElipsoides(); }

// The box layout under `disposicion` that holds `control` directly.
static QBoxLayout* FilaDe(QLayout* disposicion, QWidget* control) {
    if (!disposicion) return nullptr;
    auto* caja = qobject_cast<QBoxLayout*>(disposicion);
    if (caja && caja->indexOf(control) >= 0) return caja;
    for (int i = 0; i < disposicion->count(); ++i)
        if (QBoxLayout* fila = FilaDe(disposicion->itemAt(i)->layout(), control)) return fila;
    return nullptr;
}

QVBoxLayout* VentanaConversion::CrearMetodo() {
    Check_Exacto = Nombrar(new QCheckBox(QStringLiteral("&Método exacto"), this), "Check_Exacto");
    Check_Exacto->setToolTip(QStringLiteral("Transversa de Mercator exacta y líneas geodésicas de GeographicLib, "
                                            "en «Calcular» y en los ficheros. Sin marcar: el método clásico."));
    Label_Metodo = Nombrar(new QLabel(this), "Label_Metodo");
    QFont pequenia = Label_Metodo->font();
    pequenia.setPointSizeF(pequenia.pointSizeF() * 0.9);
    Label_Metodo->setFont(pequenia);
    Label_Aviso = Nombrar(new QLabel(this), "Label_Aviso");
    Label_Aviso->setWordWrap(true);
    // Its room is kept while hidden, so that it never takes the tick box's.
    QSizePolicy politica = Label_Aviso->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    Label_Aviso->setSizePolicy(politica);
    Label_Aviso->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    OcultarMetodo();
    auto* fila = new QHBoxLayout;
    fila->addWidget(Check_Exacto);
    fila->addWidget(Label_Metodo);
    fila->addStretch(1);
    auto* columna = new QVBoxLayout;
    columna->addLayout(fila);
    columna->addWidget(Label_Aviso);
    // A choice made for one result, never the next start's: unticked here;
    // the results shown no longer apply once it changes.
    connect(Check_Exacto, &QCheckBox::toggled, this, &VentanaConversion::VaciarResultados);
    return columna;
}

bool VentanaConversion::Exacto() const { return Check_Exacto && Check_Exacto->isChecked(); }

QString VentanaConversion::TextoAvisoUtm(double metros) {
    QString cantidad = metros < 1 ? QString::number(metros * 100, 'f', metros < 0.1 ? 1 : 0) + QStringLiteral(" cm")
                                  : QString::number(metros, 'f', 2) + QStringLiteral(" m");
    cantidad.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("Error del método clásico aquí: %1; marque «Método exacto»").arg(cantidad);
}

void VentanaConversion::OcultarMetodo() {
    if (Label_Metodo) Label_Metodo->hide();
    if (Label_Aviso) Label_Aviso->hide();
}

}  // namespace tesmaro
