#include "catalogue/DefinitionScan.h"

#include <QSet>
#include <algorithm>
#include <optional>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosFileSystem.h"

DefinitionScan ScanDefinitions(const DosFileSystem& fs, const QString& programDirectory) {
    DefinitionScan scan;
    QSet<QString> seen;
    for (const DosEntry& entry : fs.list(programDirectory)) {
        if (entry.isDirectory || !entry.name.endsWith(u".ini", Qt::CaseInsensitive)) {
            continue;
        }
        scan.anyIniFile = true;
        if (entry.name.count(u'.') != 1) {
            continue;
        }
        const QString id = EmulatorIdFromFileName(entry.name);
        if (id.isEmpty() || seen.contains(id)) {
            continue;
        }
        if (IsEmulatorDefinition(fs, programDirectory + entry.name)) {
            seen.insert(id);
            scan.emulatorIds << id;
        }
    }
    return scan;
}

QStringList OrderByListSize(const QStringList& ids,
                            const std::function<std::optional<int>(const QString& id)>& lineCount) {
    std::vector<std::pair<int, QString>> keyed;
    for (const QString& id : ids) {
        keyed.emplace_back(lineCount(id).value_or(1), id);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first > b.first;
        }
        return QString::compare(a.second, b.second, Qt::CaseInsensitive) > 0;
    });
    QStringList out;
    for (const auto& k : keyed) {
        out << k.second;
    }
    return out;
}
