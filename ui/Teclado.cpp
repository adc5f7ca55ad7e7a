#include "Teclado.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace tesmaro {

namespace {

// Presses a button for one key inside the widget it watches. Key events that
// the focused control leaves unused travel up through its parents, so the
// innermost watcher sees them first.
class PulsadorTecla final : public QObject {
public:
    PulsadorTecla(QWidget* ambito, QAbstractButton* boton, bool intro)
        : QObject(ambito), boton_(boton), intro_(intro) {
        ambito->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress) return QObject::eventFilter(objeto, evento);
        auto* tecla = static_cast<QKeyEvent*>(evento);
        const Qt::KeyboardModifiers otras = tecla->modifiers() & ~Qt::KeypadModifier;
        if (otras != Qt::NoModifier) return false;
        const bool esIntro = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
        const bool esEscape = tecla->key() == Qt::Key_Escape;
        if (intro_ ? !esIntro : !esEscape) return false;
        QAbstractButton* destino = boton_;
        if (intro_) {
            // A push button with the focus is pressed itself, as in a dialog;
            // check boxes and options are left to the window's button.
            auto* enfocado = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (enfocado && !qobject_cast<QCheckBox*>(enfocado) && !qobject_cast<QRadioButton*>(enfocado))
                destino = enfocado;
        }
        if (!destino || !destino->isVisible() || !destino->isEnabled()) return false;
        destino->click();
        tecla->accept();
        return true;
    }

private:
    QPointer<QAbstractButton> boton_;
    bool intro_;
};

// An option pair is one stop of the Tab order. Tab reaches it at whichever
// button comes first in the order; this moves the focus on to the chosen
// button, where the arrow keys then work.
class EntradaOpciones final : public QObject {
public:
    explicit EntradaOpciones(QObject* padre) : QObject(padre) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress) {
            // The arrow keys move the focus within the pair (and choose the
            // button they reach): that focus stays where they put it.
            switch (static_cast<QKeyEvent*>(evento)->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                flechas_ = true;
                QTimer::singleShot(0, this, [this] { flechas_ = false; });
                break;
            default:
                break;
            }
        } else if (evento->type() == QEvent::FocusIn && !flechas_) {
            const auto razon = static_cast<QFocusEvent*>(evento)->reason();
            auto* opcion = qobject_cast<QRadioButton*>(objeto);
            if (opcion && !opcion->isChecked() && (razon == Qt::TabFocusReason || razon == Qt::BacktabFocusReason)) {
                if (QAbstractButton* elegida = Elegida(opcion)) {
                    // The chosen button becomes the pair's stop; the event is
                    // kept from this button, which would claim the stop back.
                    elegida->setFocus(razon);
                    return true;
                }
            }
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool flechas_ = false;

    // The chosen button of the option's group, or of its exclusive siblings.
    static QAbstractButton* Elegida(QRadioButton* opcion) {
        if (QButtonGroup* grupo = opcion->group()) return grupo->exclusive() ? grupo->checkedButton() : nullptr;
        if (!opcion->autoExclusive() || !opcion->parentWidget()) return nullptr;
        for (QRadioButton* hermana : opcion->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (hermana->autoExclusive() && !hermana->group() && hermana->isChecked() && hermana->isVisible() &&
                hermana->isEnabled())
                return hermana;
        return nullptr;
    }
};

}  // namespace

void OrdenTabulacion(std::initializer_list<QWidget*> controles) {
    QWidget* anterior = nullptr;
    for (QWidget* control : controles) {
        if (anterior) QWidget::setTabOrder(anterior, control);
        anterior = control;
        if (qobject_cast<QRadioButton*>(control)) {
            static EntradaOpciones* entrada = nullptr;
            if (!entrada) entrada = new EntradaOpciones(QApplication::instance());
            control->installEventFilter(entrada);
        }
    }
}

void TeclaIntro(QWidget* ambito, QAbstractButton* boton) { new PulsadorTecla(ambito, boton, true); }

void TeclaEscape(QWidget* ambito, QAbstractButton* boton) { new PulsadorTecla(ambito, boton, false); }

void Acompaniar(std::initializer_list<std::pair<QLabel*, QWidget*>> parejas) {
    for (const auto& [etiqueta, caja] : parejas) etiqueta->setBuddy(caja);
}

}  // namespace tesmaro
