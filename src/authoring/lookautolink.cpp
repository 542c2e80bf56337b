#include "authoring/lookautolink.h"

namespace sorvek {

QString lookAutoLink(LookLinkMode mode, const QString &text, const LookTitleIndex &index)
{
    Q_UNUSED(mode);
    Q_UNUSED(index);
    return text;
}

} // namespace sorvek
