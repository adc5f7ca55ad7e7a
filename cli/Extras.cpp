// The module of --capa and --mapa (see Extras.h).
#include "Extras.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "Capas.h"
#include "Puntos.h"

namespace {

using namespace tesmaro;

bool FormatoCapaValido(const char* ruta, char* texto, std::size_t n) {
    const std::string formatos = ExtensionesCapa();
    if (n > 0) {
        const std::size_t k = std::min(formatos.size(), n - 1);
        std::memcpy(texto, formatos.data(), k);
        texto[k] = '\0';
    }
    return FormatoDeRuta(ruta).has_value();
}

Sumidero* CrearCapa(const char* ruta) { return CrearSalidaCapa(ruta).release(); }


// The map draws with the GUI library, without a display on its "offscreen"
// platform, chosen before it starts; it lives until Terminar, called once
// the run is over.
QGuiApplication* aplicacion = nullptr;

Sumidero* CrearMapa(const char* ruta) {
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Its notices about the session (no runtime folder, no fonts folder)
        // are not the user's concern.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char nombre[] = "tesmaro-lote";
        static char* argv[] = {nombre, nullptr};
        aplicacion = new QGuiApplication(argc, argv);
    }
    return CrearSalidaMapa(ruta).release();
}

}  // namespace

void Terminar() {
    delete aplicacion;
    aplicacion = nullptr;
}

extern "C" __attribute__((visibility("default"))) const TesmaroExtras* tesmaro_extras() {
    static const TesmaroExtras tabla{FormatoCapaValido, CrearCapa, CrearMapa, Terminar};
    return &tabla;
}
