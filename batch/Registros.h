// The result files of every batch run: the record writer of the text file and
// the CSV step that derives the spreadsheet twin from it.
//
// Nothing here depends on the user's regional settings: numbers are written by
// EscribirNumero (always a point) and read by the processors with LeerNumero.
#pragma once
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "Lector.h"

namespace tesmaro {

// The CSV step on one line of the text result (without its line end): every
// "," becomes ";", then every "." becomes ",", then every double quote is
// removed. "\"P.1\",-0.5,39.25,30,\"Norte\"" gives "P,1;-0,5;39,25;30;Norte".
std::string LineaCsv(std::string_view lineaTxt);
// The same, appended to `destino`.
void AnadirLineaCsv(std::string_view lineaTxt, std::string& destino);
// The CSV step on a whole text result: each line (ended by CR LF, or the last
// one without it) transformed as above and ended by CR LF.
std::string TextoACsv(std::string_view texto);

// Formats records of the text result and of its CSV twin, in memory. A
// record is a list of fields separated by "," with no blank; texts in double
// quotes, numbers as TextoNumero writes them with a point, integers as plain
// digits, an empty field as nothing; CR LF at its end. The CSV line of each
// record is LineaCsv of the record, so the CSV file is exactly what the CSV
// step makes of the finished text file. Each thread of a run formats its own.
class FormadorRegistros {
public:
    virtual ~FormadorRegistros() = default;

    void Texto(std::string_view texto);   // "texto", as it is
    void Nombre(std::string_view texto);  // "texto" without its double quotes
    void Numero(double valor);            // 15 significant digits, point; not finite: empty field
    void Entero(long valor);
    void Vacio();                         // an empty field
    // The computed columns of a record: each number, or as many empty fields
    // when the line could not be computed.
    void Numeros(std::initializer_list<double> valores, bool calculado);
    void FinRegistro();                   // CR LF in both

    // The records ended so far, and forgetting them.
    std::string_view Txt() const { return std::string_view(bufTxt_).substr(0, inicioRegistro_); }
    std::string_view Csv() const { return bufCsv_; }
    void Vaciar();

protected:
    virtual void AlTerminarRegistro() {}

    std::string bufTxt_, bufCsv_;
    std::size_t inicioRegistro_ = 0;  // where the open record starts in bufTxt_

private:
    void Separar();
    bool primerCampo_ = true;
};

// Writes the records into the text result and its CSV twin through large
// buffers, the CSV after a UTF-8 byte-order mark that tells spreadsheets the
// encoding.
//
// Results are whole or untouched: both files are written under temporary
// names beside their final names and renamed into place by Cerrar, together,
// under a lock of their folder, so that two runs at once never mix. A failure,
// Descartar, the destructor or a signal (BorrarTemporales) remove the
// temporaries and leave earlier results as they were.
class EscritorResultados : public FormadorRegistros {
public:
    EscritorResultados() = default;
    ~EscritorResultados() override;
    EscritorResultados(const EscritorResultados&) = delete;
    EscritorResultados& operator=(const EscritorResultados&) = delete;

    // Creates both temporaries. rutaTxt "-" writes the text to standard
    // output and no CSV. A final name that exists and is not a regular file
    // (a folder, a symbolic link) is an error. On failure returns false with
    // a Spanish message in `error`, and leaves nothing behind.
    bool Abrir(const std::string& rutaTxt, const std::string& rutaCsv, std::string& error);

    // Records formatted elsewhere, appended as they are.
    void Anexar(const FormadorRegistros& registros);

    // Whether some write has failed already (the run may stop early).
    bool Fallo() const { return fallo_; }

    // Writes what is buffered, closes both files and renames them into
    // place. False, with a Spanish message naming the file, when anything
    // could not be written: the temporaries are then removed.
    bool Cerrar(std::string& error);
    // Removes the temporaries: earlier results stay as they were.
    void Descartar();

private:
    void AlTerminarRegistro() override;
    void Volcar();
    void Escribir(std::string_view txt, std::string_view csv);

    std::FILE* txt_ = nullptr;
    std::FILE* csv_ = nullptr;
    std::string rutaTxt_, rutaCsv_;
    std::string temporalTxt_, temporalCsv_;  // empty when there is none
    bool fallo_ = false;
    std::string rutaFallo_;
};

// Removes every temporary result file of the process that is still open.
// Async-signal-safe (it only calls unlink): for the handlers of SIGINT,
// SIGTERM and SIGHUP.
void BorrarTemporales() noexcept;

}  // namespace tesmaro
