// The input filters as the user meets them: whole texts (pasted or written by
// the program) and keystrokes, caret position, and the memory of the last
// accepted text when a box gets the focus.
#include <QVBoxLayout>

#include "Comun.h"
#include "Form1.h"

using namespace tesmaro;

class PruebaFiltros : public QObject {
    Q_OBJECT

    QWidget* ventana = nullptr;
    QLineEdit* decimal = nullptr;
    QLineEdit* entera = nullptr;
    QLineEdit* otra = nullptr;

    QLineEdit* Caja(const QString& tipo) { return tipo == QLatin1String("decimal") ? decimal : entera; }

private slots:
    void init() {
        prueba::Restablecer();
        ventana = new QWidget;
        decimal = new QLineEdit(ventana);
        entera = new QLineEdit(ventana);
        otra = new QLineEdit(ventana);
        auto* columna = new QVBoxLayout(ventana);
        columna->addWidget(decimal);
        columna->addWidget(entera);
        columna->addWidget(otra);
        ConectarFiltro(decimal, TipoFiltro::Decimal);
        ConectarFiltro(entera, TipoFiltro::Entero);
        QVERIFY(prueba::Mostrar(ventana));
    }
    void cleanup() {
        delete ventana;
        prueba::Restablecer();
    }

    // A whole text arriving at once in a box that held `antes` (and had the
    // focus, so that `antes` is the remembered text).
    void TextoEntero_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<QString>("queda");
        QTest::newRow("coma a punto") << "decimal" << "" << "1,5" << "1.5";
        QTest::newRow("punto solo") << "decimal" << "" << "." << "0.";
        QTest::newRow("signo y punto") << "decimal" << "" << "-." << "-0.";
        QTest::newRow("dos puntos") << "decimal" << "1.2" << "1.2.3" << "1.2";
        QTest::newRow("dos e") << "decimal" << "1e2" << "1e2e" << "1e2";
        QTest::newRow("letras") << "decimal" << "" << "abc" << "";
        QTest::newRow("menos al final") << "decimal" << "5" << "5-" << "5";
        QTest::newRow("menos solo") << "decimal" << "" << "-" << "-";
        QTest::newRow("exponente escribiendose") << "decimal" << "1" << "1e" << "1e";
        QTest::newRow("exponente con signo") << "decimal" << "1e" << "1e-" << "1e-";
        QTest::newRow("exponente completo") << "decimal" << "1e-" << "1e-5" << "1e-5";
        QTest::newRow("negativo") << "decimal" << "-0." << "-0.5" << "-0.5";
        QTest::newRow("vacio") << "decimal" << "5" << "" << "";
        QTest::newRow("mas quitado") << "decimal" << "" << "+5" << "5";
        QTest::newRow("blancos en los extremos") << "decimal" << "" << " 12 " << " 12 ";
        QTest::newRow("blanco en medio") << "decimal" << "1" << "1 2" << "1";
        QTest::newRow("E mayuscula completa") << "decimal" << "1" << "1E5" << "1E5";
        QTest::newRow("E mayuscula sola") << "decimal" << "1" << "1E" << "1";
        QTest::newRow("entero menos") << "entera" << "" << "-" << "-";
        QTest::newRow("entero negativo") << "entera" << "-1" << "-12" << "-12";
        QTest::newRow("entero punto quitado") << "entera" << "12" << "12." << "12";
        QTest::newRow("entero coma quitada") << "entera" << "2" << "2,5" << "25";
        QTest::newRow("entero e al final") << "entera" << "1" << "1e" << "1";
        QTest::newRow("entero menos al final") << "entera" << "1" << "1-" << "1";
        QTest::newRow("entero exponente") << "entera" << "1" << "1e5" << "1e5";
        QTest::newRow("entero letra") << "entera" << "7" << "7x" << "7";
    }
    void TextoEntero() {
        QFETCH(QString, tipo);
        QFETCH(QString, antes);
        QFETCH(QString, nuevo);
        QFETCH(QString, queda);
        QLineEdit* caja = Caja(tipo);
        caja->setText(antes);
        otra->setFocus();
        caja->setFocus();
        QCOMPARE(TextoAnterior, antes);
        caja->setText(nuevo);
        QCOMPARE(caja->text(), queda);
        QCOMPARE(TextoAnterior, queda);
    }

    // Keystrokes: what is shown, and where the caret ends.
    void Teclas_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("queda");
        QTest::addColumn<int>("cursor");
        QTest::newRow("1,5") << "decimal" << "1,5" << "1.5" << 3;
        QTest::newRow("punto") << "decimal" << "." << "0." << 2;
        QTest::newRow("menos punto") << "decimal" << "-." << "-0." << 3;
        QTest::newRow("1.2.3 tecla a tecla") << "decimal" << "1.2.3" << "1.23" << 4;
        QTest::newRow("5-") << "decimal" << "5-" << "5" << 1;
        QTest::newRow("1e-5") << "decimal" << "1e-5" << "1e-5" << 4;
        QTest::newRow("abc") << "decimal" << "abc" << "" << 0;
        QTest::newRow("2.5 entero") << "entera" << "2.5" << "25" << 2;
        QTest::newRow("-12 entero") << "entera" << "-12" << "-12" << 3;
    }
    void Teclas() {
        QFETCH(QString, tipo);
        QFETCH(QString, teclas);
        QFETCH(QString, queda);
        QFETCH(int, cursor);
        QLineEdit* caja = Caja(tipo);
        prueba::Teclear(caja, teclas);
        QCOMPARE(caja->text(), queda);
        QCOMPARE(caja->cursorPosition(), cursor);
    }

    // Ordinary accepted typing leaves the caret where it was; a corrected
    // text puts it at the end.
    void CursorEnMedio() {
        prueba::Teclear(decimal, QStringLiteral("12"));
        decimal->setCursorPosition(1);
        QTest::keyClicks(decimal, QStringLiteral("3"));
        QCOMPARE(decimal->text(), QStringLiteral("132"));
        QCOMPARE(decimal->cursorPosition(), 2);
        decimal->setCursorPosition(1);
        QTest::keyClicks(decimal, QStringLiteral(","));
        QCOMPARE(decimal->text(), QStringLiteral("1.32"));
        QCOMPARE(decimal->cursorPosition(), 4);
    }

    // A rejected keystroke right after the focus arrives restores the text
    // the box held (it once emptied the box).
    void FocoRecuerdaElTexto() {
        decimal->setText(QStringLiteral("123"));
        otra->setFocus();
        QTest::keyClicks(otra, QStringLiteral("zz"));  // an unfiltered box changes nothing
        decimal->setFocus(Qt::MouseFocusReason);
        decimal->end(false);
        QTest::keyClicks(decimal, QStringLiteral("x"));
        QCOMPARE(decimal->text(), QStringLiteral("123"));
        QCOMPARE(decimal->cursorPosition(), 3);
        // The same with the Tab key, which selects the whole text: the letter
        // replaces the selection and is refused.
        entera->setText(QStringLiteral("45"));
        decimal->setFocus();
        QTest::keyClick(decimal, Qt::Key_Tab);
        QVERIFY(entera->hasFocus());
        QTest::keyClicks(entera, QStringLiteral("q"));
        QCOMPARE(entera->text(), QStringLiteral("45"));
    }

    // The nested change event: the program writes a comma (the regional
    // separator), the filter turns it into a point, and remembers the result.
    void EscrituraDelPrograma() {
        decimal->setFocus();
        decimal->setText(QStringLiteral("-0,5"));
        QCOMPARE(decimal->text(), QStringLiteral("-0.5"));
        QCOMPARE(TextoAnterior, QStringLiteral("-0.5"));
        QCOMPARE(decimal->cursorPosition(), 4);
    }

    void NumeroCompleto_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("numero");
        QTest::newRow("entero") << "12" << true;
        QTest::newRow("decimal") << "-0.5" << true;
        QTest::newRow("sin entero") << ".5" << true;
        QTest::newRow("sin decimales") << "5." << true;
        QTest::newRow("exponente") << "1.5e-3" << true;
        QTest::newRow("exponente mayuscula con mas") << "2E+07" << true;
        QTest::newRow("blancos") << "  3  " << true;
        QTest::newRow("vacio") << "" << false;
        QTest::newRow("solo punto") << "." << false;
        QTest::newRow("solo signo") << "-" << false;
        QTest::newRow("exponente sin cifras") << "1e" << false;
        QTest::newRow("exponente sin mantisa") << "e5" << false;
        QTest::newRow("signo tras blanco interior") << "- 3" << false;
        QTest::newRow("coma") << "1,5" << false;
        QTest::newRow("dos puntos") << "1.2.3" << false;
        QTest::newRow("hexadecimal") << "0x10" << false;
        QTest::newRow("infinito") << "inf" << false;
    }
    void NumeroCompleto() {
        QFETCH(QString, texto);
        QFETCH(bool, numero);
        QCOMPARE(EsNumeroCompleto(texto.toStdString()), numero);
    }
};

QTEST_MAIN(PruebaFiltros)
#include "PruebaFiltros.moc"
