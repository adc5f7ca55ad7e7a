// The main window: a multiple-document frame titled "Tesmaro" with the menu
// bar and the status bar (the text panel "//> Tesmaro", the date in Spanish,
// the time of day). It is the EntornoVentanas of every window it creates:
// their message boxes, the dialogs of their file runs, the zone map, the
// angular-units dialog, the decimals dialog and the ellipsoid dialog, each
// held here.
//
// Every window fits the area it lives in: it opens at its own size, or at
// the size of the area when that is smaller, inside a frameless scroll area
// of its own that scrolls its controls then (Tab keeps the focused one in
// sight); it never opens outside the area, and a smaller main window brings
// the windows inside it again. The area itself never scrolls by itself.
//
// Every child window exists at most once. MostrarVentana(puntero) creates it
// on first use (its fields take their design values) and otherwise brings it
// forward as the user left it; a window the user closed (WA_DeleteOnClose)
// leaves a null QPointer and is created afresh next time. A window class T
// only needs a constructor T(EntornoVentanas&) (or T() when it needs nothing)
// and its caption in windowTitle().
//
// Adding a window (one menu entry each):
//   1. a QPointer<T> member and a private slot Mnu_X_Click() here;
//   2. the action in CrearMenus() (MDIPrincipal.cpp), with the caption;
//   3. the slot's body: MostrarVentana(puntero_).
#pragma once
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>
#include <type_traits>

#include "EntornoVentanas.h"

class QLabel;
class QAction;
class QTimer;

namespace tesmaro {

class AcercaDe;
class Altitudes;
class DAngular;
class DDecimales;
class DElipsoides;
class Zonas_Utm;
class MapaPuntos;
class Principal;
class GEO_UTM;
class Form1;
class Geo_Cart;
class Cart_Geo;
class P_directo;
class P_Inverso;
class Geo_rejilla_ed2et;
class geo_rejilla_et2ed;

class MDIPrincipal final : public QMainWindow, public EntornoVentanas {
    Q_OBJECT
public:
    explicit MDIPrincipal(QWidget* padre = nullptr);
    ~MDIPrincipal() override;

    // EntornoVentanas: MostrarMensaje; the dialogs of the file runs (the
    // defaults of EntornoVentanas); the zone map (the menu entry and every
    // "Ver Husos UTM" button) and the ellipsoid dialog (the menu entry and
    // every ellipsoid bar).
    void Mensaje(const QString& texto, IconoMensaje icono, QWidget* ventana) override;
    void MostrarZonasUtm() override;
    void MostrarElipsoides() override;
    void MostrarMapaPuntos() override;

    // Shows a child window inside the frame, creating it on first use.
    template <class T>
    T* MostrarVentana(QPointer<T>& ventana) {
        if (!ventana) {
            if constexpr (std::is_constructible_v<T, EntornoVentanas&>) ventana = new T(*this);
            else ventana = new T;
            ventana->setAttribute(Qt::WA_DeleteOnClose);
            Anadir(ventana);
        } else {
            Activar(ventana);
        }
        return ventana;
    }

    QMdiArea* Mdi;
    AcercaDe* acercaDe() const { return acercaDe_; }
    // The window in a frame of the area, and the one of the active frame.
    static QWidget* VentanaDe(const QMdiSubWindow* sub);
    QWidget* VentanaActiva() const;

public slots:
    void MostrarP_directo();
    void MostrarP_Inverso();

private slots:
    void MDIForm_Load();
    void Mnu_Salir_Click();
    void Mnu_Elipsoides_Click();
    void Mnu_MapaGuia_Click();
    void Mnu_MapaPuntos_Click();
    void Mnu_gradsexa_Click();
    void Mnu_DatosAngulares_Click();
    void Mnu_Decimales_Click();
    void Mnu_Utm_Geo_Click();
    void Mnu_Geo_Utm_Click();
    void Mnu_Geo_Cart_Click();
    void Mnu_Cart_Geo_Click();
    void Mnu_P_directo_Click();
    void Mnu_P_Inverso_Click();
    void TRANS_ETRS89_Click();
    void TRANS_ED50_Click();
    void Mnu_Altitudes_Click();
    void Mnu_Acerca_Click();
    void ActualizarReloj();

protected:
    // Closing the main window keeps the windows' positions and ends the
    // program at once, whatever other window is still open.
    void closeEvent(QCloseEvent* evento) override;
    // The area's resizing brings the windows inside it.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearMenus();
    void Anadir(QWidget* ventana);
    void CrearBarraEstado();
    void Activar(QWidget* ventana);
    // Where each window was when the program last closed, and the main
    // window's geometry (QSettings "Tesmaro"; the computation settings are
    // never kept).
    void RestaurarPosicion(QMdiSubWindow* sub);
    void GuardarPosiciones();
    QAction* Entrada(QMenu* menu, const char* nombre, const QString& texto, void (MDIPrincipal::*slot)());

    AcercaDe* acercaDe_ = nullptr;
    QPointer<DAngular> datosAngulares_;
    QPointer<DDecimales> decimales_;
    QPointer<DElipsoides> elipsoides_;
    QLabel* panelTexto_ = nullptr;
    QLabel* panelFecha_ = nullptr;
    QLabel* panelHora_ = nullptr;
    QTimer* reloj_ = nullptr;

    QPointer<Zonas_Utm> zonas_;
    QPointer<MapaPuntos> mapaPuntos_;
    QPointer<Principal> principal_;
    QPointer<GEO_UTM> geoUtm_;
    QPointer<Form1> form1_;
    QPointer<Geo_Cart> geoCart_;
    QPointer<Cart_Geo> cartGeo_;
    QPointer<P_directo> pDirecto_;
    QPointer<P_Inverso> pInverso_;
    QPointer<Geo_rejilla_ed2et> rejillaEd2et_;
    QPointer<geo_rejilla_et2ed> rejillaEt2ed_;
    QPointer<Altitudes> altitudes_;
};

}  // namespace tesmaro
