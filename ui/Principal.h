#pragma once
#include "VentanaConversion.h"
namespace tesmaro {
class Principal final : public VentanaConversion {
    Q_OBJECT
public:
    explicit Principal(QWidget* padre = nullptr) : VentanaConversion(padre) { setWindowTitle(QStringLiteral("Principal")); }
};
}  // namespace tesmaro
