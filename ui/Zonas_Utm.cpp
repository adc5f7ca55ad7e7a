#include "Zonas_Utm.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Rejilla.h"
#include "Utm.h"

namespace tesmaro {

namespace {

// The map's frame: UTM zone 30 ETRS89, metres.
constexpr double XMin = -100000, XMax = 1450000;
constexpr double YMin = 3905000, YMax = 4900000;

// The extended part of zone 30 (Shape1), degrees.
constexpr double ExtLonMin = 0.0, ExtLonMax = 1.6, ExtLatMin = 38.4, ExtLatMax = 41.0;

struct PuntoGreenwich {
    double x, y;
    const char* etiqueta;
};
// Easting and northing in ETRS89 zone 30 of four points of the Greenwich
// meridian between latitudes 38.6° and 40.8°.
const PuntoGreenwich Greenwich[] = {
    {753344, 4513277, "753344; 4513277"},
    {756348, 4424701, "756348; 4424701"},
    {760287, 4306298, "760287; 4306298"},
    {761156, 4279788, "761156; 4279788"},
};

bool Proyectar(double lon, double lat, QPointF& punto) {
    if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lon) > 30 || std::fabs(lat) > 80) return false;
    const ResultadoUtm r = GeodesicasAUtm(lon, lat, 30, Datum::ETRS89);
    if (r.estado != Estado::Correcto || !std::isfinite(r.X) || !std::isfinite(r.Y)) return false;
    punto = QPointF(r.X, r.Y);
    return true;
}

// The coastline is the installed file coast.geojson of the program's data
// folder (the build tree's data/ when run from it), which a user may replace
// (its licence asks that this stays possible); without it the map shows the
// zones alone.
QByteArray DatosMapa() {
    const std::string carpeta = CarpetaDatosPrograma();
    if (carpeta.empty()) return {};
    QFile fichero(QDir(QString::fromStdString(carpeta)).filePath(QStringLiteral("coast.geojson")));
    // The map data are small; a file far larger is not ours.
    if (fichero.size() < 16 * 1024 * 1024 && fichero.open(QIODevice::ReadOnly)) return fichero.readAll();
    return {};
}

const Mapa& MapaDelPrograma() {
    static const Mapa mapa = LeerMapa(DatosMapa());
    return mapa;
}

}  // namespace

namespace {

// Position of a point of the box's edge along its perimeter, counter-clockwise
// from the south-west corner; negative when the point is not on the edge.
double PosicionEnBorde(const QPointF& p, const QRectF& caja) {
    constexpr double tolerancia = 1e-6;
    const double w = caja.width(), h = caja.height();
    if (std::fabs(p.y() - caja.top()) < tolerancia) return p.x() - caja.left();               // south
    if (std::fabs(p.x() - caja.right()) < tolerancia) return w + (p.y() - caja.top());        // east
    if (std::fabs(p.y() - caja.bottom()) < tolerancia) return w + h + (caja.right() - p.x()); // north
    if (std::fabs(p.x() - caja.left()) < tolerancia) return 2 * w + h + (caja.bottom() - p.y());  // west
    return -1;
}

double Area(const QVector<QPointF>& anillo) {
    double doble = 0;
    for (qsizetype i = 0; i < anillo.size(); ++i) {
        const QPointF& a = anillo[i];
        const QPointF& b = anillo[(i + 1) % anillo.size()];
        doble += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(doble) / 2;
}

// Closes a line whose two ends lie on the box's edge, along the edge, on the
// side that encloses the smaller area. Empty when an end is not on the edge.
QVector<QPointF> CerrarPorElBorde(const QVector<QPointF>& linea, const QRectF& caja) {
    const double inicio = PosicionEnBorde(linea.front(), caja);
    const double fin = PosicionEnBorde(linea.back(), caja);
    if (inicio < 0 || fin < 0) return {};
    const double w = caja.width(), h = caja.height(), perimetro = 2 * (w + h);
    const QPointF esquinas[4] = {{caja.right(), caja.top()}, {caja.right(), caja.bottom()},
                                 {caja.left(), caja.bottom()}, {caja.left(), caja.top()}};
    const double posiciones[4] = {w, w + h, 2 * w + h, perimetro};
    QVector<QPointF> mejor;
    for (int sentido : {1, -1}) {
        QVector<QPointF> anillo = linea;
        // Corners met going from the end back to the start.
        double recorrido = sentido > 0 ? std::fmod(inicio - fin + perimetro, perimetro)
                                       : std::fmod(fin - inicio + perimetro, perimetro);
        QVector<std::pair<double, QPointF>> encontradas;
        for (int i = 0; i < 4; ++i) {
            const double d = sentido > 0 ? std::fmod(posiciones[i] - fin + perimetro, perimetro)
                                         : std::fmod(fin - std::fmod(posiciones[i], perimetro) + perimetro, perimetro);
            if (d > 0 && d < recorrido) encontradas.append({d, esquinas[i]});
        }
        std::sort(encontradas.begin(), encontradas.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& e : encontradas) anillo.append(e.second);
        if (mejor.isEmpty() || Area(anillo) < Area(mejor)) mejor = anillo;
    }
    // The closing runs along a parallel or a meridian, which the projection
    // curves: steps of a fifth of a degree follow it.
    QVector<QPointF> denso = linea;
    QVector<QPointF> cierre = mejor.mid(linea.size());
    cierre.append(linea.front());
    QPointF desde = linea.back();
    for (const QPointF& hasta : cierre) {
        const int pasos = std::max(1, static_cast<int>(std::ceil(QLineF(desde, hasta).length() / 0.2)));
        for (int k = 1; k < pasos; ++k) denso.append(desde + (hasta - desde) * (double(k) / pasos));
        if (hasta != linea.front()) denso.append(hasta);
        desde = hasta;
    }
    return denso;
}

}  // namespace

Mapa LeerMapa(const QByteArray& geojson) {
    Mapa mapa;
    const QJsonObject raiz = QJsonDocument::fromJson(geojson).object();
    const QJsonArray rasgos = raiz.value(QStringLiteral("features")).toArray();
    const QJsonArray bbox = raiz.value(QStringLiteral("bbox")).toArray();
    QRectF caja;
    if (bbox.size() == 4 && bbox[0].isDouble() && bbox[1].isDouble() && bbox[2].isDouble() && bbox[3].isDouble())
        caja = QRectF(QPointF(bbox[0].toDouble(), bbox[1].toDouble()), QPointF(bbox[2].toDouble(), bbox[3].toDouble()));
    for (const QJsonValue& rasgo : rasgos) {
        const QJsonObject objeto = rasgo.toObject();
        const QJsonObject geometria = objeto.value(QStringLiteral("geometry")).toObject();
        if (geometria.value(QStringLiteral("type")).toString() != QLatin1String("LineString")) continue;
        LineaMapa linea;
        linea.frontera = objeto.value(QStringLiteral("properties")).toObject().value(QStringLiteral("kind")).toString() ==
                         QLatin1String("border");
        QVector<QPointF> grados;
        for (const QJsonValue& par : geometria.value(QStringLiteral("coordinates")).toArray()) {
            const QJsonArray lonLat = par.toArray();
            if (lonLat.size() < 2 || !lonLat[0].isDouble() || !lonLat[1].isDouble()) continue;
            QPointF punto;
            if (Proyectar(lonLat[0].toDouble(), lonLat[1].toDouble(), punto)) {
                linea.puntos.append(punto);
                grados.append(QPointF(lonLat[0].toDouble(), lonLat[1].toDouble()));
            }
        }
        if (linea.puntos.size() < 2) continue;
        if (!linea.frontera && grados.size() >= 3) {
            QVector<QPointF> anillo;
            if (grados.front() == grados.back())
                anillo = grados;
            else if (caja.isValid())
                anillo = CerrarPorElBorde(grados, caja);
            QVector<QPointF> proyectado;
            for (const QPointF& g : anillo) {
                QPointF punto;
                if (Proyectar(g.x(), g.y(), punto)) proyectado.append(punto);
            }
            if (proyectado.size() >= 3) mapa.tierras.append(proyectado);
        }
        mapa.lineas.append(std::move(linea));
    }
    return mapa;
}

const QStringList& Zonas_Utm::EtiquetasGreenwich() {
    static const QStringList etiquetas = [] {
        QStringList l;
        for (const PuntoGreenwich& p : Greenwich) l << QString::fromLatin1(p.etiqueta);
        return l;
    }();
    return etiquetas;
}

Zonas_Utm::Zonas_Utm(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Zonas_Utm"));
    setWindowTitle(QStringLiteral("Zonas U.T.M."));
    setMinimumSize(320, 260);
    mapa_ = MapaDelPrograma();
    for (double lon : {-6.0, 0.0, 6.0}) {
        QVector<QPointF> meridiano;
        for (double lat = 34.0; lat <= 46.0; lat += 0.25) {
            QPointF punto;
            if (Proyectar(lon, lat, punto)) meridiano.append(punto);
        }
        meridianos_.append(meridiano);
    }
}

void Zonas_Utm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(233, 242, 250));

    // Metres to pixels: the frame fills the window, north up, same scale on
    // both axes.
    const double escala = std::min(width() / (XMax - XMin), height() / (YMax - YMin));
    const double margenX = (width() - (XMax - XMin) * escala) / 2;
    const double margenY = (height() - (YMax - YMin) * escala) / 2;
    auto aPantalla = [&](const QPointF& m) {
        return QPointF(margenX + (m.x() - XMin) * escala, margenY + (YMax - m.y()) * escala);
    };
    const double unidad = std::max(0.6, std::min(width(), height()) / 520.0);  // sizes scale with the window
    p.setClipRect(QRectF(margenX, margenY, (XMax - XMin) * escala, (YMax - YMin) * escala));
    p.fillRect(QRectF(margenX, margenY, (XMax - XMin) * escala, (YMax - YMin) * escala), QColor(214, 232, 246));

    auto trazar = [&](const QVector<QPointF>& puntos) {
        QPainterPath camino;
        for (int i = 0; i < puntos.size(); ++i) {
            if (i == 0)
                camino.moveTo(aPantalla(puntos[i]));
            else
                camino.lineTo(aPantalla(puntos[i]));
        }
        p.drawPath(camino);
    };

    // Land, coastline, then borders.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 240, 224));
    for (const QVector<QPointF>& tierra : mapa_.tierras) {
        QPolygonF poligono;
        for (const QPointF& m : tierra) poligono << aPantalla(m);
        p.drawPolygon(poligono);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 70, 110), 1.2 * unidad));
    for (const LineaMapa& l : mapa_.lineas)
        if (!l.frontera) trazar(l.puntos);
    p.setPen(QPen(QColor(120, 100, 80), 1.0 * unidad, Qt::DashLine));
    for (const LineaMapa& l : mapa_.lineas)
        if (l.frontera) trazar(l.puntos);

    // Zone boundaries.
    p.setPen(QPen(QColor(200, 30, 30), 2.0 * unidad));
    for (const QVector<QPointF>& m : meridianos_) trazar(m);

    QFont letra = font();
    letra.setPointSizeF(10 * unidad);
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(QColor(170, 20, 20));
    // "Huso 30" and "Huso 31" on one line, each over the middle of its zone.
    QPointF centro30, centro31;
    if (Proyectar(-3.0, 43.75, centro30) && Proyectar(3.0, 43.75, centro31)) {
        const QPointF en30 = aPantalla(centro30);
        const QPointF en31(aPantalla(centro31).x(), en30.y());
        for (const auto& [en, texto] : {std::pair{en30, QStringLiteral("Huso 30")}, std::pair{en31, QStringLiteral("Huso 31")}})
            p.drawText(QRectF(en.x() - 80 * unidad, en.y() - 12 * unidad, 160 * unidad, 24 * unidad), Qt::AlignCenter,
                       texto);
    }

    // Shape1: the extended part of zone 30, east of Greenwich.
    QPointF so, ne, no, se;
    if (Proyectar(ExtLonMin, ExtLatMin, so) && Proyectar(ExtLonMax, ExtLatMax, ne) &&
        Proyectar(ExtLonMin, ExtLatMax, no) && Proyectar(ExtLonMax, ExtLatMin, se)) {
        const QPointF a = aPantalla(no), b = aPantalla(se);
        const QRectF marco(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                           QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        p.setPen(QPen(QColor(20, 110, 40), 1.5 * unidad, Qt::DashLine));
        p.setBrush(QColor(20, 140, 60, 30));
        p.drawRect(marco);
        p.setBrush(Qt::NoBrush);
        QFont pequena = letra;
        pequena.setPointSizeF(8 * unidad);
        p.setFont(pequena);
        p.setPen(QColor(20, 100, 40));
        // On a light ground, as the coordinate labels, so that the zone line
        // and the coast do not run through the letters.
        const QString rotulo = QStringLiteral("UTM ETRS89-    HUSO 30 Extendido");
        const QFontMetricsF medidasRotulo(pequena);
        const QRectF cajaRotulo(marco.left(), marco.top() - 3 * unidad - medidasRotulo.height(),
                                medidasRotulo.horizontalAdvance(rotulo), medidasRotulo.height());
        p.fillRect(cajaRotulo.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 210));
        p.drawText(cajaRotulo, Qt::AlignLeft | Qt::AlignVCenter, rotulo);
    }

    // The four Greenwich points: a tick across the meridian and a leader to
    // the label on the west side (eight lines).
    QFont cifras = font();
    cifras.setPointSizeF(7.5 * unidad);
    p.setFont(cifras);
    const QFontMetricsF medidas(cifras);
    for (const PuntoGreenwich& g : Greenwich) {
        // The two southern points are close: the last one is labelled on the east.
        const double lado = &g == &Greenwich[3] ? 1.0 : -1.0;
        const QPointF en = aPantalla(QPointF(g.x, g.y));
        p.setPen(QPen(Qt::black, 1.2 * unidad));
        p.drawLine(QPointF(en.x() - 5 * unidad, en.y()), QPointF(en.x() + 5 * unidad, en.y()));
        const QPointF fin(en.x() + lado * 22 * unidad, en.y());
        p.setPen(QPen(QColor(60, 60, 60), 0.8 * unidad));
        p.drawLine(QPointF(en.x() + lado * 5 * unidad, en.y()), fin);
        const QString texto = QString::fromLatin1(g.etiqueta);
        const double ancho = medidas.horizontalAdvance(texto);
        const double izquierda = lado < 0 ? fin.x() - ancho - 3 * unidad : fin.x() + 3 * unidad;
        const QRectF caja(izquierda, en.y() - medidas.height() / 2, ancho, medidas.height());
        p.fillRect(caja.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 210));
        p.setPen(Qt::black);
        p.drawText(caja, Qt::AlignCenter, texto);
    }
}

}  // namespace tesmaro
