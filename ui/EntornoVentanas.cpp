#include "EntornoVentanas.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include "Capas.h"

namespace tesmaro {

QString EntornoVentanas::ElegirCapa(QWidget* ventana, const QString& propuesta) {
    // One filter a format, in the order of ExtensionesCapa: "GeoPackage (*.gpkg)".
    QStringList filtros;
    const QString extensiones = QString::fromStdString(ExtensionesCapa());
    for (const QString& extension : extensiones.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const auto formato = FormatoDeRuta(("capa" + extension).toStdString());
        if (!formato) continue;
        const std::string_view nombre = NombreFormato(*formato);
        filtros << QStringLiteral("%1 (*%2)")
                       .arg(QString::fromUtf8(nombre.data(), qsizetype(nombre.size())), extension);
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

}  // namespace tesmaro
