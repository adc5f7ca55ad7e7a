// Tesmaro: the main window, with the About window over it.
#include <QApplication>

#include "MDIPrincipal.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesmaro"));
    QApplication::setApplicationVersion(QStringLiteral(TESMARO_VERSION));
    tesmaro::MDIPrincipal ventana;
    ventana.show();
    return aplicacion.exec();
}
