#include "Zonas_Utm.h"

#include <QPainter>
#include <algorithm>

namespace tesmaro {

Zonas_Utm::Zonas_Utm(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Zonas_Utm"));
    setWindowTitle(QStringLiteral("Zonas U.T.M."));
    setMinimumSize(320, 260);
}

void Zonas_Utm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(233, 242, 250));
    OpcionesFondo opciones;
    opciones.unidad = std::max(0.6, std::min(width(), height()) / 520.0);  // sizes scale with the window
    DibujarFondo(p, VistaMapa::Region(width(), height()), opciones);
}

}  // namespace tesmaro
