// The driver with scripted dialogs: what it asks, what it says, where it
// writes, and what it does when a dialog is cancelled or a file is missing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "Ayudas.h"
#include "Registros.h"
#include "Rejilla.h"
#include "Textos.h"
#include "TratarFichero.h"

namespace tesmaro::pruebas {
namespace {

class Driver : public ConLocale {
protected:
    CarpetaTemporal tmp;
    InterfazGuion interfaz;
    std::string rutaRejilla;
};

TEST_P(Driver, NombresYMensajeDeSalida) {
    struct Caso {
        std::int16_t codigo;
        std::string_view base;
    } casos[] = {
        {0, "Geodesicas_ETRS89"}, {12, "Geodesicas_ED50"},  {1, "UTM_ETRS89"},
        {13, "UTM_ED50"},         {2, "Cartesianas_geocéntricas"}, {3, "Geodesicas_elipsoidales"},
        {8, "Problema_directo"},  {9, "Problema_inverso"},   {10, "Transformacion_a_ETRS89"},
        {11, "Transformacion_a_ED50"},
    };
    Escribir(tmp / "puntos.tiv", "cabecera\r\n");
    for (const Caso& c : casos) {
        EXPECT_EQ(NombreBase(c.codigo), c.base);
        InterfazGuion guion;
        guion.puntos = (tmp / "puntos.tiv").string();
        guion.rejilla = RutaRejillaFuente();
        std::string rejilla;
        const ResumenLote r = TratarFichero(c.codigo, rejilla, guion);
        EXPECT_TRUE(r.ejecutado);
        EXPECT_TRUE(r.error.empty()) << r.error;
        ASSERT_GE(guion.mensajes.size(), 1u);
        EXPECT_EQ(guion.mensajes[0], "Ficheros de salida, txt ASCII para LibreOffice Calc y csv para EXCEL : " +
                                         std::string(c.base) + ".txt," + std::string(c.base) + ".csv");
        EXPECT_EQ(guion.mensajes.size(), 1u);
        EXPECT_EQ(r.rutaTxt, (tmp / (std::string(c.base) + ".txt")).string());
        EXPECT_EQ(r.rutaCsv, (tmp / (std::string(c.base) + ".csv")).string());
        EXPECT_TRUE(fs::exists(r.rutaTxt) && fs::exists(r.rutaCsv)) << c.base;
        // The point-file dialog as it has always been set up.
        ASSERT_EQ(guion.dialogosPuntos.size(), 1u);
        EXPECT_EQ(guion.dialogosPuntos[0].patron, "*.tiv");
        EXPECT_EQ(guion.dialogosPuntos[0].titulo, "Seleccione fichero de coordenadas entrada");
        EXPECT_EQ(guion.dialogosPuntos[0].filtro, "Todos los archivos (*.*)|*.*");
    }
    // Codes without a conversion do nothing, not even ask.
    for (const std::int16_t c : {4, 5, 6, 7, 14, -1}) {
        InterfazGuion guion;
        guion.puntos = (tmp / "puntos.tiv").string();
        EXPECT_FALSE(TratarFichero(c, rutaRejilla, guion).ejecutado);
        EXPECT_TRUE(guion.dialogosPuntos.empty() && guion.mensajes.empty());
        EXPECT_EQ(NombreBase(c), "");
    }
}

TEST_P(Driver, DialogoDePuntosCancelado) {
    interfaz.puntos = "";
    const ResumenLote r = TratarFichero(codigo::GeoUtmETRS89, rutaRejilla, interfaz);
    EXPECT_FALSE(r.ejecutado);
    EXPECT_TRUE(interfaz.mensajes.empty());
    EXPECT_TRUE(fs::is_empty(tmp.ruta()));
}

TEST_P(Driver, ResultadosJuntoALaEntradaNoEnLaCarpetaActual) {
    fs::create_directories(tmp / "datos");
    fs::create_directories(tmp / "otra");
    Escribir(tmp / "datos" / "p.txt", "c\nP1,-0.5,39.5,30,N\n");
    const fs::path antes = fs::current_path();
    fs::current_path(tmp / "otra");
    interfaz.puntos = (tmp / "datos" / "p.txt").string();
    const ResumenLote r = TratarFichero(codigo::GeoUtmETRS89, rutaRejilla, interfaz);
    fs::current_path(antes);
    EXPECT_TRUE(fs::exists(tmp / "datos" / "UTM_ETRS89.txt"));
    EXPECT_TRUE(fs::exists(tmp / "datos" / "UTM_ETRS89.csv"));
    EXPECT_TRUE(fs::is_empty(tmp / "otra"));
    EXPECT_EQ(r.registros, 1u);
    // Another output folder, as the command line may ask.
    fs::create_directories(tmp / "salida");
    OpcionesLote opciones{(tmp / "salida").string()};
    TratarFichero(codigo::GeoUtmETRS89, rutaRejilla, interfaz, opciones);
    EXPECT_EQ(Leer(tmp / "salida" / "UTM_ETRS89.txt"), Leer(tmp / "datos" / "UTM_ETRS89.txt"));
}

TEST_P(Driver, RejillaElegidaNoLaDeLaCarpeta) {
    // The grid chosen lies in its own folder; the results go beside the input,
    // nothing is written beside the grid.
    fs::create_directories(tmp / "instalacion");
    fs::copy_file(RutaRejillaFuente(), tmp / "instalacion" / "sped2et.gsb");
    fs::permissions(tmp / "instalacion", fs::perms::owner_read | fs::perms::owner_exec);
    Escribir(tmp / "p.txt", "c\nP1,-3.7,40.4\n");
    interfaz.puntos = (tmp / "p.txt").string();
    interfaz.rejilla = (tmp / "instalacion" / "sped2et.gsb").string();
    const ResumenLote r = TratarFichero(codigo::ED50aETRS89, rutaRejilla, interfaz);
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(rutaRejilla, interfaz.rejilla);
    ASSERT_EQ(interfaz.dialogosRejilla.size(), 1u);
    EXPECT_EQ(interfaz.dialogosRejilla[0].patron, "*.gsb");
    EXPECT_EQ(interfaz.dialogosRejilla[0].titulo,
              "Seleccione transformación de rejilla gsb (en carpeta de instalación)");
    EXPECT_EQ(interfaz.dialogosRejilla[0].filtro, "sped2et.gsb |*.gsb");
    EXPECT_EQ(r.registros, 1u);
    EXPECT_TRUE(fs::exists(tmp / "Transformacion_a_ETRS89.csv"));
    EXPECT_FALSE(fs::exists(tmp / "instalacion" / "Transformacion_a_ETRS89.txt"));

    InterfazGuion otro;
    otro.puntos = interfaz.puntos;
    otro.rejilla = interfaz.rejilla;
    TratarFichero(codigo::ETRS89aED50, rutaRejilla, otro);
    ASSERT_EQ(otro.dialogosRejilla.size(), 1u);
    EXPECT_EQ(otro.dialogosRejilla[0].titulo,
              "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)");
    fs::permissions(tmp / "instalacion", fs::perms::owner_all);
}

TEST_P(Driver, RejillaCanceladaOQueFalta) {
    Escribir(tmp / "p.txt", "c\nP1,-3.7,40.4\n");
    interfaz.puntos = (tmp / "p.txt").string();
    interfaz.rejilla = "";
    ResumenLote r = TratarFichero(codigo::ED50aETRS89, rutaRejilla, interfaz);
    EXPECT_FALSE(r.ejecutado);
    EXPECT_EQ(interfaz.mensajes.size(), 1u);  // the output names, already shown
    EXPECT_FALSE(fs::exists(tmp / "Transformacion_a_ETRS89.txt"));

    for (const std::string& contenido : {std::string("-"), std::string("no es una rejilla")}) {
        InterfazGuion guion;
        guion.puntos = interfaz.puntos;
        guion.rejilla = (tmp / "sped2et.gsb").string();
        if (contenido != "-") Escribir(tmp / "sped2et.gsb", contenido);
        r = TratarFichero(codigo::ETRS89aED50, rutaRejilla, guion);
        EXPECT_TRUE(r.ejecutado);
        EXPECT_FALSE(r.error.empty());  // one clear message, shown by the caller
        EXPECT_NE(r.error.find("sped2et.gsb"), std::string::npos) << r.error;
        EXPECT_FALSE(fs::exists(tmp / "Transformacion_a_ED50.txt"));
        EXPECT_FALSE(fs::exists(tmp / "Transformacion_a_ED50.csv"));
    }
}

TEST_P(Driver, EntradaIlegibleOSalidaSinPermiso) {
    interfaz.puntos = (tmp / "no_existe.txt").string();
    ResumenLote r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz);
    EXPECT_EQ(r.error, "No se puede leer el fichero de entrada: " + interfaz.puntos);
    interfaz.puntos = tmp.ruta().string();  // a folder
    r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz);
    EXPECT_NE(r.error.find("No se puede leer"), std::string::npos);

    // A folder nobody may write into, root included.
    Escribir(tmp / "p.txt", "c\nP,1,2,3\n");
    interfaz.puntos = (tmp / "p.txt").string();
    r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz, OpcionesLote{"/proc"});
    EXPECT_EQ(r.error, "No se puede crear el fichero de resultados: /proc/Cartesianas_geocéntricas.txt");

    if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    fs::create_directories(tmp / "ro");
    Escribir(tmp / "ro" / "p.txt", "c\nP,1,2,3\n");
    fs::permissions(tmp / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    interfaz.puntos = (tmp / "ro" / "p.txt").string();
    r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz);
    EXPECT_EQ(r.error, "No se puede crear el fichero de resultados: " + (tmp / "ro" / "Cartesianas_geocéntricas.txt").string());
    fs::permissions(tmp / "ro", fs::perms::owner_all);
}

TEST_P(Driver, LaEntradaNoSeBorraSiEsUnResultado) {
    const std::string contenido = "c\nP1,-0.5,39.5,30,N\n";
    Escribir(tmp / "UTM_ETRS89.txt", contenido);
    interfaz.puntos = (tmp / "UTM_ETRS89.txt").string();
    const ResumenLote r = TratarFichero(codigo::GeoUtmETRS89, rutaRejilla, interfaz);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(Leer(tmp / "UTM_ETRS89.txt"), contenido);
}

TEST_P(Driver, CanceladoEntreLineas) {
    std::string contenido = "c\n";
    for (int i = 0; i < 20000; ++i) contenido += "P" + std::to_string(i) + ",1,40,100\n";
    Escribir(tmp / "p.txt", contenido);
    interfaz.puntos = (tmp / "p.txt").string();
    interfaz.cancelarTrasConsultas = 1;  // the second check stops the run
    const ResumenLote r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz);
    EXPECT_TRUE(r.cancelado);
    EXPECT_GT(r.registros, 0u);
    EXPECT_LT(r.registros, 20000u);
    const std::string txt = Leer(r.rutaTxt);
    EXPECT_EQ(Leer(r.rutaCsv), TextoACsv(txt));  // the CSV twin of what was written
    EXPECT_EQ(static_cast<std::uint64_t>(std::count(txt.begin(), txt.end(), '\n')), r.registros + 1);
    ASSERT_FALSE(interfaz.progreso.empty());
    for (const auto& [leidos, total] : interfaz.progreso) EXPECT_LE(leidos, total);
}

TEST_P(Driver, ProgresoHastaElFinal) {
    std::string contenido = "c\n";
    for (int i = 0; i < 10000; ++i) contenido += "P,1,40,100\n";
    Escribir(tmp / "p.txt", contenido);
    interfaz.puntos = (tmp / "p.txt").string();
    const ResumenLote r = TratarFichero(codigo::GeoCart, rutaRejilla, interfaz);
    EXPECT_EQ(r.registros, 10000u);
    ASSERT_GE(interfaz.progreso.size(), 2u);
    const std::uint64_t tam = contenido.size();
    EXPECT_EQ(interfaz.progreso.back().first, tam);
    EXPECT_EQ(interfaz.progreso.back().second, tam);
}

TESMARO_EN_LOCALES(Driver);

}  // namespace
}  // namespace tesmaro::pruebas
