// What the window tests share: a fake EntornoVentanas that records messages
// and answers the file dialogs, the setting reset, and small helpers to make,
// show and type into windows.
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
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "AcercaDe.h"
#include "Ajustes.h"
#include "Avisos.h"
#include "Cart_Geo.h"
#include "DAngular.h"
#include "DElipsoides.h"
#include "DElipsoides_ETED.h"
#include "DialogosLote.h"
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

// Records every message (and core's notices) with its icon, answers the
// point-file dialog with `puntos` (empty: cancelled), says "cancelled" when
// asked to, counts the zone maps and point maps shown, and owns a real
// ellipsoid dialog.
// A file run may report its progress to real batch dialogs (`progreso`),
// each report taking `pausa` ms more.
class Entorno final : public tesmaro::EntornoVentanas, public tesmaro::InterfazLote, public tesmaro::Avisador {
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
    tesmaro::InterfazLote& EmpezarLote(QWidget*) override {
        if (progreso) progreso->EmpezarLote();
        return *this;
    }
    void TerminarLote() override {
        if (progreso) progreso->TerminarLote();
    }
    void MostrarZonasUtm() override { ++mapas; }
    void MostrarElipsoides() override { elipsoides.Mostrar(); }
    void MostrarMapaPuntos() override { ++mapasPuntos; }

    std::string ElegirFicheroPuntos(const tesmaro::DialogoFichero& d) override {
        titulos << QString::fromStdString(d.titulo);
        return puntos.toStdString();
    }
    std::string ElegirRejilla(const tesmaro::DialogoFichero&) override { return {}; }
    QString ElegirCapa(QWidget*, const QString& propuesta) override {
        propuestas << propuesta;
        return capa;
    }
    void Mensaje(std::string_view texto) override { Avisar(texto, false); }
    // From the run's thread.
    void Progreso(std::uint64_t leidos, std::uint64_t total) override {
        if (progreso) progreso->Progreso(leidos, total);
        std::this_thread::sleep_for(std::chrono::milliseconds(pausa));
    }
    void LineasLeidas(std::uint64_t lineas) override {
        if (progreso) progreso->LineasLeidas(lineas);
    }
    bool Cancelado() override { return cancelar || (progreso && progreso->Cancelado()); }

    QStringList textos;
    QList<bool> criticos;
    QStringList titulos;
    QString puntos;
    QString capa;  // the answer to "Guardar como capa…" (empty: cancelled)
    QStringList propuestas;
    std::atomic<bool> cancelar{false};
    int pausa = 0;
    tesmaro::DialogosLote* progreso = nullptr;
    int mapas = 0;
    int mapasPuntos = 0;
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
    if (nombre == QLatin1String("DElipsoides_ETED")) return std::make_unique<DElipsoides_ETED>();
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
