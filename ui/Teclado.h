// The keyboard in the windows, besides what every control does by itself.
//
// - OrdenTabulacion({a, b, c, ...}): Tab goes from a to b to c, Shift+Tab
//   back; the windows list their controls group by group, top to bottom and
//   left to right. Both buttons of an option pair are listed: the pair is one
//   stop, Tab and Shift+Tab land on its chosen button, and the arrow keys
//   move between the two.
//
// - TeclaIntro(ambito, boton): Return or the keypad's Enter anywhere inside
//   ambito presses boton ("Calcular", the panel's "Aceptar"), or the push
//   button that has the focus when there is one, as in a dialog. The
//   innermost ambito wins: the degrees-minutes-seconds panel inside a window.
//   A hidden or disabled boton is left alone.
//
// - TeclaEscape(ambito, boton): Escape inside ambito presses boton (the
//   panel's "X").
//
// - Acompaniar({{etiqueta, caja}, ...}): each label names the box beside it
//   (its buddy), which is what screen readers announce; the captions stay as
//   they are, with no access key added.
#pragma once
#include <initializer_list>
#include <utility>

class QAbstractButton;
class QLabel;
class QWidget;

namespace tesmaro {

void OrdenTabulacion(std::initializer_list<QWidget*> controles);
void TeclaIntro(QWidget* ambito, QAbstractButton* boton);
void TeclaEscape(QWidget* ambito, QAbstractButton* boton);
void Acompaniar(std::initializer_list<std::pair<QLabel*, QWidget*>> parejas);

}  // namespace tesmaro
