#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class SettingsStore;

// What the two printed reports list, apart from how it is drawn.
namespace ReportRows {

struct Row {
    QString name;    // x = 0
    QString second;  // at half the page width
    QString third;   // at three quarters
    bool shaded = false;

    bool operator==(const Row&) const = default;
};

// The rows of a missing-ROMs section: the missing games of a list, wherever
// the list's order puts them, each with its short name and emulator, and one
// row more for every further ROM set. Shaded by the game's position in the
// list, odd ones grey. Empty when the list has no missing game: the section
// is then left out.
std::vector<Row> MissingRoms(SettingsStore& store, const QStringList& items, bool showCount);

// The entries a missing-pictures section checks: all but the missing games.
QStringList PictureCandidates(const QStringList& items, bool showCount);

// Whether the picture found for an entry is its own: its path names the
// short name as a file, or holds the entry name, the entry name cut before
// " (", or the parent's name.
bool HasProperPicture(const QString& picturePath, const QString& shortName,
                      const QString& entryName, const QString& parentName);

// The second column of a questionable picture: "..." and the path below
// the BITMAPS folder of the program directory, in lower case.
QString QuestionablePicture(const QString& picturePath, const QString& programDirectory);

}  // namespace ReportRows
