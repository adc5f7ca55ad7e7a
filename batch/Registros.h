// The result files of every batch run: the record writer of the text file, the
// CSV step that derives the spreadsheet twin from it, and the line reader of
// the point files.
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

// Writes the text result and its CSV twin at once, record by record, through
// large buffers. A record is a list of fields separated by "," with no blank;
// texts in double quotes, numbers as TextoNumero writes them with a point,
// integers as plain digits, an empty field as nothing; CR LF at its end. The
// CSV line of each record is LineaCsv of the record, so the CSV file is exactly
// what the CSV step makes of the finished text file.
class EscritorResultados {
public:
    EscritorResultados() = default;
    ~EscritorResultados();
    EscritorResultados(const EscritorResultados&) = delete;
    EscritorResultados& operator=(const EscritorResultados&) = delete;

    // Creates (or replaces) both files. On failure returns false with a
    // Spanish message in `error`, and leaves no file of its own behind.
    bool Abrir(const std::string& rutaTxt, const std::string& rutaCsv, std::string& error);

    void Texto(std::string_view texto);   // "texto", as it is
    void Nombre(std::string_view texto);  // "texto" without its double quotes
    void Numero(double valor);            // 15 significant digits, point; not finite: empty field
    void Entero(long valor);
    void Vacio();                         // an empty field
    // The computed columns of a record: each number, or as many empty fields
    // when the line could not be computed.
    void Numeros(std::initializer_list<double> valores, bool calculado);
    void FinRegistro();                   // CR LF in both files

    // Whether some write has failed already (the run may stop early).
    bool Fallo() const { return fallo_; }

    // Writes what is buffered and closes both files. False, with a Spanish
    // message naming the file, when anything could not be written.
    bool Cerrar(std::string& error);

private:
    void Separar();
    void Volcar();

    std::FILE* txt_ = nullptr;
    std::FILE* csv_ = nullptr;
    std::string rutaTxt_, rutaCsv_;
    std::string bufTxt_, bufCsv_;
    std::size_t inicioRegistro_ = 0;
    bool primerCampo_ = true;
    bool fallo_ = false;
    std::string rutaFallo_;
};

// Reads a point file line by line through a large buffer. A line ends at LF;
// a CR right before the LF (or at the very end of the file) is not part of
// it. The last line needs no line end. NUL bytes and any other byte pass
// through. A line longer than LongitudMaxima is cut there and the rest of it
// skipped, so that memory stays bounded whatever the file holds.
class LectorLineas {
public:
    static constexpr std::size_t LongitudMaxima = std::size_t{64} << 20;  // 64 MiB

    // capacidadInicial: the buffer to start with (it grows for long lines up to
    // longitudMaxima, which tests make small).
    explicit LectorLineas(std::FILE* fichero, std::size_t capacidadInicial = std::size_t{1} << 20,
                          std::size_t longitudMaxima = LongitudMaxima);

    // The next line, valid until the next call. False at the end of the file
    // or on a read error (see Error()).
    bool Siguiente(std::string_view& linea);

    std::uint64_t Leidos() const { return leidos_; }  // bytes handed out so far
    bool Error() const { return error_; }
    bool Cortada() const { return cortada_; }  // some line was longer than LongitudMaxima

private:
    bool Rellenar();

    std::FILE* fichero_;
    std::size_t maxima_;
    std::vector<char> buf_;
    std::size_t inicio_ = 0, fin_ = 0, buscado_ = 0;
    std::uint64_t leidos_ = 0;
    bool eof_ = false, error_ = false, descartando_ = false, cortada_ = false;
};

}  // namespace tesmaro
