// Every window worked from the keyboard alone: Tab reaches each control once
// per round, group by group down and to the right; an option pair is one stop
// at its chosen button; Enter runs the window's calculation (or the focused
// button), Escape closes the small dialogs and the degrees-minutes-seconds
// panel; the ellipsoid bar opens its dialog with Space or Enter; the menus
// keep their access keys as written and no button caption gained one.
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "AcercaDe.h"
#include "Cart_Geo.h"
#include "Comun.h"
#include "DAngular.h"
#include "DElipsoides.h"
#include "DElipsoides_ETED.h"
#include "Form1.h"
#include "GEO_UTM.h"
#include "Geo_Cart.h"
#include "Geo_rejilla_ed2et.h"
#include "MDIPrincipal.h"
#include "P_Inverso.h"
#include "P_directo.h"
#include "Principal.h"
#include "Texto.h"
#include "geo_rejilla_et2ed.h"

using namespace tesmaro;

namespace {

QWidget* Enfocado() { return QApplication::focusWidget(); }
QString NombreEnfocado() { return Enfocado() ? Enfocado()->objectName() : QStringLiteral("(nada)"); }

// The controls that Tab must reach: what the user can type into, press,
// choose or scroll, visible and enabled. Of an option pair only the chosen
// button is a stop.
QList<QWidget*> Interactivos(QWidget* ventana) {
    QList<QWidget*> lista;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        const bool tipo = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QListWidget*>(w) || qobject_cast<BarraElipsoide*>(w);
        if (!tipo || !w->isVisible() || !w->isEnabled()) continue;
        if (auto* opcion = qobject_cast<QRadioButton*>(w); opcion && !opcion->isChecked()) continue;
        lista << w;
    }
    return lista;
}

// Presses Tab (or Shift+Tab) from `desde` until the focus comes back to it;
// the controls in the order they took the focus (at most `tope` steps).
QList<QWidget*> Recorrer(QWidget* desde, bool atras = false, int tope = 80) {
    desde->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    QList<QWidget*> camino;
    for (int i = 0; i < tope && Enfocado(); ++i) {
        camino << Enfocado();
        QTest::keyClick(Enfocado(), Qt::Key_Tab, atras ? Qt::ShiftModifier : Qt::NoModifier);
        if (Enfocado() == desde) break;
    }
    return camino;
}

QStringList Nombres(const QList<QWidget*>& controles) {
    QStringList nombres;
    for (const QWidget* w : controles) nombres << w->objectName();
    return nombres;
}

QWidget* PorNombre(QWidget* ventana, const QString& nombre) {
    for (QWidget* w : Interactivos(ventana))
        if (w->objectName() == nombre) return w;
    return nullptr;
}

}  // namespace

class PruebaTeclado : public QObject {
    Q_OBJECT

private slots:
    void init() { prueba::Restablecer(); }
    void cleanup() { prueba::Restablecer(); }

    // --- Tab order -------------------------------------------------------

    void Orden_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QStringList>("orden");
        const auto fila = [](const char* ventana, const QString& orden) {
            QTest::newRow(ventana) << QString::fromLatin1(ventana) << orden.split(QLatin1Char(' '));
        };
        fila("Principal",
             QStringLiteral("CoordX CoordY Huso1 Option_Norte_0 Long_MC Check1 Check2 long1 lat1 Conver1 Ana1 "
                            "Check_Grad Calcular salir Command4 Command1 Command2"));
        fila("GEO_UTM", QStringLiteral("Huso1 Check1 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 Long_MC "
                                       "CoordX CoordY Cover1 Ana1 Check_Grad Calcular Limpiar Fichero Command4"));
        fila("Geo_Cart", QStringLiteral("Label4 lat1 lat1_gms Lat_Opt_0 long1 long1_gms Long_opt_0 Long_MC CoordX "
                                        "CoordY CoordZ Calcular Limpiar Fichero"));
        fila("Cart_Geo",
             QStringLiteral("Label4 CoordX CoordY CoordZ lat1 long1 Altitud Check_Grad Calcular Limpiar Fichero"));
        fila("P_directo", QStringLiteral("Label4 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 Acimut1 "
                                         "Acimut1_gms Distancia1 Long_Res Lat_Res Acimut_Res Check_Grad Calcular "
                                         "Limpiar Fichero"));
        fila("P_Inverso", QStringLiteral("Label4 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 Long2 Long2_gms "
                                         "Long_opt2_0 Lat2 Lat2_gms Lat_Opt2_0 Dist_Res Acimut_Dir Acimut_Inv "
                                         "Check_Grad Calcular Limpiar Fichero"));
        fila("Form1",
             QStringLiteral("Long1gra long1min long1seg Option1 long1 lat1gra lat1min lat1seg lat1 Command1"));
        fila("Geo_rejilla_ed2et", QStringLiteral("Long1t Long_opt_0 Lat1t Lat_Opt_0 LoET89 LOET89gms LaET89 "
                                                 "LAET89GMS LoED50 LaED50 Calcular Limpiar Fichero"));
        // "Oeste" is this window's chosen longitude option at load.
        fila("geo_rejilla_et2ed", QStringLiteral("Lat1et Lat_Opt_0 Long1et Long_opt_1 LaED50 LAED50GMS LoED50 "
                                                 "LOED50GMS Calcular Limpiar Fichero"));
        fila("DAngular", QStringLiteral("Tip_Grad_0 Command1"));
        fila("DElipsoides", QStringLiteral("ELIPSOIDES Command1"));
        fila("DElipsoides_ETED", QStringLiteral("ELIPSOIDES Command1"));
        fila("AcercaDe", QStringLiteral("cmdOK"));
    }

    // One round of Tab visits the controls in the order of the layout, each
    // once, and misses none; Shift+Tab goes the same way back.
    void Orden() {
        QFETCH(QString, ventana);
        QFETCH(QStringList, orden);
        prueba::Entorno e;
        const std::unique_ptr<QWidget> v = prueba::Crear(ventana, e);
        QVERIFY(prueba::Mostrar(v.get()));
        QWidget* primero = PorNombre(v.get(), orden.front());
        QVERIFY2(primero, qPrintable(orden.front()));
        const QList<QWidget*> camino = Recorrer(primero);
        QCOMPARE(Nombres(camino), orden);
        QCOMPARE(Enfocado(), primero);  // the round closes

        QStringList todos = Nombres(Interactivos(v.get()));
        QStringList vistos = orden;
        todos.sort();
        vistos.sort();
        QCOMPARE(vistos, todos);

        QStringList atras = orden;
        std::reverse(atras.begin() + 1, atras.end());
        QCOMPARE(Nombres(Recorrer(primero, true)), atras);

        // Within each group the next stop is below the last one, or to its
        // right on the same row.
        for (int i = 1; i < camino.size(); ++i) {
            const QWidget* a = camino[i - 1];
            const QWidget* b = camino[i];
            if (a->parentWidget() != b->parentWidget()) continue;
            const QRect ra(a->mapTo(v.get(), QPoint(0, 0)), a->size());
            const QRect rb(b->mapTo(v.get(), QPoint(0, 0)), b->size());
            const bool mismaFila = std::abs(ra.center().y() - rb.center().y()) < std::max(ra.height(), rb.height()) / 2;
            const bool abajo = rb.top() >= ra.bottom() - 2;  // 2 px: touching rows may overlap by a frame
            QVERIFY2(abajo || (mismaFila && rb.left() > ra.left()),
                     qPrintable(a->objectName() + QStringLiteral(" -> ") + b->objectName()));
        }
        // No button caption, nor a label with a buddy, gained an access key.
        for (const QAbstractButton* b : v->findChildren<QAbstractButton*>())
            QVERIFY2(!b->text().contains(QLatin1Char('&')), qPrintable(b->text()));
        for (const QLabel* l : v->findChildren<QLabel*>())
            QVERIFY2(!l->buddy() || !l->text().contains(QLatin1Char('&')), qPrintable(l->text()));
    }

    // An option pair is reached at its chosen button, from above and from below.
    void OpcionElegida() {
        prueba::Entorno e;
        GEO_UTM v(e);
        QVERIFY(prueba::Mostrar(&v));
        v.Lat_Opt->button(1)->setChecked(true);  // "Sur"
        QWidget* antes = PorNombre(&v, QStringLiteral("lat1_gms"));
        antes->setFocus(Qt::TabFocusReason);
        QTest::keyClick(antes, Qt::Key_Tab);
        QCOMPARE(NombreEnfocado(), QStringLiteral("Lat_Opt_1"));
        QTest::keyClick(Enfocado(), Qt::Key_Tab);
        QCOMPARE(NombreEnfocado(), QStringLiteral("Long_MC"));
        QTest::keyClick(Enfocado(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(NombreEnfocado(), QStringLiteral("Lat_Opt_1"));
        // The arrows choose the other button, and the box follows the sign.
        prueba::Teclear(v.lat1, QStringLiteral("-39.5"));
        v.Lat_Opt->button(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Enfocado(), Qt::Key_Left);
        QVERIFY(v.Lat_Opt->button(0)->isChecked());
        QCOMPARE(NombreEnfocado(), QStringLiteral("Lat_Opt_0"));
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
    }

    // The degrees-minutes-seconds panel: opened from its button with Space,
    // walked with Tab, accepted with Enter, closed with Escape.
    void PanelGrados() {
        prueba::Entorno e;
        Geo_Cart v(e);
        QVERIFY(prueba::Mostrar(&v));
        QWidget* boton = PorNombre(&v, QStringLiteral("lat1_gms"));
        boton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(boton, Qt::Key_Space);
        QVERIFY(v.Frame_Gra->isVisible());
        QCOMPARE(Enfocado(), v.Grados);
        QCOMPARE(Nombres(Recorrer(v.Grados)).mid(0, 5), (QStringList{QStringLiteral("Grados"), QStringLiteral("Minutos"),
                                                                     QStringLiteral("Segundos"), QStringLiteral("Aceptar"),
                                                                     QStringLiteral("Command3")}));
        prueba::Teclear(v.Grados, QStringLiteral("39"));
        prueba::Teclear(v.Minutos, QStringLiteral("30"));
        QTest::keyClick(v.Minutos, Qt::Key_Return);
        QVERIFY(!v.Frame_Gra->isVisible());
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        QCOMPARE(Enfocado(), v.lat1);
        QVERIFY(v.CoordX->text().isEmpty());  // Enter in the panel does not calculate

        boton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(boton, Qt::Key_Return);
        QVERIFY(v.Frame_Gra->isVisible());
        QTest::keyClick(v.Segundos, Qt::Key_Escape);
        QVERIFY(!v.Frame_Gra->isVisible());
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        QCOMPARE(Enfocado(), v.lat1);  // back to its box
    }

    // Inside the main window the round stays within the window, and Enter
    // reaches the window's calculation through its frame.
    void DentroDelMarco() {
        MDIPrincipal m;
        m.acercaDe()->hide();
        QVERIFY(prueba::Mostrar(&m));
        m.findChild<QAction*>(QStringLiteral("Mnu_Geo_Utm"))->trigger();
        auto* v = qobject_cast<GEO_UTM*>(m.Mdi->activeSubWindow()->widget());
        QVERIFY(v);
        const QStringList orden = QStringLiteral("Huso1 Check1 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 "
                                                 "Long_MC CoordX CoordY Cover1 Ana1 Check_Grad Calcular Limpiar "
                                                 "Fichero Command4")
                                      .split(QLatin1Char(' '));
        QCOMPARE(Nombres(Recorrer(v->Huso1)), orden);
        prueba::Teclear(v->long1, QStringLiteral("-0.5"));
        prueba::Teclear(v->lat1, QStringLiteral("39.5"));
        QTest::keyClick(v->lat1, Qt::Key_Return);
        QVERIFY(!v->CoordX->text().isEmpty());
    }

    // --- Enter and Escape ------------------------------------------------

    void IntroCalcula() {
        prueba::Entorno e;
        Principal v(e);
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, QStringLiteral("500000"));
        prueba::Teclear(v.CoordY, QStringLiteral("4400000"));
        QTest::keyClick(v.CoordY, Qt::Key_Return);
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        // From a check box too (keypad Enter).
        v.long1->clear();
        v.Check2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v.Check2, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        QVERIFY(!v.Check2->isChecked());
        // A focused button is pressed itself: "Borrar" clears.
        v.salir->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v.salir, Qt::Key_Return);
        QVERIFY(v.long1->text().isEmpty());
        QVERIFY(v.CoordX->text().isEmpty());
        QVERIFY(e.textos.isEmpty());

        Form1 f(e);
        QVERIFY(prueba::Mostrar(&f));
        for (QLineEdit* caja : {f.Long1gra, f.long1seg, f.lat1gra, f.lat1min, f.lat1seg})
            prueba::Teclear(caja, QStringLiteral("0"));
        prueba::Teclear(f.long1min, QStringLiteral("30"));
        QTest::keyClick(f.long1min, Qt::Key_Return);
        // "Oeste" at load; the converter's results keep the regional separator.
        QCOMPARE(f.long1->text(), QStringLiteral("-") + QString::fromStdString(TextoNumero(0.5)));
    }

    // A window larger than the frame (a small screen at 200 %): the frame
    // scrolls so that each control Tab reaches is in sight.
    void PantallaPequenia() {
        MDIPrincipal m;
        m.acercaDe()->hide();
        m.resize(560, 340);
        QVERIFY(prueba::Mostrar(&m));
        m.findChild<QAction*>(QStringLiteral("Mnu_P_Inverso"))->trigger();
        auto* v = qobject_cast<P_Inverso*>(m.Mdi->activeSubWindow()->widget());
        QVERIFY(v);
        QVERIFY(v->height() > m.Mdi->viewport()->height());  // else this proves nothing
        const QList<QWidget*> camino = Recorrer(v->long1);
        QVERIFY(camino.contains(v->Calcular));
        for (QWidget* control : camino) {
            control->setFocus(Qt::TabFocusReason);
            const QRect r(control->mapTo(m.Mdi->viewport(), QPoint(0, 0)), control->size());
            const QRect visible = m.Mdi->viewport()->rect();
            if (r.height() <= visible.height())
                QVERIFY2(r.top() >= visible.top() && r.bottom() <= visible.bottom(), qPrintable(control->objectName()));
            if (r.width() <= visible.width())
                QVERIFY2(r.left() >= visible.left() && r.right() <= visible.right(), qPrintable(control->objectName()));
        }
    }

    void EscapeCierraDialogos_data() {
        QTest::addColumn<QString>("ventana");
        QTest::newRow("DAngular") << QStringLiteral("DAngular");
        QTest::newRow("DElipsoides") << QStringLiteral("DElipsoides");
        QTest::newRow("DElipsoides_ETED") << QStringLiteral("DElipsoides_ETED");
        QTest::newRow("AcercaDe") << QStringLiteral("AcercaDe");
    }
    void EscapeCierraDialogos() {
        QFETCH(QString, ventana);
        prueba::Entorno e;
        const std::unique_ptr<QWidget> v = prueba::Crear(ventana, e);
        QVERIFY(prueba::Mostrar(v.get()));
        QWidget* enfocado = Enfocado();
        QVERIFY(enfocado && v->isAncestorOf(enfocado));
        QTest::keyClick(enfocado, Qt::Key_Escape);
        QVERIFY(!v->isVisible());
    }

    // Enter in the angular-units dialog chooses nothing more and closes it.
    void IntroCierraDatosAngulares() {
        DAngular d;
        QVERIFY(prueba::Mostrar(&d));
        QCOMPARE(NombreEnfocado(), QStringLiteral("Tip_Grad_0"));
        QTest::keyClick(Enfocado(), Qt::Key_Down);  // "Centesimal", at once
        QCOMPARE(int(ajustes::UnidadAngular), 2);
        QTest::keyClick(Enfocado(), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(int(ajustes::UnidadAngular), 2);
    }

    // --- The ellipsoid bar ---------------------------------------------

    void BarraElipsoide_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<int>("tecla");
        for (const char* v : {"Geo_Cart", "Cart_Geo", "P_directo", "P_Inverso"}) {
            QTest::newRow(QByteArray(v).append(" espacio").constData()) << QString::fromLatin1(v) << int(Qt::Key_Space);
            QTest::newRow(QByteArray(v).append(" intro").constData()) << QString::fromLatin1(v) << int(Qt::Key_Return);
        }
    }
    void BarraElipsoide() {
        QFETCH(QString, ventana);
        QFETCH(int, tecla);
        prueba::Entorno e;
        const std::unique_ptr<QWidget> v = prueba::Crear(ventana, e);
        QVERIFY(prueba::Mostrar(v.get()));
        auto* barra = prueba::Hijo<tesmaro::BarraElipsoide>(v.get(), "Label4");
        // Shift+Tab from the first box reaches the bar at the top.
        QTest::keyClick(Enfocado(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Enfocado(), barra);
        DElipsoides* dialogo = &e.elipsoides;
        QTest::keyClick(barra, static_cast<Qt::Key>(tecla));
        QVERIFY(dialogo->isVisible());
        QCOMPARE(dialogo->ELIPSOIDES->currentRow(), int(ajustes::ElipsoideActual));
        // The list is worked with the arrows: the next row is the ellipsoid at once.
        QVERIFY(QTest::qWaitForWindowActive(dialogo));
        QCOMPARE(Enfocado(), dialogo->ELIPSOIDES);
        QTest::keyClick(dialogo->ELIPSOIDES, Qt::Key_Down);
        QCOMPARE(int(ajustes::ElipsoideActual), 5);
        QTest::keyClick(dialogo->ELIPSOIDES, Qt::Key_Escape);
        QVERIFY(!dialogo->isVisible());
        QCOMPARE(int(ajustes::ElipsoideActual), 5);
    }

    // --- Captions ------------------------------------------------------

    // The menus keep their access keys exactly as written.
    void Menus() {
        MDIPrincipal m;
        const QList<std::pair<QString, QKeySequence>> barra = {
            {QStringLiteral("&Archivo"), QKeySequence(Qt::ALT | Qt::Key_A)},
            {QStringLiteral("&Herramientas"), QKeySequence(Qt::ALT | Qt::Key_H)},
            {QStringLiteral("&Conversiones"), QKeySequence(Qt::ALT | Qt::Key_C)},
            {QStringLiteral("T&ransformación de Datum"), QKeySequence(Qt::ALT | Qt::Key_R)},
            {QStringLiteral("&Ayuda"), QKeySequence(Qt::ALT | Qt::Key_A)},
        };
        const QList<QAction*> menus = m.menuBar()->actions();
        QCOMPARE(menus.size(), barra.size());
        for (int i = 0; i < menus.size(); ++i) {
            QCOMPARE(menus[i]->text(), barra[i].first);
            QCOMPARE(QKeySequence::mnemonic(menus[i]->text()), barra[i].second);
        }
        m.acercaDe()->hide();
    }
};

QTEST_MAIN(PruebaTeclado)
#include "PruebaTeclado.moc"
