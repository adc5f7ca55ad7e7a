// The second ellipsoid dialog, "Seleccionar elipsoide de referencia" with only
// the two ellipsoids of the datums: row 2 (International Hayford 1924, ED50)
// and row 21 (GRS 80, ETRS89), with the same texts, headings and "Cerrar" as
// DElipsoides. Choosing an entry makes its row of TablaElipsoides (2 or 21)
// the current ellipsoid. No window or menu opens it.
#pragma once
#include "DElipsoides.h"

namespace tesmaro {

class DElipsoides_ETED final : public DialogoElipsoides {
    Q_OBJECT
public:
    explicit DElipsoides_ETED(QWidget* padre = nullptr);
};

}  // namespace tesmaro
