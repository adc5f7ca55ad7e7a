#include "MDIPrincipal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <algorithm>
#include <QStatusBar>
#include <QTimer>

#include "AcercaDe.h"
#include "Altitudes.h"
#include "Cart_Geo.h"
#include "DAngular.h"
#include "DDecimales.h"
#include "DElipsoides.h"
#include "VentanaConversion.h"
#include "Form1.h"
#include "GEO_UTM.h"
#include "Geo_Cart.h"
#include "Geo_rejilla_ed2et.h"
#include "Mensajes.h"
#include "NotificadorAjustes.h"
#include "P_Inverso.h"
#include "P_directo.h"
#include "Principal.h"
#include "Zonas_Utm.h"
#include "MapaPuntos.h"
#include "geo_rejilla_et2ed.h"

// The program's compiled-in resources (the icon), outside any namespace as
// Q_INIT_RESOURCE requires.
static void IniciarRecursos() { Q_INIT_RESOURCE(recursos); }

namespace tesmaro {

namespace {

const QString TextoPanel = QStringLiteral("//> Tesmaro");

}  // namespace

namespace {

// The frame of a window in the area: it scrolls the window's controls when
// the area is smaller than the window, and asks for the window's whole size
// otherwise.
class Desplazable final : public QScrollArea {
public:
    explicit Desplazable(QWidget* ventana) {
        setObjectName(QStringLiteral("Desplazable"));
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(true);
        setWidget(ventana);
        setWindowTitle(ventana->windowTitle());
        setWindowIcon(ventana->windowIcon());
    }
    QSize sizeHint() const override { return widget() ? widget()->sizeHint() : QScrollArea::sizeHint(); }
};

}  // namespace

MDIPrincipal::MDIPrincipal(QWidget* padre) : QMainWindow(padre) {
    setObjectName(QStringLiteral("MDIPrincipal"));
    setWindowTitle(TituloPrograma);
    IniciarRecursos();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tesmaro/tesmaro.png")));
    Mdi = new QMdiArea(this);
    Mdi->setObjectName(QStringLiteral("Mdi"));
    Mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Mdi->viewport()->installEventFilter(this);
    setCentralWidget(Mdi);
    CrearMenus();
    CrearBarraEstado();
    // 1000 × 720 where it leaves a tenth of the screen around it; the whole
    // screen where it does not (a laptop, a screen at 200 %), so that the
    // windows get all the room there is.
    resize(1000, 720);
    restoreGeometry(QSettings(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro"))
                        .value(QStringLiteral("ventanas/MDIPrincipal"))
                        .toByteArray());
    if (const QScreen* pantalla = screen()) {
        const QRect disponible = pantalla->availableGeometry();
        if (width() > disponible.width() * 0.9 || height() > disponible.height() * 0.9) {
            // The screen's size too, for a desktop that does not maximise.
            setGeometry(disponible);
            setWindowState(windowState() | Qt::WindowMaximized);
        }
    }
    MDIForm_Load();
}

MDIPrincipal::~MDIPrincipal() {
    // The windows go first: a file run still going stops, replacing nothing.
    qDeleteAll(Mdi->subWindowList());
    delete elipsoides_.data();
}

void MDIPrincipal::Mensaje(const QString& texto, IconoMensaje icono, QWidget* ventana) {
    MostrarMensaje(texto, icono, ventana);
}

void MDIPrincipal::Anadir(QWidget* ventana) {
    QMdiSubWindow* sub = Mdi->addSubWindow(new Desplazable(ventana));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The frame's title follows the window's.
    connect(ventana, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    ventana->show();
    sub->show();
    RestaurarPosicion(sub);
    AcomodarSubventana(sub, sub->sizeHint());
    Mdi->setActiveSubWindow(sub);
}

QWidget* MDIPrincipal::VentanaDe(const QMdiSubWindow* sub) {
    if (!sub) return nullptr;
    auto* marco = qobject_cast<QScrollArea*>(sub->widget());
    return marco ? marco->widget() : sub->widget();
}

QWidget* MDIPrincipal::VentanaActiva() const { return VentanaDe(Mdi->currentSubWindow()); }

bool MDIPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == Mdi->viewport() && evento->type() == QEvent::Resize)
        for (QMdiSubWindow* sub : Mdi->subWindowList())
            if (!sub->isMaximized() && !sub->isMinimized()) AcomodarSubventana(sub, sub->size());
    return QMainWindow::eventFilter(objeto, evento);
}

void MDIPrincipal::MostrarZonasUtm() { MostrarVentana(zonas_); }

void MDIPrincipal::MostrarElipsoides() {
    // Owned by the main window, so that it stays above it.
    if (!elipsoides_) elipsoides_ = new DElipsoides(this);
    elipsoides_->Mostrar();
}

QAction* MDIPrincipal::Entrada(QMenu* menu, const char* nombre, const QString& texto,
                               void (MDIPrincipal::*slot)()) {
    QAction* accion = menu->addAction(texto);
    accion->setObjectName(QLatin1String(nombre));
    connect(accion, &QAction::triggered, this, slot);
    return accion;
}

void MDIPrincipal::CrearMenus() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->setObjectName(QStringLiteral("Mnu_Prin_Archivo"));
    Entrada(archivo, "Mnu_Salir", QStringLiteral("&Salir"), &MDIPrincipal::Mnu_Salir_Click);

    QMenu* herramientas = menuBar()->addMenu(QStringLiteral("&Herramientas"));
    herramientas->setObjectName(QStringLiteral("Mnu_Prin_Herra"));
    Entrada(herramientas, "Mnu_Elipsoides", QStringLiteral("&Elipsoides de referencia"),
            &MDIPrincipal::Mnu_Elipsoides_Click);
    herramientas->addSeparator()->setObjectName(QStringLiteral("mnu_Separador1"));
    Entrada(herramientas, "Mnu_MapaGuia", QStringLiteral("Mapa Guía U.T.M."), &MDIPrincipal::Mnu_MapaGuia_Click);
    Entrada(herramientas, "Mnu_MapaPuntos", QStringLiteral("Mapa de &puntos"), &MDIPrincipal::Mnu_MapaPuntos_Click);
    Entrada(herramientas, "Mnu_gradsexa", QStringLiteral("Sexagesimal -> Pseudosexagesimal"),
            &MDIPrincipal::Mnu_gradsexa_Click);
    Entrada(herramientas, "Mnu_DatosAngulares", QStringLiteral("&Datos angulares"),
            &MDIPrincipal::Mnu_DatosAngulares_Click);
    Entrada(herramientas, "Mnu_Decimales", QStringLiteral("De&cimales de los resultados…"),
            &MDIPrincipal::Mnu_Decimales_Click);

    QMenu* conversiones = menuBar()->addMenu(QStringLiteral("&Conversiones"));
    conversiones->setObjectName(QStringLiteral("Mnu_Prin_Transfor"));
    Entrada(conversiones, "Mnu_Utm_Geo", QStringLiteral("&U.T.M. a Geodésicas"), &MDIPrincipal::Mnu_Utm_Geo_Click);
    Entrada(conversiones, "Mnu_Geo_Utm", QStringLiteral("&Geodésicas a U.T.M."), &MDIPrincipal::Mnu_Geo_Utm_Click);
    Entrada(conversiones, "Mnu_Geo_Cart", QStringLiteral("G&eodésicas a Cartesianas Geocéntricas"),
            &MDIPrincipal::Mnu_Geo_Cart_Click);
    Entrada(conversiones, "Mnu_Cart_Geo", QStringLiteral("&Cartesianas Geocéntricas a Geodésicas "),
            &MDIPrincipal::Mnu_Cart_Geo_Click);
    conversiones->addSeparator();
    Entrada(conversiones, "Mnu_P_directo", QStringLiteral("&Problema directo de la geodesia"),
            &MDIPrincipal::Mnu_P_directo_Click);
    Entrada(conversiones, "Mnu_P_Inverso", QStringLiteral("Problema &inverso de la geodesia"),
            &MDIPrincipal::Mnu_P_Inverso_Click);

    QMenu* datum = menuBar()->addMenu(QStringLiteral("T&ransformación de Datum"));
    datum->setObjectName(QStringLiteral("Mnu_Prin_Transpor"));
    Entrada(datum, "TRANS_ETRS89", QStringLiteral("&Transformación Datum ED50-Datum ETRS89"),
            &MDIPrincipal::TRANS_ETRS89_Click);
    Entrada(datum, "TRANS_ED50", QStringLiteral("&Transformación Datum ETRS89-Datum ED50"),
            &MDIPrincipal::TRANS_ED50_Click);
    // The vertical datum: heights above sea level by the geoid.
    datum->addSeparator();
    Entrada(datum, "Mnu_Altitudes", QStringLiteral("&Altitudes ortométricas"), &MDIPrincipal::Mnu_Altitudes_Click);

    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    ayuda->setObjectName(QStringLiteral("Mnu_Prin_Ayuda"));
    Entrada(ayuda, "Mnu_Acerca", QStringLiteral("&Acerca de"), &MDIPrincipal::Mnu_Acerca_Click);
}

void MDIPrincipal::CrearBarraEstado() {
    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("StatusBar1"));
    barra->setSizeGripEnabled(true);
    panelTexto_ = new QLabel(TextoPanel, barra);
    panelTexto_->setObjectName(QStringLiteral("Panel1"));
    panelTexto_->setToolTip(TextoPanel);
    panelFecha_ = new QLabel(barra);
    panelFecha_->setObjectName(QStringLiteral("Panel2"));
    panelFecha_->setToolTip(QStringLiteral("Fecha"));
    panelHora_ = new QLabel(barra);
    panelHora_->setObjectName(QStringLiteral("Panel3"));
    panelHora_->setToolTip(QStringLiteral("Hora"));
    for (QLabel* panel : {panelTexto_, panelFecha_, panelHora_}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
    }
    barra->addWidget(panelTexto_, 1);
    barra->addPermanentWidget(panelFecha_);
    barra->addPermanentWidget(panelHora_);
    reloj_ = new QTimer(this);
    reloj_->setObjectName(QStringLiteral("Reloj"));
    connect(reloj_, &QTimer::timeout, this, &MDIPrincipal::ActualizarReloj);
    reloj_->start(1000);
    ActualizarReloj();
}

void MDIPrincipal::ActualizarReloj() {
    const QDateTime ahora = QDateTime::currentDateTime();
    // In Spanish whatever the system's language: "7 dic 2026".
    panelFecha_->setText(QLocale(QLocale::Spanish, QLocale::Spain).toString(ahora.date(), QStringLiteral("d MMM yyyy")));
    panelHora_->setText(ahora.time().toString(QStringLiteral("HH:mm")));
}

void MDIPrincipal::MDIForm_Load() {
    NotificadorAjustes::Restablecer();
    InstalarAvisadorVentanas();
    acercaDe_ = new AcercaDe(*this, this);
    Mnu_Acerca_Click();
}

void MDIPrincipal::Activar(QWidget* ventana) {
    for (QMdiSubWindow* sub : Mdi->subWindowList()) {
        if (VentanaDe(sub) == ventana) {
            if (sub->isMinimized()) sub->showNormal();
            sub->show();
            Mdi->setActiveSubWindow(sub);
            return;
        }
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

void MDIPrincipal::closeEvent(QCloseEvent* evento) {
    QMainWindow::closeEvent(evento);
    if (!evento->isAccepted()) return;
    GuardarPosiciones();
    QApplication::quit();
}

namespace {
QString ClavePosicion(const QWidget* ventana) {
    return QStringLiteral("ventanas/") +
           QString::fromLatin1(ventana->metaObject()->className()).section(QStringLiteral("::"), -1);
}
}  // namespace

void MDIPrincipal::RestaurarPosicion(QMdiSubWindow* sub) {
    if (!VentanaDe(sub)) return;
    const QVariant posicion =
        QSettings(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro")).value(ClavePosicion(VentanaDe(sub)));
    if (!posicion.canConvert<QPoint>()) return;
    // Only where the frame shows it.
    const QPoint punto = posicion.toPoint();
    if (Mdi->viewport()->rect().contains(punto)) sub->move(punto);
}

void MDIPrincipal::GuardarPosiciones() {
    QSettings ajustes(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro"));
    ajustes.setValue(QStringLiteral("ventanas/MDIPrincipal"), saveGeometry());
    for (QMdiSubWindow* sub : Mdi->subWindowList())
        if (VentanaDe(sub)) ajustes.setValue(ClavePosicion(VentanaDe(sub)), sub->pos());
}

void MDIPrincipal::Mnu_Salir_Click() {
    // Every window closes at once; nothing is asked or saved.
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MDIPrincipal::Mnu_Elipsoides_Click() { MostrarElipsoides(); }
void MDIPrincipal::Mnu_MapaGuia_Click() { MostrarVentana(zonas_); }
void MDIPrincipal::Mnu_MapaPuntos_Click() { MostrarMapaPuntos(); }
void MDIPrincipal::MostrarMapaPuntos() { MostrarVentana(mapaPuntos_); }
void MDIPrincipal::Mnu_gradsexa_Click() { MostrarVentana(form1_); }
void MDIPrincipal::Mnu_DatosAngulares_Click() {
    if (!datosAngulares_) datosAngulares_ = new DAngular(this);
    datosAngulares_->Mostrar();
}
void MDIPrincipal::Mnu_Decimales_Click() {
    if (!decimales_) decimales_ = new DDecimales(this);
    decimales_->Mostrar();
}
void MDIPrincipal::Mnu_Utm_Geo_Click() { MostrarVentana(principal_); }
void MDIPrincipal::Mnu_Geo_Utm_Click() { MostrarVentana(geoUtm_); }

void MDIPrincipal::Mnu_Geo_Cart_Click() { MostrarVentana(geoCart_); }

void MDIPrincipal::Mnu_Cart_Geo_Click() { MostrarVentana(cartGeo_); }

void MDIPrincipal::MostrarP_directo() { MostrarVentana(pDirecto_); }

void MDIPrincipal::MostrarP_Inverso() { MostrarVentana(pInverso_); }

void MDIPrincipal::Mnu_P_directo_Click() { MostrarP_directo(); }
void MDIPrincipal::Mnu_P_Inverso_Click() { MostrarP_Inverso(); }

void MDIPrincipal::TRANS_ETRS89_Click() { MostrarVentana(rejillaEd2et_); }

void MDIPrincipal::TRANS_ED50_Click() { MostrarVentana(rejillaEt2ed_); }

void MDIPrincipal::Mnu_Altitudes_Click() { MostrarVentana(altitudes_); }

void MDIPrincipal::Mnu_Acerca_Click() {
    acercaDe_->show();
    acercaDe_->raise();
    acercaDe_->activateWindow();
}

}  // namespace tesmaro
