#include "platform/ui/ProgramIcon.h"

QIcon programIcon() {
    return QIcon(QStringLiteral(":/brivanel/brivanel.svg"));
}
