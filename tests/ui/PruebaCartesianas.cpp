// The Cartesian windows and the ellipsoid dialog driven as a person would:
// keystrokes, "Calcular", the sign options, Check_Grad, the angular unit,
// the ellipsoid bar and the dialog's list (mouse and keyboard), "Borrar" and
// the file buttons with scripted dialogs.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "Angulos.h"
#include "Cart_Geo.h"
#include "Cartesianas.h"
#include "Comun.h"
#include "DElipsoides.h"
#include "DElipsoides_ETED.h"
#include "Elipsoides.h"
#include "Geo_Cart.h"
#include "MDIPrincipal.h"
#include "Texto.h"
#include "Textos.h"

using namespace tesmaro;

namespace {

QString Q(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }
// What a result box shows for a value: TextoNumero with a point.
QString Punto(double v) { return QString::fromStdString(Normalizar(TextoNumero(v))); }

// The rows of the ellipsoid list exactly as the dialog has always shown them.
const QStringList FilasEsperadas = {
    "Airy 1830\t\t\t\t 6377563.396\t 299.3249646",
    "Modified Airy\t\t  \t 6377340.189\t 299.3249646",
    "International Hayford 1924\t \t 6378388\t \t 297",
    "WGS 72\t\t\t\t 6378135\t\t 298.26",
    "WGS 84\t\t\t  \t 6378137\t\t 298.257223563",
    "Australian National\t\t \t 6378160\t\t 298.25",
    "Bessel 1841 (Namibia)\t \t 6377483.865\t 299.1528128",
    "Bessel 1841\t\t \t 6377397.155\t 299.1528128",
    "Clarke 1866\t \t\t 6378206.4\t 294.9786982",
    "Clarke 1880\t \t\t 6378249.145\t 293.465",
    "Everest (India 1830)\t\t 6377276.345\t 300.8017",
    "Everest (Brunei and E. Malaysia)\t 6377298.556\t 300.8017",
    "Everest (India 1956)\t \t 6377301.243\t 300.8017",
    "Everest (W. Malaysia 1969)\t\t 6377295.664\t 300.8017",
    "Everest (W. Malaysia y Singapore)\t 6377304.063\t 300.8017",
    "Everest (Pakistan)\t \t\t 6377309.613\t 300.8017",
    "Modified Fischer 1960\t\t 6378155\t\t 298.3",
    "Helmert 1906\t\t\t 6378200\t \t 298.3",
    "Hough 1960\t  \t\t 6378270\t \t 297",
    "Indonesian 1974\t \t\t 6378160\t\t 298.247",
    "Krassovsky 1940\t\t\t 6378245\t\t 298.3",
    "GRS 80\t \t\t\t 6378137\t\t 298.257222101",
    "South American 1969\t\t 6378160\t\t 298.25",
    "South American SIRGAS \t\t 6378137                  298.257222101",
};

// Clicks a row of a shown list as the mouse would.
void PulsarFila(QListWidget* lista, int fila) {
    QListWidgetItem* elemento = lista->item(fila);
    lista->scrollToItem(elemento);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(elemento).center());
}

void EscribirFichero(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray LeerFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the point-file dialog with a fixed path.
struct DialogoGuionado {
    QString puntos;
    int vistos = 0;
    DialogosLote::GanchoDialogo anterior;
    DialogoGuionado() {
        anterior = DialogosLote::FijarGanchoDialogo([this](const DialogoFichero&, bool) {
            ++vistos;
            return puntos;
        });
    }
    ~DialogoGuionado() { DialogosLote::FijarGanchoDialogo(anterior); }
};

}  // namespace

class PruebaCartesianas : public QObject {
    Q_OBJECT

    QString carpetaInicial;

private slots:
    void initTestCase() { carpetaInicial = QDir::currentPath(); }
    void init() {
        prueba::Restablecer();
        // Each test starts as a run does: no dialog yet.
        delete DElipsoides::Instancia();
    }
    void cleanup() {
        delete DElipsoides::Instancia();
        QDir::setCurrent(carpetaInicial);
        prueba::Restablecer();
    }

    // --- Geo_Cart --------------------------------------------------------

    void GeoCartDisenio() {
        Geo_Cart v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Geodésicas a Cartesianas Geocéntricas"));
        QCOMPARE(v.Frame2->title(), QStringLiteral("Coordenadas Geodésicas  (Entrada Datos)"));
        QCOMPARE(v.Frame1->title(), QStringLiteral("Coordenadas Cartesianas.  (Resultados)"));
        QCOMPARE(v.Frame4->title(), QStringLiteral("Latitud (dd.ddddddd)"));
        QCOMPARE(v.Frame5->title(), QStringLiteral("Longitud (dd.ddddddd)"));
        QCOMPARE(v.Label6->text(), QStringLiteral("Altitud h"));
        QCOMPARE(v.Label4->text(), QStringLiteral("Selección de elipsoide."));
        QCOMPARE(v.Label4->toolTip(), QStringLiteral("Haga Click para cambiar de Elipsoide"));
        QCOMPARE(v.Fichero->text(), QStringLiteral("Transformación de ficheros de puntos"));
        QCOMPARE(v.Limpiar->text(), QStringLiteral("Borrar"));
        QCOMPARE(v.Lat_Opt->checkedId(), 0);
        QCOMPARE(v.Long_opt->checkedId(), 0);
        QVERIFY(v.Frame_Gra->isHidden());
        QVERIFY(v.findChild<QCheckBox*>(QStringLiteral("Check_Grad")) == nullptr);
        // The bar's caption is replaced as soon as the window is shown.
        QVERIFY(prueba::Mostrar(&v));
        QCOMPARE(v.Label4->text(), QStringLiteral("Seleccione elipsoide pulsando esta barra"));
    }

    // On the equator at the prime meridian X is the semi-major axis: exact.
    // The next "Calcular" after choosing Hough 1960 in the dialog uses it.
    void GeoCartEcuadorYElipsoide() {
        prueba::Mensajes mensajes;
        Geo_Cart v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.lat1, QStringLiteral("0"));
        prueba::Teclear(v.long1, QStringLiteral("0"));
        prueba::Teclear(v.Long_MC, QStringLiteral("0"));
        QTest::mouseClick(v.Calcular, Qt::LeftButton);
        QCOMPARE(v.CoordX->text(), QStringLiteral("6378137"));
        QCOMPARE(v.CoordY->text(), QStringLiteral("0"));
        QCOMPARE(v.CoordZ->text(), QStringLiteral("0"));

        QTest::mouseClick(v.Label4, Qt::LeftButton);
        DElipsoides* d = DElipsoides::Instancia();
        QVERIFY(d->isVisible());
        QCOMPARE(d->ELIPSOIDES->currentRow(), 4);
        PulsarFila(d->ELIPSOIDES, 18);
        QCOMPARE(ajustes::ElipsoideActual, 18);
        // Results already shown stay.
        QCOMPARE(v.CoordX->text(), QStringLiteral("6378137"));
        v.Calcular->click();
        QCOMPARE(v.CoordX->text(), QStringLiteral("6378270"));
        QVERIFY(mensajes.textos.isEmpty());
    }

    // A point in Spain: the texts are those of the core conversion, with a
    // point; an independent check on the sphere of radius ~6371 km.
    void GeoCartPunto() {
        Geo_Cart v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.lat1, QStringLiteral("39,5"));
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        prueba::Teclear(v.long1, QStringLiteral("-0.5"));
        QCOMPARE(v.Long_opt->checkedId(), 1);
        prueba::Teclear(v.Long_MC, QStringLiteral("100.25"));
        v.Calcular->click();
        const double fi = (39.5 * 3.141592654) / 180;
        const double lambda = (-0.5 * 3.141592654) / 180;
        const ResultadoCartesianas r = CalculoGeoCart(fi, lambda, 100.25, 6378137, 298.257223563);
        QCOMPARE(v.CoordX->text(), Punto(r.X));
        QCOMPARE(v.CoordY->text(), Punto(r.Y));
        QCOMPARE(v.CoordZ->text(), Punto(r.Z));
        QVERIFY(!v.CoordX->text().contains(QLatin1Char(',')));
        // X ≈ 4.92e6, Y ≈ -43 km, Z ≈ 4.04e6 (within 25 km of the sphere).
        QVERIFY(std::fabs(v.CoordX->text().toDouble() - 4922e3) < 25e3);
        QVERIFY(std::fabs(v.CoordY->text().toDouble() + 43e3) < 1e3);
        QVERIFY(std::fabs(v.CoordZ->text().toDouble() - 4036e3) < 25e3);
        // "Borrar" empties every box; the options keep their state.
        v.Limpiar->click();
        for (QLineEdit* caja : {v.CoordX, v.CoordY, v.CoordZ, v.Long_MC, v.long1, v.lat1})
            QVERIFY(caja->text().isEmpty());
        QCOMPARE(v.Long_opt->checkedId(), 0);  // the emptied box reads 0
    }

    // Incomplete input does nothing and says nothing.
    void GeoCartVacio_data() {
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("h");
        QTest::newRow("sin latitud") << "" << "1" << "1";
        QTest::newRow("sin longitud") << "1" << "" << "1";
        QTest::newRow("sin altitud") << "1" << "1" << "";
    }
    void GeoCartVacio() {
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, h);
        prueba::Mensajes mensajes;
        Geo_Cart v;
        v.lat1->setText(lat);
        v.long1->setText(lon);
        v.Long_MC->setText(h);
        v.CoordX->setText(QStringLiteral("antes"));
        v.Calcular->click();
        QCOMPARE(v.CoordX->text(), QStringLiteral("antes"));
        QVERIFY(mensajes.textos.isEmpty());
    }

    // -39.5 selects "Sur"; "Norte" turns the text into 39.5. In grads, 50 is
    // 45° (50 × 3.141592654 / 200).
    void GeoCartSignosYUnidades() {
        Geo_Cart v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.lat1, QStringLiteral("-39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 1);
        v.Lat_Opt->button(0)->click();
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        v.Long_opt->button(1)->click();
        QVERIFY(v.long1->text().isEmpty());  // nothing to negate

        NotificadorAjustes::FijarUnidadAngular(2);
        v.lat1->setText(QStringLiteral("50"));
        v.long1->setText(QStringLiteral("0"));
        v.Long_MC->setText(QStringLiteral("0"));
        v.Calcular->click();
        const double fi = (50 * 3.141592654) / 200;
        const ResultadoCartesianas r = CalculoGeoCart(fi, 0, 0, 6378137, 298.257223563);
        QCOMPARE(v.CoordZ->text(), Punto(r.Z));
        // Radians are taken as typed.
        NotificadorAjustes::FijarUnidadAngular(3);
        v.lat1->setText(QStringLiteral("0.5"));
        v.Calcular->click();
        QCOMPARE(v.CoordZ->text(), Punto(CalculoGeoCart(0.5, 0, 0, 6378137, 298.257223563).Z));
    }

    // --- Cart_Geo --------------------------------------------------------

    void CartGeoDisenio() {
        Cart_Geo v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Cartesianas Geocéntricas a Geodésicas"));
        QCOMPARE(v.Frame1->title(), QStringLiteral("Coordenadas Cartesianas Geocéntricas  (Entrada Datos)"));
        QCOMPARE(v.Frame2->title(), QStringLiteral("Coordenadas Geodésicas (Resultados)"));
        QCOMPARE(v.Label7->text(), QStringLiteral("Latitud"));
        QCOMPARE(v.Label5->text(), QStringLiteral("Longitud"));
        QCOMPARE(v.Label6->text(), QStringLiteral("Altitud h"));
        QCOMPARE(v.Check_Grad->text(), QStringLiteral("dd mm ss.sss"));
        QCOMPARE(v.Label4->text(), QStringLiteral("Selección de Elipsoide."));
        QCOMPARE(v.Label4->toolTip(), QStringLiteral("Haga Click para cambiar de Elipsoide"));
        QVERIFY(prueba::Mostrar(&v));
        QCOMPARE(v.Label4->text(), QStringLiteral("Seleccione elipsoide pulsando esta barra"));
    }

    // The four quadrants: each longitude on its own meridian (±45°, ±135°).
    void CartGeoCuadrantes_data() {
        QTest::addColumn<QString>("X");
        QTest::addColumn<QString>("Y");
        QTest::addColumn<double>("longitud");
        const QString m = QStringLiteral("4500000");
        const QString n = QStringLiteral("-4500000");
        QTest::newRow("NE") << m << m << 45.0;
        QTest::newRow("NO") << n << m << 135.0;
        QTest::newRow("SO") << n << n << -135.0;
        QTest::newRow("SE") << m << n << -45.0;
    }
    void CartGeoCuadrantes() {
        QFETCH(QString, X);
        QFETCH(QString, Y);
        QFETCH(double, longitud);
        Cart_Geo v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, X);
        prueba::Teclear(v.CoordY, Y);
        prueba::Teclear(v.CoordZ, QStringLiteral("1000000"));
        v.Calcular->click();
        const ResultadoGeograficas r = CalculoCartGeo(X.toDouble(), Y.toDouble(), 1e6, 6378137, 298.257223563);
        QCOMPARE(v.long1->text(), Punto((r.lambda * 180) / 3.141592654));
        QCOMPARE(v.lat1->text(), Punto((r.fi * 180) / 3.141592654));
        QCOMPARE(v.Altitud->text(), Punto(r.h));
        // 1e-6° is far below the difference between meridians in different
        // quadrants; the program's π shifts the value by ~1e-8°.
        QVERIFY(std::fabs(v.long1->text().toDouble() - longitud) < 1e-6);
    }

    // The equator point at the semi-major axis is exact; ticking Check_Grad
    // turns the angles into sexagesimal text and leaves Altitud; a new
    // "Calcular" with the box ticked writes sexagesimal text directly.
    void CartGeoCheckGrad() {
        Cart_Geo v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, QStringLiteral("6378137"));
        prueba::Teclear(v.CoordY, QStringLiteral("0"));
        prueba::Teclear(v.CoordZ, QStringLiteral("0"));
        v.Calcular->click();
        QCOMPARE(v.lat1->text(), QStringLiteral("0"));
        QCOMPARE(v.long1->text(), QStringLiteral("0"));
        QCOMPARE(v.Altitud->text(), QStringLiteral("0"));

        v.CoordY->setText(QStringLiteral("-55659"));  // about half a degree west
        v.Calcular->click();
        const QString longitud = v.long1->text();
        const QString altitud = v.Altitud->text();
        QVERIFY(longitud.startsWith(QStringLiteral("-0.4999")));
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), Q(FormatoSexagesimal(longitud.toDouble(), "Long1")));
        QVERIFY(v.long1->text().startsWith(QStringLiteral("0º 29' 59.")));
        QVERIFY(v.long1->text().endsWith(QStringLiteral("'' W")));
        QCOMPARE(v.lat1->text(), QStringLiteral("0º 0' 0.000000'' N"));
        QCOMPARE(v.Altitud->text(), altitud);
        v.Calcular->click();
        QCOMPARE(v.long1->text(), Q(FormatoSexagesimal(longitud.toDouble(), "Long1")));
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), Q(LeerSexagesimal(FormatoSexagesimal(longitud.toDouble(), "Long1"))));
        QCOMPARE(v.lat1->text(), QStringLiteral("0"));

        // The -0.5 of the edge case.
        v.long1->setText(QStringLiteral("-0.5"));
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), QStringLiteral("0º 30' 0.000000'' W"));
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), QStringLiteral("-0.5"));

        // "Borrar" empties the six boxes and keeps the check box.
        v.Check_Grad->click();
        v.Limpiar->click();
        for (QLineEdit* caja : {v.CoordX, v.CoordY, v.CoordZ, v.Altitud, v.long1, v.lat1})
            QVERIFY(caja->text().isEmpty());
        QVERIFY(v.Check_Grad->isChecked());
        // With empty results the toggle changes nothing but its mark.
        v.Check_Grad->click();
        QVERIFY(v.long1->text().isEmpty());
    }

    // Radians: Check_Grad disabled and cleared, the results in radians.
    void CartGeoRadianes() {
        Cart_Geo v;
        v.CoordX->setText(QStringLiteral("4500000"));
        v.CoordY->setText(QStringLiteral("4500000"));
        v.CoordZ->setText(QStringLiteral("0"));
        v.Calcular->click();
        v.Check_Grad->click();
        QVERIFY(v.long1->text().endsWith(QStringLiteral(" E")));
        NotificadorAjustes::FijarUnidadAngular(3);
        QVERIFY(!v.Check_Grad->isEnabled());
        QVERIFY(!v.Check_Grad->isChecked());
        QVERIFY(!v.long1->text().contains(QStringLiteral("º")));
        v.Calcular->click();
        const ResultadoGeograficas r = CalculoCartGeo(4.5e6, 4.5e6, 0, 6378137, 298.257223563);
        QCOMPARE(v.long1->text(), Punto(r.lambda));
        NotificadorAjustes::FijarUnidadAngular(2);
        v.Calcular->click();
        QCOMPARE(v.long1->text(), Punto((r.lambda * 200) / 3.141592654));
        NotificadorAjustes::FijarUnidadAngular(1);
        QVERIFY(v.Check_Grad->isEnabled());
    }

    // Absurd input ends with a message or with results, never crashes; the
    // polar axis gives ±90° and longitude 0.
    void CartGeoAbsurdo_data() {
        QTest::addColumn<QString>("X");
        QTest::addColumn<QString>("Z");
        QTest::newRow("centro") << "0" << "0";
        QTest::newRow("infinito") << "1e999" << "0";
        QTest::newRow("enorme") << "1e300" << "1e300";
        QTest::newRow("polo sur") << "0" << "-6356752.314245";
    }
    void CartGeoAbsurdo() {
        QFETCH(QString, X);
        QFETCH(QString, Z);
        prueba::Mensajes mensajes;
        Cart_Geo v;
        v.CoordX->setText(X);
        v.CoordY->setText(QStringLiteral("0"));
        v.CoordZ->setText(Z);
        v.Calcular->click();
        QVERIFY(!mensajes.textos.isEmpty() || !v.lat1->text().isEmpty());
        if (QTest::currentDataTag() == QByteArray("polo sur")) {
            const QString latitud = v.lat1->text();
            QVERIFY(latitud.startsWith(QStringLiteral("-90")) || latitud.startsWith(QStringLiteral("-89.99999")));
            QCOMPARE(v.long1->text(), QStringLiteral("0"));
            // |Z| - b, b = a(1 - 1/f) = 6356752.314245 m: within 1 mm.
            QVERIFY(std::fabs(v.Altitud->text().toDouble()) < 1e-3);
        }
    }

    void GeoCartAbsurdo() {
        prueba::Mensajes mensajes;
        Geo_Cart v;
        v.lat1->setText(QStringLiteral("1e999"));
        v.long1->setText(QStringLiteral("0"));
        v.Long_MC->setText(QStringLiteral("0"));
        v.Calcular->click();
        QCOMPARE(mensajes.textos.size(), 1);
        QVERIFY(mensajes.criticos[0]);
        QVERIFY(v.CoordX->text().isEmpty());
    }

    // --- The ellipsoid dialog --------------------------------------------

    void ElipsoidesFilas() {
        DElipsoides d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Seleccionar elipsoide de referencia"));
        QCOMPARE(d.Label4->text(), QStringLiteral("Elipsoide"));
        QCOMPARE(d.Label3->text(), QStringLiteral("Semieje a"));
        QCOMPARE(d.Label5->text(), QStringLiteral("1/f"));
        QCOMPARE(d.Command1->text(), QStringLiteral("Cerrar"));
        QCOMPARE(d.ELIPSOIDES->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(d.ELIPSOIDES->count(), 24);
        for (int i = 0; i < 24; ++i) {
            QCOMPARE(d.ELIPSOIDES->item(i)->text(), FilasEsperadas[i]);
            // The names are those of the table the computations use.
            QVERIFY(d.ELIPSOIDES->item(i)->text().startsWith(Q(TablaElipsoides[static_cast<std::size_t>(i)].nombre)));
        }
        QVERIFY(d.ELIPSOIDES->selectedItems().isEmpty());
        QVERIFY(!d.isModal());
        QCOMPARE(ajustes::ElipsoideActual, 4);
    }

    // The first opening selects WGS 84; a click chooses at once; "Cerrar"
    // hides; another opening (from another window's bar) keeps the choice;
    // the keyboard changes it too.
    void ElipsoidesSeleccion() {
        Cart_Geo c;
        QVERIFY(prueba::Mostrar(&c));
        QTest::mouseClick(c.Label4, Qt::LeftButton);
        DElipsoides* d = DElipsoides::Instancia();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QCOMPARE(d->ELIPSOIDES->selectedItems().size(), 1);
        QCOMPARE(d->ELIPSOIDES->selectedItems().front()->text(), FilasEsperadas[4]);
        QVERIFY(!d->testAttribute(Qt::WA_QuitOnClose));
        PulsarFila(d->ELIPSOIDES, 18);
        QCOMPARE(ajustes::ElipsoideActual, 18);
        d->Command1->click();
        QVERIFY(!d->isVisible());

        Geo_Cart g;
        QVERIFY(prueba::Mostrar(&g));
        QTest::mouseClick(g.Label4, Qt::LeftButton);
        QCOMPARE(DElipsoides::Instancia(), d);  // one dialog for the run
        QVERIFY(d->isVisible());
        QCOMPARE(d->ELIPSOIDES->currentRow(), 18);
        QCOMPARE(d->ELIPSOIDES->selectedItems().front()->text(), FilasEsperadas[18]);

        d->activateWindow();
        d->ELIPSOIDES->setFocus();
        QTest::keyClick(d->ELIPSOIDES, Qt::Key_Down);
        QCOMPARE(ajustes::ElipsoideActual, 19);
        QTest::keyClick(d->ELIPSOIDES, Qt::Key_Home);
        QCOMPARE(ajustes::ElipsoideActual, 0);
        QTest::keyClick(d->ELIPSOIDES, Qt::Key_End);
        QCOMPARE(ajustes::ElipsoideActual, 23);
    }

    // With the dialog left open, choosing another row changes the next
    // "Calcular" of Cart_Geo (and nothing already shown).
    void ElipsoidesCartGeo() {
        Cart_Geo c;
        QVERIFY(prueba::Mostrar(&c));
        c.CoordX->setText(QStringLiteral("4000000"));
        c.CoordY->setText(QStringLiteral("0"));
        c.CoordZ->setText(QStringLiteral("4900000"));
        c.Calcular->click();
        const QString wgs84 = c.Altitud->text();
        QTest::mouseClick(c.Label4, Qt::LeftButton);
        DElipsoides* d = DElipsoides::Instancia();
        PulsarFila(d->ELIPSOIDES, 2);  // International Hayford 1924
        QCOMPARE(c.Altitud->text(), wgs84);
        c.Calcular->click();
        QVERIFY(d->isVisible());
        const ResultadoGeograficas r = CalculoCartGeo(4e6, 0, 4.9e6, 6378388, 297);
        QCOMPARE(c.Altitud->text(), Punto(r.h));
        QVERIFY(c.Altitud->text() != wgs84);
    }

    // From the menu: the first opening preselects WGS 84; a later one keeps
    // what was chosen.
    void ElipsoidesMenu() {
        MDIPrincipal v;
        QAction* entrada = v.findChild<QAction*>(QStringLiteral("Mnu_Elipsoides"));
        QVERIFY(entrada);
        QCOMPARE(entrada->text(), QStringLiteral("&Elipsoides de referencia"));
        entrada->trigger();
        DElipsoides* d = DElipsoides::Instancia();
        QVERIFY(d->isVisible());
        QCOMPARE(d->ELIPSOIDES->currentRow(), 4);
        d->ELIPSOIDES->setCurrentRow(7);
        QCOMPARE(ajustes::ElipsoideActual, 7);
        d->Command1->click();
        entrada->trigger();
        QCOMPARE(d->ELIPSOIDES->currentRow(), 7);
        QCOMPARE(DElipsoides::Instancia(), d);
    }

    void ElipsoidesETED() {
        DElipsoides_ETED d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Seleccionar elipsoide de referencia"));
        QCOMPARE(d.ELIPSOIDES->count(), 2);
        QCOMPARE(d.ELIPSOIDES->item(0)->text(), FilasEsperadas[2]);
        QCOMPARE(d.ELIPSOIDES->item(1)->text(), FilasEsperadas[21]);
        QVERIFY(d.ELIPSOIDES->selectedItems().isEmpty());
        d.show();
        d.ELIPSOIDES->setCurrentRow(1);
        QCOMPARE(ajustes::ElipsoideActual, 21);
        d.ELIPSOIDES->setCurrentRow(0);
        QCOMPARE(ajustes::ElipsoideActual, 2);
    }

    // --- File buttons ----------------------------------------------------

    void Ficheros_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("pista");
        QTest::addColumn<QString>("base");
        QTest::newRow("Geo_Cart") << "Geo_Cart" << QByteArray("Punto,Longitud,Latitud,Altura\r\nA,0,0,0\r\n")
                                  << Q(textos::PistaGeoCart) << QString::fromStdString(NombreBase(codigo::GeoCart));
        QTest::newRow("Cart_Geo") << "Cart_Geo" << QByteArray("Punto,X,Y,Z\r\nA,6378137,0,0\r\n")
                                  << Q(textos::PistaCartGeo) << QString::fromStdString(NombreBase(codigo::CartGeo));
    }
    void Ficheros() {
        QFETCH(QString, ventana);
        QFETCH(QByteArray, contenido);
        QFETCH(QString, pista);
        QFETCH(QString, base);
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QString entrada = carpeta.filePath(QStringLiteral("puntos.tiv"));
        EscribirFichero(entrada, contenido);
        prueba::Mensajes mensajes;
        DialogoGuionado dialogo;
        dialogo.puntos = entrada;
        Geo_Cart g;
        Cart_Geo c;
        (ventana == QLatin1String("Geo_Cart") ? g.Fichero : c.Fichero)->click();
        QCOMPARE(dialogo.vistos, 1);
        QCOMPARE(mensajes.textos.size(), 2);
        QCOMPARE(mensajes.textos[0], pista);
        QCOMPARE(mensajes.textos[1], Q(textos::FicherosSalida) + base + QStringLiteral(".txt,") + base +
                                         QStringLiteral(".csv"));
        const QByteArray txt = LeerFichero(carpeta.filePath(base + QStringLiteral(".txt")));
        QCOMPARE(txt.count("\r\n"), 2);
        QVERIFY(txt.contains("\"A\""));
        QVERIFY(txt.contains(ventana == QLatin1String("Geo_Cart") ? "6378137" : ",0,"));
        QCOMPARE(LeerFichero(carpeta.filePath(base + QStringLiteral(".csv"))).count("\r\n"), 2);
    }
};

QTEST_MAIN(PruebaCartesianas)
#include "PruebaCartesianas.moc"
