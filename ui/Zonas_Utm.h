// "Zonas U.T.M.": the map of the served region in UTM zone 30 (ETRS89) with
// the coastline and the national borders, the zone boundaries at 6° W, 0° and
// 6° E, the labels "Huso 30", "Huso 31" and "UTM ETRS89-    HUSO 30
// Extendido" over the rectangle Shape1 of the extended zone, and the four
// points of the Greenwich meridian with their UTM coordinates and tick lines.
// It scales with its window. The map data (coast.geojson) are read from the
// program's data folder only (without them, the zones alone).
#pragma once
#include <QPointF>
#include <QString>
#include <QVector>
#include <QWidget>

namespace tesmaro {

// One line of the map data, projected into zone 30 (metres).
struct LineaMapa {
    bool frontera = false;  // a national border; otherwise coastline
    QVector<QPointF> puntos;
};

// The map data read and projected.
struct Mapa {
    QVector<LineaMapa> lineas;
    // Land areas: the closed coast rings, and each coast line that runs from
    // one edge of the data's box to another closed along the box's edge on
    // the side that encloses less (the land side of the box's mainland and
    // North Africa lines).
    QVector<QVector<QPointF>> tierras;
};

// Reads the GeoJSON of the map data (a FeatureCollection of LineStrings of
// [lon, lat] with properties.kind "coast" or "border", and its "bbox"),
// projected into UTM zone 30 ETRS89 (x = easting, y = northing). Features
// that are not such lines, and pairs that are not two finite numbers, are
// skipped.
Mapa LeerMapa(const QByteArray& geojson);

class Zonas_Utm final : public QWidget {
    Q_OBJECT
public:
    explicit Zonas_Utm(QWidget* padre = nullptr);

    // The four points of the Greenwich meridian and their labels.
    static const QStringList& EtiquetasGreenwich();
    // Number of lines of map data drawn (0 when none could be read).
    int LineasMapa() const { return static_cast<int>(mapa_.lineas.size()); }
    int TierrasMapa() const { return static_cast<int>(mapa_.tierras.size()); }
    QSize sizeHint() const override { return {700, 460}; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    Mapa mapa_;
    QVector<QVector<QPointF>> meridianos_;  // -6, 0, 6 degrees
};

}  // namespace tesmaro
