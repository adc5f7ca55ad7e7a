#include "MapaPuntos.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tesmaro {

namespace {

struct PuntoVentana {
    QString nombre;
    double lon = 0, lat = 0;
    QString valores;
};

// The points of the session, shared by every open map.
struct Almacen {
    std::shared_ptr<const PuntosLote> fichero;  // the last file run's
    QString nombre;                              // its input's name
    QMap<QString, PuntoVentana> ventanas;
    std::vector<MapaPuntos*> abiertos;
};

Almacen& Puntos() {
    static Almacen almacen;
    return almacen;
}

constexpr int RadioBusqueda = 4;  // pixels around the cursor that count as "on" a point

}  // namespace

MapaPuntos::MapaPuntos(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("MapaPuntos"));
    setWindowTitle(QStringLiteral("Mapa de puntos"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(360, 280);

    auto* ajustar = new QPushButton(QStringLiteral("Ajustar a los puntos"), this);
    ajustar->setObjectName(QStringLiteral("Ajustar"));
    auto* exportar = new QPushButton(QStringLiteral("Exportar PNG…"), this);
    exportar->setObjectName(QStringLiteral("Exportar"));
    lienzo_ = new QWidget(this);
    lienzo_->setObjectName(QStringLiteral("Lienzo"));
    lienzo_->setMouseTracking(true);
    lienzo_->setAttribute(Qt::WA_OpaquePaintEvent);
    lienzo_->installEventFilter(this);
    estado_ = new QLabel(this);
    estado_->setObjectName(QStringLiteral("Estado"));
    estado_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* botones = new QHBoxLayout;
    botones->addWidget(ajustar);
    botones->addWidget(exportar);
    botones->addStretch();
    auto* capas = new QVBoxLayout(this);
    capas->addLayout(botones);
    capas->addWidget(lienzo_, 1);
    capas->addWidget(estado_);

    // Zooming and panning move the last image at once; the points are drawn
    // again once the wheel or the mouse rests.
    diferido_ = new QTimer(this);
    diferido_->setSingleShot(true);
    diferido_->setInterval(120);
    connect(diferido_, &QTimer::timeout, this, [this] {
        Dibujar();
        lienzo_->update();
    });
    connect(ajustar, &QPushButton::clicked, this, &MapaPuntos::AjustarAPuntos);
    connect(exportar, &QPushButton::clicked, this, &MapaPuntos::Exportar);

    Puntos().abiertos.push_back(this);
    connect(this, &QObject::destroyed, [this] { std::erase(Puntos().abiertos, this); });
    Cambiado();
}

void MapaPuntos::MostrarFichero(std::shared_ptr<const PuntosLote> puntos, const QString& nombre) {
    Almacen& a = Puntos();
    a.fichero = std::move(puntos);
    a.nombre = nombre;
    for (MapaPuntos* m : a.abiertos) {
        m->libre_ = true;  // a new file is shown whole
        m->Cambiado();
    }
}

void MapaPuntos::PonerPunto(const QString& ventana, const QString& nombre, double lon, double lat,
                            const QString& valores) {
    if (!std::isfinite(lon) || !std::isfinite(lat)) return;
    Puntos().ventanas[ventana] = PuntoVentana{nombre, lon, lat, valores};
    for (MapaPuntos* m : Puntos().abiertos) m->Cambiado();
}

void MapaPuntos::Olvidar() {
    Almacen& a = Puntos();
    a.fichero.reset();
    a.ventanas.clear();
    for (MapaPuntos* m : a.abiertos) m->Cambiado();
}

bool MapaPuntos::CajaPuntos(QRectF& caja) const {
    const Almacen& a = Puntos();
    bool hay = a.fichero && a.fichero->Cuenta().Total() > 0;
    if (hay) caja = QRectF(QPointF(a.fichero->lonMin, a.fichero->latMin), QPointF(a.fichero->lonMax, a.fichero->latMax));
    for (const PuntoVentana& p : a.ventanas) {
        const QRectF uno(QPointF(p.lon, p.lat), QPointF(p.lon, p.lat));
        caja = hay ? QRectF(QPointF(std::min(caja.left(), p.lon), std::min(caja.top(), p.lat)),
                            QPointF(std::max(caja.right(), p.lon), std::max(caja.bottom(), p.lat)))
                   : uno;
        hay = true;
    }
    return hay;
}

void MapaPuntos::Cambiado() {
    const Almacen& a = Puntos();
    if (libre_) AjustarAPuntos();
    QString texto;
    if (a.fichero) {
        const CuentaPuntos& c = a.fichero->Cuenta();
        texto = QStringLiteral("%1: %2 convertidos, %3 sin convertir").arg(a.nombre).arg(c.convertidos).arg(c.noConvertidos);
        if (a.fichero->Puntos().size() < c.Total())
            texto += QStringLiteral(" (se dibujan los %1 primeros)").arg(a.fichero->Puntos().size());
    }
    if (!a.ventanas.isEmpty())
        texto += (texto.isEmpty() ? QString() : QStringLiteral("; ")) +
                 QStringLiteral("%1 de ventanas").arg(a.ventanas.size());
    if (texto.isEmpty()) texto = QStringLiteral("Sin puntos: convierta un fichero o pulse Calcular en una ventana.");
    estado_->setText(texto);
    imagenVigente_ = false;
    PedirDibujo();
}

void MapaPuntos::AjustarAPuntos() {
    vista_.ancho = std::max(1, lienzo_->width());
    vista_.alto = std::max(1, lienzo_->height());
    QRectF caja;
    if (CajaPuntos(caja))
        vista_.Ajustar(caja);
    else
        vista_ = VistaMapa::Region(vista_.ancho, vista_.alto);
    libre_ = true;
    imagenVigente_ = false;
    PedirDibujo();
}

void MapaPuntos::PedirDibujo() {
    diferido_->start();
    lienzo_->update();
}

void MapaPuntos::Dibujar() {
    const Almacen& a = Puntos();
    vista_.ancho = std::max(1, lienzo_->width());
    vista_.alto = std::max(1, lienzo_->height());
    imagen_ = QImage(vista_.ancho, vista_.alto, QImage::Format_RGB32);
    {
        QPainter p(&imagen_);
        OpcionesFondo opciones;
        opciones.etiquetasGreenwich = false;
        DibujarFondo(p, vista_, opciones);
    }
    for (auto& i : indice_) i.clear();
    Punteador punteador(imagen_, vista_);
    cuenta_ = {};
    if (a.fichero) {
        for (const PuntoGuardado& g : a.fichero->Puntos()) {
            const TipoPunto tipo = g.convertido ? TipoPunto::Convertido : TipoPunto::NoConvertido;
            std::uint32_t pixel;
            if (punteador.Poner(g.lon, g.lat, tipo, &pixel)) indice_[g.convertido ? 0 : 1].emplace(pixel, g.texto);
        }
    }
    punteador.Terminar();
    cuenta_.dibujados = punteador.Dibujados();

    QPainter p(&imagen_);
    p.setRenderHint(QPainter::Antialiasing);
    for (auto it = a.ventanas.cbegin(); it != a.ventanas.cend(); ++it) {
        const QPointF en = vista_.APixel(it->lon, it->lat);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(ColorPuntoVentana());
        p.drawEllipse(en, 5, 5);
        const QString rotulo = it.key() + QStringLiteral(": ") + it->nombre;
        const QRectF caja = QFontMetricsF(p.font()).boundingRect(rotulo).translated(en + QPointF(8, -6));
        p.fillRect(caja.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 210));
        p.setPen(Qt::black);
        p.drawText(caja, Qt::AlignCenter, rotulo);
    }
    vistaImagen_ = vista_;
    imagenVigente_ = true;
}

void MapaPuntos::Pintar() {
    QPainter p(lienzo_);
    p.fillRect(lienzo_->rect(), QColor(214, 232, 246));
    if (imagen_.isNull()) return;
    // The last image, moved and scaled to the current view.
    const double k = vista_.escala / vistaImagen_.escala;
    const QPointF origen = vista_.APixel(vistaImagen_.AGeograficas({0, 0}).x(), vistaImagen_.AGeograficas({0, 0}).y());
    p.setRenderHint(QPainter::SmoothPixmapTransform, k != 1.0);
    p.drawImage(QRectF(origen, QSizeF(imagen_.width() * k, imagen_.height() * k)), imagen_);
}

QString MapaPuntos::TextoEn(const QPointF& pixel) {
    const Almacen& a = Puntos();
    for (auto it = a.ventanas.cbegin(); it != a.ventanas.cend(); ++it)
        if (QLineF(vista_.APixel(it->lon, it->lat), pixel).length() <= RadioBusqueda + 3)
            return it.key() + QStringLiteral(" — ") + it->nombre +
                   (it->valores.isEmpty() ? QString() : QStringLiteral("\n") + it->valores);
    if (!a.fichero) return {};
    if (!imagenVigente_ || vistaImagen_.escala != vista_.escala || vistaImagen_.lon != vista_.lon ||
        vistaImagen_.lat != vista_.lat || vistaImagen_.ancho != lienzo_->width() || vistaImagen_.alto != lienzo_->height())
        Dibujar();
    // The nearest drawn pixel; lines not converted first, as they are drawn on top.
    for (const auto* indice : {&indice_[1], &indice_[0]}) {
        double mejor = 1e9;
        std::uint64_t desplazamiento = 0;
        const int cx = static_cast<int>(std::floor(pixel.x())), cy = static_cast<int>(std::floor(pixel.y()));
        for (int dy = -RadioBusqueda; dy <= RadioBusqueda; ++dy)
            for (int dx = -RadioBusqueda; dx <= RadioBusqueda; ++dx) {
                const int x = cx + dx, y = cy + dy;
                if (x < 0 || y < 0 || x >= imagen_.width() || y >= imagen_.height()) continue;
                const auto encontrado = indice->find(std::uint32_t(y) * std::uint32_t(imagen_.width()) + std::uint32_t(x));
                if (encontrado != indice->end() && dx * dx + dy * dy < mejor) {
                    mejor = dx * dx + dy * dy;
                    desplazamiento = encontrado->second;
                }
            }
        if (mejor < 1e9) return QString::fromStdString(a.fichero->Texto(desplazamiento));
    }
    return {};
}

bool MapaPuntos::ExportarPng(const QString& ruta) {
    if (!imagenVigente_ || vistaImagen_.escala != vista_.escala || vistaImagen_.lon != vista_.lon ||
        vistaImagen_.lat != vista_.lat || vistaImagen_.ancho != lienzo_->width() || vistaImagen_.alto != lienzo_->height())
        Dibujar();
    return imagen_.save(ruta, "PNG");
}

void MapaPuntos::Exportar() {
    const QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar PNG"), QStringLiteral("mapa.png"),
                                                      QStringLiteral("Imagen PNG (*.png)"));
    if (ruta.isEmpty()) return;
    estado_->setText(ExportarPng(ruta) ? QStringLiteral("Mapa guardado en %1").arg(ruta)
                                       : QStringLiteral("No se ha podido guardar %1").arg(ruta));
}

bool MapaPuntos::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != lienzo_) return QWidget::eventFilter(objeto, evento);
    switch (evento->type()) {
        case QEvent::Paint:
            Pintar();
            return true;
        case QEvent::Resize:
            vista_.ancho = lienzo_->width();
            vista_.alto = lienzo_->height();
            if (libre_) AjustarAPuntos();
            PedirDibujo();
            return false;
        case QEvent::Wheel: {
            auto* rueda = static_cast<QWheelEvent*>(evento);
            // One notch (120) zooms by 1.25 about the cursor.
            vista_.Ampliar(std::pow(1.25, rueda->angleDelta().y() / 120.0), rueda->position());
            libre_ = false;
            PedirDibujo();
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* raton = static_cast<QMouseEvent*>(evento);
            arrastre_ = raton->position().toPoint();
            arrastrando_ = raton->button() == Qt::LeftButton;
            return true;
        }
        case QEvent::MouseMove: {
            auto* raton = static_cast<QMouseEvent*>(evento);
            if (arrastrando_ && (raton->buttons() & Qt::LeftButton)) {
                const QPoint ahora = raton->position().toPoint();
                vista_.Desplazar(ahora.x() - arrastre_.x(), ahora.y() - arrastre_.y());
                arrastre_ = ahora;
                libre_ = false;
                PedirDibujo();
            } else if (!diferido_->isActive()) {
                const QString texto = TextoEn(raton->position());
                if (!texto.isEmpty()) {
                    QToolTip::showText(raton->globalPosition().toPoint(), texto, lienzo_);
                    estado_->setText(QString(texto).replace(QLatin1Char('\n'), QStringLiteral("   ")));
                } else {
                    QToolTip::hideText();
                }
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            arrastrando_ = false;
            return true;
        default:
            return QWidget::eventFilter(objeto, evento);
    }
}

}  // namespace tesmaro
