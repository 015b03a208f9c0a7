#pragma once

#include <QChar>
#include <QString>
#include <map>

// Which host directory stands for each DOS drive letter.
class DriveMap {
public:
    // BRIVANEL_DRIVES ("C:=/srv/dos/c;D:=/media/cdrom") when set; else the
    // Wine prefix's dosdevices links; else C: = home and Z: = /. A variable
    // that is set but unusable gives an empty map (see environmentProblem).
    static DriveMap fromEnvironment();
    // Parses the BRIVANEL_DRIVES form; malformed elements are skipped.
    static DriveMap parse(const QString& spec);
    // What makes the form unusable: an element that is not "X:=/folder", a
    // relative folder, a letter given twice, no drive; empty when it is fine.
    static QString problemIn(const QString& form);
    // That problem of BRIVANEL_DRIVES, prefixed with its name; empty when the
    // variable is unset or fine.
    static QString environmentProblem();
    // Reads "x:" symbolic links of a Wine dosdevices folder.
    static DriveMap fromDosDevices(const QString& folder);

    void set(QChar letter, const QString& hostRoot);
    // Host directory of the drive, without a trailing slash except for "/";
    // empty when the drive is not mapped.
    QString hostRoot(QChar letter) const;
    bool isEmpty() const { return roots_.empty(); }
    const std::map<QChar, QString>& roots() const { return roots_; }
    // The BRIVANEL_DRIVES form, handed to the batch interpreter. "%", ";"
    // and blanks at either end of a folder are written as %25, %3B, %20 and
    // %09, so that every folder comes back whole from parse.
    QString toString() const;

private:
    static QString encodeRoot(const QString& root);
    static QString decodeRoot(const QString& text);

    std::map<QChar, QString> roots_;
};
