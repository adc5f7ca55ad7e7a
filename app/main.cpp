// Tesmaro: the main window, with the About window over it.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "MDIPrincipal.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesmaro"));
    QApplication::setApplicationVersion(QStringLiteral(TESMARO_VERSION));
    // The program speaks Spanish: so do Qt's own dialogs (file dialog), when
    // their translation is installed.
    QTranslator qt;
    if (qt.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);
    tesmaro::MDIPrincipal ventana;
    ventana.show();
    return aplicacion.exec();
}
