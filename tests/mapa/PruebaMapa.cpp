// The map of points: where each kind of record places its points, the
// pixels the drawing puts them on, the thinning, the memory of a million
// points, and tesmaro-lote --mapa.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "Conversiones.h"
#include "Lote.h"
#include "Puntos.h"

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
    // Each conversion's record places its points, in degrees whatever the
    // unit of the run; a line not converted takes its input's position when
    // the input is longitude and latitude.
    void Posiciones_data() {
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<int>("unidad");
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<QVector<Esperado>>("esperados");
        QTest::newRow("ed50-etrs89") << "ed50-etrs89" << 1 << QByteArray("h\nA,-3,40\n\nC,20,20\nD,abc,40\n")
                                     << QVector<Esperado>{{-3.00128923510181, 39.9988096681833, C}, {20, 20, N}};
        // Zone 30 east of Greenwich (Mallorca): the point converted, at 3° E;
        // a zone outside 27..31 is drawn at its input, not converted.
        QTest::newRow("geo-utm") << "geo-utm-etrs89" << 1 << QByteArray("h\nMallorca,3,39.5,30,N\nS,1,40,40,N\n")
                                 << QVector<Esperado>{{3, 39.5, C}, {1, 40, N}};
        QTest::newRow("geo-cart grads") << "geo-cart" << 2 << QByteArray("h\nP,0,0,0\nK,300,50,0\n")
                                        << QVector<Esperado>{{0, 0, C}, {270, 45, N}};
        QTest::newRow("directo radianes, su B") << "directo" << 3 << QByteArray("h\nD,0.1,0.7,1,0\n")
                                                << QVector<Esperado>{{5.729577951308232, 40.10704565915762, C}};
        QTest::newRow("inverso, A y B") << "inverso" << 1 << QByteArray("h\nI,-0.4,39.5,-0.39,39.51\nL,-0.4,39.5,179.1,-39.5\n")
                                        << QVector<Esperado>{{-0.4, 39.5, C}, {-0.39, 39.51, C}, {-0.4, 39.5, N}, {179.1, -39.5, N}};
        QTest::newRow("utm-geo sin posición de entrada") << "utm-geo-etrs89" << 1 << QByteArray("h\nU,500000,4400000,31,N\nV,x,2,31,N\n")
                                                         << QVector<Esperado>{{3, 39.7499075, C}};
    }
    void Posiciones() {
        QFETCH(QString, conversion);
        QFETCH(int, unidad);
        QFETCH(QByteArray, entrada);
        QFETCH(QVector<Esperado>, esperados);
        const Conversion& c = *BuscarConversion(conversion.toStdString());
        QVector<Esperado> leidos;
        class Recoger final : public Sumidero {
        public:
            Recoger(const Conversion& c, QVector<Esperado>& l) : c_(c), l_(l) {}
            bool Empezar(const ContextoLote&, Salidas&, std::string&) override { return true; }
            bool Recibir(std::span<const RegistroPunto> rs, const Preparado&) override {
                for (const RegistroPunto& r : rs) PuntosDeRegistro(c_, r, [&](const PuntoMapa& p) { l_.append({p.lon, p.lat, p.tipo}); });
                return true;
            }
            bool Terminar(ObservadorLote&, std::string&) override { return true; }
        private:
            const Conversion& c_;
            QVector<Esperado>& l_;
        } recoger(c, leidos);
        Sumidero* const otras[] = {&recoger};
        OrdenLote orden;
        orden.conversion = &c;
        orden.entrada = Fichero("e.txt", entrada);
        orden.unidad = std::int16_t(unidad);
        orden.rutaRejilla = REJILLA;
        orden.textos = false;
        ObservadorLote nadie;
        QVERIFY(EjecutarLote(orden, otras, nadie).error.empty());
        QCOMPARE(leidos.size(), esperados.size());
        for (int i = 0; i < leidos.size(); ++i) {
            // 1e-7° (1 cm): the expected positions are written to 7 decimals.
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

    // A run of a million points with its map: the points wait on disk, so
    // the peak memory grows by far less than an array of them would take.
    void MillonDePuntos() {
        const QString ruta = dir_.filePath(QStringLiteral("millon.txt"));
        std::FILE* f = std::fopen(ruta.toLocal8Bit().constData(), "w");
        std::fputs("Punto\n", f);
        for (int i = 0; i < 1000000; ++i) std::fprintf(f, "P%d,%.7f,%.7f,30\n", i, -9 + (i % 997) * 0.012, 36 + (i % 991) * 0.008);
        std::fclose(f);
        auto correr = [&](const QString& entrada) {
            const std::unique_ptr<Sumidero> mapa = CrearSalidaMapa(dir_.filePath(QStringLiteral("m.png")).toStdString());
            Sumidero* const otras[] = {mapa.get()};
            OrdenLote orden;
            orden.conversion = BuscarConversion("geo-utm-etrs89");
            orden.entrada = entrada.toStdString();
            orden.textos = false;
            orden.hilos = 1;
            ObservadorLote nadie;
            return EjecutarLote(orden, otras, nadie);
        };
        correr(QString::fromStdString(Fichero("uno.txt", "h\nA,-3,40,30\n")));
        const long antes = PicoKiB();
        const ResumenLote r = correr(ruta);
        QVERIFY(r.error.empty());
        QCOMPARE(r.otras.at(0), "Mapa: " + dir_.filePath(QStringLiteral("m.png")).toStdString() + " (1000000 puntos)");
        // 16 MiB: a block of lines, the image and bitmaps (2 MiB) and
        // allocator slack, against 16 MB for the points alone.
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

};

QTEST_MAIN(PruebaMapa)
#include "PruebaMapa.moc"
