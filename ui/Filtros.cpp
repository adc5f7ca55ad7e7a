#include "Filtros.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>

#include "Texto.h"

namespace tesmaro {

QString TextoAnterior;

namespace {

// Never shown: the verdict by which a filter rejects the new text.
const QString CogerAntiguo = QStringLiteral("Coger antiguo");

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// The commit shared by both filters.
void Confirmar(const QString& resultado, QLineEdit* caja) {
    if (resultado == CogerAntiguo) {
        const QString anterior = TextoAnterior;
        if (caja->text() != anterior) caja->setText(anterior);
        caja->end(false);
        return;
    }
    if (caja->text() != resultado) caja->setText(resultado);
    if (resultado == TextoAnterior) caja->end(false);
    TextoAnterior = resultado;
}

// Focus: remember the box's current text.
class MemoriaFoco final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::FocusIn) {
            if (auto* caja = qobject_cast<QLineEdit*>(objeto)) TextoAnterior = caja->text();
        }
        return false;
    }
};

// Digits with separators, a sign perhaps, and nothing else: a number typed
// with thousands separators, or with a separator where none may be.
bool SeparadoresDeMas(QString texto) {
    texto.remove(QLatin1Char('.'));
    texto.remove(QLatin1Char(','));
    if (texto.startsWith(QLatin1Char('-'))) texto.remove(0, 1);
    if (texto.isEmpty()) return false;
    for (const QChar c : texto)
        if (!c.isDigit() || c.unicode() > 127) return false;
    return true;
}

}  // namespace

bool EsNumeroCompleto(std::string_view t) {
    std::size_t i = 0, n = t.size();
    while (i < n && t[i] == ' ') ++i;
    if (i < n && (t[i] == '-' || t[i] == '+')) ++i;
    int digitos = 0;
    while (i < n && EsDigito(t[i])) { ++i; ++digitos; }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && EsDigito(t[i])) { ++i; ++digitos; }
    }
    if (digitos == 0) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '-' || t[i] == '+')) ++i;
        int exponente = 0;
        while (i < n && EsDigito(t[i])) { ++i; ++exponente; }
        if (exponente == 0) return false;
    }
    while (i < n && t[i] == ' ') ++i;
    return i == n;
}

void FiltroDecimal(QString& texto, QLineEdit* caja) {
    texto.remove(QLatin1Char('+'));
    const QString tecleado = texto;
    texto.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype es = texto.count(QLatin1Char('e'));
    const qsizetype puntos = texto.count(QLatin1Char('.'));
    QString resultado;
    if (texto == QLatin1String("-") || texto.isEmpty()) {
        resultado = texto;
    } else if (texto == QLatin1String(".")) {
        resultado = QStringLiteral("0.");
        TextoAnterior = resultado;
    } else if (texto == QLatin1String("-.")) {
        resultado = QStringLiteral("-0.");
    } else if (puntos >= 2 && es == 0 && SeparadoresDeMas(texto)) {
        resultado = tecleado;  // refused when read, as typed
    } else if (es > 1 || puntos >= 2) {
        resultado = CogerAntiguo;
    } else if (texto.size() >= 2 && texto.back() == QLatin1Char('e')) {
        resultado = texto;
    } else if (texto.size() >= 2 && texto.back() == QLatin1Char('-')) {
        resultado = texto.endsWith(QLatin1String("e-")) ? texto : CogerAntiguo;
    } else if (EsNumeroCompleto(texto.toStdString())) {
        resultado = texto;
    } else {
        resultado = CogerAntiguo;
    }
    Confirmar(resultado, caja);
}

void FiltroEntero(QString& texto, QLineEdit* caja) {
    texto.remove(QLatin1Char('+'));
    QString resultado;
    if (texto == QLatin1String("-") || texto.isEmpty()) {
        resultado = texto;
    } else if ((texto.contains(QLatin1Char('.')) || texto.contains(QLatin1Char(','))) && SeparadoresDeMas(texto)) {
        resultado = texto;
    } else if (texto.size() >= 2 &&
               (texto.back() == QLatin1Char('e') || texto.back() == QLatin1Char('-'))) {
        resultado = CogerAntiguo;
    } else if (EsNumeroCompleto(texto.toStdString())) {
        resultado = texto;  // an exponent such as 1e5 passes, being a number
    } else {
        resultado = CogerAntiguo;
    }
    Confirmar(resultado, caja);
}

Lectura LeerCaja(const QLineEdit* caja, const QString& nombre, double& valor, QString& motivo) {
    const QString texto = caja->text().trimmed();
    if (texto.isEmpty()) return Lectura::Vacia;
    if (EsNumeroCompleto(texto.toStdString())) {
        valor = LeerNumero(texto.toStdString());
        return Lectura::Numero;
    }
    motivo = QStringLiteral("%1 «%2» no es un número").arg(nombre, texto);
    motivo += texto.count(QLatin1Char('.')) + texto.count(QLatin1Char(',')) >= 2
                  ? QStringLiteral(": escríbalo sin separador de miles y con un solo separador decimal.")
                  : QStringLiteral(".");
    return Lectura::NoNumero;
}

void ConectarFiltro(QLineEdit* caja, TipoFiltro tipo) {
    caja->installEventFilter(new MemoriaFoco(caja));
    if (tipo == TipoFiltro::Decimal) {
        QObject::connect(caja, &QLineEdit::textChanged, caja, [caja](const QString& t) {
            QString texto = t;
            FiltroDecimal(texto, caja);
        });
    } else {
        QObject::connect(caja, &QLineEdit::textChanged, caja, [caja](const QString& t) {
            QString texto = t;
            FiltroEntero(texto, caja);
        });
    }
}

}  // namespace tesmaro
