// Tells the open windows that a process-wide setting (core/Ajustes.h) has
// changed, so that they keep their controls in step at once (Check_Grad is
// enabled only while the angular unit is sexagesimal degrees).
//
// Windows write the angular unit only through FijarUnidadAngular, which
// updates the setting and then emits UnidadAngularCambiada; windows connect to
// NotificadorAjustes::Instancia(). The results shown do not depend on the
// current ellipsoid (the next "Calcular" reads it); FijarElipsoideActual
// writes it and emits ElipsoideCambiado for the ellipsoid bars, which name
// it. The decimals of the results are written through FijarDecimales, which
// emits DecimalesCambiados: the results shown were written with the old ones.
// The NTv2 grid of the grid windows (their "Calcular" and their file
// runs) is chosen in either of them and shared by both: FijarRejilla emits
// RejillaCambiada.
#pragma once
#include <QObject>
#include <QString>
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
    // ajustes::DecimalesMetros = metros, DecimalesAngulos = angulos (each -1
    // or 0 to 15), then DecimalesCambiados().
    static void FijarDecimales(int metros, int angulos);
    // ajustes::Restablecer() and the grid's choice forgotten, then every
    // signal.
    static void Restablecer();
    // The grid of the grid windows: the one chosen, else RutaRejillaVentanas()
    // as it is found now.
    static QString Rejilla();
    static void FijarRejilla(const QString& ruta);

signals:
    void UnidadAngularCambiada();
    void ElipsoideCambiado();
    void DecimalesCambiados();
    void RejillaCambiada();

private:
    NotificadorAjustes() = default;
    QString rejilla_;
};

}  // namespace tesmaro
