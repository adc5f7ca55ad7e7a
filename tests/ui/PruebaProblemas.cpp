// The geodetic-problem windows driven as a person would: keystrokes,
// "Calcular", the sign options, Check_Grad, the angular units, the ellipsoid
// bar, the degrees-minutes-seconds panel on the azimuth, the blinking notice,
// the pairs the inverse method cannot answer, "Borrar" and the file buttons.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

#include "Angulos.h"
#include "Comun.h"
#include "DElipsoides.h"
#include "Estado.h"
#include "Geodesia.h"
#include "Cart_Geo.h"
#include "Geo_Cart.h"
#include "Geo_rejilla_ed2et.h"
#include "MDIPrincipal.h"
#include "geo_rejilla_et2ed.h"
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include "P_Inverso.h"
#include "P_directo.h"
#include "Texto.h"
#include "Textos.h"

using namespace tesmaro;

namespace {

QString Q(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }
QString Punto(double v) { return QString::fromStdString(Normalizar(TextoNumero(v))); }

constexpr double Pi = 3.141592654;  // the program's π
constexpr double A84 = 6378137;
constexpr double F84 = 298.257223563;

void EscribirFichero(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray LeerFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct DialogoGuionado {
    QString puntos;
    DialogosLote::GanchoDialogo anterior;
    DialogoGuionado() {
        anterior = DialogosLote::FijarGanchoDialogo([this](const DialogoFichero&, bool) { return puntos; });
    }
    ~DialogoGuionado() { DialogosLote::FijarGanchoDialogo(anterior); }
};

// Types a direct problem into the window.
void TeclearDirecto(P_directo& v, const QString& lon, const QString& lat, const QString& az, const QString& s) {
    prueba::Teclear(v.long1, lon);
    prueba::Teclear(v.lat1, lat);
    prueba::Teclear(v.Acimut1, az);
    prueba::Teclear(v.Distancia1, s);
}

void TeclearInverso(P_Inverso& v, const QString& lon1, const QString& lat1, const QString& lon2,
                    const QString& lat2) {
    prueba::Teclear(v.long1, lon1);
    prueba::Teclear(v.lat1, lat1);
    prueba::Teclear(v.Long2, lon2);
    prueba::Teclear(v.Lat2, lat2);
}

}  // namespace

class PruebaProblemas : public QObject {
    Q_OBJECT

    QString carpetaInicial;

private slots:
    void initTestCase() { carpetaInicial = QDir::currentPath(); }
    void init() {
        prueba::Restablecer();
        delete DElipsoides::Instancia();
    }
    void cleanup() {
        delete DElipsoides::Instancia();
        QDir::setCurrent(carpetaInicial);
        prueba::Restablecer();
    }

    // --- P_directo -------------------------------------------------------

    void DirectoDisenio() {
        P_directo v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Problema directo de la geodesia"));
        QCOMPARE(v.Frame2->title(), QStringLiteral("Problema Directo.  (Entrada Datos)"));
        QCOMPARE(v.Frame1->title(), QStringLiteral("Problema Directo.  (Resultados)"));
        QCOMPARE(v.Frame5->title(), QStringLiteral("Longitud (dd.ddddddd)"));
        QCOMPARE(v.Frame4->title(), QStringLiteral("Latitud (dd.ddddddd)"));
        QCOMPARE(v.Label1->text(), QStringLiteral("Acimut directo"));
        QCOMPARE(v.Label2->text(), QStringLiteral("Distancia"));
        QCOMPARE(v.Label5->text(), QStringLiteral("Longitud"));
        QCOMPARE(v.Label7->text(), QStringLiteral("Latitud"));
        QCOMPARE(v.Label3->text(), QStringLiteral("Acimut inverso"));
        QCOMPARE(v.Acimut1->toolTip(), QStringLiteral("Haga \"Shift+Click\" para entrada dd mm ss.ss"));
        QCOMPARE(v.Label4->text(), QStringLiteral("Selección de Elipsoide."));
        QCOMPARE(v.Label4->toolTip(), QStringLiteral("Haga Click para cambiar"));
        QCOMPARE(v.Fichero->text(), QStringLiteral("Fichero"));
        QCOMPARE(v.Check_Grad->text(), QStringLiteral("dd mm ss.sss"));
        QVERIFY(!v.Check_Grad->isChecked());
        QCOMPARE(v.Long_opt->checkedId(), 0);
        QCOMPARE(v.Lat_Opt->checkedId(), 0);
        QVERIFY(prueba::Mostrar(&v));
        QCOMPARE(v.Label4->text(), QStringLiteral("Seleccione elipsoide pulsando esta barra"));
    }

    // 39.5° N 0.4° W, azimuth 45°, 100 km on WGS 84: the texts of the core
    // computation with a point; the end point lies ~0.64° north and ~0.83°
    // east (a flat-earth estimate good to 0.01° at this range); Check_Grad
    // gives N, E and no letter for the azimuth, and back.
    void DirectoCalcular() {
        prueba::Mensajes mensajes;
        P_directo v;
        QVERIFY(prueba::Mostrar(&v));
        TeclearDirecto(v, QStringLiteral("-0,4"), QStringLiteral("39.5"), QStringLiteral("45"),
                       QStringLiteral("100000"));
        QCOMPARE(v.long1->text(), QStringLiteral("-0.4"));
        QCOMPARE(v.Long_opt->checkedId(), 1);
        v.Calcular->click();
        const ResultadoDirecto r = ProblemaDirecto((39.5 * Pi) / 180, (-0.4 * Pi) / 180, 45, 100000, A84, F84);
        QCOMPARE(v.Lat_Res->text(), Punto(r.latitud));
        QCOMPARE(v.Long_Res->text(), Punto(r.longitud));
        QCOMPARE(v.Acimut_Res->text(), Punto(r.acimutInverso));
        QVERIFY(std::fabs(v.Lat_Res->text().toDouble() - 40.136) < 0.01);
        QVERIFY(std::fabs(v.Long_Res->text().toDouble() - 0.428) < 0.01);
        QVERIFY(std::fabs(v.Acimut_Res->text().toDouble() - 225.53) < 0.02);
        QVERIFY(mensajes.textos.isEmpty());

        v.Check_Grad->click();
        QCOMPARE(v.Lat_Res->text(), Q(FormatoSexagesimal(r.latitud, "Lat1")));
        QVERIFY(v.Lat_Res->text().endsWith(QStringLiteral(" N")));
        QVERIFY(v.Long_Res->text().endsWith(QStringLiteral(" E")));
        QVERIFY(v.Acimut_Res->text().endsWith(QStringLiteral("''")));
        QCOMPARE(v.Acimut_Res->text(), Q(FormatoSexagesimal(r.acimutInverso, "OTRO")));
        v.Check_Grad->click();
        QCOMPARE(v.Lat_Res->text(), Q(LeerSexagesimal(FormatoSexagesimal(r.latitud, "Lat1"))));
        QCOMPARE(v.Acimut_Res->text(), Q(LeerSexagesimal(FormatoSexagesimal(r.acimutInverso, "OTRO"))));
        // A new "Calcular" with the box ticked writes sexagesimal text.
        v.Check_Grad->click();
        v.Calcular->click();
        QCOMPARE(v.Long_Res->text(), Q(FormatoSexagesimal(r.longitud, "Long1")));

        // "Borrar" empties the seven boxes and keeps the check box.
        v.Limpiar->click();
        for (QLineEdit* caja : {v.long1, v.lat1, v.Long_Res, v.Lat_Res, v.Acimut1, v.Distancia1, v.Acimut_Res})
            QVERIFY(caja->text().isEmpty());
        QVERIFY(v.Check_Grad->isChecked());
    }

    // A zero distance gives the start point back; the reverse azimuth is the
    // forward one turned by 180°.
    void DirectoDistanciaCero() {
        P_directo v;
        TeclearDirecto(v, QStringLiteral("-3.25"), QStringLiteral("40.5"), QStringLiteral("30"), QStringLiteral("0"));
        v.Calcular->click();
        QCOMPARE(v.Long_Res->text(), QStringLiteral("-3.25"));
        QCOMPARE(v.Lat_Res->text(), QStringLiteral("40.5"));
        QCOMPARE(v.Acimut_Res->text(), QStringLiteral("210"));
    }

    // Incomplete input does nothing, silently.
    void DirectoVacio_data() {
        QTest::addColumn<int>("vacia");
        for (int i = 0; i < 4; ++i) QTest::newRow(QByteArray::number(i).constData()) << i;
    }
    void DirectoVacio() {
        QFETCH(int, vacia);
        prueba::Mensajes mensajes;
        P_directo v;
        QLineEdit* cajas[] = {v.long1, v.lat1, v.Acimut1, v.Distancia1};
        for (int i = 0; i < 4; ++i) cajas[i]->setText(i == vacia ? QString() : QStringLiteral("1"));
        v.Lat_Res->setText(QStringLiteral("antes"));
        v.Calcular->click();
        QCOMPARE(v.Lat_Res->text(), QStringLiteral("antes"));
        QVERIFY(mensajes.textos.isEmpty());
    }

    // Grads and radians: angles typed and shown in the unit, the azimuth
    // converted to degrees for the computation, the distance in metres;
    // Check_Grad disabled and cleared.
    void DirectoUnidades() {
        P_directo v;
        v.long1->setText(QStringLiteral("1"));
        v.lat1->setText(QStringLiteral("44"));
        v.Acimut1->setText(QStringLiteral("50"));
        v.Distancia1->setText(QStringLiteral("25000"));
        v.Calcular->click();
        v.Check_Grad->click();
        QVERIFY(v.Lat_Res->text().endsWith(QStringLiteral(" N")));

        NotificadorAjustes::FijarUnidadAngular(2);
        QVERIFY(!v.Check_Grad->isEnabled());
        QVERIFY(!v.Check_Grad->isChecked());
        QVERIFY(!v.Lat_Res->text().contains(QStringLiteral("º")));
        v.Calcular->click();
        ResultadoDirecto r = ProblemaDirecto((44 * Pi) / 200, (1 * Pi) / 200, (50.0 * 180) / 200, 25000, A84, F84);
        QCOMPARE(v.Lat_Res->text(), Punto((r.latitud * 200) / 180));
        QCOMPARE(v.Long_Res->text(), Punto((r.longitud * 200) / 180));
        QCOMPARE(v.Acimut_Res->text(), Punto((r.acimutInverso * 200) / 180));

        NotificadorAjustes::FijarUnidadAngular(3);
        v.lat1->setText(QStringLiteral("0.7"));
        v.long1->setText(QStringLiteral("0.01"));
        v.Acimut1->setText(QStringLiteral("0.5"));
        v.Calcular->click();
        r = ProblemaDirecto(0.7, 0.01, (0.5 * 180) / Pi, 25000, A84, F84);
        QCOMPARE(v.Lat_Res->text(), Punto((Pi * r.latitud) / 180));
        QCOMPARE(v.Acimut_Res->text(), Punto((Pi * r.acimutInverso) / 180));
    }

    // -39.5 selects "Sur", "Norte" turns it into 39.5; the same for the
    // longitude.
    void DirectoSignos() {
        P_directo v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.lat1, QStringLiteral("-39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 1);
        v.Lat_Opt->button(0)->click();
        QCOMPARE(v.lat1->text(), QStringLiteral("39.5"));
        QCOMPARE(v.Lat_Opt->checkedId(), 0);
        prueba::Teclear(v.long1, QStringLiteral("2.5"));
        v.Long_opt->button(1)->click();
        QCOMPARE(v.long1->text(), QStringLiteral("-2.5"));
        // The azimuth and the distance are plain decimal boxes.
        prueba::Teclear(v.Distancia1, QStringLiteral("1,5e3"));
        QCOMPARE(v.Distancia1->text(), QStringLiteral("1.5e3"));
        prueba::Teclear(v.Acimut1, QStringLiteral("12a"));
        QCOMPARE(v.Acimut1->text(), QStringLiteral("12"));
    }

    // Shift + click on the azimuth opens the panel for it; "Aceptar" writes
    // the composed angle there.
    void DirectoPanelAcimut() {
        P_directo v;
        QVERIFY(prueba::Mostrar(&v));
        QVERIFY(v.Frame_Gra->isHidden());
        QTest::mouseClick(v.Acimut1, Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(v.Frame_Gra->isVisible());
        QCOMPARE(VentanaConversion::CampoDestino.data(), v.Acimut1);
        QTest::keyClicks(v.Grados, QStringLiteral("45"));
        prueba::Teclear(v.Minutos, QStringLiteral("30"));
        prueba::Teclear(v.Segundos, QStringLiteral("36"));
        v.Aceptar->click();
        QVERIFY(v.Frame_Gra->isHidden());
        QCOMPARE(v.Acimut1->text(), QStringLiteral("45.51"));
    }

    // Absurd input ends with a message or with results, never hangs or
    // crashes.
    void DirectoAbsurdo_data() {
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("az");
        QTest::addColumn<QString>("s");
        QTest::newRow("distancia enorme") << "0" << "40" << "45" << "1e300";
        QTest::newRow("distancia infinita") << "0" << "40" << "45" << "1e999";
        QTest::newRow("acimut enorme") << "0" << "40" << "1e300" << "1000";
        QTest::newRow("latitud enorme") << "0" << "1e300" << "45" << "1000";
        QTest::newRow("polo") << "0" << "90" << "45" << "1000";
        QTest::newRow("distancia negativa") << "0" << "40" << "45" << "-1000";
    }
    void DirectoAbsurdo() {
        QFETCH(QString, lon);
        QFETCH(QString, lat);
        QFETCH(QString, az);
        QFETCH(QString, s);
        prueba::Mensajes mensajes;
        P_directo v;
        v.long1->setText(lon);
        v.lat1->setText(lat);
        v.Acimut1->setText(az);
        v.Distancia1->setText(s);
        v.Calcular->click();
        QVERIFY(!mensajes.textos.isEmpty() || !v.Lat_Res->text().isEmpty());
    }

    void InversoAbsurdo_data() {
        QTest::addColumn<QString>("lat1");
        QTest::addColumn<QString>("lat2");
        QTest::newRow("latitud enorme") << "1e300" << "40";
        QTest::newRow("latitud infinita") << "1e999" << "40";
        QTest::newRow("polo") << "90" << "40";
        QTest::newRow("ecuador") << "0" << "0";
    }
    void InversoAbsurdo() {
        QFETCH(QString, lat1);
        QFETCH(QString, lat2);
        prueba::Mensajes mensajes;
        P_Inverso v;
        v.long1->setText(QStringLiteral("0"));
        v.lat1->setText(lat1);
        v.Long2->setText(QStringLiteral("1"));
        v.Lat2->setText(lat2);
        v.Calcular->click();
        QVERIFY(!mensajes.textos.isEmpty() || !v.Dist_Res->text().isEmpty());
    }

    // --- P_Inverso -------------------------------------------------------

    void InversoDisenio() {
        P_Inverso v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Problema inverso de la geodesia"));
        QCOMPARE(v.Frame2->title(), QStringLiteral("Problema Inverso.  (Entrada Datos)"));
        QCOMPARE(v.Frame1->title(), QStringLiteral("Problema Inverso.  (Resultados)"));
        QCOMPARE(v.Frame7->title(), QStringLiteral("Punto 1:"));
        QCOMPARE(v.Frame8->title(), QStringLiteral("Punto 2:"));
        for (QGroupBox* f : {v.Frame5, v.Frame10}) QCOMPARE(f->title(), QStringLiteral("Longitud (dd.ddddddd)"));
        for (QGroupBox* f : {v.Frame4, v.Frame9}) QCOMPARE(f->title(), QStringLiteral("Latitud (dd.ddddddd)"));
        QCOMPARE(v.Label7->text(), QStringLiteral("Distancia"));
        QCOMPARE(v.Label5->text(), QStringLiteral("Acimut directo"));
        QCOMPARE(v.Label3->text(), QStringLiteral("Acimut inverso"));
        QCOMPARE(v.Label_Info->text(), QStringLiteral("Cálculo válido sólo para puntos en un mismo hemisferio"));
        QCOMPARE(v.Label4->toolTip(), QStringLiteral("Haga Click para cambiar"));
        for (QButtonGroup* g : {v.Long_opt, v.Lat_Opt, v.Long_opt2, v.Lat_Opt2}) QCOMPARE(g->checkedId(), 0);
        QCOMPARE(v.Long_opt2->button(1)->text(), QStringLiteral("Oeste"));
        QCOMPARE(v.Lat_Opt2->button(1)->text(), QStringLiteral("Sur"));
        // The notice starts light yellow and the blinking timer runs.
        QCOMPARE(v.Timer2->interval(), 200);
        QVERIFY(v.Timer2->isActive());
        QCOMPARE(v.FondoInfo(), QColor(0xFF, 0xFF, 0xC0));
    }

    // Each tick swaps yellow and the button face; the eleventh stops the
    // timer and leaves the notice plain and visible.
    void InversoParpadeo() {
        P_Inverso v;
        v.Timer2->stop();
        const QColor amarillo = P_Inverso::AmarilloClaro();
        QVERIFY(amarillo != v.CaraBoton());
        for (int tic = 1; tic <= 10; ++tic) {
            QVERIFY(QMetaObject::invokeMethod(&v, "Timer2_Timer"));
            QCOMPARE(v.FondoInfo(), tic % 2 == 1 ? v.CaraBoton() : amarillo);
        }
        v.Timer2->start();
        QVERIFY(QMetaObject::invokeMethod(&v, "Timer2_Timer"));
        QVERIFY(!v.Timer2->isActive());
        QCOMPARE(v.FondoInfo(), v.CaraBoton());
        QVERIFY(!v.Label_Info->isHidden());
    }

    // On the real clock: about two seconds after the window opens.
    void InversoParpadeoReloj() {
        P_Inverso v;
        QVERIFY(prueba::Mostrar(&v));
        QTRY_VERIFY_WITH_TIMEOUT(!v.Timer2->isActive(), 10000);
        QCOMPARE(v.FondoInfo(), v.CaraBoton());
        QVERIFY(v.Label_Info->isVisible());
    }

    // Two points in Spain: the texts of the core computation; the distance
    // against a sphere estimate of the 1° meridian arc (~111 km).
    void InversoCalcular() {
        prueba::Mensajes mensajes;
        P_Inverso v;
        QVERIFY(prueba::Mostrar(&v));
        TeclearInverso(v, QStringLiteral("-3"), QStringLiteral("40"), QStringLiteral("-3"), QStringLiteral("41"));
        QCOMPARE(v.Long_opt->checkedId(), 1);
        QCOMPARE(v.Long_opt2->checkedId(), 1);
        v.Calcular->click();
        ResultadoInverso r =
            ProblemaInverso((40 * Pi) / 180, (-3 * Pi) / 180, (41 * Pi) / 180, (-3 * Pi) / 180, A84, F84);
        QCOMPARE(v.Dist_Res->text(), Punto(r.distancia));
        QCOMPARE(v.Acimut_Dir->text(), Punto(r.acimutDirecto));
        QCOMPARE(v.Acimut_Inv->text(), Punto(r.acimutInverso));
        // The meridian arc from 40° to 41° on WGS 84 is 111.04 km.
        QVERIFY(std::fabs(v.Dist_Res->text().toDouble() - 111040) < 50);
        QVERIFY(mensajes.textos.isEmpty());

        TeclearInverso(v, QStringLiteral("0,5"), QStringLiteral("39.5"), QStringLiteral("1.5"), QStringLiteral("40"));
        v.long1->setText(QStringLiteral("-0.5"));
        v.Calcular->click();
        r = ProblemaInverso((39.5 * Pi) / 180, (-0.5 * Pi) / 180, (40 * Pi) / 180, (1.5 * Pi) / 180, A84, F84);
        QCOMPARE(v.Dist_Res->text(), Punto(r.distancia));
        const QString distancia = v.Dist_Res->text();

        // Only the azimuths switch to sexagesimal text, without letters.
        v.Check_Grad->click();
        QCOMPARE(v.Acimut_Dir->text(), Q(FormatoSexagesimal(r.acimutDirecto, "OTRO")));
        QCOMPARE(v.Acimut_Inv->text(), Q(FormatoSexagesimal(r.acimutInverso, "OTRO")));
        QVERIFY(v.Acimut_Dir->text().endsWith(QStringLiteral("''")));
        QCOMPARE(v.Dist_Res->text(), distancia);
        v.Calcular->click();
        QCOMPARE(v.Acimut_Dir->text(), Q(FormatoSexagesimal(r.acimutDirecto, "OTRO")));
        QCOMPARE(v.Dist_Res->text(), distancia);
        v.Check_Grad->click();
        QCOMPARE(v.Acimut_Dir->text(), Q(LeerSexagesimal(FormatoSexagesimal(r.acimutDirecto, "OTRO"))));

        v.Limpiar->click();
        for (QLineEdit* caja : {v.long1, v.lat1, v.Long2, v.Lat2, v.Acimut_Dir, v.Acimut_Inv, v.Dist_Res})
            QVERIFY(caja->text().isEmpty());
    }

    // Coincident points give distance 0.
    void InversoCoincidentes() {
        prueba::Mensajes mensajes;
        P_Inverso v;
        TeclearInverso(v, QStringLiteral("-3.5"), QStringLiteral("40.25"), QStringLiteral("-3.5"),
                       QStringLiteral("40.25"));
        v.Calcular->click();
        QCOMPARE(v.Dist_Res->text(), QStringLiteral("0"));
        QVERIFY(mensajes.textos.isEmpty());
    }

    // Pairs the method cannot answer: a message saying why, results kept.
    void InversoSinRespuesta_data() {
        QTest::addColumn<QString>("lon1");
        QTest::addColumn<QString>("lat1");
        QTest::addColumn<QString>("lon2");
        QTest::addColumn<QString>("lat2");
        QTest::addColumn<int>("estado");
        QTest::newRow("hemisferios distintos") << "0" << "10" << "1" << "-10"
                                               << static_cast<int>(Estado::HemisferiosDistintos);
        QTest::newRow("90 grados de arco") << "0" << "10" << "120" << "10"
                                           << static_cast<int>(Estado::PuntosDemasiadoAlejados);
    }
    void InversoSinRespuesta() {
        QFETCH(QString, lon1);
        QFETCH(QString, lat1);
        QFETCH(QString, lon2);
        QFETCH(QString, lat2);
        QFETCH(int, estado);
        prueba::Mensajes mensajes;
        P_Inverso v;
        TeclearInverso(v, QStringLiteral("0"), QStringLiteral("40"), QStringLiteral("1"), QStringLiteral("40"));
        v.Calcular->click();
        const QString antes = v.Dist_Res->text();
        QVERIFY(!antes.isEmpty());
        const QString acimut = v.Acimut_Dir->text();
        v.long1->setText(lon1);
        v.lat1->setText(lat1);
        v.Long2->setText(lon2);
        v.Lat2->setText(lat2);
        v.Calcular->click();
        QCOMPARE(mensajes.textos, QStringList{Q(TextoEstado(static_cast<Estado>(estado)))});
        QCOMPARE(v.Dist_Res->text(), antes);
        QCOMPARE(v.Acimut_Dir->text(), acimut);
    }

    // Radians: the azimuths come out in radians, the distance in metres.
    void InversoRadianes() {
        P_Inverso v;
        NotificadorAjustes::FijarUnidadAngular(3);
        QVERIFY(!v.Check_Grad->isEnabled());
        TeclearInverso(v, QStringLiteral("0"), QStringLiteral("0.7"), QStringLiteral("0.01"), QStringLiteral("0.71"));
        v.Calcular->click();
        const ResultadoInverso r = ProblemaInverso(0.7, 0, 0.71, 0.01, A84, F84);
        QCOMPARE(v.Dist_Res->text(), Punto(r.distancia));
        QCOMPARE(v.Acimut_Dir->text(), Punto((Pi * r.acimutDirecto) / 180));
    }

    // The ellipsoid chosen from the bar applies to the next "Calcular".
    void InversoElipsoide() {
        P_Inverso v;
        QVERIFY(prueba::Mostrar(&v));
        TeclearInverso(v, QStringLiteral("-3"), QStringLiteral("40"), QStringLiteral("-2"), QStringLiteral("41"));
        v.Calcular->click();
        QTest::mouseClick(v.Label4, Qt::LeftButton);
        DElipsoides* d = DElipsoides::Instancia();
        QVERIFY(d->isVisible());
        QCOMPARE(d->ELIPSOIDES->currentRow(), 4);
        d->ELIPSOIDES->setCurrentRow(2);
        v.Calcular->click();
        const ResultadoInverso r = ProblemaInverso((40 * Pi) / 180, (-3 * Pi) / 180, (41 * Pi) / 180, (-2 * Pi) / 180,
                                                   6378388, 297);
        QCOMPARE(v.Dist_Res->text(), Punto(r.distancia));
    }

    // --- The menu entries -----------------------------------------------

    // Each entry opens its window once; choosing it again brings forward the
    // same window with what was typed in it.
    void Menus_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("caja");
        QTest::newRow("Geo_Cart") << "Mnu_Geo_Cart" << "G&eodésicas a Cartesianas Geocéntricas" << "Geo_Cart" << "lat1";
        QTest::newRow("Cart_Geo") << "Mnu_Cart_Geo" << "&Cartesianas Geocéntricas a Geodésicas " << "Cart_Geo"
                                  << "CoordX";
        QTest::newRow("P_directo") << "Mnu_P_directo" << "&Problema directo de la geodesia" << "P_directo" << "lat1";
        QTest::newRow("P_Inverso") << "Mnu_P_Inverso" << "Problema &inverso de la geodesia" << "P_Inverso" << "Lat2";
        QTest::newRow("ED50 a ETRS89") << "TRANS_ETRS89" << "&Transformación Datum ED50-Datum ETRS89"
                                       << "Geo_rejilla_ed2et" << "Lat1t";
        QTest::newRow("ETRS89 a ED50") << "TRANS_ED50" << "&Transformación Datum ETRS89-Datum ED50"
                                       << "geo_rejilla_et2ed" << "Lat1et";
    }
    void Menus() {
        QFETCH(QString, entrada);
        QFETCH(QString, texto);
        QFETCH(QString, ventana);
        QFETCH(QString, caja);
        prueba::Mensajes mensajes;
        MDIPrincipal v;
        auto* accion = v.findChild<QAction*>(entrada);
        QVERIFY(accion);
        QCOMPARE(accion->text(), texto);
        accion->trigger();
        QWidget* w = v.Mdi->activeSubWindow()->widget();
        QCOMPARE(w->objectName(), ventana);
        w->findChild<QLineEdit*>(caja)->setText(QStringLiteral("12"));
        accion->trigger();
        QCOMPARE(v.Mdi->subWindowList().size(), 1);
        QCOMPARE(v.Mdi->activeSubWindow()->widget(), w);
        QCOMPARE(w->findChild<QLineEdit*>(caja)->text(), QStringLiteral("12"));
        QVERIFY(mensajes.textos.isEmpty());
    }

    // --- File buttons ----------------------------------------------------

    void Ficheros_data() {
        QTest::addColumn<bool>("directo");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("pista");
        QTest::addColumn<QString>("base");
        QTest::newRow("P_directo") << true << QByteArray("Punto,Longitud,Latitud,Acimut,Distancia\r\nA,-3,40,0,0\r\n")
                                   << Q(textos::PistaDirecto) << QString::fromStdString(NombreBase(codigo::Directo));
        QTest::newRow("P_Inverso") << false << QByteArray("Punto,LonA,LatA,LonB,LatB\r\nA,-3,40,-3,41\r\n")
                                   << Q(textos::PistaInverso) << QString::fromStdString(NombreBase(codigo::Inverso));
    }
    void Ficheros() {
        QFETCH(bool, directo);
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
        P_directo d;
        P_Inverso i;
        (directo ? d.Fichero : i.Fichero)->click();
        QCOMPARE(mensajes.textos.size(), 2);
        QCOMPARE(mensajes.textos[0], pista);
        QCOMPARE(mensajes.textos[1], Q(textos::FicherosSalida) + base + QStringLiteral(".txt,") + base +
                                         QStringLiteral(".csv"));
        const QByteArray txt = LeerFichero(carpeta.filePath(base + QStringLiteral(".txt")));
        QCOMPARE(txt.count("\r\n"), 2);
        QVERIFY(txt.contains("\"A\""));
        QCOMPARE(LeerFichero(carpeta.filePath(base + QStringLiteral(".csv"))).count("\r\n"), 2);
    }
};

QTEST_MAIN(PruebaProblemas)
#include "PruebaProblemas.moc"
