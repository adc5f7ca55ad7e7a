// The input filters of the numeric boxes and their shared memory.
//
// Every numeric box of every window is filtered on each change of its text
// (QLineEdit::textChanged, which also fires when the program writes the box,
// as the change event always has): FiltroDecimal for decimal numbers,
// FiltroEntero for whole numbers. A filter either accepts the text (possibly
// normalised: "," -> ".", "." -> "0.", "+" removed) or rejects it, and then the
// box gets back TextoAnterior, the last text a filter accepted. A number
// with more separators than it can hold ("440.000,5", a thousands separator;
// "2.5" in a whole-number box) is kept exactly as typed, never turned into
// another number: reading it (LeerCaja) refuses it in words.
//
// Writing the box from inside the filter raises the change event again, one
// level deep; the nested run sees a normalised text, accepts it and sets
// TextoAnterior, so that a corrected text ends with the caret at the end while
// ordinary accepted typing leaves the caret where it was. The box is only
// written when its text really changes (writing the same text raises no
// change event and keeps the caret), which also bounds the nesting.
//
// When a filtered box gets the focus, TextoAnterior becomes that box's
// current text, so a rejected keystroke restores what was there. (Emptying
// TextoAnterior on focus, as it once was, made the first rejected keystroke
// in a newly focused box wipe the box.)
//
// Use: ConectarFiltro(caja, TipoFiltro::Decimal) once per box, after which
// the window may add its own reaction to textChanged (connect it AFTER the
// filter, as GEO_UTM's sign options do, so it sees the filtered text).
#pragma once
#include <QString>
#include <string_view>

class QLineEdit;

namespace tesmaro {

// The last text accepted by any filter, shared by every filtered box of every
// window. Start value empty.
extern QString TextoAnterior;

// The strict numeric test of the filters (not locale dependent): optional
// blanks, an optional "-" or "+", digits with at most one decimal point (at
// least one digit in all), an optional exponent "e" or "E" with an optional
// sign and at least one digit, optional blanks.
bool EsNumeroCompleto(std::string_view texto);

// The two filters. texto is the box's current text, normalised in place;
// caja is the box. Their effect is on the box and on TextoAnterior.
void FiltroDecimal(QString& texto, QLineEdit* caja);
void FiltroEntero(QString& texto, QLineEdit* caja);

enum class TipoFiltro { Decimal, Entero };

// The strict reading of a box when a window computes: Numero (valor is the
// LeerNumero of its text), Vacia (nothing but blanks), or NoNumero (the text
// is not a whole number as EsNumeroCompleto says; motivo says so, naming the
// value, as in "La longitud «440.000,5» no es un número: ...").
enum class Lectura { Numero, Vacia, NoNumero };
Lectura LeerCaja(const QLineEdit* caja, const QString& nombre, double& valor, QString& motivo);

// Filters caja on every change of its text with the filter named, and makes
// its getting the focus set TextoAnterior to its text. Call once per box.
void ConectarFiltro(QLineEdit* caja, TipoFiltro tipo);

}  // namespace tesmaro
