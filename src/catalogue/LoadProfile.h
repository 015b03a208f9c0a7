#pragma once

#include <QString>

#include "catalogue/ProfileFile.h"

class DosFileSystem;

// Reads a profile file by its DOS path; a missing or unreadable file is an
// empty profile, so every lookup gives its default.
ProfileFile LoadProfile(const DosFileSystem& fs, const QString& dosPath);
