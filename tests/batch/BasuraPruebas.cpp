// Garbage in point files never crashes or hangs: every line becomes a record
// (or is skipped, or stops the UTM batch with its message), and the CSV twin
// always matches the text result.
#include <gtest/gtest.h>

#include <random>

#include "Ayudas.h"
#include "Registros.h"
#include "TratarFichero.h"

namespace tesmaro::pruebas {
namespace {

constexpr std::int16_t TodosLosCodigos[] = {0, 12, 1, 13, 2, 3, 8, 9, 10, 11};

class Basura : public ConLocale {
protected:
    ResumenLote Correr(std::int16_t codigo, std::string_view contenido) {
        Escribir(tmp / "basura.txt", contenido);
        InterfazGuion guion;
        guion.puntos = (tmp / "basura.txt").string();
        guion.rejilla = RutaRejillaFuente();
        std::string rejilla;
        const ResumenLote r = TratarFichero(codigo, rejilla, guion);
        EXPECT_TRUE(r.error.empty()) << r.error;
        EXPECT_EQ(Leer(r.rutaCsv), TextoACsv(Leer(r.rutaTxt)));
        return r;
    }
    CarpetaTemporal tmp;
};

TEST_P(Basura, BytesAlAzar) {
    std::mt19937 azar(2024);
    for (const std::int16_t codigo : TodosLosCodigos) {
        std::string contenido(20000, '\0');
        for (char& c : contenido) c = static_cast<char>(azar());
        Correr(codigo, contenido);
        // Bytes that look like numbers, commas and line ends, in any order.
        const std::string alfabeto = "0123456789.,-+eEdD\n\r \"sSN30E\xff";
        for (char& c : contenido) c = alfabeto[azar() % alfabeto.size()];
        Correr(codigo, contenido);
    }
}

TEST_P(Basura, LineaDeDiezMegasSinFinalYNoNumerica) {
    const std::string larga(10u << 20, 'x');
    for (const std::int16_t codigo : TodosLosCodigos) {
        const ResumenLote r = Correr(codigo, "c\n" + larga + ",1,2,30,N\nP,abc,,31,N\nultima,1e999,-1e999,30,N");
        EXPECT_EQ(r.lineasLeidas, 3u) << codigo;
        EXPECT_EQ(r.registros + r.saltadas + (r.detenido ? 1 : 0), 3u) << codigo;
    }
    // One line of 10 MB with no line end at all: the heading only.
    const ResumenLote r = Correr(codigo::GeoCart, larga);
    EXPECT_EQ(r.lineasLeidas, 0u);
}

TEST_P(Basura, NumerosNoFinitosDanColumnasVacias) {
    // 1e999 reads as an infinity: the computation cannot answer, the line is
    // written with its name and the echoed columns.
    const ResumenLote r = Correr(codigo::GeoCart, "c\nP,1e999,40,0\nQ,1,40,0\n");
    EXPECT_EQ(r.noCalculables, 1u);
    EXPECT_EQ(r.registros, 2u);
    const std::string txt = Leer(r.rutaTxt);
    EXPECT_NE(txt.find("\"P\",,,,6378137,298.257223563\r\n"), std::string::npos) << txt;
}

TESMARO_EN_LOCALES(Basura);

}  // namespace
}  // namespace tesmaro::pruebas
