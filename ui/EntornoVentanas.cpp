#include "EntornoVentanas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStringList>

#include "Ajustes.h"
#include "Capas.h"
#include "Conversiones.h"
#include "DialogoResumen.h"
#include "Elipsoides.h"

namespace tesmaro {

namespace {

const QString ClavePuntos = QStringLiteral("carpetas/puntos");

QString Q(std::string_view t) { return QString::fromUtf8(t.data(), qsizetype(t.size())); }

// The folder the point-file dialog opens in: where it was last used, in this
// session or the last one, while it exists.
QString CarpetaPuntos() {
    const QString guardada = QSettings(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro")).value(ClavePuntos).toString();
    return !guardada.isEmpty() && QFileInfo(guardada).isDir() ? guardada : QDir::currentPath();
}

// Wide enough for the names, sizes and dates, and no larger than the screen.
void Dimensionar(QFileDialog& dialogo, QWidget* ventana) {
    QSize tamanio(900, 600);
    if (const QScreen* pantalla = ventana ? ventana->screen() : QGuiApplication::primaryScreen())
        tamanio = tamanio.boundedTo(pantalla->availableGeometry().size() * 0.9);
    dialogo.resize(tamanio);
}

}  // namespace

QString AyudaFichero(const Conversion& c, std::int16_t husoForzado) {
    QString angulos;
    if (c.leeUnidad) {
        static const char* const unidades[] = {"grados decimales", "grados centesimales", "radianes"};
        const int u = ajustes::UnidadAngular >= 1 && ajustes::UnidadAngular <= 3 ? ajustes::UnidadAngular : 1;
        angulos = QStringLiteral("Ángulos en %1 (la unidad de «Datos angulares»), oeste y sur negativos. ")
                      .arg(QLatin1String(unidades[u - 1]));
    } else if (Q(c.campos).contains(QStringLiteral("Longitud"))) {
        angulos = QStringLiteral("Longitud y latitud en grados decimales, oeste y sur negativos. ");
    }
    if (c.leeElipsoide) {
        const int e = ajustes::ElipsoideActual;
        if (e >= 0 && e < NumeroElipsoides)
            angulos += QStringLiteral("Elipsoide: %1. ").arg(Q(TablaElipsoides[std::size_t(e)].nombre));
    }
    QString campos = Q(c.campos);
    if (c.leeHuso && husoForzado != 0) {
        // The zone field is not read: it may be there or not.
        campos = QStringLiteral("Punto,Longitud,Latitud[,Huso (no se lee)]");
        angulos += QStringLiteral("Todos los puntos en el huso %1. ").arg(husoForzado);
    }
    const QString base = Q(c.base);
    return QStringLiteral("Una primera línea de títulos; después, una línea por punto:\n    %1\n"
                          "Campos separados por comas con punto decimal, por «;» con coma decimal o por tabuladores. "
                          "%2\nResultados: %3.txt y %3.csv, en la carpeta del fichero.")
        .arg(campos, angulos, base);
}

QString EntornoVentanas::ElegirFicheroPuntos(QWidget* ventana, const Conversion& conversion,
                                             std::int16_t husoForzado) {
    // The dialog of Qt itself, which takes the layout of the lines under its
    // boxes.
    QFileDialog elegir(ventana, QStringLiteral("Fichero de puntos: ") + Q(conversion.descripcion), CarpetaPuntos(),
                       QStringLiteral("Todos los archivos (*);;Texto (*.txt *.csv *.tiv)"));
    elegir.setOption(QFileDialog::DontUseNativeDialog);
    elegir.setFileMode(QFileDialog::ExistingFile);
    elegir.setAcceptMode(QFileDialog::AcceptOpen);
    elegir.setLabelText(QFileDialog::Accept, QStringLiteral("Convertir"));
    if (auto* rejilla = qobject_cast<QGridLayout*>(elegir.layout())) {
        auto* ayuda = new QLabel(AyudaFichero(conversion, husoForzado), &elegir);
        ayuda->setObjectName(QStringLiteral("AyudaFichero"));
        ayuda->setWordWrap(true);
        ayuda->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rejilla->addWidget(ayuda, rejilla->rowCount(), 0, 1, rejilla->columnCount());
    }
    Dimensionar(elegir, ventana);
    if (elegir.exec() != QDialog::Accepted || elegir.selectedFiles().isEmpty()) return {};
    const QFileInfo elegido(elegir.selectedFiles().constFirst());
    QSettings(QStringLiteral("Tesmaro"), QStringLiteral("Tesmaro")).setValue(ClavePuntos, elegido.absolutePath());
    return elegido.absoluteFilePath();
}

QString EntornoVentanas::ElegirRejilla(QWidget* ventana, const QString& actual) {
    return QFileDialog::getOpenFileName(ventana, QStringLiteral("Rejilla NTv2 (ED50 - ETRS89)"), actual,
                                        QStringLiteral("Rejillas NTv2 (*.gsb);;Todos los archivos (*)"));
}

QString EntornoVentanas::ElegirCapa(QWidget* ventana, const QString& propuesta) {
    // One filter a format, in the order of ExtensionesCapa: "GeoPackage (*.gpkg)".
    QStringList filtros;
    const QString extensiones = QString::fromStdString(ExtensionesCapa());
    for (const QString& extension : extensiones.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const auto formato = FormatoDeRuta(("capa" + extension).toStdString());
        if (formato) filtros << QStringLiteral("%1 (*%2)").arg(Q(NombreFormato(*formato)), extension);
    }
    QString elegido = filtros.value(0);
    QString ruta = QFileDialog::getSaveFileName(ventana, QStringLiteral("Guardar como capa"), propuesta,
                                                filtros.join(QStringLiteral(";;")), &elegido);
    // A name typed without a known extension takes the chosen format's.
    if (!ruta.isEmpty() && !FormatoDeRuta(ruta.toStdString())) {
        const auto extension = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(elegido);
        if (extension.hasMatch()) ruta += extension.captured(1);
    }
    return ruta;
}

void EntornoVentanas::MostrarResumen(QWidget* ventana, const ResumenVentana& resumen) {
    auto* dialogo = new DialogoResumen(resumen, [this] { MostrarMapaPuntos(); }, ventana);
    dialogo->show();
}

}  // namespace tesmaro
