// The accuracy of every conversion, as the About window shows it: each
// figure is asserted by the cross-check tests against PROJ
// (tests/core/ExactitudContraste.cpp; the grid's in tests/grid/PruebaProj.cpp,
// the exact projection's domain in tests/core/UtmPruebas.cpp); the README and
// the man page carry the same table.
#pragma once
#include <string_view>

namespace tesmaro {

inline constexpr std::string_view TextoExactitud =
    "Exactitud (máximo medido frente a PROJ; método clásico / método exacto)\n"
    "Geográficas → UTM, husos 29, 30 y 31 (latitud 36° a 44°): 7 mm / 0,01 mm\n"
    "Geográficas → UTM, husos 27 y 28 (Canarias): 1,2 cm y 1,9 cm / 0,01 mm\n"
    "UTM → geográficas, husos 27 a 31 (las mismas regiones): 0,5 mm / 0,001 mm\n"
    "Huso 30 extendido al este de Greenwich (geográficas → UTM y UTM → geográficas), "
    "a 0,5° E: 1,6 cm y 1 mm; a 1,5° E: 7 cm y 6 mm; a 3° E: 38 cm y 4,5 cm; "
    "a 4,3° E: 1,22 m y 18 cm / 0,01 mm en todos\n"
    "UTM → geográficas por el método clásico: donde se apartaría más de 1 m de la posición exacta "
    "(lejos del meridiano central) no se calcula\n"
    "Método exacto de UTM: hasta 10 000 km del meridiano central; más lejos no se calcula\n"
    "Problema inverso, distancia: 2 cm a 10 km, 3,5 mm a 100 km, 8,5 cm a 3000 km / 0,001 mm; "
    "el clásico no calcula puntos en hemisferios distintos ni a 90° o más\n"
    "Problema directo, posición: 0,04 mm a 10 km, 0,1 mm a 100 km, 7 mm a 3000 km / 0,001 mm\n"
    "Geocéntricas, en ambos sentidos (24 elipsoides): 0,7 mm en la región, 2,8 mm en todo el mundo "
    "(alturas hasta 400 km) / 0,01 mm\n"
    "Rejilla ED50 ↔ ETRS89 (SPED2ETV2 del IGN): 0,01 mm frente a PROJ con la misma rejilla, en ambos "
    "sentidos; fuera de sus subrejillas no transforma. La exactitud de la transformación ED50 → ETRS89 "
    "en sí es la de la rejilla oficial, que el IGN documenta con ella (no se mide aquí)\n"
    "ETRS89 y WGS 84 se separan con la placa euroasiática: de 0,88 a 1,00 m en 2026 en la región "
    "(las capas GeoJSON y KML toman ETRS89 como WGS 84)\n"
    "Los resultados se escriben con 5 decimales (0,01 mm) en UTM.\n"
    "Comprobación de la instalación: tesmaro-lote --verificar";

}  // namespace tesmaro
