#pragma once

#include <QString>
#include <QStringList>

// An archive at a host path made with libzip: each entry holds its own name;
// names ending in "/" are folders.
void writeZip(const QString& host, const QStringList& names);
