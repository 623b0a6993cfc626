#include "core/app/BuildVersion.h"

namespace tabulyst {

std::string BuildVersion() {
#ifdef TABULYST_VERSION
    return TABULYST_VERSION;
#else
    return {};
#endif
}

}  // namespace tabulyst
