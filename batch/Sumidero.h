// The outputs of a run: each one a sink that receives the records of the run
// as values, in input order, and writes its files through the run's
// Salidas, which put every output of the run in place together at the end
// (Compromiso.h).
//
// The text result and its CSV twin are one sink (SalidaTexto.h); a GIS layer
// (capas/) and a map image (mapa/) are others. A sink never reads another
// sink's files, the input or a global setting: what it needs comes with the
// records and in ContextoLote.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ConversionPunto.h"

namespace tesmaro {

struct Conversion;

// What became of one data line of the input: its number (counted from 1, the
// heading being line 1), its name as written there (NombreLeido), and its
// result.
struct RegistroPunto {
    std::uint64_t linea = 0;
    std::string nombre;
    bool nombreEscapado = false;  // the name had control characters, now escaped
    LecturaNumero lectura = LecturaNumero::Numero;  // unreadable: why
    ResultadoPunto r;
};

// The run a sink belongs to.
struct ContextoLote {
    const Conversion& conversion;
    const AjustesConversion& ajustes;  // as taken at the start of the run
    std::string rutaEntrada;           // "-": the standard input
    std::string rutaRejilla;           // the grid conversions: the grid used
    int decimalesMetros = -1;          // decimals of lengths and angles in the text results;
    int decimalesAngulos = -1;         // -1: 15 significant digits
};

// Progress and the request to stop, from the run to its caller; called on
// the run's thread.
class ObservadorLote {
public:
    virtual ~ObservadorLote() = default;
    // Bytes of the input read so far, of `total` (0: unknown); during the
    // final phase of a sink, its own progress.
    virtual void Progreso(std::uint64_t hechos, std::uint64_t total) { (void)hechos; (void)total; }
    // Point lines read so far, said right before each Progreso.
    virtual void LineasLeidas(std::uint64_t lineas) { (void)lineas; }
    // A phase after the reading ("Escribiendo la capa"), for the progress shown.
    virtual void Fase(std::string_view texto) { (void)texto; }
    // Whether the user asked to stop; checked between blocks of lines.
    virtual bool Cancelado() { return false; }
    // The last word before every output goes in place (their main files,
    // written and synced): false stops the run, nothing replaced. The
    // command line prints the paths here, so that a standard output it cannot
    // write to fails the run before anything is replaced.
    virtual bool AntesDeConfirmar(const std::vector<std::string>& salidas) {
        (void)salidas;
        return true;
    }
};

// Where a sink writes its files (implemented by Compromiso).
class Salidas {
public:
    virtual ~Salidas() = default;
    // Declares the output `ruta` and the files that go with it (`anejos`:
    // the same path with other extensions, such as a shapefile's ".dbf"),
    // and returns the path to write it at: a private folder beside it. Every
    // file written there under the names declared is put in place when the
    // run ends well; an anejo the output does not write this time is removed
    // then (it belonged to an earlier output of that name). Empty with a
    // Spanish message in `error` when the output may not be written there (a
    // link or a folder under one of its names, the input, the grid, another
    // output, a file of another dataset).
    virtual std::string Preparar(const std::string& ruta, std::span<const std::string_view> anejos,
                                 std::string& error) = 0;
    // A scratch file beside the output `ruta`, already unlinked: it goes when
    // it is closed, or when the process ends. Null with `error` on failure.
    virtual std::FILE* Borrador(const std::string& ruta, std::string& error) = 0;
};

// Text a sink prepares for a block of records on a worker thread.
using Preparado = std::array<std::string, 2>;

class Sumidero {
public:
    virtual ~Sumidero() = default;

    // Before the first line is read: declares its files to `salidas`. False
    // with a Spanish message in `error`: the run does not start.
    virtual bool Empezar(const ContextoLote& contexto, Salidas& salidas, std::string& error) = 0;

    // On a worker thread, for each record of a block in order: formats what
    // it will write into `preparado` (this sink's share of the block). Must
    // not change the sink.
    virtual void Preparar(const RegistroPunto& registro, Preparado& preparado) const {
        (void)registro;
        (void)preparado;
    }

    // On the run's thread, every block in input order: its records and what
    // Preparar made of them. False when a write has failed (the run stops).
    virtual bool Recibir(std::span<const RegistroPunto> registros, const Preparado& preparado) = 0;

    // After the last record, when the run has gone well so far: finishes the
    // sink's files (flushed and synced). False with a Spanish message in
    // `error`: the run fails, nothing is replaced. May take long: reports
    // through `observador` and stops when it asks.
    virtual bool Terminar(ObservadorLote& observador, std::string& error) = 0;

    // Its line of the summary ("Capa: ..."), empty for none.
    virtual std::string Resumen() const { return {}; }
    // Converted records it could not write (a layer's position outside the
    // grid): the run's exit status then says that not everything was written.
    virtual std::uint64_t Excluidos() const { return 0; }
};

}  // namespace tesmaro
