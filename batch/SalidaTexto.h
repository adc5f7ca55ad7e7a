// The text result of a run and its CSV twin, the files every conversion has
// always written: one record per point line, under a header record.
//
// A record is a list of fields separated by "," with no blank: texts in
// double quotes (a quote in them doubled), numbers with 15 significant digits
// and a decimal point (EscribirNumero), integers as plain digits, an empty
// field as nothing; CR LF at its end. The name is the line's first field as
// it was written (NombreLeido). A line that could not be computed keeps its name and the columns
// that echo its input or the ellipsoid, its computed columns empty; an
// unreadable or impossible line, or one outside the grid, keeps only its
// name. Omitted lines and a stop get no record.
//
// The CSV twin has the same records with ";" between fields, a decimal comma
// in the numbers and the texts without quotes (LineaCsv of the record),
// after a UTF-8 byte-order mark that tells spreadsheets the encoding; only
// its names follow their own rule (NombreCsv in SalidaTexto.cpp), so that
// every name comes back as it was and none becomes a formula. Nothing here
// depends on the user's regional settings.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "Sumidero.h"

namespace tesmaro {

struct Conversion;

// The CSV step on one line of the text result (without its line end): every
// "," becomes ";", then every "." becomes ",", then every double quote is
// removed. "\"P.1\",-0.5,39.25,30,\"Norte\"" gives "P,1;-0,5;39,25;30;Norte".
std::string LineaCsv(std::string_view lineaTxt);
void AnadirLineaCsv(std::string_view lineaTxt, std::string& destino);
// The CSV step on a whole text result: each line (ended by CR LF, or the last
// one without it) transformed as above and ended by CR LF.
std::string TextoACsv(std::string_view texto);

// The header record of a conversion's text result, CR LF included.
std::string CabeceraTexto(const Conversion& conversion);
// How the numbers of a record are written: lengths and angles with a fixed
// number of decimals (rounded to nearest, a tie by the binary value; no
// sign on a zero), -1 for 15 significant digits as every other number.
struct Decimales {
    int metros = -1;
    int angulos = -1;
};

// The record of one line (CR LF included), appended to `txt`, and its CSV
// twin to `csv` when given; nothing for a line that gets no record.
void AnadirRegistro(const Conversion& conversion, const RegistroPunto& registro, std::string& txt,
                    std::string* csv = nullptr, const Decimales& decimales = {});

// The sink of the two files `rutaTxt` and `rutaCsv`, or of the text alone on
// the standard output (rutaTxt "-", no CSV).
class SalidaTexto final : public Sumidero {
public:
    SalidaTexto(std::string rutaTxt, std::string rutaCsv);
    ~SalidaTexto() override;

    bool Empezar(const ContextoLote& contexto, Salidas& salidas, std::string& error) override;
    void Preparar(const RegistroPunto& registro, Preparado& preparado) const override;
    bool Recibir(std::span<const RegistroPunto> registros, const Preparado& preparado) override;
    bool Terminar(ObservadorLote& observador, std::string& error) override;

private:
    bool Escribir(std::FILE* f, std::string_view datos, const std::string& ruta);

    const Conversion* conversion_ = nullptr;
    Decimales decimales_;
    std::string rutaTxt_, rutaCsv_;
    std::FILE* txt_ = nullptr;
    std::FILE* csv_ = nullptr;
    std::string fallo_;  // the file a write failed on
};

}  // namespace tesmaro
