#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Lookups in the found-files list (and in the picture index): upper-case
// substring tests, the first entry in list order winning.

// First-match mode: the first entry containing the upper-cased name, or "".
// All-matches mode: every such entry joined by CR, no trailing CR.
QString FindInFoundFiles(const QStringList& list, const QString& name, bool firstMatch);

// The first path of the found-files list that contains `name`; nothing when
// there is none (also before any search: it never walks the disk itself).
std::optional<QString> LocateExecutable(const QStringList& foundFiles, const QString& name);
