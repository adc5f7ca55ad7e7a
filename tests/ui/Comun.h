// What the window tests share: a fake EntornoVentanas that records messages
// and summaries and answers the file dialogs, the setting reset, and small
// helpers to make, show and type into windows.
#pragma once
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <memory>

#include "AcercaDe.h"
#include "Ajustes.h"
#include "Altitudes.h"
#include "Avisos.h"
#include "Cart_Geo.h"
#include "Conversiones.h"
#include "DAngular.h"
#include "DElipsoides.h"
#include "DElipsoides_ETED.h"
#include "EntornoVentanas.h"
#include "Filtros.h"
#include "Form1.h"
#include "GEO_UTM.h"
#include "Geo_Cart.h"
#include "Geo_rejilla_ed2et.h"
#include "NotificadorAjustes.h"
#include "P_Inverso.h"
#include "P_directo.h"
#include "Principal.h"
#include "Zonas_Utm.h"
#include "geo_rejilla_et2ed.h"

namespace prueba {

// Records every message (and core's notices) with its icon, the point files
// asked for (by their conversion's name) and answers them with `puntos`
// (empty: cancelled), answers the grid and layer dialogs, records every
// summary shown, and owns a real ellipsoid dialog.
class Entorno final : public tesmaro::EntornoVentanas, public tesmaro::Avisador {
public:
    Entorno() { anterior_ = tesmaro::FijarAvisador(this); }
    ~Entorno() override { tesmaro::FijarAvisador(anterior_); }

    void Mensaje(const QString& texto, tesmaro::IconoMensaje icono, QWidget*) override {
        textos << texto;
        criticos << (icono == tesmaro::IconoMensaje::Critico);
    }
    void Avisar(std::string_view texto, bool critico) override {
        Mensaje(QString::fromUtf8(texto.data(), qsizetype(texto.size())),
                critico ? tesmaro::IconoMensaje::Critico : tesmaro::IconoMensaje::Ninguno, nullptr);
    }
    QString ElegirFicheroPuntos(QWidget*, const tesmaro::Conversion& c, std::int16_t huso) override {
        pedidos << QString::fromUtf8(c.nombre.data(), qsizetype(c.nombre.size()));
        ayuda = tesmaro::AyudaFichero(c, huso);
        return puntos;
    }
    QString ElegirRejilla(QWidget*, const QString&) override { return rejilla; }
    QString ElegirCapa(QWidget*, const QString& propuesta) override {
        propuestas << propuesta;
        return capa;
    }
    void MostrarResumen(QWidget*, const tesmaro::ResumenVentana& r) override { resumenes << r; }
    void MostrarZonasUtm() override {}
    void MostrarElipsoides() override { elipsoides.Mostrar(); }
    void MostrarMapaPuntos() override {}

    QStringList textos;
    QList<bool> criticos;
    QStringList pedidos;
    QString ayuda;  // the layout the point-file dialog showed
    QString puntos;
    QString rejilla;
    QString capa;  // the answer to "Guardar como capa…" (empty: cancelled)
    QStringList propuestas;
    QList<tesmaro::ResumenVentana> resumenes;
    tesmaro::DElipsoides elipsoides;

private:
    tesmaro::Avisador* anterior_ = nullptr;
};

// The program's remembered positions and folders (QSettings) in a folder of
// the test's own, so that no real settings are read or touched.
inline void AjustesDePrueba() {
    static QTemporaryDir carpeta;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, carpeta.path());
}

// Puts the settings and the filters' memory back as a run starts.
inline void Restablecer() {
    tesmaro::NotificadorAjustes::Restablecer();
    tesmaro::TextoAnterior.clear();
}

// The window of that class name, in the environment e.
inline std::unique_ptr<QWidget> Crear(const QString& nombre, Entorno& e) {
    using namespace tesmaro;
    if (nombre == QLatin1String("Principal")) return std::make_unique<Principal>(e);
    if (nombre == QLatin1String("Altitudes")) return std::make_unique<Altitudes>(e);
    if (nombre == QLatin1String("GEO_UTM")) return std::make_unique<GEO_UTM>(e);
    if (nombre == QLatin1String("Geo_Cart")) return std::make_unique<Geo_Cart>(e);
    if (nombre == QLatin1String("Cart_Geo")) return std::make_unique<Cart_Geo>(e);
    if (nombre == QLatin1String("P_directo")) return std::make_unique<P_directo>(e);
    if (nombre == QLatin1String("P_Inverso")) return std::make_unique<P_Inverso>(e);
    if (nombre == QLatin1String("Form1")) return std::make_unique<Form1>(e);
    if (nombre == QLatin1String("Geo_rejilla_ed2et")) return std::make_unique<Geo_rejilla_ed2et>(e);
    if (nombre == QLatin1String("geo_rejilla_et2ed")) return std::make_unique<geo_rejilla_et2ed>(e);
    if (nombre == QLatin1String("DAngular")) return std::make_unique<DAngular>();
    if (nombre == QLatin1String("DElipsoides")) return std::make_unique<DElipsoides>();
    if (nombre == QLatin1String("AcercaDe")) return std::make_unique<AcercaDe>(e);
    if (nombre == QLatin1String("Zonas_Utm")) return std::make_unique<Zonas_Utm>();
    qFatal("Ventana desconocida");
}

// Gives the box the focus (as a click or the Tab key would) and types.
inline void Teclear(QLineEdit* caja, const QString& texto) {
    caja->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(caja, texto);
}

// Shows a window and waits until it is active, so that focus changes happen.
inline bool Mostrar(QWidget* ventana) {
    ventana->show();
    QApplication::setActiveWindow(ventana);
    ventana->activateWindow();
    return QTest::qWaitForWindowActive(ventana);
}

template <class T = QWidget>
T* Hijo(QObject* ventana, const QString& nombre) {
    T* hijo = ventana->findChild<T*>(nombre);
    if (!hijo) qFatal("No se encuentra el control %s", qPrintable(nombre));
    return hijo;
}

inline void Escribir(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly)) f.write(contenido);
}

inline QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace prueba
