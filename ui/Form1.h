#pragma once
#include <QWidget>
namespace tesmaro {
class Form1 final : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* padre = nullptr) : QWidget(padre) { setWindowTitle(QStringLiteral("Form1")); }
};
}  // namespace tesmaro
