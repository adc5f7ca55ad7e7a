// What the batch driver needs from the outside world: the two file-open
// dialogs, the message boxes, and progress with a request to stop.
//
// The windows implement it with Qt (file dialogs, message boxes, a progress
// dialog), the command line with its options and standard error, the tests
// with scripted answers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tesmaro {

// What a file-open dialog is to show.
struct DialogoFichero {
    std::string patron;  // default file pattern ("*.tiv", "*.gsb")
    std::string titulo;  // title
    std::string filtro;  // filter, "Description|pattern" pairs joined by "|"
};

class InterfazLote {
public:
    virtual ~InterfazLote() = default;

    // The point-file dialog (CommonDialog1). Returns the full path of the chosen
    // file, empty when the user cancelled. A graphical implementation makes the
    // chosen file's folder the current folder, as the dialog always has.
    virtual std::string ElegirFicheroPuntos(const DialogoFichero& dialogo) = 0;

    // The grid dialog (CommonDialog2), same contract.
    virtual std::string ElegirRejilla(const DialogoFichero& dialogo) = 0;

    // A modal message box, OK button only, no icon, title "Tesmaro".
    virtual void Mensaje(std::string_view texto) = 0;

    // An informative message box that a front end with a report of its own may
    // leave out: the names of the result files before the run. Shown as
    // Mensaje by default; the command line prints the paths instead.
    virtual void Aviso(std::string_view texto) { Mensaje(texto); }

    // Progress: bytes of the input read so far, of `total`. Called between
    // lines, not necessarily after every line.
    virtual void Progreso(std::uint64_t leidos, std::uint64_t total) { (void)leidos; (void)total; }
    // Point lines read so far, said right before each Progreso.
    virtual void LineasLeidas(std::uint64_t lineas) { (void)lineas; }

    // Whether the user asked to stop; checked between lines. The run then
    // ends after the current line, keeps the records written and still writes
    // their CSV twin.
    virtual bool Cancelado() { return false; }
};

}  // namespace tesmaro
