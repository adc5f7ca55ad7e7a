// The module of --capa and --mapa (see Extras.h).
#include "Extras.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstring>
#include <string>

#include "Capas.h"
#include "Conversiones.h"
#include "Puntos.h"

namespace {

using namespace tesmaro;

bool Responder(bool bien, const std::string& texto, char* destino, std::size_t n) {
    if (n > 0) {
        const std::size_t k = std::min(texto.size(), n - 1);
        std::memcpy(destino, texto.data(), k);
        destino[k] = '\0';
    }
    return bien;
}

bool FormatoCapaValido(const char* ruta, char* texto, std::size_t n) {
    return Responder(FormatoDeRuta(ruta).has_value(), ExtensionesCapa(), texto, n);
}

bool EscribirCapaDe(int codigo, const char* txt, const char* capa, const char* entrada, const char* rejilla, int unidad,
          char* texto, std::size_t n) {
    const Conversion* conversion = BuscarConversion(static_cast<std::int16_t>(codigo));
    if (!conversion) return Responder(false, "conversión desconocida", texto, n);
    OpcionesCapa opciones;
    opciones.rutaEntrada = entrada;
    opciones.rutaRejilla = rejilla;
    opciones.unidad = static_cast<std::int16_t>(unidad);
    const ResumenCapa r = EscribirCapa(*conversion, txt, capa, opciones);
    return Responder(r.escrita, r.escrita ? TextoResumenCapa(r, capa) : r.error, texto, n);
}

// The GUI library draws without a display on its "offscreen" platform,
// chosen before it starts.
bool DibujarMapa(int codigo, const char* txt, const char* png, const char* entrada, int unidad, char* texto,
          std::size_t n) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Its notices about the session (no runtime folder, no fonts folder) are
    // not the user's concern.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int argc = 1;
    char nombre[] = "tesmaro-lote";
    char* argv[] = {nombre, nullptr};
    QGuiApplication aplicacion(argc, argv);
    FuentePuntos fuente;
    fuente.codigo = static_cast<std::int16_t>(codigo);
    fuente.rutaTxt = txt;
    fuente.rutaEntrada = entrada;
    fuente.unidad = static_cast<std::int16_t>(unidad);
    CuentaPuntos cuenta;
    const QImage imagen = DibujarResultado(fuente, QSize(1200, 900), &cuenta);
    if (imagen.isNull() || !imagen.save(QString::fromUtf8(png), "PNG"))
        return Responder(false, std::string("no se ha podido escribir el mapa ") + png +
                                    " (los resultados sí se han escrito)",
                         texto, n);
    return Responder(true, std::string("Mapa: ") + png + " (" + std::to_string(cuenta.Total()) + " puntos)", texto, n);
}

void BorrarTemporalesDeCapa() { BorrarTemporalesCapa(); }

}  // namespace

extern "C" __attribute__((visibility("default"))) const TesmaroExtras* tesmaro_extras() {
    static const TesmaroExtras tabla{FormatoCapaValido, EscribirCapaDe, DibujarMapa, BorrarTemporalesDeCapa};
    return &tabla;
}
