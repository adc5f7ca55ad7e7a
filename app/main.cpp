#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("Tesmaro"));
    ventana.resize(900, 650);
    ventana.show();
    return app.exec();
}
