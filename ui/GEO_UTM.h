#pragma once
#include "VentanaConversion.h"
namespace tesmaro {
class GEO_UTM final : public VentanaConversion {
    Q_OBJECT
public:
    explicit GEO_UTM(QWidget* padre = nullptr) : VentanaConversion(padre) { setWindowTitle(QStringLiteral("GEO_UTM")); }
};
}  // namespace tesmaro
