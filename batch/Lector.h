// Reading point files as people have them: the line reader (any line end, a
// byte-order mark, UTF-16, Windows-1252 lines among UTF-8 ones), the layout of
// the fields (comma, semicolon, tab; quoted fields; the decimal separator)
// decided once per file from its first lines, and the strict reading of a
// number field, which refuses what it could read two ways.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tesmaro {

// The text encoding of a point file, decided from its first bytes.
enum class Codificacion {
    Utf8,         // no byte-order mark: each line UTF-8 or, when it is not, Windows-1252
    Utf8Bom,      // UTF-8 after a byte-order mark (the mark is not part of the first line)
    Utf16LE,      // UTF-16 after its byte-order mark, decoded into UTF-8
    Utf16BE,
    Windows1252,  // no longer given (lines are decided one by one, see LecturaLinea)
};

// How a line handed out by LectorLineas came to be UTF-8.
enum class LecturaLinea : unsigned char {
    Utf8,         // as the file has it (or decoded from UTF-16)
    Windows1252,  // not UTF-8, in a file without a byte-order mark: read as Windows-1252
    Sustituida,   // not UTF-8, in a file whose mark says UTF-8: each invalid byte became U+FFFD
};

// Reads a point file line by line through a buffer of constant size. A line
// ends at LF, at CR LF, or (in a file whose first block holds CR and no LF at
// all) at CR; the last line needs no line end. NUL bytes pass through. Every
// line handed out is valid UTF-8 (see LecturaLinea). A line of longitudMaxima
// bytes or more is never held whole: its first bytes (up to the limit, less a
// character cut in two) are handed out with LineaCortada() true, and the rest
// of it is skipped.
class LectorLineas {
public:
    // A point line is short; anything longer is not one.
    static constexpr std::size_t LongitudMaxima = std::size_t{1} << 20;  // 1 MiB

    // capacidadInicial: the buffer to start with (it grows for long lines up to
    // longitudMaxima, which tests make small). For a regular file, its identity
    // (device, inode, size, modification time) is taken here, from the
    // descriptor, for FicheroCambiado().
    explicit LectorLineas(std::FILE* fichero, std::size_t capacidadInicial = LongitudMaxima,
                          std::size_t longitudMaxima = LongitudMaxima);

    // The next line (UTF-8), valid until the next call. False at the end of
    // the file or on a read error (see Error()).
    bool Siguiente(std::string_view& linea);

    // Up to n first lines, for deciding the layout of the fields; reading
    // then starts at the first line all the same.
    std::vector<std::string> PrimerasLineas(std::size_t n);

    std::uint64_t Leidos() const;                      // bytes of the file consumed so far
    std::uint64_t NumeroLinea() const { return numero_; }  // of the last line handed out, from 1
    bool LineaCortada() const { return cortadaAhora_; }   // the last line was longer than the limit
    bool Cortada() const { return algunaCortada_; }       // some line was
    LecturaLinea Lectura() const { return lectura_; }     // of the last line handed out
    bool Error() const { return error_; }
    Codificacion Tipo() const { return tipo_; }
    bool FinalesCR() const { return fin_ == '\r'; }    // lines end at a lone CR

    // The input holds no byte at all. Known once PrimerasLineas or Siguiente
    // has been called.
    bool Vacio() const { return detectado_ && eof_ && !error_ && bytesFichero_ == 0; }

    // The input is a regular file that changed since this reader was made:
    // another device, inode, size or modification time (to the nanosecond),
    // or, once its end was reached, bytes past those read or fewer than were
    // read. Pipes, terminals and anything fstat cannot tell: false.
    bool FicheroCambiado() const;

private:
    // What identifies the contents of a regular file at one moment.
    struct Identidad {
        std::uint64_t dispositivo = 0, inodo = 0;
        std::int64_t tamano = 0, segundos = 0, nanosegundos = 0;
        bool operator==(const Identidad&) const = default;
    };
    static bool Identificar(std::FILE* fichero, Identidad& identidad);

    std::size_t Leer(char* destino, std::size_t n);
    bool Rellenar();
    void Detectar();
    LecturaLinea Transcribir(std::string_view& linea, bool cortada, std::string& destino) const;

    std::FILE* fichero_;
    std::size_t maxima_;
    std::vector<char> buf_;
    std::vector<char> crudo_;  // UTF-16 bytes not yet decoded
    std::size_t inicio_ = 0, final_ = 0, buscado_ = 0;
    std::uint64_t entregados_ = 0, numero_ = 0;
    std::uint64_t bytesFichero_ = 0;  // read from the file, before any decoding
    std::string convertida_;          // the last line that was not UTF-8, in UTF-8
    Identidad identidad_;
    std::int64_t posicionInicial_ = 0;  // of the file when the reader was made
    bool regular_ = false;
    Codificacion tipo_ = Codificacion::Utf8;
    LecturaLinea lectura_ = LecturaLinea::Utf8;
    char fin_ = '\n';
    bool detectado_ = false, eof_ = false, error_ = false, descartando_ = false,
         cortadaAhora_ = false, algunaCortada_ = false;
};

// The layout of the fields of a point file.
struct FormatoCampos {
    char separador = ',';      // ',', ';' or '\t'
    bool comaDecimal = false;  // a ',' may be a number's decimal separator (';' and tab files)
    // The file's decimal separator, '.' or ',': a number whose only separator
    // is followed by exactly three digits is read with it, and refused when it
    // has the other. 0: the first lines do not tell (a tab file without
    // decimals there, or with both): both are refused.
    char decimal = '.';
};

// Decides the layout from the first lines of a file, the first of them its
// heading. The separator is the one found (outside quotes) in most point lines
// among them, or in the heading when there are none: a tab before ';' before
// the program's own comma. A comma file has a decimal point. A ';' or tab file
// takes as decimal separator the one its point lines show in numbers that
// only read one way ("39,5", "-0.25", "1234,567", "1,5E3"); when they show both,
// none (0); when none, ',' for ';' (the spreadsheets' layout) and none for tabs.
FormatoCampos DetectarFormato(const std::vector<std::string>& primeras);

// The name of a file's reading for the summary, such as
// "UTF-8, separado por «;» con coma decimal".
std::string DescribirFormato(Codificacion tipo, bool finalesCR, const FormatoCampos& formato);

// The fields of one line, split by the file's separator, as views into the
// line (no copy, no allocation). A field that starts with a double quote
// (after blanks) runs to its closing quote, separators included; the quotes
// are not part of it (a doubled quote inside stays doubled: names drop every
// quote anyway). A field beyond the last is empty; fields after the
// MaxCampos-th are not kept.
class CamposFichero {
public:
    static constexpr std::size_t MaxCampos = 12;
    CamposFichero(std::string_view linea, const FormatoCampos& formato);
    std::string_view operator[](std::size_t i) const { return i < cuenta_ ? campos_[i] : std::string_view{}; }
    std::size_t size() const { return cuenta_; }
    // Whether field i was in double quotes (its doubled quotes then stand for one).
    bool Entrecomillado(std::size_t i) const { return i < cuenta_ && (comillas_ >> i & 1u) != 0; }

private:
    void Poner(std::string_view campo, bool comillas = false) {
        if (cuenta_ >= MaxCampos) return;
        if (comillas) comillas_ |= 1u << cuenta_;
        campos_[cuenta_++] = campo;
    }
    std::string_view campos_[MaxCampos];
    std::size_t cuenta_ = 0;
    unsigned comillas_ = 0;
};

// The name of a point line (field 0) as it was written: a quoted field
// without its quotes and with each doubled quote as one; a field that opens a
// quote and never closes it, without that quote. Control characters
// other than the tab (which would break a record in two, or stop a layer's
// text) come escaped as TextoParaMensaje writes them; `escapado` says so.
std::string NombreLeido(const CamposFichero& campos, bool& escapado);

// What a number field held.
enum class LecturaNumero : unsigned char {
    Numero,       // a number, read
    NoNumero,     // not a number: "", "abc", "nan", "0x10", "1.2.3", "1.5abc"
    Ambiguo,      // one separator that may be decimal or of thousands, and the file
                  // does not say which: "12.345" where ',' is decimal, "500,000"
                  // where '.' is, either in a tab file that does not tell
    Millares,     // thousands separators: "1.234.567", "1,234.5", "1.234,5"
    ComaDecimal,  // a decimal comma in a comma-separated file (a quoted "1,5")
};

// The reason a field was refused, as the summary names it ("" for Numero).
std::string_view TextoLecturaNumero(LecturaNumero lectura);

// A number field read strictly: blanks and one pair of double quotes around it
// aside, it must be a number in full (an optional sign, digits with at most
// one decimal separator, an optional exponent E/e/D/d with optional sign and
// digits). A decimal separator is '.' or, where formato.comaDecimal, ','. A
// number that reads one way only gives, in valor, the value LeerNumero gives
// for the same text (a ',' read as '.'), to the last bit. A number that reads
// two ways is refused: one to three digits (the first not 0), one separator,
// exactly three digits, no exponent, where that separator is not
// formato.decimal. valor is set only for Numero.
LecturaNumero LeerCampoNumero(std::string_view campo, const FormatoCampos& formato, double& valor);

// The reading before ambiguous numbers were refused, for callers not yet
// moved to the one above: either decimal separator where comaDecimal, '.'
// otherwise; true for a number.
bool LeerCampoNumero(std::string_view campo, bool comaDecimal, double& valor);

// Whether a line holds nothing but blanks (ignored: no record, no count).
bool LineaEnBlanco(std::string_view linea);

}  // namespace tesmaro
