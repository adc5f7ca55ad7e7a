#include "DialogoResumen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "Texto.h"

namespace tesmaro {

std::function<bool(const QString&)> DialogoResumen::Abrir = [](const QString& carpeta) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(carpeta));
};

DialogoResumen::DialogoResumen(const ResumenVentana& r, std::function<void()> verMapa, QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("DialogoResumen"));
    setWindowTitle(TituloPrograma);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Label_Titulo = new QLabel(r.titulo, this);
    Label_Titulo->setObjectName(QStringLiteral("Label_Titulo"));
    QFont negrita = Label_Titulo->font();
    negrita.setBold(true);
    Label_Titulo->setFont(negrita);
    Label_Titulo->setWordWrap(true);
    // What the run quotes (its paths) escaped; the folder opened is the real one.
    Label_Texto = new QLabel(TextoVisible(r.texto), this);
    Label_Texto->setObjectName(QStringLiteral("Label_Texto"));
    QStringList salidas;
    for (const QString& salida : r.salidas) salidas << QString::fromStdString(TextoParaMensaje(salida.toStdString()));
    Label_Salidas = new QLabel(salidas.join(QLatin1Char('\n')), this);
    Label_Salidas->setObjectName(QStringLiteral("Label_Salidas"));
    for (QLabel* l : {Label_Texto, Label_Salidas}) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    Label_Salidas->setVisible(!r.salidas.isEmpty());

    AbrirCarpeta = new QPushButton(QStringLiteral("Abrir carpeta"), this);
    AbrirCarpeta->setObjectName(QStringLiteral("AbrirCarpeta"));
    VerMapa = new QPushButton(QStringLiteral("Ver en el mapa"), this);
    VerMapa->setObjectName(QStringLiteral("VerMapa"));
    Cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    Cerrar->setObjectName(QStringLiteral("Cerrar"));
    Cerrar->setDefault(true);
    if (!r.salidas.isEmpty()) carpeta_ = QFileInfo(r.salidas.constFirst()).absolutePath();
    AbrirCarpeta->setEnabled(!carpeta_.isEmpty());
    VerMapa->setVisible(r.mapa && verMapa);
    for (QPushButton* b : {AbrirCarpeta, VerMapa}) b->setAutoDefault(false);
    connect(AbrirCarpeta, &QPushButton::clicked, this, [this] { Abrir(carpeta_); });
    connect(VerMapa, &QPushButton::clicked, this, [this, verMapa = std::move(verMapa)] {
        verMapa();
        close();
    });
    connect(Cerrar, &QPushButton::clicked, this, &QDialog::close);

    auto* icono = new QLabel(this);
    const QStyle::StandardPixmap simbolo = r.fallo ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxInformation;
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icono->setPixmap(style()->standardIcon(simbolo, nullptr, this).pixmap(lado, lado));
    auto* textos = new QVBoxLayout;
    textos->addWidget(Label_Titulo);
    textos->addWidget(Label_Texto);
    textos->addWidget(Label_Salidas);
    textos->addStretch(1);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(icono, 0, Qt::AlignTop);
    arriba->addLayout(textos, 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(AbrirCarpeta);
    botones->addWidget(VerMapa);
    botones->addStretch(1);
    botones->addWidget(Cerrar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba, 1);
    todo->addLayout(botones);
    // Wide enough for a path; long lines wrap.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
    Cerrar->setFocus();
}

}  // namespace tesmaro
