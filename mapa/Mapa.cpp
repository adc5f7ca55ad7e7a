#include "Mapa.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Rejilla.h"
#include "Utm.h"

namespace tesmaro {

const double VistaMapa::CosenoReferencia = std::cos(VistaMapa::LatitudReferencia * std::numbers::pi / 180);

namespace {

// The extended part of zone 30 (Shape1), degrees.
constexpr double ExtLonMin = 0.0, ExtLonMax = 1.6, ExtLatMin = 38.4, ExtLatMax = 41.0;

struct PuntoGreenwich {
    int x, y;
};
// Easting and northing in ETRS89 zone 30 of four points of the Greenwich
// meridian between latitudes 38.6° and 40.8°: where each is drawn, and its
// label ("753344; 4513277"), from the same digits.
const PuntoGreenwich Greenwich[] = {
    {753344, 4513277},
    {756348, 4424701},
    {760287, 4306298},
    {761156, 4279788},
};

QString EtiquetaGreenwich(const PuntoGreenwich& p) { return QStringLiteral("%1; %2").arg(p.x).arg(p.y); }

bool Valido(double lon, double lat) {
    return std::isfinite(lon) && std::isfinite(lat) && std::fabs(lon) <= 180 && std::fabs(lat) <= 90;
}

// Position of a point of the box's edge along its perimeter, counter-clockwise
// from the south-west corner; negative when the point is not on the edge.
double PosicionEnBorde(const QPointF& p, const QRectF& caja) {
    constexpr double tolerancia = 1e-6;  // the data's end points are written with the box's own digits
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
    return mejor;
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
        for (const QJsonValue& par : geometria.value(QStringLiteral("coordinates")).toArray()) {
            const QJsonArray lonLat = par.toArray();
            if (lonLat.size() < 2 || !lonLat[0].isDouble() || !lonLat[1].isDouble()) continue;
            if (Valido(lonLat[0].toDouble(), lonLat[1].toDouble()))
                linea.puntos.append(QPointF(lonLat[0].toDouble(), lonLat[1].toDouble()));
        }
        if (linea.puntos.size() < 2) continue;
        if (!linea.frontera && linea.puntos.size() >= 3) {
            QVector<QPointF> anillo;
            if (linea.puntos.front() == linea.puntos.back())
                anillo = linea.puntos;
            else if (caja.isValid())
                anillo = CerrarPorElBorde(linea.puntos, caja);
            if (anillo.size() >= 3) mapa.tierras.append(anillo);
        }
        mapa.lineas.append(std::move(linea));
    }
    return mapa;
}

const Mapa& MapaDelPrograma() {
    static const Mapa mapa = LeerMapa(DatosMapa());
    return mapa;
}

QPointF VistaMapa::APixel(double longitud, double latitud) const {
    return {ancho / 2.0 + (longitud - lon) * CosenoReferencia * escala, alto / 2.0 - (latitud - lat) * escala};
}

QPointF VistaMapa::AGeograficas(const QPointF& pixel) const {
    return {lon + (pixel.x() - ancho / 2.0) / (CosenoReferencia * escala), lat - (pixel.y() - alto / 2.0) / escala};
}

void VistaMapa::Ampliar(double factor, const QPointF& pixel) {
    const QPointF fijo = AGeograficas(pixel);
    // From the whole world on a few pixels to a few centimetres a pixel.
    escala = std::clamp(escala * factor, 0.05, 1e7);
    const QPointF ahora = AGeograficas(pixel);
    lon += fijo.x() - ahora.x();
    lat += fijo.y() - ahora.y();
}

void VistaMapa::Desplazar(double dx, double dy) {
    lon -= dx / (CosenoReferencia * escala);
    lat += dy / escala;
}

void VistaMapa::Ajustar(const QRectF& caja, double margen) {
    lon = caja.center().x();
    lat = caja.center().y();
    const double w = std::max(1.0, ancho - 2 * margen), h = std::max(1.0, alto - 2 * margen);
    const double dLon = std::fabs(caja.width()) * CosenoReferencia, dLat = std::fabs(caja.height());
    double s = h / 0.2;
    if (dLon > 0) s = std::min(s, w / dLon);
    if (dLat > 0) s = std::min(s, h / dLat);
    escala = std::clamp(s, 0.05, 1e7);
}

VistaMapa VistaMapa::Region(int ancho, int alto) {
    VistaMapa v;
    v.ancho = ancho;
    v.alto = alto;
    v.Ajustar(QRectF(QPointF(-10.2, 35.1), QPointF(7.6, 44.2)), 0);
    return v;
}

const QStringList& EtiquetasGreenwich() {
    static const QStringList etiquetas = [] {
        QStringList l;
        for (const PuntoGreenwich& p : Greenwich) l << EtiquetaGreenwich(p);
        return l;
    }();
    return etiquetas;
}

QColor ColorPunto(TipoPunto tipo) {
    return tipo == TipoPunto::Convertido ? QColor(20, 90, 210) : QColor(230, 20, 20);
}
QColor ColorPuntoVentana() { return QColor(0, 150, 60); }

void DibujarFondo(QPainter& p, const VistaMapa& vista, const OpcionesFondo& opciones) {
    const Mapa& mapa = MapaDelPrograma();
    const double unidad = opciones.unidad;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, vista.ancho, vista.alto), QColor(214, 232, 246));
    auto aPantalla = [&](const QPointF& g) { return vista.APixel(g.x(), g.y()); };
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
    for (const QVector<QPointF>& tierra : mapa.tierras) {
        QPolygonF poligono;
        for (const QPointF& g : tierra) poligono << aPantalla(g);
        p.drawPolygon(poligono);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 70, 110), 1.2 * unidad));
    for (const LineaMapa& l : mapa.lineas)
        if (!l.frontera) trazar(l.puntos);
    p.setPen(QPen(QColor(120, 100, 80), 1.0 * unidad, Qt::DashLine));
    for (const LineaMapa& l : mapa.lineas)
        if (l.frontera) trazar(l.puntos);

    // Zone boundaries: meridians, straight in this projection.
    p.setPen(QPen(QColor(200, 30, 30), 2.0 * unidad));
    for (double lon : {-6.0, 0.0, 6.0}) p.drawLine(vista.APixel(lon, 34.0), vista.APixel(lon, 46.0));

    QFont letra = p.font();
    letra.setPointSizeF(10 * unidad);
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(QColor(170, 20, 20));
    // "Huso 30" and "Huso 31", each over the middle of its zone.
    for (const auto& [lon, texto] : {std::pair{-3.0, QStringLiteral("Huso 30")}, std::pair{3.0, QStringLiteral("Huso 31")}}) {
        const QPointF en = vista.APixel(lon, 43.75);
        p.drawText(QRectF(en.x() - 80 * unidad, en.y() - 12 * unidad, 160 * unidad, 24 * unidad), Qt::AlignCenter, texto);
    }

    // Shape1: the extended part of zone 30, east of Greenwich.
    const QRectF marco(vista.APixel(ExtLonMin, ExtLatMax), vista.APixel(ExtLonMax, ExtLatMin));
    p.setPen(QPen(QColor(20, 110, 40), 1.5 * unidad, Qt::DashLine));
    p.setBrush(QColor(20, 140, 60, 30));
    p.drawRect(marco);
    p.setBrush(Qt::NoBrush);
    QFont pequena = letra;
    pequena.setPointSizeF(8 * unidad);
    p.setFont(pequena);
    p.setPen(QColor(20, 100, 40));
    // On a light ground, as the coordinate labels, so that the zone line and
    // the coast do not run through the letters.
    const QString rotulo = QStringLiteral("UTM ETRS89-    HUSO 30 Extendido");
    const QFontMetricsF medidasRotulo(pequena);
    const QRectF cajaRotulo(marco.left(), marco.top() - 3 * unidad - medidasRotulo.height(),
                            medidasRotulo.horizontalAdvance(rotulo), medidasRotulo.height());
    p.fillRect(cajaRotulo.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 210));
    p.drawText(cajaRotulo, Qt::AlignLeft | Qt::AlignVCenter, rotulo);

    if (opciones.etiquetasGreenwich) {
        // The four Greenwich points: a tick across the meridian and a leader
        // to the label on the west side (eight lines).
        QFont cifras = p.font();
        cifras.setBold(false);
        cifras.setPointSizeF(7.5 * unidad);
        p.setFont(cifras);
        const QFontMetricsF medidas(cifras);
        for (const PuntoGreenwich& g : Greenwich) {
            const ResultadoGeodesicas r = UtmAGeodesicas(g.x, g.y, 30, false, false, Datum::ETRS89);
            // The two southern points are close: the last one is labelled on the east.
            const double lado = &g == &Greenwich[3] ? 1.0 : -1.0;
            const QPointF en = vista.APixel(r.longitud, r.latitud);
            p.setPen(QPen(Qt::black, 1.2 * unidad));
            p.drawLine(QPointF(en.x() - 5 * unidad, en.y()), QPointF(en.x() + 5 * unidad, en.y()));
            const QPointF fin(en.x() + lado * 22 * unidad, en.y());
            p.setPen(QPen(QColor(60, 60, 60), 0.8 * unidad));
            p.drawLine(QPointF(en.x() + lado * 5 * unidad, en.y()), fin);
            const QString texto = EtiquetaGreenwich(g);
            const double ancho = medidas.horizontalAdvance(texto);
            const double izquierda = lado < 0 ? fin.x() - ancho - 3 * unidad : fin.x() + 3 * unidad;
            const QRectF caja(izquierda, en.y() - medidas.height() / 2, ancho, medidas.height());
            p.fillRect(caja.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 210));
            p.setPen(Qt::black);
            p.drawText(caja, Qt::AlignCenter, texto);
        }
    }
    p.restore();
}

Punteador::Punteador(QImage& imagen, const VistaMapa& vista) : imagen_(imagen), vista_(vista) {
    if (imagen_.format() != QImage::Format_RGB32 && imagen_.format() != QImage::Format_ARGB32 &&
        imagen_.format() != QImage::Format_ARGB32_Premultiplied)
        imagen_ = imagen_.convertToFormat(QImage::Format_RGB32);
    vista_.ancho = imagen_.width();
    vista_.alto = imagen_.height();
    const std::size_t palabras = (std::size_t(imagen_.width()) * std::size_t(imagen_.height()) + 63) / 64;
    for (auto& h : hechos_) h.assign(palabras, 0);
}

bool Punteador::Poner(double lon, double lat, TipoPunto tipo, std::uint32_t* pixel) {
    if (!Valido(lon, lat)) return false;
    const QPointF en = vista_.APixel(lon, lat);
    const double fx = std::floor(en.x()), fy = std::floor(en.y());
    if (!(fx >= 0 && fy >= 0 && fx < imagen_.width() && fy < imagen_.height())) return false;
    const int x = static_cast<int>(fx), y = static_cast<int>(fy);
    const std::uint32_t indice = static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(imagen_.width()) +
                                 static_cast<std::uint32_t>(x);
    std::vector<std::uint64_t>& hechos = hechos_[tipo == TipoPunto::Convertido ? 0 : 1];
    const std::uint64_t bit = std::uint64_t{1} << (indice % 64);
    if (hechos[indice / 64] & bit) return false;
    hechos[indice / 64] |= bit;
    ++dibujados_;
    if (pixel) *pixel = indice;
    if (tipo == TipoPunto::Convertido)
        Cuadrado(x, y, 1, ColorPunto(tipo).rgb());
    else
        pendientes_.push_back(indice);
    return true;
}

void Punteador::Terminar() {
    const QRgb color = ColorPunto(TipoPunto::NoConvertido).rgb();
    for (const std::uint32_t indice : pendientes_)
        Cuadrado(static_cast<int>(indice % std::uint32_t(imagen_.width())),
                 static_cast<int>(indice / std::uint32_t(imagen_.width())), 2, color);
    pendientes_.clear();
}

void Punteador::Cuadrado(int x, int y, int radio, QRgb color) {
    const int x0 = std::max(0, x - radio), x1 = std::min(imagen_.width() - 1, x + radio);
    const int y0 = std::max(0, y - radio), y1 = std::min(imagen_.height() - 1, y + radio);
    for (int j = y0; j <= y1; ++j) {
        QRgb* fila = reinterpret_cast<QRgb*>(imagen_.scanLine(j));
        for (int i = x0; i <= x1; ++i) fila[i] = color;
    }
}

}  // namespace tesmaro
