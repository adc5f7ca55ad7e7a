// The datum grid windows driven as a person would, under the regional
// settings the test runs with and under Spanish ones (decimal comma): typed
// text without filters, the longitude's sign from the options, the decimal
// results in the regional separator and the sexagesimal ones with a point,
// the ED50 check, points outside the grid, a damaged grid, "Borrar" and the
// file buttons with scripted dialogs (the grid dialog too).
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "Comun.h"
#include "Geo_rejilla_ed2et.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "geo_rejilla_et2ed.h"

using namespace tesmaro;

namespace {

QString Q(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

// What the windows write for a shift result in seconds: the fixed pattern in
// the regional separator.
QString Grados(double segundos) { return Q(TextoFormato(segundos / 3600, "##.000000000")); }
// The text as a number whatever the separator.
double Numero(const QString& texto) { return LeerNumero(Normalizar(texto.toStdString())); }

void EscribirFichero(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray LeerFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct DialogosGuionados {
    QString puntos;
    QString rejilla;
    int vistosRejilla = 0;
    DialogosLote::GanchoDialogo anterior;
    DialogosGuionados() {
        anterior = DialogosLote::FijarGanchoDialogo([this](const DialogoFichero&, bool esRejilla) {
            if (esRejilla) ++vistosRejilla;
            return esRejilla ? rejilla : puntos;
        });
    }
    ~DialogosGuionados() { DialogosLote::FijarGanchoDialogo(anterior); }
};

}  // namespace

class PruebaRejillas : public QObject {
    Q_OBJECT

    QString carpetaInicial;
    QString rutaRejilla;  // the shipped grid, absolute

private slots:
    void initTestCase() {
        carpetaInicial = QDir::currentPath();
        rutaRejilla = QFileInfo(QString::fromStdString(RutaRejillaVentanas())).absoluteFilePath();
        if (!QFileInfo::exists(rutaRejilla)) QSKIP("sped2et.gsb is not in the build tree's data folder");
    }
    void init() { prueba::Restablecer(); }
    void cleanup() {
        QDir::setCurrent(carpetaInicial);
        prueba::Restablecer();
    }

    void Disenio() {
        Geo_rejilla_ed2et a;
        const QString titulo = QStringLiteral("Transformación de DATUM por rejilla NTv2 con modelado de distorsión");
        QCOMPARE(a.Label_Titulo->text(), titulo);
        QCOMPARE(a.windowTitle(), QStringLiteral("Transformación Datum ED50-Datum ETRS89"));
        QCOMPARE(a.Frame2->title(), QStringLiteral("Coordenadas Geodésicas  ED50  (Entrada Datos)"));
        QCOMPARE(a.Frame5->title(), QStringLiteral("Longitud (dd.ddddddd)"));
        QCOMPARE(a.Frame4->title(), QStringLiteral("Latitud (dd.ddddddd)"));
        QCOMPARE(a.Frame1->title(), QStringLiteral("Coordenadas ETRS89"));
        QCOMPARE(a.Frame6->title(), QStringLiteral("Coordenadas ED50"));
        QCOMPARE(a.Label1->text(), QStringLiteral("Longitud"));
        QCOMPARE(a.Label2->text(), QStringLiteral("Latitud"));
        QCOMPARE(a.Label5->text(), QStringLiteral("Longitud"));
        QCOMPARE(a.Label7->text(), QStringLiteral("Latitud"));
        QCOMPARE(a.Fichero->text(), QStringLiteral("Transformación de ficheros de puntos"));
        QCOMPARE(a.Long_opt->checkedId(), 0);  // "Este"
        QCOMPARE(a.Lat_Opt->checkedId(), 0);
        QVERIFY(a.Frame_Fich->isHidden());
        QVERIFY(a.Frame_Gra->isHidden());
        QVERIFY(a.Label_Fuera->isHidden());
        // The hidden panel's box is filtered as a decimal box.
        a.LMCH_Fich->setText(QStringLiteral("1,5"));
        QCOMPARE(a.LMCH_Fich->text(), QStringLiteral("1.5"));

        geo_rejilla_et2ed b;
        QCOMPARE(b.Label_Titulo->text(), titulo);
        QCOMPARE(b.windowTitle(), QStringLiteral("Transformación Datum ETRS89-Datum ED50"));
        QCOMPARE(b.Frame1->title(), QStringLiteral("Coordenadas Geodésicas  ETRS89  (Entrada Datos)"));
        QCOMPARE(b.Frame2->title(), QStringLiteral("Coordenadas ED50"));
        QCOMPARE(b.Label3->text(), QStringLiteral("Latitud"));
        QCOMPARE(b.Label4->text(), QStringLiteral("Longitud"));
        QCOMPARE(b.Long_opt->checkedId(), 1);  // "Oeste"
        QCOMPARE(b.Lat_Opt->checkedId(), 0);
    }

    // ED50 to ETRS89 at 0.5° E 39.5° N: unfiltered typing, the comma made a
    // point by "Calcular", the results of the grid in the regional separator,
    // the sexagesimal texts with a point, and the check back to ED50.
    void ED50aETRS89() {
        prueba::Mensajes mensajes;
        Geo_rejilla_ed2et v;
        QVERIFY(prueba::Mostrar(&v));
        prueba::Teclear(v.Long1t, QStringLiteral("0,5"));
        prueba::Teclear(v.Lat1t, QStringLiteral("39,5"));
        QCOMPARE(v.Lat1t->text(), QStringLiteral("39,5"));  // no filter
        v.Calcular->click();
        QCOMPARE(v.Long1t->text(), QStringLiteral("0.5"));
        QCOMPARE(v.Lat1t->text(), QStringLiteral("39.5"));
        const Rejilla rejilla(rutaRejilla.toStdString());
        const PuntoRejilla p = rejilla.ED50aETRS89(0.5 * 3600, 39.5 * 3600);
        QVERIFY(p.dentro);
        QCOMPARE(v.LoET89->text(), Grados(p.lon));
        QCOMPARE(v.LaET89->text(), Grados(p.lat));
        QVERIFY(v.LoET89->text().startsWith(QString(QLatin1Char(SeparadorDecimal())) + QStringLiteral("49")));
        QCOMPARE(v.LoET89->text().contains(QLatin1Char(',')), SeparadorDecimal() == ',');
        QCOMPARE(v.LOET89gms->text(), Q(FormatoSexagesimal(Numero(Grados(p.lon)), "Long1")));
        QCOMPARE(v.LAET89GMS->text(), Q(FormatoSexagesimal(Numero(Grados(p.lat)), "Lat1")));
        QVERIFY(v.LOET89gms->text().startsWith(QStringLiteral("0º 29' 5")));
        QVERIFY(v.LOET89gms->text().endsWith(QStringLiteral("'' E")));
        QVERIFY(v.LAET89GMS->text().startsWith(QStringLiteral("39º 29' 5")));
        QVERIFY(!v.LAET89GMS->text().contains(QLatin1Char(',')));
        // ETRS89 lies 3" to 5" south-west of ED50 in eastern Spain.
        QVERIFY(Numero(v.LaET89->text()) - 39.5 < -3.0 / 3600 && Numero(v.LaET89->text()) - 39.5 > -5.0 / 3600);
        QVERIFY(Numero(v.LoET89->text()) - 0.5 < -3.0 / 3600 && Numero(v.LoET89->text()) - 0.5 > -6.0 / 3600);
        // The check returns the typed point to the nine decimals shown.
        QCOMPARE(v.LoED50->text(), Q(TextoFormato(0.5, "##.000000000")));
        QCOMPARE(v.LaED50->text(), Q(TextoFormato(39.5, "##.000000000")));
        QVERIFY(v.Label_Fuera->isHidden());
        QVERIFY(mensajes.textos.isEmpty());

        // "Borrar" keeps the check.
        v.Limpiar->click();
        for (QLineEdit* caja : {v.LaET89, v.LoET89, v.Long1t, v.Lat1t, v.LOET89gms, v.LAET89GMS})
            QVERIFY(caja->text().isEmpty());
        QCOMPARE(v.LaED50->text(), Q(TextoFormato(39.5, "##.000000000")));
        v.Calcular->click();  // empty boxes: nothing
        QVERIFY(v.LaET89->text().isEmpty());
    }

    // The longitude's sign is the option's, whatever was typed; the latitude
    // options are not read.
    void SignoLongitud_data() {
        QTest::addColumn<bool>("haciaED50");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("opcion");  // -1: as at load
        QTest::addColumn<double>("longitud");
        QTest::newRow("ED50 0.5 Este de carga") << false << "0.5" << -1 << 0.5;
        QTest::newRow("ED50 -0.5 con Este") << false << "-0.5" << -1 << 0.5;
        QTest::newRow("ED50 0.5 con Oeste") << false << "0.5" << 1 << -0.5;
        QTest::newRow("ETRS89 0.5 Oeste de carga") << true << "0.5" << -1 << -0.5;
        QTest::newRow("ETRS89 -0.5 con Este") << true << "-0.5" << 0 << 0.5;
    }
    void SignoLongitud() {
        QFETCH(bool, haciaED50);
        QFETCH(QString, texto);
        QFETCH(int, opcion);
        QFETCH(double, longitud);
        const Rejilla rejilla(rutaRejilla.toStdString());
        if (haciaED50) {
            geo_rejilla_et2ed v;
            v.Long1et->setText(texto);
            v.Lat1et->setText(QStringLiteral("40"));
            if (opcion >= 0) v.Long_opt->button(opcion)->click();
            v.Lat_Opt->button(1)->click();  // not read
            v.Calcular->click();
            const PuntoRejilla p = rejilla.ETRS89aED50(longitud * 3600, 40 * 3600);
            QCOMPARE(v.LoED50->text(), Grados(p.lon));
            QCOMPARE(v.LaED50->text(), Grados(p.lat));
            QCOMPARE(v.LOED50GMS->text(), Q(FormatoSexagesimal(Numero(Grados(p.lon)), "Long1")));
            QCOMPARE(v.LAED50GMS->text(), Q(FormatoSexagesimal(Numero(Grados(p.lat)), "Lat1")));
            // ED50 lies north-east of ETRS89.
            QVERIFY(Numero(v.LaED50->text()) > 40);
        } else {
            Geo_rejilla_ed2et v;
            v.Long1t->setText(texto);
            v.Lat1t->setText(QStringLiteral("40"));
            if (opcion >= 0) v.Long_opt->button(opcion)->click();
            v.Calcular->click();
            const PuntoRejilla p = rejilla.ED50aETRS89(longitud * 3600, 40 * 3600);
            QCOMPARE(v.LoET89->text(), Grados(p.lon));
            QVERIFY((Numero(v.LoET89->text()) > 0) == (longitud > 0));
        }
    }

    // Outside the grid: zero results, zero sexagesimal texts, no message, and
    // the notice in the window until a point inside is computed.
    void FueraDeRejilla() {
        prueba::Mensajes mensajes;
        Geo_rejilla_ed2et a;
        a.Long1t->setText(QStringLiteral("20"));
        a.Lat1t->setText(QStringLiteral("10"));
        a.Calcular->click();
        QCOMPARE(a.LoET89->text(), Q(TextoFormato(0, "##.000000000")));
        QCOMPARE(a.LaET89->text(), Q(TextoFormato(0, "##.000000000")));
        QCOMPARE(a.LOET89gms->text(), QStringLiteral("0º 0' 0.000000'' E"));
        QCOMPARE(a.LAET89GMS->text(), QStringLiteral("0º 0' 0.000000'' N"));
        QCOMPARE(a.LoED50->text(), Q(TextoFormato(0, "##.000000000")));
        QVERIFY(!a.Label_Fuera->isHidden());
        QVERIFY(a.Label_Fuera->text().contains(QStringLiteral("fuera de la rejilla")));
        QVERIFY(mensajes.textos.isEmpty());
        a.Long1t->setText(QStringLiteral("-3"));
        a.Lat1t->setText(QStringLiteral("40"));
        a.Calcular->click();
        QVERIFY(a.Label_Fuera->isHidden());

        // Text that is not a number reads 0, which lies outside.
        geo_rejilla_et2ed b;
        b.Long1et->setText(QStringLiteral("abc"));
        b.Lat1et->setText(QStringLiteral("xyz"));
        b.Calcular->click();
        QCOMPARE(b.LoED50->text(), Q(TextoFormato(0, "##.000000000")));
        QCOMPARE(b.LOED50GMS->text(), QStringLiteral("0º 0' 0.000000'' E"));
        QCOMPARE(b.LAED50GMS->text(), QStringLiteral("0º 0' 0.000000'' N"));
        QVERIFY(!b.Label_Fuera->isHidden());
        b.Limpiar->click();
        QVERIFY(b.Label_Fuera->isHidden());
        for (QLineEdit* caja : {b.LaED50, b.LoED50, b.Long1et, b.Lat1et, b.LOED50GMS, b.LAED50GMS})
            QVERIFY(caja->text().isEmpty());
        QVERIFY(mensajes.textos.isEmpty());
    }

    // A damaged sped2et.gsb in the current folder is taken first and refused
    // with a message that names it; the results stay as they were.
    void RejillaDanada() {
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        EscribirFichero(carpeta.filePath(QStringLiteral("sped2et.gsb")), QByteArray("no es una rejilla NTv2"));
        QVERIFY(QDir::setCurrent(carpeta.path()));
        prueba::Mensajes mensajes;
        geo_rejilla_et2ed v;
        v.LoED50->setText(QStringLiteral("antes"));
        v.Long1et->setText(QStringLiteral("3"));
        v.Lat1et->setText(QStringLiteral("40"));
        v.Calcular->click();
        QCOMPARE(mensajes.textos.size(), 1);
        QVERIFY(mensajes.textos[0].contains(QStringLiteral("sped2et.gsb")));
        QVERIFY(mensajes.criticos[0]);
        QCOMPARE(v.LoED50->text(), QStringLiteral("antes"));
        Geo_rejilla_ed2et w;
        w.Long1t->setText(QStringLiteral("3"));
        w.Lat1t->setText(QStringLiteral("40"));
        w.Calcular->click();
        QCOMPARE(mensajes.textos.size(), 2);
        QVERIFY(w.LoET89->text().isEmpty());
    }

    // Under Spanish regional settings: -0.25° shows as "-,250000000" in the
    // decimal boxes (here the result of the grid, near -0.2512°), while the
    // sexagesimal texts keep the point.
    void ComaEspanola() {
        prueba::Localizacion es("es_ES.UTF-8");
        if (!es.valida()) QSKIP("es_ES.UTF-8 is not installed");
        QCOMPARE(SeparadorDecimal(), ',');
        Geo_rejilla_ed2et v;
        v.Long1t->setText(QStringLiteral("0.25"));
        v.Long_opt->button(1)->click();
        v.Lat1t->setText(QStringLiteral("39.5"));
        v.Calcular->click();
        QVERIFY(v.LoET89->text().startsWith(QStringLiteral("-,25")));
        QVERIFY(v.LaET89->text().startsWith(QStringLiteral("39,49")));
        QVERIFY(!v.LoET89->text().contains(QLatin1Char('.')));
        QVERIFY(v.LOET89gms->text().startsWith(QStringLiteral("0º 15' ")));
        QVERIFY(v.LOET89gms->text().endsWith(QStringLiteral("'' W")));
        QVERIFY(v.LOET89gms->text().contains(QLatin1Char('.')));
        QVERIFY(!v.LOET89gms->text().contains(QLatin1Char(',')));
        QCOMPARE(v.LoED50->text(), QStringLiteral("-,250000000"));
        QCOMPARE(v.LaED50->text(), QStringLiteral("39,500000000"));
        // The typed comma still becomes a point in the input box.
        v.Lat1t->setText(QStringLiteral("39,5"));
        v.Calcular->click();
        QCOMPARE(v.Lat1t->text(), QStringLiteral("39.5"));
        QCOMPARE(v.LaED50->text(), QStringLiteral("39,500000000"));
    }

    // The file buttons: the hint, the point-file and grid dialogs, result
    // files beside the input.
    void Ficheros_data() {
        QTest::addColumn<bool>("haciaED50");
        QTest::addColumn<QString>("pista");
        QTest::addColumn<QString>("base");
        QTest::newRow("ED50 a ETRS89") << false << Q(textos::PistaED50aETRS89)
                                       << QString::fromStdString(NombreBase(codigo::ED50aETRS89));
        QTest::newRow("ETRS89 a ED50") << true << Q(textos::PistaETRS89aED50)
                                       << QString::fromStdString(NombreBase(codigo::ETRS89aED50));
    }
    void Ficheros() {
        QFETCH(bool, haciaED50);
        QFETCH(QString, pista);
        QFETCH(QString, base);
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QString entrada = carpeta.filePath(QStringLiteral("puntos.tiv"));
        EscribirFichero(entrada, "Punto,Longitud,Latitud\r\nA,-3.5,40.25\r\nB,1.5,41.5\r\n");
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        dialogos.puntos = entrada;
        dialogos.rejilla = rutaRejilla;
        Geo_rejilla_ed2et a;
        geo_rejilla_et2ed b;
        (haciaED50 ? b.Fichero : a.Fichero)->click();
        QCOMPARE(dialogos.vistosRejilla, 1);
        QVERIFY(mensajes.textos.size() >= 2);
        QCOMPARE(mensajes.textos[0], pista);
        QVERIFY(mensajes.textos.contains(Q(textos::FicherosSalida) + base + QStringLiteral(".txt,") + base +
                                         QStringLiteral(".csv")));
        const QByteArray txt = LeerFichero(carpeta.filePath(base + QStringLiteral(".txt")));
        QCOMPARE(txt.count("\r\n"), 3);
        QVERIFY(txt.contains("\"A\""));
        QVERIFY(txt.contains("\"B\""));
        QCOMPARE(LeerFichero(carpeta.filePath(base + QStringLiteral(".csv"))).count("\r\n"), 3);
    }

    // The hidden panel's "Aceptar" runs the geographic-to-UTM ETRS89 file
    // conversion without a hint.
    void PanelOculto() {
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QString entrada = carpeta.filePath(QStringLiteral("geo.tiv"));
        EscribirFichero(entrada, "Punto,Longitud,Latitud,Huso,Hemisferio\r\nA,-3,40,30,N\r\n");
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        dialogos.puntos = entrada;
        Geo_rejilla_ed2et v;
        v.Frame_Fich->show();
        v.Command1->click();
        QVERIFY(v.Frame_Fich->isHidden());
        const QString nombre = QString::fromStdString(NombreBase(codigo::GeoUtmETRS89));
        QCOMPARE(mensajes.textos, QStringList{Q(textos::FicherosSalida) + nombre + QStringLiteral(".txt,") + nombre +
                                              QStringLiteral(".csv")});
        QVERIFY(QFileInfo::exists(carpeta.filePath(nombre + QStringLiteral(".txt"))));
        v.Frame_Fich->show();
        v.Command2->click();
        QVERIFY(v.Frame_Fich->isHidden());
    }
};

QTEST_MAIN(PruebaRejillas)
#include "PruebaRejillas.moc"
