#include "DElipsoides.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <array>

#include "Ajustes.h"
#include "Elipsoides.h"
#include "NotificadorAjustes.h"
#include "Teclado.h"

namespace tesmaro {

namespace {

// One row of the list as it has always been written: the name, the run before
// a, a, the run before 1/f, 1/f. In the runs 'T' is a tab and 'B' a blank.
struct FilaLista {
    const char* nombre;
    const char* antesA;
    const char* a;
    const char* antesRf;
    const char* rf;
};

constexpr std::array<FilaLista, NumeroElipsoides> FilasLista = {{
    {"Airy 1830", "TTTTB", "6377563.396", "TB", "299.3249646"},
    {"Modified Airy", "TTBBTB", "6377340.189", "TB", "299.3249646"},
    {"International Hayford 1924", "TBTB", "6378388", "TBTB", "297"},
    {"WGS 72", "TTTTB", "6378135", "TTB", "298.26"},
    {"WGS 84", "TTTBBTB", "6378137", "TTB", "298.257223563"},
    {"Australian National", "TTBTB", "6378160", "TTB", "298.25"},
    {"Bessel 1841 (Namibia)", "TBTB", "6377483.865", "TB", "299.1528128"},
    {"Bessel 1841", "TTBTB", "6377397.155", "TB", "299.1528128"},
    {"Clarke 1866", "TBTTB", "6378206.4", "TB", "294.9786982"},
    {"Clarke 1880", "TBTTB", "6378249.145", "TB", "293.465"},
    {"Everest (India 1830)", "TTB", "6377276.345", "TB", "300.8017"},
    {"Everest (Brunei and E. Malaysia)", "TB", "6377298.556", "TB", "300.8017"},
    {"Everest (India 1956)", "TBTB", "6377301.243", "TB", "300.8017"},
    {"Everest (W. Malaysia 1969)", "TTB", "6377295.664", "TB", "300.8017"},
    {"Everest (W. Malaysia y Singapore)", "TB", "6377304.063", "TB", "300.8017"},
    {"Everest (Pakistan)", "TBTTB", "6377309.613", "TB", "300.8017"},
    {"Modified Fischer 1960", "TTB", "6378155", "TTB", "298.3"},
    {"Helmert 1906", "TTTB", "6378200", "TBTB", "298.3"},
    {"Hough 1960", "TBBTTB", "6378270", "TBTB", "297"},
    {"Indonesian 1974", "TBTTB", "6378160", "TTB", "298.247"},
    {"Krassovsky 1940", "TTTB", "6378245", "TTB", "298.3"},
    {"GRS 80", "TBTTTB", "6378137", "TTB", "298.257222101"},
    {"South American 1969", "TTB", "6378160", "TTB", "298.25"},
    {"South American SIRGAS", "BTTB", "6378137", "BBBBBBBBBBBBBBBBBB", "298.257222101"},
}};

QString Tramo(const char* letras) {
    QString tramo;
    for (const char* c = letras; *c; ++c) tramo += *c == 'T' ? QLatin1Char('\t') : QLatin1Char(' ');
    return tramo;
}

// Item data: the table row and the three parts drawn in columns.
constexpr int RolIndice = Qt::UserRole;
constexpr int RolNombre = Qt::UserRole + 1;
constexpr int RolA = Qt::UserRole + 2;
constexpr int RolRf = Qt::UserRole + 3;

// Room between the columns and before the first one (pixels).
constexpr int Hueco = 18;
constexpr int MargenTexto = 4;

// Draws each row as three left-aligned columns starting at the given x
// offsets (the item text itself holds the tab and blank runs).
class DelegadoColumnas final : public QStyledItemDelegate {
public:
    DelegadoColumnas(int xA, int xRf, QObject* padre) : QStyledItemDelegate(padre), xA_(xA), xRf_(xRf) {}

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
        QStyleOptionViewItem o = opcion;
        initStyleOption(&o, indice);
        o.text.clear();
        const QWidget* control = o.widget;
        QStyle* estilo = control ? control->style() : QApplication::style();
        estilo->drawControl(QStyle::CE_ItemViewItem, &o, pintor, control);
        const QPalette::ColorGroup grupo = (o.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        pintor->save();
        pintor->setFont(o.font);
        pintor->setPen(o.palette.color(grupo, (o.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                  : QPalette::Text));
        const QRect r = o.rect;
        const int x0 = r.left() + MargenTexto;
        const auto columna = [&](int desde, int hasta, int rol) {
            pintor->drawText(QRect(desde, r.top(), hasta - desde, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                             indice.data(rol).toString());
        };
        columna(x0, x0 + xA_, RolNombre);
        columna(x0 + xA_, x0 + xRf_, RolA);
        columna(x0 + xRf_, r.right(), RolRf);
        pintor->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
        QSize tam = QStyledItemDelegate::sizeHint(opcion, indice);
        const QFontMetrics medidas(opcion.font);
        tam.setWidth(MargenTexto + xRf_ + medidas.horizontalAdvance(indice.data(RolRf).toString()) + MargenTexto);
        return tam;
    }

private:
    int xA_;
    int xRf_;
};

}  // namespace

QString TextoFilaElipsoide(int indice) {
    if (indice < 0 || indice >= NumeroElipsoides) return {};
    const FilaLista& f = FilasLista[static_cast<std::size_t>(indice)];
    return QString::fromUtf8(f.nombre) + Tramo(f.antesA) + QString::fromUtf8(f.a) + Tramo(f.antesRf) +
           QString::fromUtf8(f.rf);
}

DialogoElipsoides::DialogoElipsoides(const std::vector<int>& filas, QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Seleccionar elipsoide de referencia"));
    setModal(false);
    Label4 = new QLabel(QStringLiteral("Elipsoide"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label3 = new QLabel(QStringLiteral("Semieje a"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label5 = new QLabel(QStringLiteral("1/f"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    ELIPSOIDES = new QListWidget(this);
    ELIPSOIDES->setObjectName(QStringLiteral("ELIPSOIDES"));
    ELIPSOIDES->setSelectionMode(QAbstractItemView::SingleSelection);
    ELIPSOIDES->setUniformItemSizes(true);
    Command1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    // Column offsets from the widest name and the widest a of this font.
    const QFontMetrics medidas(ELIPSOIDES->font());
    int anchoNombre = medidas.horizontalAdvance(Label4->text());
    int anchoA = medidas.horizontalAdvance(Label3->text());
    for (int fila : filas) {
        if (fila < 0 || fila >= NumeroElipsoides) continue;
        const FilaLista& f = FilasLista[static_cast<std::size_t>(fila)];
        anchoNombre = std::max(anchoNombre, medidas.horizontalAdvance(QString::fromUtf8(f.nombre)));
        anchoA = std::max(anchoA, medidas.horizontalAdvance(QString::fromUtf8(f.a)));
    }
    const int xA = anchoNombre + Hueco;
    const int xRf = xA + anchoA + Hueco;
    ELIPSOIDES->setItemDelegate(new DelegadoColumnas(xA, xRf, ELIPSOIDES));

    for (int fila : filas) {
        if (fila < 0 || fila >= NumeroElipsoides) continue;
        const FilaLista& f = FilasLista[static_cast<std::size_t>(fila)];
        auto* elemento = new QListWidgetItem(TextoFilaElipsoide(fila), ELIPSOIDES);
        elemento->setData(RolIndice, fila);
        elemento->setData(RolNombre, QString::fromUtf8(f.nombre));
        elemento->setData(RolA, QString::fromUtf8(f.a));
        elemento->setData(RolRf, QString::fromUtf8(f.rf));
        elemento->setToolTip(QStringLiteral("%1: a = %2 m, 1/f = %3")
                                 .arg(QString::fromUtf8(f.nombre), QString::fromUtf8(f.a), QString::fromUtf8(f.rf)));
    }
    ELIPSOIDES->setCurrentRow(-1);
    ELIPSOIDES->clearSelection();

    // The headings stand over the columns of the list.
    const int margenLista = ELIPSOIDES->frameWidth() + MargenTexto;
    auto* cabecera = new QHBoxLayout;
    cabecera->setContentsMargins(margenLista, 0, 0, 0);
    cabecera->setSpacing(0);
    Label4->setFixedWidth(xA);
    Label3->setFixedWidth(xRf - xA);
    cabecera->addWidget(Label4);
    cabecera->addWidget(Label3);
    cabecera->addWidget(Label5, 1);

    const int anchoLista = 2 * margenLista + xRf + medidas.horizontalAdvance(QStringLiteral("298.257223563")) +
                           ELIPSOIDES->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    ELIPSOIDES->setMinimumWidth(anchoLista);
    const int alto = medidas.height() + 1;
    ELIPSOIDES->setMinimumHeight(static_cast<int>(filas.size()) * alto + 2 * ELIPSOIDES->frameWidth() + 4);

    auto* pie = new QHBoxLayout;
    pie->addStretch(1);
    pie->addWidget(Command1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addWidget(ELIPSOIDES, 1);
    todo->addLayout(pie);

    // The keyboard: the list (arrows choose at once), then "Cerrar"; Escape
    // closes the dialog as "Cerrar" does.
    OrdenTabulacion({ELIPSOIDES, Command1});
    connect(ELIPSOIDES, &QListWidget::itemSelectionChanged, this, &DialogoElipsoides::ELIPSOIDES_Click);
    connect(ELIPSOIDES, &QListWidget::itemClicked, this, &DialogoElipsoides::ELIPSOIDES_Click);
    connect(Command1, &QPushButton::clicked, this, &DialogoElipsoides::Command1_Click);
}

int DialogoElipsoides::IndiceTabla(int fila) const {
    const QListWidgetItem* elemento = ELIPSOIDES->item(fila);
    return elemento ? elemento->data(RolIndice).toInt() : -1;
}

void DialogoElipsoides::ELIPSOIDES_Click() {
    const QList<QListWidgetItem*> elegidos = ELIPSOIDES->selectedItems();
    if (elegidos.size() != 1) return;
    const int indice = elegidos.front()->data(RolIndice).toInt();
    NotificadorAjustes::FijarElipsoideActual(static_cast<std::int16_t>(indice));
}

void DialogoElipsoides::Command1_Click() { hide(); }

namespace {
std::vector<int> TodasLasFilas() {
    std::vector<int> filas;
    for (int i = 0; i < NumeroElipsoides; ++i) filas.push_back(i);
    return filas;
}
}  // namespace

DElipsoides::DElipsoides(QWidget* padre) : DialogoElipsoides(TodasLasFilas(), padre) {
    setObjectName(QStringLiteral("DElipsoides"));
    // A window of its own beside the main window, which does not keep the
    // program running.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void DElipsoides::Mostrar() {
    if (ELIPSOIDES->selectedItems().isEmpty()) {
        const int fila = ajustes::ElipsoideActual;
        if (fila >= 0 && fila < ELIPSOIDES->count()) {
            ELIPSOIDES->setCurrentRow(fila);
            ELIPSOIDES->scrollToItem(ELIPSOIDES->item(fila));
        }
    }
    show();
    raise();
    activateWindow();
}

BarraElipsoide::BarraElipsoide(const QString& texto, QWidget* padre) : QLabel(padre), invitacion_(texto) {
    Rotular();
    connect(&NotificadorAjustes::Instancia(), &NotificadorAjustes::ElipsoideCambiado, this, &BarraElipsoide::Rotular);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    paleta.setColor(QPalette::WindowText, Qt::white);
    setPalette(paleta);
    setMargin(3);
    setFocusPolicy(Qt::StrongFocus);
}

void BarraElipsoide::setText(const QString& texto) {
    invitacion_ = texto;
    Rotular();
}

void BarraElipsoide::Rotular() {
    const QString nombre = TextoFilaElipsoide(ajustes::ElipsoideActual).section(QLatin1Char('\t'), 0, 0).trimmed();
    QLabel::setText(nombre.isEmpty() ? invitacion_
                                     : invitacion_ + QStringLiteral("\nElipsoide en uso: ") + nombre);
}

void BarraElipsoide::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) {
        emit Click();
        evento->accept();
        return;
    }
    QLabel::mousePressEvent(evento);
}

void BarraElipsoide::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (!evento->isAutoRepeat()) emit Click();
        evento->accept();
        return;
    default:
        QLabel::keyPressEvent(evento);
    }
}

void BarraElipsoide::paintEvent(QPaintEvent* evento) {
    QLabel::paintEvent(evento);
    if (!hasFocus()) return;
    // A dotted frame inside the bar, in the text's colour, as buttons show focus.
    QPainter pintor(this);
    QPen pluma(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    pintor.setPen(pluma);
    pintor.drawRect(rect().adjusted(2, 2, -3, -3));
}

}  // namespace tesmaro
