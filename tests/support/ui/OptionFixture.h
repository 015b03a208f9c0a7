#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <utility>
#include <variant>

#include "app/ui/TFMain.h"
#include "launch/ui/OptionPanel.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"
#include "support/ui/WindowDriver.h"

// A temporary installation with three emulators and a main window started on
// it: MAME (a MAME-type emulator with most groups), RAGE (few groups, no
// additional options) and IKARI (a SINGLE emulator whose own entry is its game).
class OptionWindowTest : public ::testing::Test {
protected:
    static constexpr char16_t kMame[] = u"M&M Arcade {Nicola Salmoria}";
    static constexpr char16_t kRage[] = u"RAGE {Nils Aarberg, Tova Brandt}";
    static constexpr char16_t kIkari[] = u"Ikari Warriors {Nils Aarberg}";

    using Value = std::variant<bool, QString>;

    OptionWindowTest();

    // Reads the definitions and the store as start-up does, and shows the
    // window as the active one.
    TFMain& startMain();
    TFMain& main() { return *main_; }
    // Destroys the main window, as the end of the program does.
    void endMain() { main_.reset(); }
    OptionPanel& panel() { return control<OptionPanel>(*main_, u"POptions"_qs); }
    // A control of the option panel.
    template <class T>
    T& option(const char* name) {
        return control<T>(panel(), QString::fromLatin1(name));
    }
    // Moves the focus into the control and on to the list, as a user leaving
    // it does: the control's store handler runs.
    void leave(QWidget& control);
    void focus(QWidget& widget);

    void writeDefinitions();
    // A game key with its "Location", "Emulator" and "Shortname".
    void addGame(const QString& name, const QString& emulatorId, const QString& shortName,
                 const QString& location = u"C:\\ZIPS\\GAME.ZIP"_qs);
    // Values written into the entry's "Specific", created when missing.
    void setSpecific(const QString& name, std::initializer_list<std::pair<QString, Value>> values);
    void setValue(const KeyPath& key, const QString& name, const Value& value);
    // "Emulator<n>" and "Shortname<n>" from "1" on, from ID and short name in turn.
    void setPairs(const KeyPath& key, const QStringList& idsAndShortNames);

    // Lists the items in LBArcade and selects `name` there, which refreshes
    // the window.
    void select(const QString& name);
    void select(const QString& name, const QStringList& items);

    bool specificExists(const QString& name);
    // The value names stored under the entry's "Specific", for exact checks.
    bool hasValue(const KeyPath& key, const QString& name);
    QString readString(const KeyPath& key, const QString& name);
    bool readBool(const KeyPath& key, const QString& name);

    TempInstallation inst;
    QStringList listed;

private:
    std::unique_ptr<TFMain> main_;
};

inline KeyPath Specific(const QString& name) {
    return StorePaths::Specific(name);
}
inline KeyPath Specific(const char16_t* name) {
    return StorePaths::Specific(QString::fromUtf16(name));
}
inline QString S(const char16_t* text) {
    return QString::fromUtf16(text);
}
