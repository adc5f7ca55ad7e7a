// Tells the open windows that a process-wide setting (core/Ajustes.h) has
// changed, so that they keep their controls in step at once (Check_Grad is
// enabled only while the angular unit is sexagesimal degrees).
//
// Windows write the settings only through FijarUnidadAngular and
// FijarElipsoideActual; each call updates the setting and then emits the
// signal. Windows connect to NotificadorAjustes::Instancia().
#pragma once
#include <QObject>
#include <cstdint>

namespace tesmaro {

class NotificadorAjustes final : public QObject {
    Q_OBJECT
public:
    static NotificadorAjustes& Instancia();

    // ajustes::UnidadAngular = unidad, then UnidadAngularCambiada().
    static void FijarUnidadAngular(std::int16_t unidad);
    // ajustes::ElipsoideActual = indice, then ElipsoideActualCambiado().
    static void FijarElipsoideActual(std::int16_t indice);
    // ajustes::Restablecer(), then both signals.
    static void Restablecer();

signals:
    void UnidadAngularCambiada();
    void ElipsoideActualCambiado();

private:
    NotificadorAjustes() = default;
};

}  // namespace tesmaro
