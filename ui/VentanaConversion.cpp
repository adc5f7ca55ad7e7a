#include "VentanaConversion.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <memory>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <utility>

#include "Ajustes.h"
#include "Capas.h"
#include "Exacto.h"
#include "Conversiones.h"
#include "DElipsoides.h"
#include "Filtros.h"
#include "MapaPuntos.h"
#include "NotificadorAjustes.h"
#include "Teclado.h"
#include "Texto.h"

namespace tesmaro {

QPointer<QLineEdit> VentanaConversion::CampoDestino;
QPointer<HiloLote> VentanaConversion::enCurso_;

static QBoxLayout* FilaDe(QLayout* disposicion, QWidget* control);

namespace {
const QString AyudaShiftClick = QStringLiteral("Haga \"Shift+Click\" para entrada dd mm ss.ss");
}

VentanaConversion::VentanaConversion(EntornoVentanas& entorno, QWidget* padre) : QWidget(padre), entorno_(entorno) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    CrearPanelGrados();
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::UnidadAngularCambiada, this,
            &VentanaConversion::RotularUnidad);
}

VentanaConversion::~VentanaConversion() {
    // A run still going: stopped without a word, its thread waited for.
    if (hilo_) {
        delete hilo_.data();
        if (!capaEnCurso_) entorno_.TerminarLote();
    }
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
    Grados->setFocus(Qt::OtherFocusReason);
    Grados->selectAll();
}

void VentanaConversion::AjustarMarco() {
    // The frame around the window: the sub-window of the main window, or the
    // window itself when it stands alone.
    QWidget* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!marco) marco = isWindow() ? this : nullptr;
    if (!marco) return;
    if (QLayout* disposicion = layout()) disposicion->activate();
    const QSize deseado = marco->sizeHint();
    if (Frame_Gra->isVisible()) {
        marco->resize(marco->size().expandedTo(deseado));
    } else if (marco->height() > deseado.height()) {
        marco->resize(marco->width(), deseado.height());
    }
}

void VentanaConversion::Aceptar_Click() {
    Frame_Gra->hide();
    AjustarMarco();
    for (QLineEdit* caja : {Grados, Minutos, Segundos})
        if (caja->text().isEmpty()) caja->setText(QStringLiteral("0"));
    const double valor = ValorGradosMinutosSegundos(Leer(Grados), Leer(Minutos), Leer(Segundos));
    if (QLineEdit* destino = destino_ ? destino_.data() : CampoDestino.data()) {
        destino->setText(TextoRegional(valor));
        destino->setFocus(Qt::OtherFocusReason);
        destino->end(false);
    }
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
    fila->addWidget(m.caja, 0, 0);
    int columna = 1;
    if (conBotonGrados) {
        m.grados = BotonGrados(m.caja);
        fila->addWidget(m.grados, 0, columna++);
    }
    fila->addWidget(m.positiva, 0, columna++);
    fila->addWidget(m.negativa, 0, columna);
    fila->setColumnStretch(0, 1);
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
    for (QLineEdit* caja : cajas) resultados_ << caja;
}

QString VentanaConversion::LineaResultados() const {
    QStringList textos;
    for (const QPointer<QLineEdit>& caja : resultados_)
        if (caja) textos << caja->text();
    return textos.join(QLatin1Char('\t'));
}

void VentanaConversion::CopiarResultados() { QGuiApplication::clipboard()->setText(LineaResultados()); }

void VentanaConversion::VerMapa() { entorno_.MostrarMapaPuntos(); }

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

QString VentanaConversion::TextoPunto(double valor) { return Q(Normalizar(TextoNumero(valor))); }

QString VentanaConversion::TextoRegional(double valor) { return Q(TextoNumero(valor)); }

QString VentanaConversion::TextoAngulo(double valor, bool sexagesimal, const char* tipo) {
    return Q(Normalizar(sexagesimal ? FormatoSexagesimal(valor, tipo) : TextoNumero(valor)));
}

void VentanaConversion::CambiarFormaAngulo(QLineEdit* caja, bool sexagesimal, const char* tipo) {
    caja->setText(sexagesimal ? Q(FormatoSexagesimal(Leer(caja), tipo))
                              : Q(LeerSexagesimal(caja->text().toStdString())));
}

void VentanaConversion::OpcionSegunSigno(const QLineEdit* caja, QButtonGroup* opciones) {
    const int indice = Leer(caja) < 0 ? 1 : 0;
    if (QAbstractButton* boton = opciones->button(indice); boton && !boton->isChecked()) boton->setChecked(true);
}

void VentanaConversion::SignoSegunOpcion(QLineEdit* caja, int indice) {
    const double valor = Leer(caja);
    if ((indice == 0 && valor < 0) || (indice == 1 && valor > 0)) caja->setText(TextoRegional(-valor));
}

QString VentanaConversion::TextoResumen(const ResumenLote& r) {
    // A run whose every line was converted says nothing more: the names of
    // its results were shown before it; unless the legacy UTM method put
    // some of them more than 1 cm off, which the summary says.
    if (r.Completo() && r.imprecisas.total == 0) return {};
    return Q(tesmaro::TextoResumen(r));
}

void VentanaConversion::Mensaje(const QString& texto, IconoMensaje icono) { entorno_.Mensaje(texto, icono, this); }

void VentanaConversion::ConvertirFichero(std::int16_t codigo, bool conPista) {
    if (enCurso_) {
        Mensaje(QStringLiteral("Ya se está convirtiendo un fichero: espere a que termine o cancele la conversión."));
        return;
    }
    const Conversion* conversion = BuscarConversion(codigo);
    if (conPista && conversion && !conversion->pista.empty()) Mensaje(Q(conversion->pista));
    InterfazLote& lote = entorno_.EmpezarLote(window());
    for (QPushButton* boton : botonesFichero_)
        if (boton) boton->setEnabled(false);
    codigoFichero_ = codigo;
    OpcionesLote opciones;
    opciones.exacto = Exacto();
    if (Guardar_Capa) Guardar_Capa->setEnabled(false);
    hilo_ = enCurso_ = new HiloLote(codigo, lote, [this](const ResumenLote& r) { AcabarFichero(r); }, this,
                                    std::exchange(soltado_, {}).toStdString(), opciones);
}

void VentanaConversion::AcabarFichero(const ResumenLote& resumen) {
    const QString rutaEntrada = QString::fromStdString(hilo_->RutaEntrada());
    hilo_->deleteLater();
    hilo_ = nullptr;
    enCurso_ = nullptr;
    entorno_.TerminarLote();
    for (QPushButton* boton : botonesFichero_)
        if (boton) boton->setEnabled(true);
    if (resumen.ejecutado && resumen.error.empty() && !resumen.cancelado && !resumen.rutaTxt.empty())
        MapaPuntos::MostrarFichero(codigoFichero_, QString::fromStdString(resumen.rutaTxt), rutaEntrada,
                                   ajustes::UnidadAngular);
    // Results written: they are what "Guardar como capa…" saves from now on.
    if (resumen.ejecutado && resumen.error.empty() && !resumen.cancelado && resumen.registros > 0 &&
        QFileInfo::exists(QString::fromStdString(resumen.rutaTxt))) {
        codigoCapa_ = codigoFichero_;
        txtCapa_ = resumen.rutaTxt;
        entradaCapa_ = rutaEntrada.toStdString();
    }
    if (Guardar_Capa) Guardar_Capa->setEnabled(!txtCapa_.empty());
    const QString texto = TextoResumen(resumen);
    if (!texto.isEmpty()) Mensaje(texto, resumen.error.empty() ? IconoMensaje::Ninguno : IconoMensaje::Critico);
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

QString VentanaConversion::Primero(std::initializer_list<QString> motivos) {
    for (const QString& motivo : motivos)
        if (!motivo.isEmpty()) return motivo;
    return {};
}

QString VentanaConversion::AnguloImposible(const QString& nombre, double valor, double limiteGrados, bool enUnidad) {
    // As the batch: in the unit in use, a hair of tolerance for the unit's
    // conversion; in degrees, exactly.
    const bool posible = enUnidad ? std::fabs(UnidadAGrados(valor)) <= limiteGrados + 1e-9
                                  : std::fabs(valor) <= limiteGrados;
    if (posible) return {};
    QString unidad = QStringLiteral("grados");
    double limite = limiteGrados;
    if (enUnidad && ajustes::UnidadAngular == 2) {
        unidad = QStringLiteral("grados centesimales");
        limite = GradosAUnidad(limiteGrados);
    } else if (enUnidad && ajustes::UnidadAngular == 3) {
        unidad = QStringLiteral("radianes");
        limite = GradosAUnidad(limiteGrados);
    }
    return QStringLiteral("%1 %2 no es posible: debe estar entre -%3 y %3 %4.")
        .arg(nombre, TextoPunto(valor), TextoPunto(limite), unidad);
}

QString VentanaConversion::MetrosImposibles(const QString& nombre, double valor, double minimo, double maximo,
                                            bool abierto) {
    const bool posible = abierto ? valor > minimo && valor < maximo : valor >= minimo && valor <= maximo;
    if (posible) return {};
    return QStringLiteral("%1 %2 no es posible: debe estar entre %3 y %4 m.")
        .arg(nombre, TextoPunto(valor), TextoPunto(minimo), TextoPunto(maximo));
}


void VentanaConversion::Rehusar(std::initializer_list<QLineEdit*> resultados, const QString& motivo,
                                IconoMensaje icono) {
    for (QLineEdit* caja : resultados) caja->clear();
    OcultarMetodo();
    if (!motivo.isEmpty()) Mensaje(motivo, icono);
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
    return caja->fontMetrics().horizontalAdvance(QStringLiteral("-179º 59' 59.999999'' W")) + 16;
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
    Label_Aviso->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    OcultarMetodo();
    auto* fila = new QHBoxLayout;
    fila->addWidget(Check_Exacto);
    fila->addWidget(Label_Metodo);
    fila->addStretch(1);
    auto* columna = new QVBoxLayout;
    columna->addLayout(fila);
    columna->addWidget(Label_Aviso);
    // A choice made for one result, never the next start's: unticked here,
    // and the labels of the result shown no longer apply once it changes.
    connect(Check_Exacto, &QCheckBox::toggled, this, [this] { OcultarMetodo(); });
    return columna;
}

bool VentanaConversion::Exacto() const { return Check_Exacto && Check_Exacto->isChecked(); }

void VentanaConversion::MostrarMetodo(bool utm) {
    if (!Label_Metodo) return;
    Label_Aviso->hide();
    if (!Exacto()) return Label_Metodo->hide();
    Label_Metodo->setText(utm ? QStringLiteral("Método exacto (Krüger, GeographicLib)")
                              : QStringLiteral("Método exacto (Karney, GeographicLib)"));
    Label_Metodo->show();
}

QString VentanaConversion::TextoAvisoUtm(double metros) {
    QString cantidad = metros < 1 ? QString::number(metros * 100, 'f', metros < 0.1 ? 1 : 0) + QStringLiteral(" cm")
                                  : QString::number(metros, 'f', 2) + QStringLiteral(" m");
    cantidad.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("Error del método clásico aquí: %1; marque «Método exacto»").arg(cantidad);
}

void VentanaConversion::AvisarErrorUtm(double longitud, double latitud, std::int16_t huso, Datum datum) {
    if (!Label_Aviso || Exacto()) return;
    const double error = ErrorUtmLegado(longitud, latitud, huso, datum);
    Label_Aviso->setText(TextoAvisoUtm(error));
    Label_Aviso->setVisible(error > UmbralErrorUtm);
}

void VentanaConversion::OcultarMetodo() {
    if (Label_Metodo) Label_Metodo->hide();
    if (Label_Aviso) Label_Aviso->hide();
}

namespace {
// The batch interface of a layer write, which asks nothing.
class SinDialogos final : public InterfazLote {
public:
    std::string ElegirFicheroPuntos(const DialogoFichero&) override { return {}; }
    std::string ElegirRejilla(const DialogoFichero&) override { return {}; }
    void Mensaje(std::string_view) override {}
};
SinDialogos sinDialogos;
}  // namespace

void VentanaConversion::GuardarCapa() {
    const Conversion* conversion = BuscarConversion(codigoCapa_);
    if (txtCapa_.empty() || !conversion) return;
    if (enCurso_) {
        Mensaje(QStringLiteral("Ya se está convirtiendo un fichero: espere a que termine o cancele la conversión."));
        return;
    }
    // Proposed: the text result's name, as a GeoPackage.
    const QFileInfo txt(QString::fromStdString(txtCapa_));
    const QString ruta = entorno_.ElegirCapa(window(), txt.dir().filePath(txt.completeBaseName() + QStringLiteral(".gpkg")));
    if (ruta.isEmpty()) return;
    OpcionesCapa opciones;
    opciones.rutaEntrada = entradaCapa_;
    // A large result takes seconds: on a thread of its own, the window
    // responsive and the file buttons off meanwhile.
    auto resumen = std::make_shared<ResumenCapa>();
    auto trabajo = [conversion, txt = txtCapa_, capa = ruta.toStdString(), opciones, resumen](InterfazLote&) {
        *resumen = EscribirCapa(*conversion, txt, capa, opciones);
        return ResumenLote{};
    };
    for (QPushButton* boton : botonesFichero_)
        if (boton) boton->setEnabled(false);
    Guardar_Capa->setEnabled(false);
    capaEnCurso_ = true;
    hilo_ = enCurso_ = new HiloLote(trabajo, sinDialogos, [this, resumen, ruta](const ResumenLote&) {
        AcabarCapa(resumen->escrita ? Q(TextoResumenCapa(*resumen, ruta.toStdString())) : Q(resumen->error),
                   resumen->escrita);
    }, this);
}

void VentanaConversion::AcabarCapa(const QString& texto, bool escrita) {
    hilo_->deleteLater();
    hilo_ = nullptr;
    enCurso_ = nullptr;
    capaEnCurso_ = false;
    for (QPushButton* boton : botonesFichero_)
        if (boton) boton->setEnabled(true);
    Guardar_Capa->setEnabled(true);
    Mensaje(texto, escrita ? IconoMensaje::Ninguno : IconoMensaje::Critico);
}

}  // namespace tesmaro
