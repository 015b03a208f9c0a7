#pragma once

#include <QByteArray>
#include <QString>

#include "catalogue/ProfileFile.h"

class DosFileSystem;

// Reads a profile file by its DOS path; a missing or unreadable file is an
// empty profile, so every lookup gives its default.
ProfileFile LoadProfile(const DosFileSystem& fs, const QString& dosPath);

// The bytes of a profile file by its host path, cut at a size no profile
// file reaches; empty when it cannot be read.
QByteArray ReadProfileBytes(const QString& hostPath);
