#include "NotificadorAjustes.h"

#include "Ajustes.h"

namespace tesmaro {

NotificadorAjustes& NotificadorAjustes::Instancia() {
    static NotificadorAjustes instancia;
    return instancia;
}

void NotificadorAjustes::FijarUnidadAngular(std::int16_t unidad) {
    ajustes::UnidadAngular = unidad;
    emit Instancia().UnidadAngularCambiada();
}

void NotificadorAjustes::FijarElipsoideActual(std::int16_t indice) {
    ajustes::ElipsoideActual = indice;
    emit Instancia().ElipsoideCambiado();
}

void NotificadorAjustes::Restablecer() {
    ajustes::Restablecer();
    emit Instancia().UnidadAngularCambiada();
    emit Instancia().ElipsoideCambiado();
}

}  // namespace tesmaro
