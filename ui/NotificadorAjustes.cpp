#include "NotificadorAjustes.h"

#include "Ajustes.h"
#include "Rejilla.h"

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

void NotificadorAjustes::FijarDecimales(int metros, int angulos) {
    ajustes::DecimalesMetros = metros;
    ajustes::DecimalesAngulos = angulos;
    emit Instancia().DecimalesCambiados();
}

QString NotificadorAjustes::Rejilla() {
    // Until one is chosen, the program's grid as it is found now.
    const QString& ruta = Instancia().rejilla_;
    return ruta.isEmpty() ? QString::fromStdString(RutaRejillaVentanas()) : ruta;
}

void NotificadorAjustes::FijarRejilla(const QString& ruta) {
    Instancia().rejilla_ = ruta;
    emit Instancia().RejillaCambiada();
}

void NotificadorAjustes::Restablecer() {
    ajustes::Restablecer();
    Instancia().rejilla_.clear();
    emit Instancia().UnidadAngularCambiada();
    emit Instancia().ElipsoideCambiado();
    emit Instancia().DecimalesCambiados();
    emit Instancia().RejillaCambiada();
}

}  // namespace tesmaro
