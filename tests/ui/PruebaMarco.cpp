// The main window: menus, status bar, one window per entry, the About window
// and its hidden message, the angular-units dialog, the zone map, and the
// file buttons run through the main window's dialogs with scripted answers,
// producing real result files in a temporary folder.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include "AcercaDe.h"
#include "Comun.h"
#include "DAngular.h"
#include "Form1.h"
#include "GEO_UTM.h"
#include "MDIPrincipal.h"
#include "Principal.h"
#include "Textos.h"
#include "Zonas_Utm.h"

using namespace tesmaro;

namespace {

QString Q(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

QStringList Entradas(QMenu* menu) {
    QStringList l;
    for (QAction* a : menu->actions()) l << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return l;
}

QAction* Accion(QMainWindow* v, const char* nombre) {
    auto* a = v->findChild<QAction*>(QLatin1String(nombre));
    if (!a) qFatal("sin la entrada %s", nombre);
    return a;
}

void EscribirFichero(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the file dialogs with fixed paths and records what they showed.
struct DialogosGuionados {
    QString puntos;
    QString rejilla;
    QList<DialogoFichero> vistos;
    DialogosLote::GanchoDialogo anterior;
    DialogosGuionados() {
        anterior = DialogosLote::FijarGanchoDialogo([this](const DialogoFichero& d, bool esRejilla) {
            vistos << d;
            return esRejilla ? rejilla : puntos;
        });
    }
    ~DialogosGuionados() { DialogosLote::FijarGanchoDialogo(anterior); }
};

}  // namespace

class PruebaMarco : public QObject {
    Q_OBJECT

    QString carpetaInicial;

private slots:
    void initTestCase() { carpetaInicial = QDir::currentPath(); }
    void init() { prueba::Restablecer(); }
    void cleanup() {
        QDir::setCurrent(carpetaInicial);
        prueba::Restablecer();
    }

    void MenusYBarraDeEstado() {
        MDIPrincipal v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Tesmaro"));
        QStringList menus;
        for (QAction* a : v.menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"&Archivo", "&Herramientas", "&Conversiones", "T&ransformación de Datum", "&Ayuda"}));
        auto menu = [&v](const char* nombre) { return prueba::Hijo<QMenu>(&v, nombre); };
        QCOMPARE(Entradas(menu("Mnu_Prin_Archivo")), QStringList{"&Salir"});
        QCOMPARE(Entradas(menu("Mnu_Prin_Herra")),
                 (QStringList{"&Elipsoides de referencia", "-", "Mapa Guía U.T.M.", "Sexagesimal -> Pseudosexagesimal",
                              "&Datos angulares"}));
        const QStringList conversiones = Entradas(menu("Mnu_Prin_Transfor"));
        QCOMPARE(conversiones.mid(0, 4),
                 (QStringList{"&U.T.M. a Geodésicas", "&Geodésicas a U.T.M.", "G&eodésicas a Cartesianas Geocéntricas",
                              "&Cartesianas Geocéntricas a Geodésicas "}));
        QCOMPARE(Entradas(menu("Mnu_Prin_Transpor")),
                 (QStringList{"&Transformación Datum ED50-Datum ETRS89", "&Transformación Datum ETRS89-Datum ED50"}));
        QCOMPARE(Entradas(menu("Mnu_Prin_Ayuda")), QStringList{"&Acerca de"});

        auto* texto = prueba::Hijo<QLabel>(&v, "Panel1");
        QCOMPARE(texto->text(), QStringLiteral("//> Tesmaro"));
        QCOMPARE(texto->toolTip(), QStringLiteral("//> Tesmaro"));
        QCOMPARE(prueba::Hijo<QLabel>(&v, "Panel2")->toolTip(), QStringLiteral("Fecha"));
        auto* hora = prueba::Hijo<QLabel>(&v, "Panel3");
        QCOMPARE(hora->toolTip(), QStringLiteral("Hora"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(hora->text()).hasMatch());
        QVERIFY(!prueba::Hijo<QLabel>(&v, "Panel2")->text().isEmpty());
    }

    // Start: the settings take their start values and the About window is up.
    void Arranque() {
        ajustes::UnidadAngular = 3;
        ajustes::ElipsoideActual = 9;
        MDIPrincipal v;
        QCOMPARE(ajustes::UnidadAngular, std::int16_t{1});
        QCOMPARE(ajustes::ElipsoideActual, std::int16_t{4});
        QVERIFY(v.acercaDe()->isVisible());
        QVERIFY(v.Mdi->subWindowList().isEmpty());
        const QString credito = v.acercaDe()->Label3->text();
        QVERIFY(credito.contains(QStringLiteral("Instituto Geográfico Nacional, CC BY 4.0 www.ign.es")));
        QVERIFY(credito.contains(QStringLiteral("Convertida de GeoTIFF a NTv2 sin modificar los valores.")));
        QCOMPARE(v.acercaDe()->Label4->text(),
                 QStringLiteral("Línea de costa y fronteras: GSHHG 2.3.7 (Wessel & Smith), LGPL-3.0; extracto modificado."));
        v.acercaDe()->cmdOK->click();
        QVERIFY(!v.acercaDe()->isVisible());
        Accion(&v, "Mnu_Acerca")->trigger();
        QVERIFY(v.acercaDe()->isVisible());
    }

    // Shift + right click at x >= 5310 and y <= 3300 twips (15 a pixel).
    void AcercaDeRincon_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("boton");
        QTest::addColumn<int>("teclas");
        QTest::addColumn<bool>("mensaje");
        const int shift = Qt::ShiftModifier;
        QTest::newRow("5310, 3300") << 354 << 220 << int(Qt::RightButton) << shift << true;
        QTest::newRow("5295 (5309 no es un pixel)") << 353 << 220 << int(Qt::RightButton) << shift << false;
        QTest::newRow("y 3315") << 354 << 221 << int(Qt::RightButton) << shift << false;
        QTest::newRow("boton izquierdo") << 400 << 10 << int(Qt::LeftButton) << shift << false;
        QTest::newRow("sin Shift") << 400 << 10 << int(Qt::RightButton) << int(Qt::NoModifier) << false;
        QTest::newRow("Shift y Ctrl") << 400 << 10 << int(Qt::RightButton) << int(Qt::ShiftModifier | Qt::ControlModifier)
                                      << false;
    }
    void AcercaDeRincon() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, boton);
        QFETCH(int, teclas);
        QFETCH(bool, mensaje);
        prueba::Mensajes mensajes;
        AcercaDe a;
        a.show();
        QTest::mousePress(&a, Qt::MouseButton(boton), Qt::KeyboardModifiers(teclas), QPoint(x, y));
        QCOMPARE(mensajes.textos, mensaje ? QStringList{QStringLiteral("Dolvar")} : QStringList{});
        // The rule itself, in twips.
        QVERIFY(AcercaDe::EnRincon(5310, 3300));
        QVERIFY(!AcercaDe::EnRincon(5309, 3300));
        QVERIFY(!AcercaDe::EnRincon(5310, 3301));
    }

    // Each entry shows one window; a second use brings the same one forward
    // with what was typed; closed, it comes back with its design values.
    void UnaVentanaPorEntrada() {
        MDIPrincipal v;
        QVERIFY(prueba::Mostrar(&v));
        Accion(&v, "Mnu_Utm_Geo")->trigger();
        QCOMPARE(v.Mdi->subWindowList().size(), 1);
        auto* p = qobject_cast<Principal*>(v.Mdi->activeSubWindow()->widget());
        QVERIFY(p);
        p->CoordX->setText(QStringLiteral("123"));
        Accion(&v, "Mnu_Geo_Utm")->trigger();
        Accion(&v, "Mnu_gradsexa")->trigger();
        Accion(&v, "Mnu_MapaGuia")->trigger();
        QCOMPARE(v.Mdi->subWindowList().size(), 4);
        Accion(&v, "Mnu_Utm_Geo")->trigger();
        QCOMPARE(v.Mdi->subWindowList().size(), 4);
        QCOMPARE(v.Mdi->activeSubWindow()->widget(), p);
        QCOMPARE(p->CoordX->text(), QStringLiteral("123"));
        // "Ver Husos UTM" shows the same map.
        p->Command4->click();
        QCOMPARE(v.Mdi->subWindowList().size(), 4);
        QVERIFY(qobject_cast<Zonas_Utm*>(v.Mdi->activeSubWindow()->widget()));
        // Closing.
        QPointer<Principal> cerrada = p;
        for (QMdiSubWindow* s : v.Mdi->subWindowList())
            if (s->widget() == p) s->close();
        QTRY_VERIFY(cerrada.isNull());
        Accion(&v, "Mnu_Utm_Geo")->trigger();
        auto* nueva = qobject_cast<Principal*>(v.Mdi->activeSubWindow()->widget());
        QVERIFY(nueva);
        QVERIFY(nueva->CoordX->text().isEmpty());
        QCOMPARE(v.Mdi->subWindowList().size(), 4);
    }

    // Every conversion entry shows its window, once.
    void CadaEntradaUnaVentana_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("clase");
        QTest::newRow("U.T.M. a Geodésicas") << "Mnu_Utm_Geo" << "Principal";
        QTest::newRow("Geodésicas a U.T.M.") << "Mnu_Geo_Utm" << "GEO_UTM";
        QTest::newRow("a Cartesianas") << "Mnu_Geo_Cart" << "Geo_Cart";
        QTest::newRow("a Geodésicas") << "Mnu_Cart_Geo" << "Cart_Geo";
        QTest::newRow("problema directo") << "Mnu_P_directo" << "P_directo";
        QTest::newRow("problema inverso") << "Mnu_P_Inverso" << "P_Inverso";
        QTest::newRow("ED50 a ETRS89") << "TRANS_ETRS89" << "Geo_rejilla_ed2et";
        QTest::newRow("ETRS89 a ED50") << "TRANS_ED50" << "geo_rejilla_et2ed";
        QTest::newRow("mapa") << "Mnu_MapaGuia" << "Zonas_Utm";
        QTest::newRow("sexagesimal") << "Mnu_gradsexa" << "Form1";
    }
    void CadaEntradaUnaVentana() {
        QFETCH(QString, entrada);
        QFETCH(QString, clase);
        prueba::Mensajes mensajes;
        MDIPrincipal v;
        mensajes.textos.clear();
        QAction* accion = Accion(&v, entrada.toLatin1().constData());
        accion->trigger();
        accion->trigger();
        QCOMPARE(v.Mdi->subWindowList().size(), 1);
        QCOMPARE(QString::fromLatin1(v.Mdi->subWindowList()[0]->widget()->metaObject()->className()),
                 QStringLiteral("tesmaro::") + clase);
        QVERIFY2(mensajes.textos.isEmpty(), qPrintable(mensajes.textos.join(QLatin1Char('|'))));
    }

    // "Datos angulares": shows the current unit; a choice applies at once.
    void DatosAngulares() {
        MDIPrincipal v;
        QVERIFY(prueba::Mostrar(&v));
        Accion(&v, "Mnu_Utm_Geo")->trigger();
        auto* p = qobject_cast<Principal*>(v.Mdi->activeSubWindow()->widget());
        Accion(&v, "Mnu_DatosAngulares")->trigger();
        DAngular* d = DAngular::Instancia();
        QVERIFY(d->isVisible());
        QCOMPARE(d->windowTitle(), QStringLiteral("Datos angulares"));
        QCOMPARE(d->Tip_Grad->checkedId(), 0);
        d->Tip_Grad->button(2)->click();
        QCOMPARE(ajustes::UnidadAngular, std::int16_t{3});
        QVERIFY(!p->Check_Grad->isEnabled());
        d->Tip_Grad->button(1)->click();
        QCOMPARE(ajustes::UnidadAngular, std::int16_t{2});
        d->Tip_Grad->button(0)->click();
        QVERIFY(p->Check_Grad->isEnabled());
        d->Command1->click();
        QVERIFY(!d->isVisible());
        // Reopened with the unit set elsewhere, it shows that unit.
        NotificadorAjustes::FijarUnidadAngular(3);
        p->MostrarDatosAngulares();
        QCOMPARE(d->Tip_Grad->checkedId(), 2);
        QCOMPARE(ajustes::UnidadAngular, std::int16_t{3});
    }

    void MapaDeHusos() {
        Zonas_Utm z;
        QCOMPARE(z.windowTitle(), QStringLiteral("Zonas U.T.M."));
        QVERIFY(z.LineasMapa() > 50);  // 75 coast lines and 8 borders in the shipped data
        QCOMPARE(Zonas_Utm::EtiquetasGreenwich(),
                 (QStringList{"753344; 4513277", "756348; 4424701", "760287; 4306298", "761156; 4279788"}));
        for (QSize tamanio : {QSize(320, 260), QSize(1200, 900)}) {
            z.resize(tamanio);
            QImage imagen(tamanio, QImage::Format_ARGB32);
            z.render(&imagen);
            QVERIFY(!imagen.isNull());
        }
        QVERIFY(z.TierrasMapa() > 50);  // 73 islands, the mainland and North Africa
        // Untrusted map data: whatever is not a line of number pairs is skipped.
        QCOMPARE(LeerMapa("no es json").lineas.size(), 0);
        QCOMPARE(LeerMapa(R"({"features":[{"geometry":{"type":"LineString","coordinates":[[1,"a"],[2]]}}]})").lineas.size(), 0);
        const Mapa dos = LeerMapa(
            R"({"features":[{"properties":{"kind":"border"},"geometry":{"type":"LineString","coordinates":[[-3,40],[-2,41],[null,3],[1e308,3]]}}]})");
        QCOMPARE(dos.lineas.size(), 1);
        QVERIFY(dos.lineas[0].frontera);
        QCOMPARE(dos.lineas[0].puntos.size(), 2);
        QCOMPARE(dos.tierras.size(), 0);  // borders enclose no land
        // A coast line from the north edge to the east edge closes round the
        // north-east corner (the smaller side), not round the other three.
        const Mapa costa = LeerMapa(
            R"({"bbox":[-11,35,6,45],"features":[{"properties":{"kind":"coast"},"geometry":{"type":"LineString","coordinates":[[0,45],[3,43],[6,42]]}}]})");
        QCOMPARE(costa.tierras.size(), 1);
        // Three points of the line, the corner, and the steps along the two edges.
        QCOMPARE(costa.tierras[0].size(), 3 + 1 + (15 - 1) + (30 - 1));  // 3° and 6° of edge in 0.2° steps
        // A line that does not reach the edge encloses nothing.
        QCOMPARE(LeerMapa(R"({"bbox":[-11,35,6,45],"features":[{"geometry":{"type":"LineString","coordinates":[[0,44],[3,43],[5,42]]}}]})")
                     .tierras.size(),
                 0);
    }

    // --- File buttons ----------------------------------------------------

    // Principal "Fichero en UTM ETRS89": the hint, the dialog (every file
    // shown), the result names, real result files beside the input, the
    // current folder moved there, and no closing message when every line
    // was computed.
    void FicheroUtmGeo() {
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        const QString entrada = carpeta.filePath(QStringLiteral("puntos"));  // no extension
        EscribirFichero(entrada, "Punto,X,Y,Huso,Hemisferio\r\nP.1,500000,4400000,30,N\r\nP2,725000,4400000,30,N\r\n");
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        dialogos.puntos = entrada;
        MDIPrincipal v;
        mensajes.textos.clear();
        Accion(&v, "Mnu_Utm_Geo")->trigger();
        auto* p = qobject_cast<Principal*>(v.Mdi->activeSubWindow()->widget());
        p->Command1->click();
        QCOMPARE(mensajes.textos.size(), 2);
        QCOMPARE(mensajes.textos[0], Q(textos::PistaUtmGeoETRS89));
        QCOMPARE(mensajes.textos[1], Q(textos::FicherosSalida) + QStringLiteral("Geodesicas_ETRS89.txt,Geodesicas_ETRS89.csv"));
        QCOMPARE(dialogos.vistos.size(), 1);
        QCOMPARE(DialogosLote::FiltroQt(dialogos.vistos[0].filtro), QStringLiteral("Todos los archivos (*)"));
        QCOMPARE(QString::fromStdString(dialogos.vistos[0].titulo), QStringLiteral("Seleccione fichero de coordenadas entrada"));
        QCOMPARE(QDir::currentPath(), QDir(carpeta.path()).canonicalPath());
        const QByteArray txt = Leer(carpeta.filePath(QStringLiteral("Geodesicas_ETRS89.txt")));
        const QByteArray csv = Leer(carpeta.filePath(QStringLiteral("Geodesicas_ETRS89.csv")));
        QCOMPARE(txt.count("\r\n"), 3);
        QVERIFY(txt.contains("\"P.1\",-3,"));
        QCOMPARE(csv.count("\r\n"), 3);
        QVERIFY(csv.contains("P,1;-3;"));
        QVERIFY(!csv.contains('"'));
    }

    // Cancelled dialog: only the hint, nothing written.
    void FicheroCancelado() {
        QTemporaryDir carpeta;
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        GEO_UTM g;
        g.Fichero->click();
        QCOMPARE(mensajes.textos, QStringList{Q(textos::PistaGeoUtmETRS89)});
        g.Command4->click();
        QCOMPARE(mensajes.textos.last(), Q(textos::PistaGeoUtmED50));
        QCOMPARE(mensajes.textos.size(), 2);
    }

    // Lines skipped for their zone are counted in a closing message.
    void FicheroConLineasOmitidas() {
        QTemporaryDir carpeta;
        const QString entrada = carpeta.filePath(QStringLiteral("geo.txt"));
        EscribirFichero(entrada, "Punto,Longitud,Latitud,Huso,Hemisferio\r\nA,-0.5,39.5,30,N\r\nB,-0.5,39.5,35,N\r\n"
                                 "C,-0.5,39.5,26,N\r\n");
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        dialogos.puntos = entrada;
        GEO_UTM g;
        g.Command4->click();
        QCOMPARE(mensajes.textos.size(), 3);
        QCOMPARE(mensajes.textos[1], Q(textos::FicherosSalida) + QStringLiteral("UTM_ED50.txt,UTM_ED50.csv"));
        QCOMPARE(mensajes.textos[2], QStringLiteral("2 líneas omitidas: su huso no está entre 27 y 31."));
        QVERIFY(QFile::exists(carpeta.filePath(QStringLiteral("UTM_ED50.csv"))));
    }

    // Cancelling keeps the records written and their CSV twin, and says so.
    void FicheroInterrumpido() {
        QTemporaryDir carpeta;
        const QString entrada = carpeta.filePath(QStringLiteral("muchos.txt"));
        QByteArray contenido = "Punto,X,Y,Huso,Hemisferio\r\n";
        for (int i = 0; i < 10000; ++i) contenido += "P" + QByteArray::number(i) + ",500000,4400000,30,N\r\n";
        EscribirFichero(entrada, contenido);
        prueba::Mensajes mensajes;
        DialogosGuionados dialogos;
        dialogos.puntos = entrada;
        auto anterior = DialogosLote::FijarGanchoCancelado([] { return true; });
        Principal p;
        p.Command2->click();
        DialogosLote::FijarGanchoCancelado(anterior);
        QVERIFY(mensajes.textos.last().startsWith(QStringLiteral("Conversión cancelada. ")));
        QVERIFY(mensajes.textos.last().endsWith(QStringLiteral(" escritos en Geodesicas_ED50.txt y en Geodesicas_ED50.csv.")));
        const QByteArray csv = Leer(carpeta.filePath(QStringLiteral("Geodesicas_ED50.csv")));
        const int lineas = csv.count("\r\n");
        QVERIFY(lineas > 1);
        QVERIFY(lineas < 10001);
        QVERIFY(mensajes.textos.last().contains(QString::number(lineas - 1)));
    }

    // A run that lasts more than a moment shows a progress dialog whose
    // "Cancelar" the driver reads between lines.
    void DialogoDeProgreso() {
        DialogosLote d;
        d.EmpezarLote();
        d.Progreso(1, 10);
        QVERIFY(!d.Cancelado());  // too soon for a dialog
        QTest::qWait(450);
        d.Progreso(5, 10);
        QProgressDialog* progreso = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) progreso = p;
        QVERIFY(progreso);
        QCOMPARE(progreso->value(), 500);
        QVERIFY(progreso->findChild<QPushButton*>());
        QCOMPARE(progreso->findChild<QPushButton*>()->text(), QStringLiteral("Cancelar"));
        QVERIFY(!d.Cancelado());
        progreso->cancel();
        QVERIFY(d.Cancelado());
        d.TerminarLote();
        QVERIFY(!progreso->isVisible());
    }

    // Opening the degrees-minutes-seconds panel inside the main window grows
    // the window's frame so that nothing is squeezed; closing it shrinks back.
    void PanelCreceConLaVentana() {
        MDIPrincipal v;
        QVERIFY(prueba::Mostrar(&v));
        Accion(&v, "Mnu_Geo_Utm")->trigger();
        QMdiSubWindow* sub = v.Mdi->activeSubWindow();
        auto* g = qobject_cast<GEO_UTM*>(sub->widget());
        QVERIFY(g);
        const int antes = sub->height();
        QTest::mouseClick(g->long1, Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(g->Frame_Gra->isVisible());
        QVERIFY(sub->height() > antes);
        QVERIFY(g->Frame1->height() >= g->Frame1->minimumSizeHint().height());
        g->Command3->click();
        QCOMPARE(sub->height(), antes);
    }

    void FiltrosDeDialogo_data() {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("qt");
        QTest::newRow("todos") << "Todos los archivos (*.*)|*.*" << "Todos los archivos (*)";
        QTest::newRow("rejilla") << "sped2et.gsb |*.gsb" << "sped2et.gsb (*.gsb)";
        QTest::newRow("dos") << "Texto|*.txt|Todos|*.*" << "Texto (*.txt);;Todos (*)";
        QTest::newRow("vacio") << "" << "Todos los archivos (*)";
    }
    void FiltrosDeDialogo() {
        QFETCH(QString, filtro);
        QFETCH(QString, qt);
        QCOMPARE(DialogosLote::FiltroQt(filtro.toStdString()), qt);
    }

    // core's overflow notice carries the critical icon.
    void AvisoCritico() {
        prueba::Mensajes mensajes;
        AvisoDesbordamiento();
        QCOMPARE(mensajes.textos, QStringList{Q(TextoDesbordamiento)});
        QCOMPARE(mensajes.criticos, QList<bool>{true});
        MostrarMensaje(QStringLiteral("x"));
        QCOMPARE(mensajes.criticos.last(), false);
    }
};

QTEST_MAIN(PruebaMarco)
#include "PruebaMarco.moc"
