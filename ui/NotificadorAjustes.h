// Tells the open windows that a process-wide setting (core/Ajustes.h) has
// changed, so that they keep their controls in step at once (Check_Grad is
// enabled only while the angular unit is sexagesimal degrees).
//
// Windows write the angular unit only through FijarUnidadAngular, which
// updates the setting and then emits UnidadAngularCambiada; windows connect to
// NotificadorAjustes::Instancia(). The results shown do not depend on the
// current ellipsoid (the next "Calcular" reads it); FijarElipsoideActual
// writes it and emits ElipsoideCambiado for the ellipsoid bars, which name
// it.
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
    // ajustes::ElipsoideActual = indice, then ElipsoideCambiado().
    static void FijarElipsoideActual(std::int16_t indice);
    // ajustes::Restablecer(), then UnidadAngularCambiada() and
    // ElipsoideCambiado().
    static void Restablecer();

signals:
    void UnidadAngularCambiada();
    void ElipsoideCambiado();

private:
    NotificadorAjustes() = default;
};

}  // namespace tesmaro
