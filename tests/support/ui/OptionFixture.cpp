#include "support/ui/OptionFixture.h"

#include <QApplication>
#include <QTest>

OptionWindowTest::OptionWindowTest() {
    writeDefinitions();
}

namespace {

QStringList lines(const QString& listName, const char* body) {
    const QString text = u"[Emulator]\nLBName="_qs + listName + u'\n' + QString::fromUtf8(body);
    return text.split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

void OptionWindowTest::writeDefinitions() {
    inst.writeLines(u"C:\\BRIVANEL\\mame.ini"_qs, lines(S(kMame), R"(
Type=MAME
ShowJoyEmu=1
[Config]
High=HI\%sn%.HI
Cfg=CFG\%sn%.CFG
[Vector]
Name=&Vector games
Hint=Draws vector games sharply
Check=-vector
[LinesOffscreen]
Min=2
Max=20
Default=6
Check=-skiplines
[Mouse]
[Cheat]
[Resolutions]
320x240=-320x240
640x480=-640x480
800x600=-800x600
[VesaMode]
VESA 1=-vesa1
VESA 2=-vesa2
[Extra]
No Scanlines=-noscan
Scanlines=-scan
[Sound]
Silence=-nosound
Sound Blaster=-sb
)"));
    inst.writeLines(u"C:\\BRIVANEL\\rage.ini"_qs, lines(S(kRage), R"(
Type=MULTI
ShowAdditional=0
[vector]
[Mouse]
[Sound]
None=-s0
Some=-s1
)"));
    inst.writeLines(u"C:\\BRIVANEL\\ikari.ini"_qs, lines(S(kIkari), R"(
Type=SINGLE
[Config]
Dip=IKARI.DIP
[Joystick]
[Synch]
)"));
    inst.writeLines(u"C:\\BRIVANEL\\MAME.MRG"_qs, {u"[Merged]"_qs, u"pacman=puckman"_qs});

    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString(u"Version"_qs, u".26"_qs);
    for (const auto& [lbName, id] :
         {std::pair{S(kMame), u"MAME"_qs}, std::pair{S(kRage), u"RAGE"_qs},
          std::pair{S(kIkari), u"IKARI"_qs}}) {
        store.OpenKey(StorePaths::Entry(lbName), true);
        store.WriteString(u"Location"_qs, u"C:\\EMU\\"_qs + id + u".EXE");
        store.WriteString(u"Emulator"_qs, id);
        store.OpenKey(StorePaths::Specific(lbName), true);
    }
}

TFMain& OptionWindowTest::startMain() {
    main_ = std::make_unique<TFMain>(inst.context());
    main_->FormActivate();
    main_->show();
    QApplication::setActiveWindow(main_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    return *main_;
}

void OptionWindowTest::focus(QWidget& widget) {
    widget.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&widget] {
        return widget.hasFocus() || widget.isAncestorOf(QApplication::focusWidget());
    })) << widget.objectName().toStdString();
}

void OptionWindowTest::leave(QWidget& control) {
    focus(control);
    focus(listBox(*main_, u"LBArcade"_qs));
}

void OptionWindowTest::addGame(const QString& name, const QString& emulatorId,
                               const QString& shortName, const QString& location) {
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Entry(name), true);
    store.WriteString(u"Location"_qs, location);
    store.WriteString(u"Emulator"_qs, emulatorId);
    store.WriteString(u"Shortname"_qs, shortName);
}

void OptionWindowTest::setValue(const KeyPath& key, const QString& name, const Value& value) {
    SettingsStore store = inst.context().store();
    store.OpenKey(key, true);
    if (const bool* b = std::get_if<bool>(&value)) {
        store.WriteBool(name, *b);
    } else {
        store.WriteString(name, std::get<QString>(value));
    }
}

void OptionWindowTest::setPairs(const KeyPath& key, const QStringList& idsAndShortNames) {
    for (int i = 0; i + 1 < idsAndShortNames.size(); i += 2) {
        const QChar number(char16_t(u'1' + i / 2));
        setValue(key, u"Emulator"_qs + number, idsAndShortNames[i]);
        setValue(key, u"Shortname"_qs + number, idsAndShortNames[i + 1]);
    }
}

void OptionWindowTest::setSpecific(const QString& name,
                                   std::initializer_list<std::pair<QString, Value>> values) {
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(name), true);
    for (const auto& [valueName, value] : values) {
        setValue(StorePaths::Specific(name), valueName, value);
    }
}

void OptionWindowTest::select(const QString& name) {
    if (!listed.contains(name)) {
        listed << name;
    }
    select(name, listed);
}

void OptionWindowTest::select(const QString& name, const QStringList& items) {
    GameListWidget& list = listBox(*main_, u"LBArcade"_qs);
    if (list.items() != items) {
        list.setItems(items);
    }
    selectItem(list, name);
}

bool OptionWindowTest::specificExists(const QString& name) {
    return inst.context().store().KeyExists(StorePaths::Specific(name));
}

bool OptionWindowTest::hasValue(const KeyPath& key, const QString& name) {
    SettingsStore store = inst.context().store();
    return store.OpenKey(key, false) && store.ValueExists(name);
}

QString OptionWindowTest::readString(const KeyPath& key, const QString& name) {
    SettingsStore store = inst.context().store();
    return store.OpenKey(key, false) ? store.ReadString(name) : QString();
}

bool OptionWindowTest::readBool(const KeyPath& key, const QString& name) {
    SettingsStore store = inst.context().store();
    EXPECT_TRUE(store.OpenKey(key, false));
    return store.ReadBool(name);
}
