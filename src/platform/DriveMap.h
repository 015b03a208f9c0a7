#pragma once

#include <QChar>
#include <QString>
#include <map>

// Which host directory stands for each DOS drive letter.
class DriveMap {
public:
    // BRIVANEL_DRIVES ("C:=/srv/dos/c;D:=/media/cdrom") when set; else the
    // Wine prefix's dosdevices links; else C: = home and Z: = /.
    static DriveMap fromEnvironment();
    // Parses the BRIVANEL_DRIVES form; malformed elements are skipped.
    static DriveMap parse(const QString& spec);
    // Reads "x:" symbolic links of a Wine dosdevices folder.
    static DriveMap fromDosDevices(const QString& folder);

    void set(QChar letter, const QString& hostRoot);
    // Host directory of the drive, without a trailing slash except for "/";
    // empty when the drive is not mapped.
    QString hostRoot(QChar letter) const;
    bool isEmpty() const { return roots_.empty(); }
    const std::map<QChar, QString>& roots() const { return roots_; }
    // The BRIVANEL_DRIVES form, handed to the batch interpreter.
    QString toString() const;

private:
    std::map<QChar, QString> roots_;
};
