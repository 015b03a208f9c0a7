#pragma once

#include <QString>
#include <QStringList>

class AppContext;
class EmulatorTable;
struct EmulatorDefinition;

// Finding a game's picture in the picture index: substring scans only, the
// disk is never touched.

// "BITMAPS\", or "BITMAPS\<Platform>\" for an emulator with a Platform.
QString PictureFolder(const EmulatorDefinition& emulator);

// The keys tried for a game, in order: folder + entry name, + short name,
// + parent, then the parent shortened one character at a time down to two
// characters; each ends with ".". The entry name loses a leading platform
// name and separator, and everything from its first " (".
QStringList PictureKeys(const QString& folder, const QString& platform, const QString& entryName,
                        const QString& shortName, const QString& parent);

// The picture of the game (emulator index, short name, entry name): the
// first index line containing a key, upper-cased, or "".
QString FindGamePicture(const AppContext& ctx, const EmulatorTable& emulators,
                        const QStringList& pictureIndex, int emulatorIndex,
                        const QString& shortName, const QString& entryName);

// The emulator's own picture: its folder + its emulator ID + ".", or "".
QString FindEmulatorPicture(const EmulatorTable& emulators, const QStringList& pictureIndex,
                            int emulatorIndex);

// The "noimage.bmp" shown when there is no picture: the one in the
// emulator's picture folder, else the one in the program directory, else "".
QString NoImagePicture(const AppContext& ctx, const EmulatorTable& emulators, int emulatorIndex);
