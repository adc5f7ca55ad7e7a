// The map of the served region and of point files, drawn into a QImage: the
// coastline and national borders (coast.geojson), the UTM zone boundaries at
// 6° W, 0° and 6° E with their labels, the extended part of zone 30, and
// points, thinned to one draw per pixel so that a million of them stay quick.
//
// Projection: equirectangular with standard parallel 40° N. For a view of
// centre (λc, φc), scale s (pixels per degree of latitude) and an image of
// w × h pixels, the point (λ, φ) in degrees lies at
//     x = w/2 + (λ - λc) · cos 40° · s
//     y = h/2 - (φ - φc) · s
// (north up; x, y in pixels from the top-left corner of the image, pixel
// (i, j) covering [i, i+1) × [j, j+1)).
#pragma once
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <vector>

class QPainter;

namespace tesmaro {

// One line of the map data, in degrees (x = longitude, y = latitude).
struct LineaMapa {
    bool frontera = false;  // a national border; otherwise coastline
    QVector<QPointF> puntos;
};

// The map data read.
struct Mapa {
    QVector<LineaMapa> lineas;
    // Land areas: the closed coast rings, and each coast line that runs from
    // one edge of the data's box to another closed along the box's edge on
    // the side that encloses less (the land side of the box's mainland and
    // North Africa lines).
    QVector<QVector<QPointF>> tierras;
};

// Reads the GeoJSON of the map data (a FeatureCollection of LineStrings of
// [lon, lat] with properties.kind "coast" or "border", and its "bbox").
// Features that are not such lines, and pairs that are not two finite numbers
// within ±180°, ±90°, are skipped.
Mapa LeerMapa(const QByteArray& geojson);

// The installed coast.geojson of the program's data folder, read once (empty
// without it: the zones alone are drawn).
const Mapa& MapaDelPrograma();

// What part of the world an image shows (see the projection above).
struct VistaMapa {
    static constexpr double LatitudReferencia = 40.0;
    static const double CosenoReferencia;  // cos 40°

    double lon = -1.5, lat = 39.75;  // centre, degrees
    double escala = 60;              // pixels per degree of latitude
    int ancho = 800, alto = 600;     // image, pixels

    QPointF APixel(double longitud, double latitud) const;
    QPointF AGeograficas(const QPointF& pixel) const;  // x = lon, y = lat
    // Multiplies the scale, keeping the geographic point under `pixel` still.
    void Ampliar(double factor, const QPointF& pixel);
    // Moves the map by (dx, dy) pixels.
    void Desplazar(double dx, double dy);
    // Centres and scales so that the box (x = lon, y = lat) fits with
    // `margen` pixels to spare on every side. A box of no extent (one point)
    // is shown as 0.2° of latitude.
    void Ajustar(const QRectF& caja, double margen = 24);
    // The region of the zone map (Zonas U.T.M.).
    static VistaMapa Region(int ancho, int alto);
};

struct OpcionesFondo {
    double unidad = 1.0;             // line widths and letter sizes multiply by it
    bool etiquetasGreenwich = true;  // the four UTM points of the Greenwich meridian
};

// The map without points: sea, land, coastline, borders, zone lines and
// labels, over the whole painter's device of the view's size.
void DibujarFondo(QPainter& p, const VistaMapa& vista, const OpcionesFondo& opciones = {});

// The four points of the Greenwich meridian and their labels (UTM zone 30).
const QStringList& EtiquetasGreenwich();

enum class TipoPunto : std::uint8_t {
    Convertido,    // a converted point
    NoConvertido,  // a line that could not be converted, at its input's position
};

// Colours of the points.
QColor ColorPunto(TipoPunto tipo);
QColor ColorPuntoVentana();

// Draws points straight into the pixels of an image: a converted point as a
// 3 × 3 square, a line not converted as a 5 × 5 square drawn over all the
// converted ones by Terminar(). Each kind is drawn at most once per pixel: a
// bitmap of the pixels already drawn thins the rest out, so memory is that
// bitmap (and the unconverted pixels) whatever the number of points.
class Punteador {
public:
    // The image becomes 32-bit RGB if it is not already.
    Punteador(QImage& imagen, const VistaMapa& vista);

    // True when the point was drawn (false: off the image, or its pixel of
    // this kind already drawn). `pixel` receives the pixel index y·w + x.
    bool Poner(double lon, double lat, TipoPunto tipo, std::uint32_t* pixel = nullptr);
    // Draws the lines not converted, over the rest.
    void Terminar();
    std::uint64_t Dibujados() const { return dibujados_; }

private:
    void Cuadrado(int x, int y, int radio, QRgb color);

    QImage& imagen_;
    VistaMapa vista_;
    std::vector<std::uint64_t> hechos_[2];
    std::vector<std::uint32_t> pendientes_;  // unconverted pixels
    std::uint64_t dibujados_ = 0;
};

}  // namespace tesmaro
