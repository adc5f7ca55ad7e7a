// Every window worked from the keyboard alone, and the input filters as the
// user meets them. Tab reaches each control once per round in the order of
// the layout; an option pair is one stop at its chosen button; Enter runs the
// window's calculation (or the focused button), Escape closes the small
// dialogs and the degrees-minutes-seconds panel; the ellipsoid bar opens its
// dialog from the keyboard. The filters: whole texts, keystrokes and caret,
// and the memory of the last accepted text when a box gets the focus.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <algorithm>

#include "Comun.h"
#include "MDIPrincipal.h"
#include "Texto.h"

using namespace tesmaro;

namespace {

QWidget* Enfocado() { return QApplication::focusWidget(); }

// The controls that Tab must reach: what the user can type into, press,
// choose or scroll, visible and enabled; of an option pair only the chosen one.
QStringList Interactivos(QWidget* ventana) {
    QStringList lista;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        const bool tipo = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QListWidget*>(w) || qobject_cast<BarraElipsoide*>(w);
        auto* opcion = qobject_cast<QRadioButton*>(w);
        if (tipo && w->isVisible() && w->isEnabled() && !(opcion && !opcion->isChecked())) lista << w->objectName();
    }
    return lista;
}

// Presses Tab (or Shift+Tab) from `desde` until the focus comes back to it;
// the names of the controls in the order they took the focus.
QStringList Recorrer(QWidget* desde, bool atras = false) {
    desde->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    QStringList camino;
    for (int i = 0; i < 80 && Enfocado(); ++i) {
        camino << Enfocado()->objectName();
        QTest::keyClick(Enfocado(), Qt::Key_Tab, atras ? Qt::ShiftModifier : Qt::NoModifier);
        if (Enfocado() == desde) break;
    }
    return camino;
}

}  // namespace

class PruebaTeclado : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prueba::AjustesDePrueba(); }
    void init() { prueba::Restablecer(); }
    void cleanup() { prueba::Restablecer(); }

    // One round of Tab visits the controls in this order, each once, and
    // misses none; Shift+Tab goes the same way back; Escape closes a dialog,
    // Enter in a window's first box runs its calculation.
    void Orden_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("orden");
        QTest::addColumn<bool>("escape");
        QTest::newRow("Principal") << "Principal" << "CoordX CoordY Huso1 Option_Norte_0 Long_MC Check1 Check2 long1 "
            "lat1 Conver1 Ana1 Check_Grad Check_Exacto Calcular salir Copiar VerMapa Command4 Command1 Command2" << false;
        QTest::newRow("GEO_UTM") << "GEO_UTM" << "Huso1 Check1 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 "
            "Long_MC Huso_Fichero_0 CoordX CoordY Cover1 Ana1 Check_Grad Check_Exacto Calcular Limpiar Copiar VerMapa Fichero "
            "Command4" << false;
        QTest::newRow("Altitudes") << "Altitudes" << "Tipo_Punto_0 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 "
            "Altura1 Tipo_Altura_0 Res_h Res_N Res_H Calcular Limpiar Copiar VerMapa Fichero Fichero_AlturaGeo "
            "Fichero_AltitudUtm Fichero_AlturaUtm" << false;
        QTest::newRow("Geo_Cart") << "Geo_Cart" << "Label4 lat1 lat1_gms Lat_Opt_0 long1 long1_gms Long_opt_0 Long_MC "
            "CoordX CoordY CoordZ Calcular Limpiar Copiar VerMapa Fichero" << false;
        QTest::newRow("Cart_Geo") << "Cart_Geo"
            << "Label4 CoordX CoordY CoordZ lat1 long1 Altitud Check_Grad Calcular Limpiar Copiar VerMapa Fichero" << false;
        QTest::newRow("P_directo") << "P_directo" << "Label4 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 "
            "Acimut1 Acimut1_gms Distancia1 Long_Res Lat_Res Acimut_Res Check_Grad Check_Exacto Calcular Limpiar Copiar "
            "VerMapa Fichero" << false;
        QTest::newRow("P_Inverso") << "P_Inverso" << "Label4 long1 long1_gms Long_opt_0 lat1 lat1_gms Lat_Opt_0 Long2 "
            "Long2_gms Long_opt2_0 Lat2 Lat2_gms Lat_Opt2_0 Dist_Res Acimut_Dir Acimut_Inv Check_Grad Check_Exacto "
            "Calcular Limpiar Copiar VerMapa Fichero" << false;
        QTest::newRow("Form1") << "Form1"
            << "Long1gra long1min long1seg Option1 long1 lat1gra lat1min lat1seg lat1 Command1" << false;
        QTest::newRow("Geo_rejilla_ed2et") << "Geo_rejilla_ed2et" << "Long1t Long_opt_0 Lat1t Lat_Opt_0 Cambiar_Rejilla "
            "LoET89 LOET89gms LaET89 LAET89GMS HusoET89 LoED50 LaED50 Calcular Limpiar Copiar VerMapa Fichero" << false;
        QTest::newRow("geo_rejilla_et2ed") << "geo_rejilla_et2ed" << "Lat1et Lat_Opt_0 Long1et Long_opt_0 Cambiar_Rejilla "
            "LaED50 LAED50GMS LoED50 LOED50GMS HusoED50 Calcular Limpiar Copiar VerMapa Fichero" << false;
        QTest::newRow("DAngular") << "DAngular" << "Tip_Grad_0 Command1" << true;
        QTest::newRow("DElipsoides") << "DElipsoides" << "ELIPSOIDES Command1" << true;
        QTest::newRow("AcercaDe") << "AcercaDe" << "cmdExactitud cmdOK" << true;
    }
    void Orden() {
        QFETCH(QString, ventana);
        QFETCH(QString, orden);
        QFETCH(bool, escape);
        const QStringList nombres = orden.split(QLatin1Char(' '));
        prueba::Entorno e;
        const auto v = prueba::Crear(ventana, e);
        QVERIFY(prueba::Mostrar(v.get()));
        auto* primero = prueba::Hijo(v.get(), nombres.front());
        QCOMPARE(Recorrer(primero), nombres);
        QStringList todos = Interactivos(v.get()), vistos = nombres;
        todos.sort();
        vistos.sort();
        QCOMPARE(vistos, todos);
        QStringList atras = nombres;
        std::reverse(atras.begin() + 1, atras.end());
        QCOMPARE(Recorrer(primero, true), atras);
        if (escape) QTest::keyClick(Enfocado(), Qt::Key_Escape);
        QCOMPARE(v->isVisible(), !escape);
        if (escape) return;
        // Enter in the first box runs the window's calculation.
        const auto caja = std::find_if(nombres.begin(), nombres.end(), [&](const QString& n) { return v->findChild<QLineEdit*>(n); });
        QSignalSpy pulsado(prueba::Hijo<QPushButton>(v.get(), ventana == QLatin1String("Form1") ? "Command1" : "Calcular"), &QPushButton::clicked);
        QTest::keyClick(prueba::Hijo(v.get(), *caja), Qt::Key_Return);
        QCOMPARE(pulsado.count(), 1);
    }

    // An option pair is reached at its chosen button from above and below;
    // the arrows choose the other and the box follows; the options follow the
    // sign typed, flip it, and zero has no sign.
    void Signos() {
        prueba::Entorno e;
        GEO_UTM v(e);
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.lat1, QStringLiteral("-"));
        QCOMPARE(v.Lat_Opt->checkedId(), 0);  // "-" alone reads 0
        QTest::keyClicks(v.lat1, QStringLiteral("39,5"));
        QCOMPARE(v.lat1->text(), QStringLiteral("-39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 1);
        QCOMPARE(Recorrer(prueba::Hijo(&v, QStringLiteral("lat1_gms"))).mid(0, 3), QStringList({"lat1_gms", "Lat_Opt_1", "Long_MC"}));
        v.Long_MC->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v.Long_MC, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Enfocado(), v.Lat_Opt->button(1));
        QTest::keyClick(Enfocado(), Qt::Key_Left);
        QCOMPARE(Enfocado(), v.Lat_Opt->button(0));
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        v.Lat_Opt->button(1)->click();
        QCOMPARE(v.lat1->text(), QStringLiteral("-39.5"));
        v.long1->clear();  // an empty box reads 0, and zero has no sign
        v.Long_opt->button(1)->click();
        QVERIFY(v.long1->text().isEmpty());
    }

    // The degrees-minutes-seconds panel writes into the box it was opened
    // for (another window's panel opened meanwhile), keeps the hemisphere
    // chosen unless a "-" is typed, and gives the box the focus back: opened
    // with Space, walked with Tab, accepted with Enter (which calculates
    // nothing), or closed with Escape. Minutes that are not whole are refused.
    void PanelGrados_data() {
        QTest::addColumn<bool>("sur");  // "Sur" chosen before
        QTest::addColumn<QStringList>("gms");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("-39 30") << false << QStringList{"-39", "30", ""} << "-39.5";
        QTest::newRow("-0 30") << false << QStringList{"-0", "30", ""} << "-0.5";
        QTest::newRow("segundos con coma") << false << QStringList{"1", "0", "4,5"} << "1.00125";
        QTest::newRow("sur 3 42 13,68") << true << QStringList{"3", "42", "13,68"} << "-3.7038";
        QTest::newRow("minutos 2.5") << false << QStringList{"1", "2.5", ""} << "";
    }
    void PanelGrados() {
        QFETCH(bool, sur);
        QFETCH(QStringList, gms);
        QFETCH(QString, escrito);
        prueba::Entorno e;
        GEO_UTM v(e), otra(e);
        QVERIFY(prueba::Mostrar(&v));
        v.long1->setText(QStringLiteral("1"));
        v.Lat_Opt->button(sur ? 1 : 0)->setChecked(true);
        QWidget* boton = prueba::Hijo(&v, QStringLiteral("lat1_gms"));
        boton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(boton, Qt::Key_Space);
        QVERIFY(v.Frame_Gra->isVisible());
        QTest::mouseClick(otra.long1, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(Recorrer(v.Grados).mid(0, 5), QStringList({"Grados", "Minutos", "Segundos", "Aceptar", "Command3"}));
        for (int i = 0; i < 3; ++i) prueba::Teclear(QList<QLineEdit*>{v.Grados, v.Minutos, v.Segundos}[i], gms[i]);
        QTest::keyClick(v.Minutos, Qt::Key_Return);
        QCOMPARE(v.lat1->text(), escrito);
        if (escrito.isEmpty()) {
            QVERIFY(v.Frame_Gra->isVisible());
            QCOMPARE(e.textos, QStringList{"Los minutos «2.5» deben ser un número entero."});
            return;
        }
        QVERIFY(!v.Frame_Gra->isVisible());
        QCOMPARE(v.Lat_Opt->checkedId(), escrito.startsWith(QLatin1Char('-')) ? 1 : 0);
        QCOMPARE(Enfocado(), v.lat1);
        QVERIFY(v.CoordX->text().isEmpty() && otra.long1->text().isEmpty());
        QTest::mouseClick(v.long1, Qt::LeftButton, Qt::ShiftModifier);
        QTest::keyClick(v.Segundos, Qt::Key_Escape);
        QVERIFY(!v.Frame_Gra->isVisible());
        QCOMPARE(v.long1->text(), QStringLiteral("1"));
        QCOMPARE(Enfocado(), v.long1);
    }

    // Enter calculates from a check box too (keypad Enter, which
    // leaves it unticked); a focused push button is pressed itself.
    void Intro() {
        prueba::Entorno e;
        Principal v(e);
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, QStringLiteral("500000"));
        prueba::Teclear(v.CoordY, QStringLiteral("4400000"));
        v.Check2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v.Check2, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        QVERIFY(!v.Check2->isChecked());
        v.salir->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v.salir, Qt::Key_Return);
        QVERIFY(v.long1->text().isEmpty() && e.textos.isEmpty());
    }

    // A main window smaller than the windows (a small screen at 200 %): each
    // opens within the area, none makes it scroll, and Tab keeps each control
    // it reaches in sight; a main window made smaller brings them inside.
    void PantallaPequenia() {
        MDIPrincipal m;
        m.acercaDe()->hide();
        m.setWindowState(Qt::WindowNoState);
        m.resize(560, 340);
        QVERIFY(prueba::Mostrar(&m));
        for (const char* entrada : {"Mnu_MapaPuntos", "Mnu_Geo_Utm", "Mnu_P_Inverso"})
            prueba::Hijo<QAction>(&m, QLatin1String(entrada))->trigger();
        auto* v = qobject_cast<P_Inverso*>(m.VentanaActiva());
        QVERIFY(v->sizeHint().height() > m.Mdi->viewport()->height());  // else this proves nothing
        const auto dentro = [&m] {
            for (const QMdiSubWindow* sub : m.Mdi->subWindowList())
                if (!m.Mdi->viewport()->rect().contains(sub->geometry())) return false;
            return !m.Mdi->verticalScrollBar()->isVisible() && !m.Mdi->horizontalScrollBar()->isVisible();
        };
        QVERIFY(dentro());
        auto* area = qobject_cast<QScrollArea*>(v->parentWidget()->parentWidget());
        QVERIFY(area);
        v->long1->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 25; ++i) {
            QTest::keyClick(Enfocado(), Qt::Key_Tab);
            QVERIFY2(v->isAncestorOf(Enfocado()), qPrintable(Enfocado()->objectName()));
            const QRect r(Enfocado()->mapTo(area->viewport(), QPoint(0, 0)), Enfocado()->size());
            QVERIFY2(area->viewport()->rect().intersected(r).height() == r.height(), qPrintable(Enfocado()->objectName()));
        }
        m.resize(480, 300);
        QTRY_VERIFY(dentro());
    }

    // The ellipsoid bar, reached by Shift+Tab from the first box, opens the
    // dialog on its row with Space or Enter; the arrows choose at once.
    void BarraElipsoide_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<int>("tecla");
        QTest::newRow("Geo_Cart espacio") << "Geo_Cart" << int(Qt::Key_Space);
        QTest::newRow("P_Inverso intro") << "P_Inverso" << int(Qt::Key_Return);
    }
    void BarraElipsoide() {
        QFETCH(QString, ventana);
        QFETCH(int, tecla);
        prueba::Entorno e;
        const auto v = prueba::Crear(ventana, e);
        QVERIFY(prueba::Mostrar(v.get()));
        QTest::keyClick(Enfocado(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Enfocado(), prueba::Hijo(v.get(), QStringLiteral("Label4")));
        QTest::keyClick(Enfocado(), static_cast<Qt::Key>(tecla));
        QVERIFY(QTest::qWaitForWindowActive(&e.elipsoides));
        QCOMPARE(e.elipsoides.ELIPSOIDES->currentRow(), 4);
        QCOMPARE(Enfocado(), e.elipsoides.ELIPSOIDES);
        QTest::keyClick(Enfocado(), Qt::Key_Down);
        QTest::keyClick(Enfocado(), Qt::Key_Escape);
        QVERIFY(!e.elipsoides.isVisible());
        QCOMPARE(int(ajustes::ElipsoideActual), 5);
    }

    // --- The input filters, on a decimal and an integer box -------------

    // A whole text arriving in a box that held `antes` and had the focus (so
    // `antes` is remembered); or keys typed into an empty box, and the caret.
    void Filtro_data() {
        QTest::addColumn<bool>("decimal");
        QTest::addColumn<QString>("antes");  // "teclas": typed key by key
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<QString>("queda");
        QTest::addColumn<int>("cursor");
        const QString teclas = QStringLiteral("teclas");
        const auto fila = [](const char* n, bool d, const QString& a, const char* x, const char* q, int c = -1) {
            QTest::newRow(n) << d << a << QString::fromUtf8(x) << QString::fromUtf8(q) << c;
        };
        fila("punto solo", true, "", ".", "0.");
        fila("separador de miles", true, "440.000", "440.000,5", "440.000,5");
        fila("dos e", true, "1e2", "1e2e", "1e2");
        fila("letras", true, "", "abc", "");
        fila("menos solo", true, "", "-", "-");
        fila("exponente escribiéndose", true, "1", "1e", "1e");
        fila("exponente con signo", true, "1e", "1e-", "1e-");
        fila("más quitado", true, "", "+5", "5");
        fila("blanco en medio", true, "1", "1 2", "1");
        fila("E mayúscula sola", true, "1", "1E", "1");
        fila("entero con coma", false, "2", "2,5", "2,5");
        fila("entero e al final", false, "1", "1e", "1");
        fila("entero menos al final", false, "1", "1-", "1");
        fila("entero exponente", false, "1", "1e5", "1e5");
        fila("entero letra", false, "7", "7x", "7");
        fila("teclas 1,5", true, teclas, "1,5", "1.5", 3);
        fila("teclas -.", true, teclas, "-.", "-0.", 3);
        fila("teclas 1.2.3", true, teclas, "1.2.3", "1.2.3", 5);  // refused when read, as typed
        fila("teclas 5-", true, teclas, "5-", "5", 1);
        fila("teclas entero -2.5", false, teclas, "-2.5", "-2.5", 4);
    }
    void Filtro() {
        QFETCH(bool, decimal);
        QFETCH(QString, antes);
        QFETCH(QString, nuevo);
        QFETCH(QString, queda);
        QFETCH(int, cursor);
        QWidget ventana;
        auto* caja = new QLineEdit(&ventana);
        auto* otra = new QLineEdit(&ventana);
        (new QVBoxLayout(&ventana))->addWidget(caja);
        ventana.layout()->addWidget(otra);
        ConectarFiltro(caja, decimal ? TipoFiltro::Decimal : TipoFiltro::Entero);
        QVERIFY(prueba::Mostrar(&ventana));
        if (antes == QLatin1String("teclas")) {
            prueba::Teclear(caja, nuevo);
            QCOMPARE(caja->cursorPosition(), cursor);
        } else {
            caja->setText(antes);
            otra->setFocus();
            caja->setFocus();
            QCOMPARE(TextoAnterior, antes);
            caja->setText(nuevo);
            QCOMPARE(TextoAnterior, queda);
        }
        QCOMPARE(caja->text(), queda);
    }

    // The caret: accepted typing leaves it, a corrected text puts it at the
    // end; a key refused right after the focus arrives (by the mouse, or by
    // Tab selecting all) restores the text the box held.
    void Cursor() {
        QWidget ventana;
        auto* decimal = new QLineEdit(&ventana);
        auto* entera = new QLineEdit(&ventana);
        (new QVBoxLayout(&ventana))->addWidget(decimal);
        ventana.layout()->addWidget(entera);
        ConectarFiltro(decimal, TipoFiltro::Decimal);
        ConectarFiltro(entera, TipoFiltro::Entero);
        QVERIFY(prueba::Mostrar(&ventana));
        prueba::Teclear(decimal, QStringLiteral("12"));
        decimal->setCursorPosition(1);
        QTest::keyClicks(decimal, QStringLiteral("3"));
        QCOMPARE(decimal->cursorPosition(), 2);
        decimal->setCursorPosition(1);
        QTest::keyClicks(decimal, QStringLiteral(","));
        QCOMPARE(decimal->text(), QStringLiteral("1.32"));
        QCOMPARE(decimal->cursorPosition(), 4);
        entera->setFocus(Qt::MouseFocusReason);
        decimal->setFocus(Qt::MouseFocusReason);
        decimal->end(false);
        QTest::keyClicks(decimal, QStringLiteral("x"));
        QCOMPARE(decimal->text(), QStringLiteral("1.32"));
        QCOMPARE(decimal->cursorPosition(), 4);
        entera->setText(QStringLiteral("45"));
        QTest::keyClick(decimal, Qt::Key_Tab);
        QTest::keyClicks(entera, QStringLiteral("q"));
        QCOMPARE(entera->text(), QStringLiteral("45"));
    }

    void NumeroCompleto() {
        for (const char* si : {"12", "-0.5", ".5", "5.", "1.5e-3", "2E+07", "  3  "})
            QVERIFY2(EsNumeroCompleto(si), si);
        for (const char* no : {"", ".", "-", "1e", "e5", "- 3", "1,5", "1.2.3", "0x10", "inf"})
            QVERIFY2(!EsNumeroCompleto(no), no);
    }
};

QTEST_MAIN(PruebaTeclado)
#include "PruebaTeclado.moc"
