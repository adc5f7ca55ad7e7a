#include "Avisos.h"

namespace tesmaro {

namespace {
Avisador* avisadorActual = nullptr;
}

const std::string_view TextoDesbordamiento =
    "Desbordamiento en el cálculo\rLos datos introducidos son incoherentes.";

Avisador* FijarAvisador(Avisador* avisador) {
    Avisador* anterior = avisadorActual;
    avisadorActual = avisador;
    return anterior;
}

void Avisar(std::string_view texto) {
    if (avisadorActual) avisadorActual->Avisar(texto, false);
}

void AvisoDesbordamiento() {
    if (avisadorActual) avisadorActual->Avisar(TextoDesbordamiento, true);
}

}  // namespace tesmaro
