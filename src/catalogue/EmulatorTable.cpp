#include "catalogue/EmulatorTable.h"

int EmulatorTable::EmulatorIndexById(const QString& id) const {
    for (int i = 1; i <= count(); ++i) {
        if (at(i).emulatorId == id) {
            return i;
        }
    }
    return 0;
}

int EmulatorTable::indexByListName(const QString& lbName) const {
    for (int i = 1; i <= count(); ++i) {
        if (at(i).lbName == lbName) {
            return i;
        }
    }
    return 0;
}
