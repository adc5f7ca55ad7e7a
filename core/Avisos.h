// The notices that core reports to the user.
//
// core shows nothing itself: it hands each notice to the Avisador installed by
// the front end (a message box in the windows, standard error in the command
// line, a recorder in tests). Without one, notices are dropped.
#pragma once
#include <string>
#include <string_view>

namespace tesmaro {

class Avisador {
public:
    virtual ~Avisador() = default;
    // texto: the message, UTF-8. critico: show the critical-error icon.
    virtual void Avisar(std::string_view texto, bool critico) = 0;
};

// Installs the receiver of every notice (nullptr: drop them). Returns the
// previous one so that a test can put it back.
Avisador* FijarAvisador(Avisador* avisador);

// Hands a plain notice (no icon) to the installed Avisador.
void Avisar(std::string_view texto);

// "Desbordamiento en el cálculo" CR "Los datos introducidos son incoherentes."
// One carriage return (code 13) between the two sentences, no line feed.
extern const std::string_view TextoDesbordamiento;

// Shows TextoDesbordamiento with the critical icon.
void AvisoDesbordamiento();

}  // namespace tesmaro
