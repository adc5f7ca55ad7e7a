// libFuzzer target of point files: any bytes are read as a point file (the
// line reader, the layout of the fields) and every line goes through every
// conversion's reading and computation, the shipped grid and geoid
// included, into the records of its text result and CSV twin. A record must
// be one line with the header's fields; nothing may crash, read out of
// bounds or overflow (AddressSanitizer, UndefinedBehaviorSanitizer).
// Built only with -DTESMARO_FUZZ=ON and clang (see README.md).
#include <cstdio>
#include <string>

#include "Conversiones.h"
#include "Geoide.h"
#include "Lector.h"
#include "Lote.h"
#include "Rejilla.h"
#include "SalidaTexto.h"

namespace {

// The fields of a record, quotes honoured.
std::size_t Campos(std::string_view registro, char separador) {
    std::size_t n = 1;
    bool comillas = false;
    for (const char c : registro) {
        if (c == '"') comillas = !comillas;
        if (c == separador && !comillas) ++n;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    using namespace tesmaro;
    static const Rejilla rejilla(std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb");
    static const Geoide geoide(std::string(TESMARO_DATOS_FUENTE) + "/" + NombreGeoidePeninsula,
                               std::string(TESMARO_DATOS_FUENTE) + "/" + NombreGeoideCanarias);
    std::FILE* f = fmemopen(const_cast<std::uint8_t*>(datos), tamano, "rb");
    if (!f) return 0;
    LectorLineas lector(f, 64, 4096);
    const FormatoCampos formato = DetectarFormato(lector.PrimerasLineas(20));
    std::string_view linea;
    while (lector.Siguiente(linea)) {
        const CamposFichero campos(linea, formato);
        for (const Conversion& c : Conversiones()) {
            for (const bool exacto : {false, true}) {
                AjustesConversion ajustes;
                ajustes.unidad = static_cast<std::int16_t>(1 + linea.size() % 3);
                ajustes.exacto = exacto;
                if (c.datum) ajustes.datum = *c.datum;
                ajustes.rejilla = &rejilla;
                ajustes.geoide = &geoide;
                ajustes.husoForzado = static_cast<std::int16_t>(linea.size() % 2 ? 0 : 30);
                const RegistroPunto r = ConvertirLinea(c, campos, formato, ajustes);
                std::string txt, csv;
                AnadirRegistro(c, r, txt, &csv);
                if (txt.empty()) continue;
                const std::string_view t(txt.data(), txt.size() - 2), v(csv.data(), csv.size() - 2);
                if (t.find_first_of("\r\n") != std::string_view::npos || Campos(t, ',') != c.columnas.size() + 1 ||
                    Campos(v, ';') != c.columnas.size() + 1)
                    __builtin_trap();
            }
        }
    }
    std::fclose(f);
    return 0;
}
