// What the window tests share: a recorder of message boxes, the setting
// reset, and small helpers to type into boxes and click.
#pragma once
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <clocale>
#include <string>

#include "Ajustes.h"
#include "Avisos.h"
#include "DialogosLote.h"
#include "Filtros.h"
#include "Mensajes.h"
#include "NotificadorAjustes.h"

namespace prueba {

// Records every message box (text, and whether it had the critical icon)
// while it lives, instead of showing it; core's notices too.
class Mensajes {
public:
    Mensajes() {
        tesmaro::InstalarAvisadorVentanas();
        anterior_ = tesmaro::FijarGanchoMensajes([this](const QString& texto, tesmaro::IconoMensaje icono) {
            textos << texto;
            criticos << (icono == tesmaro::IconoMensaje::Critico);
        });
    }
    ~Mensajes() { tesmaro::FijarGanchoMensajes(anterior_); }
    QStringList textos;
    QList<bool> criticos;

private:
    tesmaro::GanchoMensajes anterior_;
};

// Puts the settings and the filters' memory back as a run starts.
inline void Restablecer() {
    tesmaro::NotificadorAjustes::Restablecer();
    tesmaro::TextoAnterior.clear();
}

// Runs under another LC_NUMERIC while it lives.
class Localizacion {
public:
    explicit Localizacion(const char* nombre) : anterior_(std::setlocale(LC_ALL, nullptr)) {
        valida_ = std::setlocale(LC_ALL, nombre) != nullptr;
    }
    ~Localizacion() { std::setlocale(LC_ALL, anterior_.c_str()); }
    bool valida() const { return valida_; }

private:
    std::string anterior_;
    bool valida_ = false;
};

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

template <class T>
T* Hijo(QWidget* ventana, const char* nombre) {
    T* hijo = ventana->findChild<T*>(QLatin1String(nombre));
    if (!hijo) qFatal("No se encuentra el control %s", nombre);
    return hijo;
}

}  // namespace prueba
