// The two UTM windows and the sexagesimal converter driven as a person would:
// keystrokes, "Calcular", options, check boxes, the degrees-minutes-seconds
// panel and the messages, with the exact texts shown.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>

#include "Comun.h"
#include "Form1.h"
#include "GEO_UTM.h"
#include "Principal.h"
#include "Texto.h"
#include "Textos.h"
#include "Utm.h"

using namespace tesmaro;

namespace {

// What a result box shows for a value: TextoNumero with a point.
QString Punto(double v) { return QString::fromStdString(Normalizar(TextoNumero(v))); }
// TextoNumero as it is, with the regional separator.
QString Regional(double v) { return QString::fromStdString(TextoNumero(v)); }

}  // namespace

class PruebaVentanas : public QObject {
    Q_OBJECT

private slots:
    void init() { prueba::Restablecer(); }
    void cleanup() { prueba::Restablecer(); }

    // --- Principal -------------------------------------------------------

    void PrincipalDisenio() {
        Principal v;
        QCOMPARE(v.windowTitle(), QStringLiteral("U.T.M. a Geodésicas"));
        QCOMPARE(v.Frame1->title(), QStringLiteral("Coordenadas U.T.M.: Seleccione ETRS89 o ED50               "));
        QCOMPARE(v.Frame2->title(), QStringLiteral("Coordenadas Geodésicas                   "));
        QCOMPARE(v.Huso1->text(), QStringLiteral("30"));
        QVERIFY(v.Check1->isChecked());
        QVERIFY(!v.Check2->isChecked());
        QVERIFY(!v.Check_Grad->isChecked());
        QCOMPARE(v.Option_Norte->checkedId(), 0);
        QVERIFY(v.Frame_Gra->isHidden());
        QCOMPARE(v.Command1->text(), QStringLiteral("Fichero en UTM ETRS89"));
        QCOMPARE(v.Command2->text(), QStringLiteral("Fichero en UTM ED50"));
        QCOMPARE(v.Command4->text(), QStringLiteral("Ver Husos UTM"));
        QCOMPARE(v.salir->text(), QStringLiteral("Borrar"));
        QCOMPARE(v.CoordX->toolTip(), QStringLiteral("Compruebe signo de Longitud en cambios de Huso"));
    }

    // On the central meridian the results are exact: -3, 0, 0.9996.
    void PrincipalMeridianoCentral() {
        prueba::Mensajes mensajes;
        Principal v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, QStringLiteral("500000"));
        prueba::Teclear(v.CoordY, QStringLiteral("4400000"));
        QTest::mouseClick(v.Calcular, Qt::LeftButton);
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        QCOMPARE(v.Conver1->text(), QStringLiteral("0"));
        QCOMPARE(v.Ana1->text(), QStringLiteral("0.9996"));
        const ResultadoGeodesicas r = UtmAGeodesicas(500000, 4400000, 30, false, false, Datum::ETRS89);
        QCOMPARE(v.lat1->text(), Punto(r.latitud));
        QVERIFY(!v.lat1->text().contains(QLatin1Char(',')));
        QVERIFY(mensajes.textos.isEmpty());
        // Sexagesimal text and back.
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), QStringLiteral("3º 0' 0.000000'' W"));
        QCOMPARE(v.Conver1->text(), QStringLiteral("0º 0' 0.000000''"));
        QVERIFY(v.lat1->text().endsWith(QStringLiteral("'' N")));
        QCOMPARE(v.Ana1->text(), QStringLiteral("0.9996"));
        v.Check_Grad->click();
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        QCOMPARE(v.Conver1->text(), QStringLiteral("0"));
    }

    // 225 km east of the central meridian, on ETRS89 and on ED50; Calcular
    // clears Check_Grad first.
    void PrincipalEsteDelMeridiano() {
        prueba::Mensajes mensajes;
        Principal v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.CoordX, QStringLiteral("725000"));
        prueba::Teclear(v.CoordY, QStringLiteral("4400000.5"));
        v.Calcular->click();
        const ResultadoGeodesicas e = UtmAGeodesicas(725000, 4400000.5, 30, false, false, Datum::ETRS89);
        QCOMPARE(v.long1->text(), Punto(e.longitud));
        QCOMPARE(v.lat1->text(), Punto(e.latitud));
        QCOMPARE(v.Conver1->text(), Punto(e.convergencia));
        QCOMPARE(v.Ana1->text(), Punto(e.anamorfosis));
        v.Check_Grad->click();
        // The convergence is truncated to thousandths of a second.
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+º \\d+' \\d+\\.\\d{3}000''$"))
                     .match(v.Conver1->text())
                     .hasMatch(),
                 qPrintable(v.Conver1->text()));
        // Clearing the box means ED50, and says so.
        v.Check1->click();
        QCOMPARE(mensajes.textos, QStringList{QStringLiteral("Los cálculos se realizarán en ED50!")});
        v.Calcular->click();
        QVERIFY(!v.Check_Grad->isChecked());
        const ResultadoGeodesicas d = UtmAGeodesicas(725000, 4400000.5, 30, false, false, Datum::ED50);
        QCOMPARE(v.long1->text(), Punto(d.longitud));
        QCOMPARE(v.lat1->text(), Punto(d.latitud));
        QVERIFY(v.lat1->text() != Punto(e.latitud));
        v.Check1->click();  // ticking says nothing
        QCOMPARE(mensajes.textos.size(), 1);
    }

    // A sexagesimal result edited by hand into something unreadable: the
    // critical notice, and that box emptied; the others come back.
    void PrincipalSexagesimalIlegible() {
        prueba::Mensajes mensajes;
        Principal v;
        v.CoordX->setText(QStringLiteral("500000"));
        v.CoordY->setText(QStringLiteral("4400000"));
        v.Calcular->click();
        v.Check_Grad->click();
        v.lat1->setText(QStringLiteral("39.5"));
        v.Check_Grad->click();
        QCOMPARE(mensajes.textos, QStringList{QString::fromUtf8(TextoDesbordamiento.data(), TextoDesbordamiento.size())});
        QCOMPARE(mensajes.criticos, QList<bool>{true});
        QVERIFY(v.lat1->text().isEmpty());
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        QCOMPARE(v.Conver1->text(), QStringLiteral("0"));
    }

    void PrincipalHusos_data() {
        QTest::addColumn<QString>("huso");
        QTest::addColumn<bool>("calcula");
        QTest::newRow("29") << "29" << false;
        QTest::newRow("32") << "32" << false;
        QTest::newRow("texto") << "x" << false;
        QTest::newRow("30E") << "30E" << true;
        QTest::newRow("30.5 al par") << "30.5" << true;
        QTest::newRow("30.6") << "30.6" << true;
        QTest::newRow("31") << "31" << true;
    }
    void PrincipalHusos() {
        QFETCH(QString, huso);
        QFETCH(bool, calcula);
        prueba::Mensajes mensajes;
        Principal v;
        v.CoordX->setText(QStringLiteral("400000"));
        v.CoordY->setText(QStringLiteral("4400000"));
        v.long1->setText(QStringLiteral("antes"));
        v.Huso1->setText(huso);
        v.Calcular->click();
        if (calcula) {
            QVERIFY(mensajes.textos.isEmpty());
            QVERIFY(v.long1->text() != QStringLiteral("antes"));
        } else {
            QCOMPARE(mensajes.textos, QStringList{QString::fromUtf8(textos::HusoFueraDeArea.data(),
                                                                    textos::HusoFueraDeArea.size())});
            QCOMPARE(v.long1->text(), QStringLiteral("antes"));
        }
    }

    void PrincipalHusoExtendido() {
        Principal v;
        v.CoordX->setText(QStringLiteral("760000"));
        v.CoordY->setText(QStringLiteral("4400000"));
        v.Calcular->click();
        QVERIFY(v.long1->text().startsWith(QLatin1Char('-')));
        const QString latitud = v.lat1->text();
        v.Check2->click();
        v.Calcular->click();
        QVERIFY(!v.long1->text().startsWith(QLatin1Char('-')));
        QCOMPARE(v.lat1->text(), latitud);
    }

    void PrincipalVacioYBorrar() {
        prueba::Mensajes mensajes;
        Principal v;
        v.CoordX->setText(QStringLiteral("500000"));
        v.Calcular->click();  // no Y: nothing, silently
        QVERIFY(v.long1->text().isEmpty());
        v.CoordY->setText(QStringLiteral("4400000"));
        v.Huso1->clear();
        v.Calcular->click();
        QVERIFY(v.long1->text().isEmpty());
        v.Huso1->setText(QStringLiteral("30"));
        v.Long_MC->setText(QStringLiteral("-3"));
        v.Check2->setChecked(true);
        v.Calcular->click();
        QVERIFY(!v.long1->text().isEmpty());
        v.salir->click();
        for (QLineEdit* c : {v.CoordX, v.CoordY, v.Long_MC, v.long1, v.lat1, v.Conver1, v.Ana1})
            QVERIFY2(c->text().isEmpty(), qPrintable(c->objectName()));
        QCOMPARE(v.Huso1->text(), QStringLiteral("30"));
        QVERIFY(v.Check2->isChecked());
        QVERIFY(mensajes.textos.isEmpty());
    }

    // The unit guard: leaving degrees disables and clears Check_Grad at once,
    // which turns the shown sexagesimal text back into decimal; the next
    // results come out in the new unit.
    void PrincipalUnidades() {
        Principal v;
        v.CoordX->setText(QStringLiteral("500000"));
        v.CoordY->setText(QStringLiteral("4400000"));
        v.Calcular->click();
        v.Check_Grad->click();
        QVERIFY(v.long1->text().endsWith(QStringLiteral(" W")));
        NotificadorAjustes::FijarUnidadAngular(3);
        QVERIFY(!v.Check_Grad->isEnabled());
        QVERIFY(!v.Check_Grad->isChecked());
        QCOMPARE(v.long1->text(), QStringLiteral("-3"));
        v.Calcular->click();
        QCOMPARE(v.long1->text(), Punto(((-3.0 + -3.0) * 3.141592654) / 360));
        NotificadorAjustes::FijarUnidadAngular(2);
        QVERIFY(!v.Check_Grad->isEnabled());
        v.Calcular->click();
        QCOMPARE(v.long1->text(), QStringLiteral("-3.33333333333333"));
        NotificadorAjustes::FijarUnidadAngular(1);
        QVERIFY(v.Check_Grad->isEnabled());
        // A window opened while the unit is not degrees starts disabled.
        NotificadorAjustes::FijarUnidadAngular(3);
        Principal otra;
        QVERIFY(!otra.Check_Grad->isEnabled());
    }

    // --- GEO_UTM ---------------------------------------------------------

    void GeoUtmCalcular() {
        prueba::Mensajes mensajes;
        GEO_UTM v;
        QVERIFY(prueba::Mostrar(&v));
        QCOMPARE(v.windowTitle(), QStringLiteral("Geodésicas a U.T.M."));
        QCOMPARE(v.Long_opt->checkedId(), 0);
        prueba::Teclear(v.long1, QStringLiteral("-0,5"));
        QCOMPARE(v.long1->text(), QStringLiteral("-0.5"));
        QCOMPARE(v.Long_opt->checkedId(), 1);  // "Oeste" follows the sign
        prueba::Teclear(v.lat1, QStringLiteral("39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 0);
        v.Calcular->click();
        const ResultadoUtm r = GeodesicasAUtm(-0.5, 39.5, 30, Datum::ETRS89);
        QCOMPARE(v.CoordX->text(), Punto(r.X));
        QCOMPARE(v.CoordY->text(), Punto(r.Y));
        QCOMPARE(v.Cover1->text(), Punto(r.convergencia));
        QCOMPARE(v.Ana1->text(), Punto(r.anamorfosis));
        // Independent: about 715 km east, 4.37 million north (zone 30, 2.5° east of -3°).
        QVERIFY(std::fabs(v.CoordX->text().toDouble() - 714900) < 2000);
        QVERIFY(mensajes.textos.isEmpty());

        v.Check_Grad->click();
        QCOMPARE(v.Cover1->text(), QString::fromStdString(FormatoSexagesimal(r.convergencia, "Otro")));
        QVERIFY(!v.Cover1->text().endsWith(QLatin1String(" N")));
        QCOMPARE(v.CoordX->text(), Punto(r.X));
        v.Check_Grad->click();
        QCOMPARE(v.Cover1->text(), QString::fromStdString(LeerSexagesimal(FormatoSexagesimal(r.convergencia, "Otro"))));
        v.Check_Grad->click();
        v.Calcular->click();  // unticks first, then writes decimal text
        QVERIFY(!v.Check_Grad->isChecked());
        QCOMPARE(v.Cover1->text(), Punto(r.convergencia));

        // Angle units apply to the convergence only.
        NotificadorAjustes::FijarUnidadAngular(2);
        v.Calcular->click();
        QCOMPARE(v.Cover1->text(), Punto((r.convergencia * 10) / 9));
        QCOMPARE(v.Ana1->text(), Punto(r.anamorfosis));
        NotificadorAjustes::FijarUnidadAngular(3);
        v.Calcular->click();
        QCOMPARE(v.Cover1->text(), Punto(((r.convergencia + r.convergencia) * 3.141592654) / 360));
        QVERIFY(!v.Check_Grad->isEnabled());

        // ED50.
        NotificadorAjustes::FijarUnidadAngular(1);
        v.Check1->click();
        QCOMPARE(mensajes.textos, QStringList{QStringLiteral("Los cálculos se realizarán en ED50!")});
        v.Calcular->click();
        QCOMPARE(v.CoordX->text(), Punto(GeodesicasAUtm(-0.5, 39.5, 30, Datum::ED50).X));
    }

    void GeoUtmHusos_data() {
        QTest::addColumn<QString>("huso");
        QTest::addColumn<int>("usado");  // 0: refused
        QTest::newRow("26") << "26" << 0;
        QTest::newRow("32") << "32" << 0;
        QTest::newRow("27") << "27" << 27;
        QTest::newRow("30.5") << "30.5" << 30;
        QTest::newRow("31.5") << "31.5" << 0;
    }
    void GeoUtmHusos() {
        QFETCH(QString, huso);
        QFETCH(int, usado);
        prueba::Mensajes mensajes;
        GEO_UTM v;
        v.long1->setText(QStringLiteral("-8"));
        v.lat1->setText(QStringLiteral("42"));
        v.CoordX->setText(QStringLiteral("antes"));
        v.Huso1->setText(huso);
        v.Calcular->click();
        QVERIFY(mensajes.textos.isEmpty());
        if (usado == 0)
            QCOMPARE(v.CoordX->text(), QStringLiteral("antes"));
        else
            QCOMPARE(v.CoordX->text(), Punto(GeodesicasAUtm(-8, 42, static_cast<std::int16_t>(usado), Datum::ETRS89).X));
    }

    // The options follow the sign and flip it; the regional comma of the
    // negated text is turned into a point by the box's filter.
    void GeoUtmSignos() {
        GEO_UTM v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.long1, QStringLiteral("-"));
        QCOMPARE(v.Long_opt->checkedId(), 0);  // "-" alone reads 0
        QTest::keyClicks(v.long1, QStringLiteral("2.25"));
        QCOMPARE(v.Long_opt->checkedId(), 1);
        v.Long_opt->button(0)->click();
        QCOMPARE(v.long1->text(), QStringLiteral("2.25"));
        QCOMPARE(v.Long_opt->checkedId(), 0);
        v.Long_opt->button(1)->click();
        QCOMPARE(v.long1->text(), QStringLiteral("-2.25"));
        v.lat1->setText(QStringLiteral("39.5"));
        v.Lat_Opt->button(1)->click();
        QCOMPARE(v.lat1->text(), QStringLiteral("-39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 1);
        v.lat1->setText(QStringLiteral("0"));
        QCOMPARE(v.Lat_Opt->checkedId(), 0);
        v.Lat_Opt->button(1)->click();  // zero has no sign to flip
        QCOMPARE(v.lat1->text(), QStringLiteral("0"));
        // Borrar keeps the zone.
        v.Huso1->setText(QStringLiteral("31"));
        v.Limpiar->click();
        QCOMPARE(v.Huso1->text(), QStringLiteral("31"));
        QVERIFY(v.long1->text().isEmpty());
    }

    // The degrees-minutes-seconds panel, opened by Shift + click on an angle
    // box or by the small button beside it.
    void PanelGrados_data() {
        QTest::addColumn<QString>("grados");
        QTest::addColumn<QString>("minutos");
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("-39 30") << "-39" << "30" << "" << "-39.5";
        QTest::newRow("0 30") << "0" << "30" << "" << "0.5";
        QTest::newRow("-0 30") << "-0" << "30" << "" << "0.5";
        QTest::newRow("2 15 36") << "2" << "15" << "36" << "2.26";
        QTest::newRow("segundos con coma") << "1" << "0" << "4,5" << "1.00125";
    }
    void PanelGrados() {
        QFETCH(QString, grados);
        QFETCH(QString, minutos);
        QFETCH(QString, segundos);
        QFETCH(QString, escrito);
        GEO_UTM v;
        QVERIFY(prueba::Mostrar(&v));
        QVERIFY(v.lat1->toolTip().contains(QStringLiteral("Shift+Click")));
        QTest::mouseClick(v.lat1, Qt::LeftButton, Qt::ShiftModifier);
        auto* panel = prueba::Hijo<QGroupBox>(&v, "Frame_Gra");
        QVERIFY(panel->isVisible());
        QCOMPARE(VentanaConversion::CampoDestino.data(), v.lat1);
        auto* g = prueba::Hijo<QLineEdit>(&v, "Grados");
        auto* m = prueba::Hijo<QLineEdit>(&v, "Minutos");
        auto* s = prueba::Hijo<QLineEdit>(&v, "Segundos");
        prueba::Teclear(g, grados);
        prueba::Teclear(m, minutos);
        prueba::Teclear(s, segundos);
        prueba::Hijo<QPushButton>(&v, "Aceptar")->click();
        QVERIFY(!panel->isVisible());
        QCOMPARE(v.lat1->text(), escrito);
        QCOMPARE(v.Lat_Opt->checkedId(), escrito.startsWith(QLatin1Char('-')) ? 1 : 0);
        if (segundos.isEmpty()) QCOMPARE(s->text(), QStringLiteral("0"));
        // The button beside the longitude aims the panel at it; "X" only closes.
        prueba::Hijo<QToolButton>(&v, "long1_gms")->click();
        QVERIFY(panel->isVisible());
        QCOMPARE(VentanaConversion::CampoDestino.data(), v.long1);
        prueba::Hijo<QPushButton>(&v, "Command3")->click();
        QVERIFY(!panel->isVisible());
        QVERIFY(v.long1->text().isEmpty());
    }

    // A panel left open in one window writes into its own box, even after a
    // panel was opened elsewhere.
    void PanelDeCadaVentana() {
        GEO_UTM uno;
        GEO_UTM otro;
        QTest::mouseClick(uno.lat1, Qt::LeftButton, Qt::ShiftModifier);
        QTest::mouseClick(otro.long1, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(VentanaConversion::CampoDestino.data(), otro.long1);
        uno.Grados->setText(QStringLiteral("40"));
        uno.Aceptar->click();
        QCOMPARE(uno.lat1->text(), QStringLiteral("40"));
        QVERIFY(otro.long1->text().isEmpty());
    }

    // --- Form1 -----------------------------------------------------------

    void Conversor_data() {
        QTest::addColumn<QStringList>("longitud");  // degrees, minutes, seconds
        QTest::addColumn<bool>("oeste");
        QTest::addColumn<QStringList>("latitud");
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("lat");
        QTest::newRow("oeste") << QStringList{"0", "30", "0"} << true << QStringList{"39", "30", "0"} << -0.5 << 39.5;
        QTest::newRow("este") << QStringList{"0", "30", "0"} << false << QStringList{"-39", "30", "0"} << 0.5 << -39.5;
        QTest::newRow("menos ignorado") << QStringList{"-3", "0", "0"} << false << QStringList{"-0", "30", "0"} << 3.0
                                        << 0.5;
        QTest::newRow("comas") << QStringList{"1", "1,5", "0"} << false << QStringList{"2", "0", "36"} << 1.025 << 2.01;
    }
    void Conversor() {
        QFETCH(QStringList, longitud);
        QFETCH(bool, oeste);
        QFETCH(QStringList, latitud);
        QFETCH(double, lon);
        QFETCH(double, lat);
        prueba::Mensajes mensajes;
        Form1 v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Conversión sexagesimal"));
        QVERIFY(v.Option1->isChecked());
        v.Long1gra->setText(longitud[0]);
        v.long1min->setText(longitud[1]);
        v.long1seg->setText(longitud[2]);
        v.lat1gra->setText(latitud[0]);
        v.lat1min->setText(latitud[1]);
        v.lat1seg->setText(latitud[2]);
        (oeste ? v.Option1 : v.Option2)->click();
        v.Command1->click();
        QVERIFY(mensajes.textos.isEmpty());
        // Not normalised: the regional separator.
        QCOMPARE(v.long1->text(), (lon < 0 ? QStringLiteral("-") : QString()) + Regional(std::fabs(lon)));
        QCOMPARE(v.lat1->text(), Regional(lat));
        QVERIFY(!v.long1min->text().contains(QLatin1Char(',')));
    }

    void ConversorCajaVacia() {
        prueba::Mensajes mensajes;
        Form1 v;
        v.Long1gra->setText(QStringLiteral("1"));
        v.long1min->setText(QStringLiteral("0"));
        v.long1seg->setText(QStringLiteral("0"));
        v.long1->setText(QStringLiteral("antes"));
        v.Command1->click();  // the latitude row is empty
        QCOMPARE(mensajes.textos, QStringList{QStringLiteral("Introduzca los valores a convertir")});
        QCOMPARE(v.long1->text(), QStringLiteral("antes"));
    }

    void ConversorRedondeo() {
        // (m / 60) + (s / 3600) rounded to 12 decimals, halves to even.
        QCOMPARE(FraccionMinutosSegundos(0, 1), 0.000277777778);
        QCOMPARE(FraccionMinutosSegundos(30, 0), 0.5);
        QCOMPARE(ValorGradosMinutosSegundos(-39, 30, 0), -39.5);
        QCOMPARE(ValorGradosMinutosSegundos(-0.0, 30, 0), 0.5);
    }

    // The results shown by the UTM windows keep a point under the Spanish
    // regional settings too.
    void SeparadorEspanol() {
        prueba::Localizacion es("es_ES.UTF-8");
        if (!es.valida()) QSKIP("es_ES.UTF-8 no está instalada");
        QCOMPARE(Regional(0.5), QStringLiteral("0,5"));
        Principal v;
        v.CoordX->setText(QStringLiteral("500000"));
        v.CoordY->setText(QStringLiteral("4400000"));
        v.Calcular->click();
        QCOMPARE(v.Ana1->text(), QStringLiteral("0.9996"));
        GEO_UTM g;
        g.long1->setText(QStringLiteral("2,5"));  // the filter makes it 2.5
        QCOMPARE(g.long1->text(), QStringLiteral("2.5"));
        g.Long_opt->button(1)->click();  // TextoNumero gives -2,5; the filter, -2.5
        QCOMPARE(g.long1->text(), QStringLiteral("-2.5"));
        Form1 f;
        for (QLineEdit* c : {f.Long1gra, f.long1min, f.long1seg, f.lat1gra, f.lat1min, f.lat1seg})
            c->setText(QStringLiteral("0"));
        f.long1min->setText(QStringLiteral("30"));
        f.lat1min->setText(QStringLiteral("30"));
        f.Command1->click();
        QCOMPARE(f.long1->text(), QStringLiteral("-0,5"));
        QCOMPARE(f.lat1->text(), QStringLiteral("0,5"));
    }
};

QTEST_MAIN(PruebaVentanas)
#include "PruebaVentanas.moc"
