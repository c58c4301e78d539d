#include "grid/clsFLX.h"

namespace grid {

bool clsFLX::IMPORTIEREN(const QString&, const QString&)
{
    return false;
}

} // namespace grid
