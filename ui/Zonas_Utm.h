#pragma once
#include <QWidget>
namespace tesmaro {
class Zonas_Utm final : public QWidget {
    Q_OBJECT
public:
    explicit Zonas_Utm(QWidget* padre = nullptr) : QWidget(padre) { setWindowTitle(QStringLiteral("Zonas_Utm")); }
};
}  // namespace tesmaro
