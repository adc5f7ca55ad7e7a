// "Zonas U.T.M.": the map of the served region with the coastline and the
// national borders, the zone boundaries at 6° W, 0° and 6° E, the labels
// "Huso 30", "Huso 31" and "UTM ETRS89-    HUSO 30 Extendido" over the
// rectangle Shape1 of the extended zone, and the four points of the Greenwich
// meridian with their UTM coordinates and tick lines. It scales with its
// window. The drawing is the shared map's (mapa/Mapa.h).
#pragma once
#include <QStringList>
#include <QWidget>

#include "Mapa.h"

namespace tesmaro {

class Zonas_Utm final : public QWidget {
    Q_OBJECT
public:
    explicit Zonas_Utm(QWidget* padre = nullptr);

    // The four points of the Greenwich meridian and their labels.
    static const QStringList& EtiquetasGreenwich() { return tesmaro::EtiquetasGreenwich(); }
    // Number of lines of map data drawn (0 when none could be read).
    int LineasMapa() const { return static_cast<int>(MapaDelPrograma().lineas.size()); }
    int TierrasMapa() const { return static_cast<int>(MapaDelPrograma().tierras.size()); }
    QSize sizeHint() const override { return {700, 460}; }

protected:
    void paintEvent(QPaintEvent* evento) override;
};

}  // namespace tesmaro
