// The map of points: positions read from each kind of result, the pixels the
// drawing puts them on, the thinning, the memory of a million points,
// tesmaro-lote --mapa, and the window (zoom, fit, hover, export).
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "MapaPuntos.h"
#include "Puntos.h"
#include "TratarFichero.h"

using namespace tesmaro;

namespace {

constexpr auto C = TipoPunto::Convertido;
constexpr auto N = TipoPunto::NoConvertido;
struct Esperado {
    double lon, lat;
    TipoPunto tipo;
};

}  // namespace
Q_DECLARE_METATYPE(QVector<Esperado>)
namespace {

// The equirectangular projection of Mapa.h stated from its geometry: a
// degree of longitude is cos 40° of a degree of latitude, north up.
QPoint Pixel(const VistaMapa& v, double lon, double lat) {
    const double k = std::cos(40.0 * std::numbers::pi / 180) * v.escala;
    return QPoint(int(std::floor(v.ancho / 2.0 + (lon - v.lon) * k)), int(std::floor(v.alto / 2.0 - (lat - v.lat) * v.escala)));
}

long PicoKiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

}  // namespace

class PruebaMapa : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Fichero(const QString& nombre, const QByteArray& texto) {
        QFile f(dir_.filePath(nombre));
        f.open(QIODevice::WriteOnly);
        f.write(texto);
        return f.fileName().toStdString();
    }

private slots:
    // Each conversion's result gives its points; a line not converted takes
    // its input's position when the input is longitude and latitude.
    void Posiciones_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("unidad");
        QTest::addColumn<QByteArray>("resultado");
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<QVector<Esperado>>("esperados");
        QTest::newRow("ed50-etrs89") << int(codigo::ED50aETRS89) << 1
                                     << QByteArray("\"N\",\"Lon\",\"Lat\",\"H\"\n\"A\",-3,40,30\n\"C\",,,\n\"D\",,,\n")
                                     << QByteArray("h\nA,-3.001,40.001\n\nC,-4,39.5\nD,abc,40\n")
                                     << QVector<Esperado>{{-3, 40, C}, {-4, 39.5, N}};
        // A zone outside 27..31 has no record: the input is read past it.
        QTest::newRow("geo-utm") << int(codigo::GeoUtmETRS89) << 1
                                 << QByteArray("h\n\"G1\",500855.22559,4196516.72194,29,\"Norte\",0,1\n\"L\",,,,,,\n")
                                 << QByteArray("h\nG1,-8.99,37.9,29,N\nS,1,1,40,N\nL,-5,38,30,N\n")
                                 << QVector<Esperado>{{-8.99, 37.9, C}, {-5, 38, N}};
        QTest::newRow("geo-utm sin entrada") << int(codigo::GeoUtmETRS89) << 1
                                             << QByteArray("h\n\"P1\",714960.69593,4375248.58024,30,\"Norte\",1,1\n\"L\",,,,,,\n")
                                             << QByteArray() << QVector<Esperado>{{-0.5, 39.5, C}};
        QTest::newRow("geo-cart grads") << int(codigo::GeoCart) << 2
                                        << QByteArray("h\n\"P\",6378137,0,0,6378137,298.257223563\n\"K\",,,,6378137,298.257223563\n")
                                        << QByteArray("h\nP,0,0,0\nK,100,50,0\n") << QVector<Esperado>{{0, 0, C}, {90, 45, N}};
        QTest::newRow("directo radianes") << int(codigo::Directo) << 3 << QByteArray("h\n\"D\",0.1,0.7,1,6378137,298.257223563\n")
                                          << QByteArray() << QVector<Esperado>{{5.729577951308232, 40.10704565915762, C}};
        QTest::newRow("inverso, A y B") << int(codigo::Inverso) << 1
                                        << QByteArray("h\n\"I\",-0.4,39.5,12,1000,-0.39,39.51,192,6378137,298\n"
                                                      "\"L\",-0.4,39.5,,,179.1,39.5,,6378137,298\n")
                                        << QByteArray()
                                        << QVector<Esperado>{{-0.4, 39.5, C}, {-0.39, 39.51, C}, {-0.4, 39.5, N}, {179.1, 39.5, N}};
        QTest::newRow("utm-geo sin posición de entrada") << int(codigo::UtmGeoETRS89) << 1
                                                         << QByteArray("h\n\"U\",6.5,42.5,31\n\"V\",,,\n")
                                                         << QByteArray("h\nU,1,2,31,N\nV,1,2,31,N\n") << QVector<Esperado>{{6.5, 42.5, C}};
    }
    void Posiciones() {
        QFETCH(int, codigo);
        QFETCH(int, unidad);
        QFETCH(QByteArray, resultado);
        QFETCH(QByteArray, entrada);
        QFETCH(QVector<Esperado>, esperados);
        const FuentePuntos f{std::int16_t(codigo), Fichero("r.txt", resultado),
                             entrada.isEmpty() ? std::string() : Fichero("e.txt", entrada), std::int16_t(unidad)};
        QVector<Esperado> leidos;
        QVERIFY(RecorrerPuntos(f, [&](const PuntoLeido& p) { leidos.append({p.lon, p.lat, p.tipo}); }));
        QCOMPARE(leidos.size(), esperados.size());
        for (int i = 0; i < leidos.size(); ++i) {
            // 1e-7° (1 cm): the UTM and geocentric inverses are good to a millimetre.
            QVERIFY2(std::fabs(leidos[i].lon - esperados[i].lon) < 1e-7 && std::fabs(leidos[i].lat - esperados[i].lat) < 1e-7,
                     qPrintable(QStringLiteral("punto %1: %2 %3").arg(i).arg(leidos[i].lon, 0, 'g', 15).arg(leidos[i].lat, 0, 'g', 15)));
            QCOMPARE(int(leidos[i].tipo), int(esperados[i].tipo));
        }
    }

    // Converted and unconverted points land on the pixels the projection
    // gives, in their colours; the thinning draws each pixel once per kind.
    void PixelesYAclarado() {
        VistaMapa v;
        v.lon = -3, v.lat = 40, v.escala = 100, v.ancho = 400, v.alto = 300;
        struct Caso { double lon, lat; TipoPunto tipo; };
        const Caso casos[] = {{-3, 40, C}, {-2, 41, C}, {-4, 39.5, N}, {-3.5, 40.6, N}};
        QImage imagen(400, 300, QImage::Format_RGB32);
        imagen.fill(Qt::white);
        Punteador punteador(imagen, v);
        for (const Caso& c : casos)
            for (int copia = 0; copia < 1000; ++copia)  // a thousand on the same spot, within the pixel
                punteador.Poner(c.lon + copia * 1e-7, c.lat, c.tipo);
        QVERIFY(!punteador.Poner(200, 40, C));  // off the image
        punteador.Terminar();
        QCOMPARE(punteador.Dibujados(), std::uint64_t(std::size(casos)));
        for (const Caso& c : casos) QCOMPARE(QColor(imagen.pixel(Pixel(v, c.lon, c.lat))), ColorPunto(c.tipo));
        QCOMPARE(QColor(imagen.pixel(Pixel(v, -3, 40) + QPoint(3, 3))), QColor(Qt::white));
    }

    // A million points are streamed: the peak memory grows by far less than
    // the file (40 MB) or an array of its points would take.
    void MillonDePuntos() {
        const QString ruta = dir_.filePath(QStringLiteral("millon.txt"));
        std::FILE* f = std::fopen(ruta.toLocal8Bit().constData(), "w");
        std::fputs("\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\n", f);
        for (int i = 0; i < 1000000; ++i) std::fprintf(f, "\"P%d\",%.7f,%.7f,30\n", i, -9 + (i % 997) * 0.012, 36 + (i % 991) * 0.008);
        std::fclose(f);
        DibujarResultado({codigo::UtmGeoETRS89, Fichero("uno.txt", "h\n\"A\",-3,40,30\n"), {}, 1}, QSize(800, 600));
        const long antes = PicoKiB();
        CuentaPuntos cuenta;
        const QImage imagen = DibujarResultado({codigo::UtmGeoETRS89, ruta.toStdString(), {}, 1}, QSize(800, 600), &cuenta);
        QCOMPARE(cuenta.convertidos, std::uint64_t(1000000));
        QVERIFY(cuenta.dibujados < 800 * 600);
        // 16 MiB: the line buffer (1 MiB), the image and bitmaps (2 MiB) and
        // allocator slack, against 40 MB for the file's text.
        QVERIFY2(PicoKiB() - antes < 16 * 1024, qPrintable(QString::number(PicoKiB() - antes)));
    }

    // tesmaro-lote --mapa: a PNG of 1200 x 900 fitted to the points (the box's
    // centre in the middle, 24 px to spare on the tighter side).
    void LoteMapa() {
        Fichero("p.txt", "Punto,Lon,Lat\nP1,-3.7,40.4\nFuera,20,20\n");
        QProcess p;
        p.setWorkingDirectory(dir_.path());
        p.start(TESMARO_LOTE, {"ed50-etrs89", "p.txt", "--rejilla", REJILLA, "--mapa", "m.png"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 3);  // one line outside the grid
        QVERIFY(p.readAllStandardError().contains("Mapa: m.png (2 puntos)"));
        const QImage png(dir_.filePath(QStringLiteral("m.png")));
        QCOMPARE(png.size(), QSize(1200, 900));
        VistaMapa v;
        v.ancho = 1200, v.alto = 900, v.lon = (-3.7 + 20) / 2, v.lat = 30.2, v.escala = (900 - 48) / 20.4;
        // The datum shift (about 100 m) is a few hundredths of a pixel here.
        QCOMPARE(QColor(png.pixel(Pixel(v, -3.7, 40.4))), ColorPunto(C));
        QCOMPARE(QColor(png.pixel(Pixel(v, 20, 20))), ColorPunto(N));
    }

    // The window: fit contains every point, the wheel zooms about the cursor,
    // hovering names a point, export writes the view.
    void Ventana() {
        MapaPuntos::MostrarFichero(codigo::ED50aETRS89, QString::fromStdString(Fichero("v.txt", "\"Nombre\",\"Lon\",\"Lat\",\"Huso\"\n\"A\",-3,40,30\n\"B\",2.5,39.6,31\n\"C\",,,\n")),
                                   QString::fromStdString(Fichero("ve.txt", "h\nA,0,0\nB,0,0\nC,-8,43\n")));
        MapaPuntos::PonerPunto(QStringLiteral("Geodésicas a U.T.M."), QStringLiteral("Calculado"), -0.5, 37.2, QStringLiteral("X: 1"));
        MapaPuntos m;
        m.resize(700, 500);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.AjustarAPuntos();
        const QRect lienzo = m.Lienzo()->rect();
        for (const auto& [lon, lat] : {std::pair{-3.0, 40.0}, {2.5, 39.6}, {-8.0, 43.0}, {-0.5, 37.2}})
            QVERIFY(lienzo.contains(m.Vista().APixel(lon, lat).toPoint()));
        QVERIFY(m.TextoEn(m.Vista().APixel(-3, 40)).contains(QStringLiteral("Nombre: A")));
        QVERIFY(m.TextoEn(m.Vista().APixel(-8, 43)).contains(QStringLiteral("Lon: —")));
        QVERIFY(m.TextoEn(m.Vista().APixel(-0.5, 37.2)).contains(QStringLiteral("Calculado\nX: 1")));
        QVERIFY(m.TextoEn(QPointF(1, 1)).isEmpty());

        const double escala = m.Vista().escala;
        const QPointF cursor(100, 80);
        const QPointF bajo = m.Vista().AGeograficas(cursor);
        QWheelEvent rueda(cursor, m.Lienzo()->mapToGlobal(cursor), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m.Lienzo(), &rueda);
        QCOMPARE(m.Vista().escala, escala * 1.25 * 1.25);  // two notches
        QVERIFY(QLineF(m.Vista().AGeograficas(cursor), bajo).length() < 1e-9);

        const QString png = dir_.filePath(QStringLiteral("exportado.png"));
        QVERIFY(m.ExportarPng(png));
        QCOMPARE(QImage(png).size(), m.Lienzo()->size());
        MapaPuntos::Olvidar();
    }
};

QTEST_MAIN(PruebaMapa)
#include "PruebaMapa.moc"
