// Every output of a run, written apart and put in place together: whole, or
// nothing replaced.
//
// Each output folder gets a private staging folder of the run,
// ".tesmaro-XXXXXX" (mkdtemp, mode 0700, so nobody else can put a name or a
// link in it), locked (flock) for as long as the run lives. Sinks write
// their files there under their final names. Confirmar then, under a lock of
// each output folder (taken in the order of the folders' paths, so that two
// runs never wait for each other):
//  1. checks again that no final name has become a link or a folder;
//  2. keeps a hard link of each file it will replace (to undo a failed step);
//  3. writes a journal, "diario", listing the renames and removals, synced;
//  4. renames every file into place and removes the stale sidecars;
//  5. syncs the folders and removes the staging folders.
// A failure in 4 puts back what was replaced: nothing replaced. Signals that
// end the program are held back meanwhile. A run killed at any moment
// (SIGKILL, a power cut) leaves its staging folder behind: the next run that
// writes to that folder (any run takes the folder's lock first) finds it
// unlocked and completes it when its journal was written (every output of
// that run then goes in place, so a .txt and a .csv are never from different
// runs), or removes it when not (nothing of it was in place). A staging
// folder still locked belongs to a run still going and is left alone.
//
// An output may not be the input, the grid, or another output; a link or a
// folder under one of its names is refused, and so is a sidecar name that
// exists beside no file of the output's own (it belongs to another dataset).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Sumidero.h"

namespace tesmaro {

class Compromiso final : public Salidas {
public:
    Compromiso();
    ~Compromiso() override;  // Descartar()
    Compromiso(const Compromiso&) = delete;
    Compromiso& operator=(const Compromiso&) = delete;

    // A file no output may be (the input, the grid).
    void Proteger(const std::string& ruta);

    std::string Preparar(const std::string& ruta, std::span<const std::string_view> anejos,
                         std::string& error) override;
    std::FILE* Borrador(const std::string& ruta, std::string& error) override;

    // Puts every output in place. False with a Spanish message: nothing was
    // replaced.
    bool Confirmar(std::string& error);
    // Removes what was written: earlier outputs stay as they were.
    void Descartar();

    // The paths of the outputs declared (their main files) as they were
    // given, in order.
    std::vector<std::string> Rutas() const;

private:
    struct Carpeta;
    struct Salida;
    Carpeta* CarpetaDe(const std::string& ruta, std::string& error);

    std::vector<std::unique_ptr<Carpeta>> carpetas_;
    std::vector<Salida> salidas_;
    struct Protegido {
        std::string ruta;
        std::uint64_t dispositivo = 0, nodo = 0;
        bool existe = false;
    };
    std::vector<Protegido> protegidos_;
};

// Completes or removes the staging folders that runs killed in `carpeta` left
// behind (see above); those still locked are left alone. Every run does it
// for its output folders; tests call it directly.
void RecuperarCarpeta(const std::string& carpeta);

}  // namespace tesmaro
