#include "DElipsoides_ETED.h"

namespace tesmaro {

DElipsoides_ETED::DElipsoides_ETED(QWidget* padre) : DialogoElipsoides({2, 21}, padre) {
    setObjectName(QStringLiteral("DElipsoides_ETED"));
}

}  // namespace tesmaro
