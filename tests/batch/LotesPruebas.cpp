// Every conversion end to end through the driver, under both locales: the
// records pinned to the last printed digit (the field rules of each
// conversion with them), the counts, the messages, the dialogs and where the
// results go; then the failures, the user's stop, and garbage.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "Ayudas.h"
#include "Conversiones.h"
#include "Registros.h"
#include "Textos.h"
#include "TratarFichero.h"

namespace tesmaro::pruebas {
namespace {

using namespace std::literals;

class Lotes : public ConLocale {
protected:
    CarpetaTemporal tmp;
};

TEST_P(Lotes, CadaConversion) {
    struct Caso {
        std::int16_t codigo, elipsoide, unidad;
        std::string_view entrada, txt;
        std::uint64_t leidas, registros, saltadas, noCalculables;
        bool detenido;
    } casos[] = {
    {codigo::GeoUtmETRS89, 4, 1,
     "c\r\n"
     "\"P.1\",-0.5,39.5,30.5,N\r\n"
     "P2,2.5,41,31.5,N\r\n"
     "P3,-0.5,39.5,30,Sur\r\n"
     "P4,-3,-10,30,S\r\n"
     "P5,-20,40,27\r\n",
     "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\",\"Convergencia de meridianos\",\"Anamorfosis lineal\"\r\n"
     "\"P.1\",714960.69593,4375248.58024,30,\"Norte\",1.59080384719244,1.00016896\r\n"
     "\"P3\",714960.69593,4375248.58024,30,\"Norte\",1.59080384719244,1.00016896\r\n"
     "\"P4\",500000,8894587.50859,30,\"Sur\",0,0.9996\r\n"
     "\"P5\",585360.46183,4428236.06511,27,\"Norte\",0.642826367988601,0.99968969\r\n",
     5, 4, 1, 0, false},
    {codigo::GeoUtmED50, 4, 1,
     "c\nA,-0.5,39.5,30,N,sobra,1,2,3\nB,31\nC\n\"\xc3\x91u\xf1\xff\" \x01\x00x,-0.5,39.5,29,N"sv,
     "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\",\"Convergencia de meridianos\",\"Anamorfosis lineal\"\r\n"
     "\"A\",714970.38963,4375323.04449,30,\"Norte\",1.5908038781318,1.00016897\r\n"
     "\"B\",3222701.98693,3796172.04142,31,\"Norte\",15.3256932180472,1.0926806\r\n"
     "\"\xc3\x91u\xf1\xff \x01\x00x\",1231365.57338,4406988.30906,29,\"Norte\",5.43064923228683,1.00619356\r\n"sv,
     4, 3, 1, 0, false},
    {codigo::UtmGeoETRS89, 4, 1,
     "c\r\n"
     "A,725000,4400000,30,N\r\n"
     "B,725000,4400000,30E,N\r\n"
     "C,400000,4500000,31,Norte\r\n"
     "D,500000,5600000,30,Sur\r\n"
     "E,500000,5600000,30,\"s\"\r\n"
     "F,500000,5600000,30,x\r\n"
     "G,500000,5600000,30,\r\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
     "\"A\",-0.374948685185096,39.7202183811718,30\r\n"
     "\"B\",0.374948685185096,39.7202183811718,30\r\n"
     "\"C\",1.81730037737715,40.6447996491858,31\r\n"
     "\"D\",-3,-39.7499075189404,30\r\n"
     "\"E\",-3,-39.7499075189404,30\r\n"
     "\"F\",-3,50.5519323801318,30\r\n"
     "\"G\",-3,50.5519323801318,30\r\n",
     7, 7, 0, 0, false},
    {codigo::UtmGeoED50, 4, 1,
     "cab\r\n"
     "A,725000,4400000,30,N\r\n"
     "B,1,2,30e,N\r\n"
     "C,725000,4400000,31,N\r\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
     "\"A\",-0.375092747700148,39.7195445197004,30\r\n",
     2, 1, 0, 0, true},
    {codigo::GeoCart, 2, 2,
     "c\nP1,-0.5,40,100\nInf,1e999,40,0\n",
     "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Coordenada Z\",\"Semieje a\",\"1/f\"\r\n"
     "\"P1\",5166148.94214471,-40575.67322255,3728309.24751033,6378388,297\r\n"
     "\"Inf\",,,,6378388,297\r\n",
     2, 2, 0, 1, false},
    {codigo::CartGeo, 4, 1,
     "c\nP1,4000000,-30000,4900000,ignorado\nEcuador,6378137,100,0\nOeste,-6378137,1000,0\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\",\"Hemisferio\",\"Altura_elipsoidal\",\"Semieje a\",\"1/f\"\r\n"
     "\"P1\",-0.429710289344935,50.9631241923693,30,\"Norte\",-39861.3015686991,6378137,298.257223563\r\n"
     "\"Ecuador\",0.000898315283928619,0,31,\"Sur\",0.000783927738666534,6378137,298.257223563\r\n"
     "\"Oeste\",179.991016847234,0,31,\"Sur\",0.0783927962183952,6378137,298.257223563\r\n",
     3, 3, 0, 0, false},
    {codigo::Directo, 9, 2,
     "c\nP1,-0.4,39.5,50,100000\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Acimut inverso\",\"Semieje a\",\"1/f\"\r\n"
     "\"P1\",0.473387888693826,40.205278467713,250.511740755342,6378249.145,293.465\r\n",
     1, 1, 0, 0, false},
    {codigo::Inverso, 4, 3,
     "c\nAB,-0.0069,0.689,0.0087,0.7025\nCruza,-1,0.1,-1,-0.1\n",
     "\"Nombre\",\"Longitud A\",\"Latitud A\",\"Acimut directo (A-B)\",\"Distancia (A-B)\",\"Longitud (B)\",\"Latitud (B)\",\"Acimut inverso (B-A)\",\"Semieje a\",\"1/f\",\"C\xc3\xa1lculo v\xc3\xa1lido s\xc3\xb3lo para puntos en un mismo hemisferio\"\r\n"
     "\"AB\",-0.0069,0.689,0.722553119669629,114997.201090067,0.0087,0.7025,3.87414511866153,6378137,298.257223563\r\n"
     "\"Cruza\",-1,0.1,,,-1,-0.1,,6378137,298.257223563\r\n",
     2, 2, 0, 1, false},
    {codigo::ED50aETRS89, 4, 1,
     "c\r\n"
     "\"P1\",-3.7,40.4\r\n"
     "Fuera,20,20\r\n"
     "Este,2.1,41.4\r\n"
     "Vacio,,\r\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
     "\"P1\",-3.70130879654884,40.3988182132747,30\r\n"
     "\"Fuera\",0,0,0\r\n"
     "\"Este\",2.09885069509082,41.3988761537605,31\r\n"
     "\"Vacio\",0,0,0\r\n",
     4, 4, 0, 0, false},
    {codigo::ETRS89aED50, 4, 1,
     "c\nP1,-3.70119,40.39877\nFuera,20,20\n",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n"
     "\"P1\",-3.69988120683184,40.3999517875546,30\r\n"
     "\"Fuera\",0,0,0\r\n",
     2, 2, 0, 0, false},
    {codigo::GeoUtmETRS89, 4, 1,
     "Punto,Longitud,Latitud,Huso,Hemisferio",
     "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\",\"Convergencia de meridianos\",\"Anamorfosis lineal\"\r\n",
     0, 0, 0, 0, false},
    {codigo::Inverso, 4, 1,
     "",
     "",
     0, 0, 0, 0, false},
    };
    const std::string_view salida = "Ficheros de salida, txt ASCII para LibreOffice Calc y csv para EXCEL : ";
    const std::string_view titulosRejilla[] = {
        "Seleccione transformación de rejilla gsb (en carpeta de instalación)",
        "Seleccione transformación en formato rejilla gsb (en carpeta de instalación)"};
    for (const Caso& c : casos) {
        ajustes::ElipsoideActual = c.elipsoide;
        ajustes::UnidadAngular = c.unidad;
        Escribir(tmp / "p.tiv", c.entrada);
        InterfazGuion guion;
        guion.puntos = (tmp / "p.tiv").string();
        guion.rejilla = RutaRejillaFuente();
        const ResumenLote r = TratarFichero(c.codigo, guion);
        const std::string base(BuscarConversion(c.codigo)->base);
        ASSERT_TRUE(r.ejecutado && r.error.empty()) << c.codigo << r.error;
        // Beside the input file, not in the current folder nor beside the grid.
        EXPECT_EQ(r.rutaTxt, (tmp / (base + ".txt")).string());
        EXPECT_EQ(r.rutaCsv, (tmp / (base + ".csv")).string());
        const std::string txt = Leer(r.rutaTxt);
        EXPECT_EQ(txt, c.txt) << c.codigo;
        EXPECT_EQ(Leer(r.rutaCsv), TextoACsv(txt));
        EXPECT_EQ((std::vector{r.lineasLeidas, r.registros, r.saltadas, r.noCalculables}),
                  (std::vector{c.leidas, c.registros, c.saltadas, c.noCalculables}))
            << c.codigo;
        EXPECT_EQ(r.detenido, c.detenido);
        std::vector<std::string> mensajes{std::string(salida) + base + ".txt," + base + ".csv"};
        if (c.detenido) mensajes.emplace_back(textos::HusoFueraDeArea);
        EXPECT_EQ(guion.mensajes, mensajes);
        ASSERT_EQ(guion.dialogosPuntos.size(), 1u);
        EXPECT_EQ(guion.dialogosPuntos[0].patron + guion.dialogosPuntos[0].titulo + guion.dialogosPuntos[0].filtro,
                  "*.tivSeleccione fichero de coordenadas entradaTodos los archivos (*.*)|*.*");
        const bool rejilla = c.codigo == codigo::ED50aETRS89 || c.codigo == codigo::ETRS89aED50;
        ASSERT_EQ(guion.dialogosRejilla.size(), rejilla ? 1u : 0u);
        if (rejilla)
            EXPECT_EQ(guion.dialogosRejilla[0].patron + guion.dialogosRejilla[0].titulo + guion.dialogosRejilla[0].filtro,
                      "*.gsb" + std::string(titulosRejilla[c.codigo - codigo::ED50aETRS89]) + "sped2et.gsb |*.gsb");
    }
}

TEST_P(Lotes, Fallos) {
    Escribir(tmp / "p.txt", "c\nP,1,2,3\n");
    Escribir(tmp / "mala.gsb", "no es una rejilla");
    const std::string p = (tmp / "p.txt").string(), falta = (tmp / "falta.txt").string();
    struct Caso {
        std::int16_t codigo;
        std::string puntos, rejilla, carpeta;
        bool ejecutado;
        std::string error;
        std::size_t mensajes;
    } casos[] = {
        {5, p, "", "", false, "", 0},                              // no conversion: not even asked
        {codigo::GeoCart, "", "", "", false, "", 0},               // point dialog cancelled
        {codigo::ED50aETRS89, p, "", "", false, "", 1},            // grid dialog cancelled
        {codigo::ETRS89aED50, p, falta, "", true, "No se encuentra el fichero de rejilla " + falta, 1},
        {codigo::ETRS89aED50, p, (tmp / "mala.gsb").string(), "", true,
         "El fichero de rejilla " + (tmp / "mala.gsb").string() + " no es una rejilla NTv2 válida: ", 1},
        {codigo::GeoCart, falta, "", "", true, "No se puede leer el fichero de entrada: " + falta, 1},
        {codigo::GeoCart, tmp.ruta().string(), "", "", true,
         "No se puede leer el fichero de entrada: " + tmp.ruta().string(), 1},
        // A folder nobody may write into, root included.
        {codigo::GeoCart, p, "", "/proc", true,
         "No se puede crear el fichero de resultados: /proc/Cartesianas_geocéntricas.txt", 1},
    };
    for (const Caso& c : casos) {
        InterfazGuion guion;
        guion.puntos = c.puntos;
        guion.rejilla = c.rejilla;
        const ResumenLote r = TratarFichero(c.codigo, guion, OpcionesLote{c.carpeta});
        EXPECT_EQ(r.ejecutado, c.ejecutado) << c.error;
        EXPECT_EQ(r.error.substr(0, c.error.size()), c.error);
        EXPECT_EQ(r.error.empty(), c.error.empty()) << r.error;
        EXPECT_EQ(guion.mensajes.size(), c.mensajes) << c.error;
        EXPECT_EQ(guion.dialogosPuntos.size(), c.codigo == 5 ? 0u : 1u);
        // Nothing written.
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.ruta()), fs::directory_iterator()), 2) << c.error;
    }
    // An input named as a result is never emptied.
    const std::string contenido = "c\nP1,-0.5,39.5,30,N\n";
    Escribir(tmp / "UTM_ETRS89.txt", contenido);
    InterfazGuion guion;
    guion.puntos = (tmp / "UTM_ETRS89.txt").string();
    EXPECT_EQ(TratarFichero(codigo::GeoUtmETRS89, guion).error,
              "El fichero de entrada no puede ser también el fichero de resultados: " + guion.puntos);
    EXPECT_EQ(Leer(tmp / "UTM_ETRS89.txt"), contenido);
}

TEST_P(Lotes, CanceladoYProgreso) {
    std::string contenido = "c\n";
    for (int i = 0; i < 20000; ++i) contenido += "P" + std::to_string(i) + ",1,40,100\n";
    Escribir(tmp / "p.txt", contenido);
    for (const int cancelar : {-1, 1}) {  // never; at the second check
        InterfazGuion guion;
        guion.puntos = (tmp / "p.txt").string();
        guion.cancelarTrasConsultas = cancelar;
        const ResumenLote r = TratarFichero(codigo::GeoCart, guion);
        EXPECT_EQ(r.cancelado, cancelar >= 0);
        const std::string txt = Leer(r.rutaTxt);
        EXPECT_EQ(Leer(r.rutaCsv), TextoACsv(txt));  // the CSV twin of what was written
        EXPECT_EQ(static_cast<std::uint64_t>(std::count(txt.begin(), txt.end(), '\n')), r.registros + 1);
        ASSERT_GE(guion.progreso.size(), 2u);
        for (const auto& [leidos, total] : guion.progreso) EXPECT_LE(leidos, total);
        if (cancelar < 0) {
            EXPECT_EQ(r.registros, 20000u);
            EXPECT_EQ(guion.progreso.back(), std::make_pair(contenido.size(), contenido.size()));
        } else {
            EXPECT_GT(r.registros, 0u);
            EXPECT_LT(r.registros, 20000u);
        }
    }
}

// Garbage never crashes or hangs: every line becomes a record, is skipped or
// stops the UTM batch, and the CSV twin always matches the text result.
TEST_P(Lotes, Basura) {
    std::mt19937 azar(2024);
    const std::string larga(10u << 20, 'x');
    for (const Conversion& conversion : Conversiones()) {
        std::string contenido(20000, '\0');
        for (char& c : contenido) c = static_cast<char>(azar());
        // Bytes that look like numbers, commas and line ends, in any order.
        std::string parecido = contenido;
        const std::string alfabeto = "0123456789.,-+eEdD\n\r \"sSN30E\xff";
        for (char& c : parecido) c = alfabeto[azar() % alfabeto.size()];
        const std::string lineas = "c\n" + larga + ",1,2,30,N\nP,abc,,31,N\nultima,1e999,-1e999,30,N";
        for (const std::string* texto : std::initializer_list<const std::string*>{&contenido, &parecido, &lineas, &larga}) {
            Escribir(tmp / "basura.txt", *texto);
            InterfazGuion guion;
            guion.puntos = (tmp / "basura.txt").string();
            guion.rejilla = RutaRejillaFuente();
            const ResumenLote r = TratarFichero(conversion.codigo, guion);
            ASSERT_TRUE(r.error.empty()) << r.error;
            EXPECT_EQ(Leer(r.rutaCsv), TextoACsv(Leer(r.rutaTxt)));
            if (texto == &lineas) EXPECT_EQ(r.registros + r.saltadas + (r.detenido ? 1 : 0), 3u);
            if (texto == &larga) EXPECT_EQ(r.lineasLeidas, 0u);  // the heading only
        }
    }
}

TESMARO_EN_LOCALES(Lotes);

// Each code and each command-line name finds its own row, and only it.
TEST(TablaDeConversiones, BuscarPorCodigoYPorNombre) {
    std::set<std::int16_t> codigos;
    std::set<std::string_view> nombres;
    for (const Conversion& c : Conversiones()) {
        EXPECT_EQ(BuscarConversion(c.codigo), &c);
        EXPECT_EQ(BuscarConversion(c.nombre), &c);
        codigos.insert(c.codigo);
        nombres.insert(c.nombre);
    }
    EXPECT_EQ(codigos, (std::set<std::int16_t>{0, 1, 2, 3, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(nombres.size(), Conversiones().size());
    EXPECT_EQ(BuscarConversion(std::int16_t{4}), nullptr);
    EXPECT_EQ(BuscarConversion("geo-utm"), nullptr);
}

}  // namespace
}  // namespace tesmaro::pruebas
