// Every message box of the program goes through MostrarMensaje: title
// "Tesmaro", an OK button only, no icon unless the caller asks for the
// critical one. Windows reach it through their EntornoVentanas
// (EntornoVentanas.h), which tests replace by a recorder.
//
// The notices of core (core/Avisos.h: AvisoDesbordamiento, "Seleccione un
// elipsoide de referencia") reach the user through AvisadorVentanas, which
// InstalarAvisadorVentanas() installs once at start-up.
#pragma once
#include <QString>
#include <string_view>

class QWidget;

namespace tesmaro {

// The title of every message box and of the main window.
inline const QString TituloPrograma = QStringLiteral("Tesmaro");

enum class IconoMensaje { Ninguno, Critico };

// A modal message box: title "Tesmaro", OK only, the icon asked for. The
// carriage return that the notices use between sentences is shown as a line
// break. padre: the window over which the box is centred (may be null).
void MostrarMensaje(const QString& texto, IconoMensaje icono = IconoMensaje::Ninguno,
                    QWidget* padre = nullptr);
inline void MostrarMensaje(std::string_view texto, IconoMensaje icono = IconoMensaje::Ninguno,
                           QWidget* padre = nullptr) {
    MostrarMensaje(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())), icono, padre);
}
inline void MostrarMensaje(const char* texto, IconoMensaje icono = IconoMensaje::Ninguno,
                           QWidget* padre = nullptr) {
    MostrarMensaje(QString::fromUtf8(texto), icono, padre);
}

// Text fit to show in a message or a label whatever it quotes (a name or a
// path read from a file or the disk): its line breaks ("\r\n", "\r", "\n")
// kept as "\n", every other control character and every byte that is not
// UTF-8 written as an escape (TextoParaMensaje).
QString TextoVisible(const QString& texto);

// Shows core's notices as message boxes (critical icon when core says so).
void InstalarAvisadorVentanas();

}  // namespace tesmaro
