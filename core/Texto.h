// Text forms of numbers and angles, and the conversion of angles into the
// angular unit of the settings.
//
// Reading never depends on the user's regional settings: a point is the only
// decimal separator. Writing (TextoNumero, TextoFormato) puts the regional
// decimal separator of LC_NUMERIC, as the windows have always shown it; the
// callers that want a point replace "," by "." (Normalizar) or ask for the
// point directly (TextoNumero(valor, '.')). No function here uses printf, strtod or
// streams, so a program that called setlocale(LC_ALL, "") reads and writes
// the result files exactly as any other.
#pragma once
#include <string>
#include <string_view>

namespace tesmaro {

// The number reader of every box and every file field.
// Blanks, tabs and line feeds anywhere are ignored. An optional sign, digits
// with at most one decimal point, an optional exponent ("E", "e", "D" or "d",
// optional sign, digits). Reading stops at the first character that cannot
// continue the number; no number at all reads 0 ("", "abc", "-"). A comma ends
// the number ("3,5" reads 3). Never fails. A magnitude beyond the range of a
// double reads as an infinity of its sign (the computations then report that
// they cannot answer), one below it as zero.
double LeerNumero(std::string_view texto);

// The decimal separator of the user's regional settings (LC_NUMERIC): '.' or
// ','. Read afresh on each call.
char SeparadorDecimal();

// The general number-to-text conversion: the rules of printf's "%.15G" (15
// significant digits, rounded; no trailing zeros or trailing separator; a
// zero before the separator; exponent form such as 2E-07 when the exponent is
// below -4 or from 15 on), with `separador` as decimal separator. Negative
// zero prints as "0". A value that is not finite gives the empty text.
std::string TextoNumero(double valor, char separador);
// The same with the regional separator (what the windows show before they
// normalise).
std::string TextoNumero(double valor);

// Writes TextoNumero(valor, '.') into buf (at least 32 chars) without
// allocating; returns the length. The hot path of the batch writers.
int EscribirNumero(double valor, char* buf);

// The output precision the user chose: a finite valor below 1e21 in
// magnitude with `decimales` decimals (0 to 15), correctly rounded, with a
// point; a result of zero without a sign ("0.000", not "-0.000").
std::string TextoDecimales(double valor, int decimales);

// Fixed patterns, rounded half away from zero, regional separator:
// "0.000000"     at least one integer digit, six decimals (1.5 -> 1.500000);
// "##.000000000" no integer zero (0.25 -> .250000000, -0.25 -> -.250000000),
//                nine decimals.
// Any other pattern gives the empty text, and so does a value that is not
// finite. The exact binary value decides the rounding: 0.0000015 is
// 1.50000000000000004e-6 and gives 0.000002, 0.0000005 is
// 4.99999999999999977e-7 and gives 0.000000; only values exactly halfway
// (such as 1/128 = 0.0078125 -> 0.007813) are ties. A negative value that
// rounds to zero keeps its sign (-1e-12 gives -0.000000); -0 has none.
std::string TextoFormato(double valor, std::string_view patron, char separador);
std::string TextoFormato(double valor, std::string_view patron);

// Every "," of the text replaced by ".".
std::string Normalizar(std::string texto);

// Text read from a file, fit to quote in a message on a terminal or in a
// window: every control character written as an escape (\t, \r, \n by name,
// the other C0 ones and DEL as \x1b, \x7f; C1 ones as \u009b) and so every
// byte that is not part of valid UTF-8 (\xff); everything else, a backslash
// included, as it is. Nothing a file holds can then move the cursor, retitle
// the terminal or break a message's lines.
std::string TextoParaMensaje(std::string_view texto);

// Degrees-minutes-seconds text: 39.5 as "Lat1" is 39º 30' 0.000000'' N;
// -0.5 as "Long1" is 0º 30' 0.000000'' W; -1.25 as any other kind is
// -1º 15' 0.000000''. Always with a point. Whole degrees must fit a signed
// 16-bit integer: otherwise AvisoDesbordamiento and the empty text. Seconds
// are rounded only by the six-decimal pattern (no carry into the minutes).
std::string FormatoSexagesimal(double valor, std::string_view tipo);

// Reads back a text of FormatoSexagesimal and returns TextoNumero of its value
// with a point ("39º 30' 0.000000'' N" gives "39.5"). A missing marker shows
// AvisoDesbordamiento and gives the empty text.
std::string LeerSexagesimal(std::string_view texto);

// Decimal degrees into the unit `unidad` (the windows' results): 2 gives
// (v × 10) / 9, 3 gives ((v + v) × 3.141592654) / 360, any other value leaves
// v unchanged.
double ConvertirUnidad(double valor, std::int16_t unidad);

}  // namespace tesmaro
