// "Mapa de puntos": the map of the zone window (coastline, zones) with the
// points of the last file conversion (converted in blue; lines not converted
// in red, at their input's position when it gives one) and the point of each
// window's last "Calcular" (green, labelled). The wheel zooms about the
// cursor, dragging pans, "Ajustar a los puntos" fits them all, the name and
// values of the point under the cursor show in a tooltip and the status line,
// and "Exportar PNG…" saves the view.
//
// The points outlive the window: MostrarFichero and PonerPunto keep them for
// the whole session, and every open map redraws when they change. A file's
// points come from its run (PuntosLote.h), kept in memory, 16 bytes each, so
// that a million of them redraw at once, with the text of each record; the
// first 16 million of a larger file are drawn, and the window says so.
#pragma once
#include <QImage>
#include <QMap>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "Mapa.h"
#include "Puntos.h"
#include "PuntosLote.h"

class QLabel;
class QPushButton;
class QTimer;

namespace tesmaro {

class MapaPuntos final : public QWidget {
    Q_OBJECT
public:
    explicit MapaPuntos(QWidget* padre = nullptr);

    // The points of the last file run, named `nombre` (its input's name).
    static void MostrarFichero(std::shared_ptr<const PuntosLote> puntos, const QString& nombre);
    // A window's last "Calcular" (replaces that window's point); `valores`
    // is shown on hover. Longitude and latitude in degrees.
    static void PonerPunto(const QString& ventana, const QString& nombre, double lon, double lat,
                           const QString& valores = {});
    // Forgets every point (for tests and a new session).
    static void Olvidar();

    void AjustarAPuntos();
    bool ExportarPng(const QString& ruta);
    const VistaMapa& Vista() const { return vista_; }
    // The extent of every point (x = longitude, y = latitude); false when
    // there is none.
    bool CajaPuntos(QRectF& caja) const;
    // What hovering `pixel` of the map shows; empty away from any point.
    QString TextoEn(const QPointF& pixel);
    QWidget* Lienzo() const { return lienzo_; }
    QSize sizeHint() const override { return {720, 520}; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Cambiado();
    void Dibujar();  // the image of the current view
    void PedirDibujo();
    void Pintar();
    void Exportar();

    QWidget* lienzo_;
    QLabel* estado_;
    QTimer* diferido_;
    VistaMapa vista_;
    VistaMapa vistaImagen_;
    QImage imagen_;
    bool imagenVigente_ = false;
    bool libre_ = true;  // the view follows the points until the user zooms or pans
    QPoint arrastre_;
    bool arrastrando_ = false;
    // Pixel index of the current image -> the text of the record drawn there.
    std::unordered_map<std::uint32_t, std::uint64_t> indice_[2];
    CuentaPuntos cuenta_;
};

}  // namespace tesmaro
