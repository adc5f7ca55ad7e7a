// The geoid part of the self-test on a copy of the data folder: the shipped
// files pass; a changed value, a wrong check point and a missing grid are
// each told on their own line.
#include "Ayudas.h"
#include "Verificar.h"

namespace tesmaro {
namespace {

using pruebas::CarpetaTemporal;
namespace fs = std::filesystem;

TEST(Verificar, Geoide) {
    const fs::path fuente = TESMARO_DATOS_FUENTE;
    const struct {
        const char* nombre;
        void (*danar)(const fs::path& carpeta);
        std::vector<std::string> fallos;  // the start of each failing line's text; @ the folder
    } casos[] = {
        {"los distribuidos", [](const fs::path&) {}, {}},
        // The last byte of the south-west node, in the sea west of El Hierro.
        {"un valor cambiado",
         [](const fs::path& c) {
             std::string g = pruebas::Leer(c / "egm08_rednap_canarias.gtx");
             g[43] ^= 1;
             pruebas::Escribir(c / "egm08_rednap_canarias.gtx", g);
         },
         {"Geoide @/egm08_rednap_canarias.gtx: NO es el distribuido: su SHA-256 es "}},
        {"un punto de control 2 mm más alto",
         [](const fs::path& c) {
             std::string p = pruebas::Leer(c / "egm08_rednap_puntos_control.csv");
             p.replace(p.find("51.1117"), 7, "51.1137");
             pruebas::Escribir(c / "egm08_rednap_puntos_control.csv", p);
         },
         {"Puntos de control del geoide EGM08-REDNAP (63): desviación máxima de N 2.0"}},
        {"falta la rejilla de Canarias", [](const fs::path& c) { fs::remove(c / "egm08_rednap_canarias.gtx"); },
         {"Geoide @/egm08_rednap_canarias.gtx: no se puede leer.",
          "No se encuentra el fichero de geoide @/egm08_rednap_canarias.gtx"}},
    };
    for (const auto& c : casos) {
        const CarpetaTemporal carpeta;
        for (const auto& f : fs::directory_iterator(fuente))
            if (f.is_regular_file()) fs::copy_file(f.path(), carpeta / f.path().filename().string());
        c.danar(carpeta.ruta());
        std::vector<std::string> fallos;
        for (const Comprobacion& l : Verificar((carpeta / "sped2et.gsb").string(), carpeta.ruta().string()))
            if (!l.bien) fallos.push_back(l.texto);
        ASSERT_EQ(fallos.size(), c.fallos.size()) << c.nombre << (fallos.empty() ? "" : ": " + fallos[0]);
        for (std::size_t i = 0; i < fallos.size(); ++i) {
            std::string esperado = c.fallos[i];
            if (const auto en = esperado.find('@'); en != std::string::npos) esperado.replace(en, 1, carpeta.ruta().string());
            EXPECT_EQ(fallos[i].rfind(esperado, 0), 0u) << c.nombre << ": " << fallos[i];
        }
    }
}

}  // namespace
}  // namespace tesmaro
