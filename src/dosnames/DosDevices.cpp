#include "dosnames/DosDevices.h"

namespace DosDevices {

bool isDeviceName(QStringView component) {
    QStringView stem = component.left(component.indexOf(u'.'));
    // DOS ignores blanks after a name and a colon after a device.
    while (!stem.isEmpty() && (stem.back() == u' ' || stem.back() == u':')) {
        stem.chop(1);
    }
    if (stem.size() == 3) {
        for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
            if (stem.compare(QStringView(device), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
        return false;
    }
    if (stem.size() != 4 || stem[3] < u'1' || stem[3] > u'9') {
        return false;
    }
    const QStringView port = stem.left(3);
    return port.compare(u"COM", Qt::CaseInsensitive) == 0 ||
           port.compare(u"LPT", Qt::CaseInsensitive) == 0;
}

QStringView deviceComponent(QStringView path) {
    qsizetype start = path.size() >= 2 && path[1] == u':' ? 2 : 0;
    while (start <= path.size()) {
        qsizetype end = start;
        while (end < path.size() && path[end] != u'\\' && path[end] != u'/') {
            ++end;
        }
        const QStringView component = path.mid(start, end - start);
        if (isDeviceName(component)) {
            return component;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace DosDevices
