#pragma once

#include <QStringList>
#include <optional>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

// An installation with emulator definitions in C:\BRIVANEL and game keys
// written through the store, as a list build leaves them.
class ListViewSetup {
public:
    TempInstallation inst;

    ListViewSetup() {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), true);
        // A current store: start-up neither migrates nor starts a list build.
        store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), {});
    }

    void defineEmulator(const QString& id, const QString& lbName, const QString& type) const {
        inst.writeLines(u"C:\\BRIVANEL\\" + id + u".ini",
                        {QStringLiteral("[Emulator]"), u"LBName=" + lbName, u"Type=" + type});
    }

    struct Game {
        QString name;
        QString emulator;
        QString location = QStringLiteral("C:\\ROMS\\GAME.ZIP");
        QStringList furtherEmulators = {};
        std::optional<int> count = std::nullopt;
    };

    void addGame(const Game& game) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(game.name), true);
        store.WriteString(QStringLiteral("Emulator"), game.emulator);
        store.WriteString(QStringLiteral("Location"), game.location);
        store.WriteString(QStringLiteral("Shortname"), game.name.left(8).toLower());
        for (int i = 0; i < game.furtherEmulators.size(); ++i) {
            store.WriteString(u"Emulator" + QChar(u'1' + i), game.furtherEmulators[i]);
        }
        if (game.count) {
            store.WriteInteger(QStringLiteral("Count"), *game.count);
        }
    }

    void setRoot(const QString& name, const QString& value) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        store.WriteString(name, value);
    }

    QString rootString(const QString& name) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        return store.ReadString(name);
    }

    bool rootBool(const QString& name) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        return store.ReadBool(name);
    }
};
