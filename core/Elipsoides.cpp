#include "Elipsoides.h"

#include "Ajustes.h"
#include "Avisos.h"

namespace tesmaro {

const std::array<Elipsoide, NumeroElipsoides> TablaElipsoides = {{
    {"Airy 1830", 6377563.396, 299.3249646},
    {"Modified Airy", 6377340.189, 299.3249646},
    {"International Hayford 1924", 6378388, 297},
    {"WGS 72", 6378135, 298.26},
    {"WGS 84", 6378137, 298.257223563},
    {"Australian National", 6378160, 298.25},
    {"Bessel 1841 (Namibia)", 6377483.865, 299.1528128},
    {"Bessel 1841", 6377397.155, 299.1528128},
    {"Clarke 1866", 6378206.4, 294.9786982},
    {"Clarke 1880", 6378249.145, 293.465},
    {"Everest (India 1830)", 6377276.345, 300.8017},
    {"Everest (Brunei and E. Malaysia)", 6377298.556, 300.8017},
    {"Everest (India 1956)", 6377301.243, 300.8017},
    {"Everest (W. Malaysia 1969)", 6377295.664, 300.8017},
    {"Everest (W. Malaysia y Singapore)", 6377304.063, 300.8017},
    {"Everest (Pakistan)", 6377309.613, 300.8017},
    {"Modified Fischer 1960", 6378155, 298.3},
    {"Helmert 1906", 6378200, 298.3},
    {"Hough 1960", 6378270, 297},
    {"Indonesian 1974", 6378160, 298.247},
    {"Krassovsky 1940", 6378245, 298.3},
    {"GRS 80", 6378137, 298.257222101},
    {"South American 1969", 6378160, 298.25},
    {"South American SIRGAS", 6378137, 298.257222101},
}};

Elipsoide ElipsoideDatum(Datum datum) {
    // The datums name rows of the table: ED50 row 2, ETRS89 row 21.
    return datum == Datum::ED50 ? TablaElipsoides[2] : TablaElipsoides[21];
}

}  // namespace tesmaro
