#include "launch/LaunchCommandLine.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/EmulatorDefinition.h"
#include "support/TempInstallation.h"

namespace {

const QString kMameExe = QStringLiteral("C:\\MAME\\MAME.EXE");
const QString kZip = QStringLiteral("C:\\ZIPS\\PACMAN.ZIP");

void setCheck(EmulatorDefinition& e, CheckGroup g, const char16_t* clear, const char16_t* check) {
    CheckGroupDefinition& d = e.checks[size_t(index(g))];
    d.present = true;
    d.clear = QString::fromUtf16(clear);
    d.check = QString::fromUtf16(check);
}

void setList(EmulatorDefinition& e, ListGroup g, const QStringList& captions,
             const QStringList& fragments) {
    ListGroupDefinition& d = e.lists[size_t(index(g))];
    d.present = true;
    d.captions = captions;
    d.fragments = fragments;
}

// The definition of the worked example: Vector (Clear empty) and one resolution.
EmulatorDefinition exampleEmulator() {
    EmulatorDefinition e;
    e.emulatorId = QStringLiteral("MAME");
    e.type = QStringLiteral("MAME");
    e.showJoyEmu = true;
    setCheck(e, CheckGroup::Vector, u"", u"-vector");
    setList(e, ListGroup::Resolutions, {QStringLiteral("640x480")}, {QStringLiteral("-640x480")});
    return e;
}

PanelChoices exampleChoices() {
    PanelChoices c;
    c.listTexts[size_t(index(ListGroup::Resolutions))] = QStringLiteral("640x480");
    c.linesOffscreen = QStringLiteral("8");
    return c;
}

TEST(LaunchCommandLine, WorkedExample) {
    EXPECT_EQ(launchCommandLine(exampleEmulator(), kMameExe, QStringLiteral("pacman"), kZip,
                                exampleChoices()),
              QStringLiteral("C:\\MAME\\MAME.EXE pacman -640x480"));
}

struct GameNameCase {
    const char16_t* gameSwitch;
    const char16_t* fragment;
};

TEST(LaunchCommandLine, GameNameFragment) {
    const GameNameCase cases[] = {
        {u"", u"pacman"},
        {u"-rom %SN%.zip", u"-rom pacman.zip"},
        {u"-cart %fn%", u"-cart MARIO.SMC"},
        {u"-game", u"-game pacman"},
        {u"-ROM=%Sn% -Keep", u"-ROM=pacman -Keep"},
        {u"-f %FN% -s %sn%", u"-f %FN% -s pacman"},
        {u"%sn% %sn%", u"pacman %sn%"},
        {u"%fn%,%fn%", u"MARIO.SMC,%fn%"},
        {u"%s n%", u"%s n% pacman"},
    };
    for (const GameNameCase& c : cases) {
        EXPECT_EQ(gameNameFragment(QString::fromUtf16(c.gameSwitch), QStringLiteral("pacman"),
                                   QStringLiteral("MARIO.SMC")),
                  QString::fromUtf16(c.fragment))
            << QString::fromUtf16(c.gameSwitch).toStdString();
    }
}

struct LineCase {
    const char* name;
    std::function<void(EmulatorDefinition&, PanelChoices&)> change;
    const char16_t* line;
};

TEST(LaunchCommandLine, FragmentsInTheirOrder) {
    const LineCase cases[] = {
        {"switch with file name",
         [](EmulatorDefinition& e, PanelChoices&) { e.gameSwitch = QStringLiteral("-cart %fn%"); },
         u"C:\\MAME\\MAME.EXE -cart PACMAN.ZIP -640x480"},
        {"ROMLast true: the game after the additional text",
         [](EmulatorDefinition& e, PanelChoices& c) {
             e.romLast = true;
             e.alwaysDo = QStringLiteral("-always");
             c.additional = QStringLiteral("-extra 1");
         },
         u"C:\\MAME\\MAME.EXE -640x480 -always -extra 1 pacman"},
        {"ROMLast false: the game right after the executable",
         [](EmulatorDefinition& e, PanelChoices& c) { c.additional = QStringLiteral("-extra 1"); },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -extra 1"},
        {"empty Clear fragments leave no double blank",
         [](EmulatorDefinition& e, PanelChoices&) {
             setCheck(e, CheckGroup::Synch, u"", u"-vsync");
             setCheck(e, CheckGroup::Mouse, u"", u"-mouse");
             setCheck(e, CheckGroup::Cheat, u"-nocheat", u"-cheat");
         },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -nocheat"},
        {"checked boxes take Check",
         [](EmulatorDefinition& e, PanelChoices& c) { c.checked[0] = true; },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -vector"},
        {"lines offscreen checked: switch and count joined",
         [](EmulatorDefinition& e, PanelChoices& c) {
             setCheck(e, CheckGroup::LinesOffscreen, u"-noskip", u"-skiplines");
             c.checked[size_t(index(CheckGroup::LinesOffscreen))] = true;
         },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -skiplines8"},
        {"lines offscreen clear: nothing, not even Clear",
         [](EmulatorDefinition& e, PanelChoices&) {
             setCheck(e, CheckGroup::LinesOffscreen, u"-noskip", u"-skiplines");
         },
         u"C:\\MAME\\MAME.EXE pacman -640x480"},
        {"caption found ignoring case",
         [](EmulatorDefinition& e, PanelChoices& c) { c.listTexts[0] = QStringLiteral("640X480"); },
         u"C:\\MAME\\MAME.EXE pacman -640x480"},
        {"a text among no captions adds nothing",
         [](EmulatorDefinition& e, PanelChoices& c) {
             c.listTexts[0] = QStringLiteral("1024x768");
             setList(e, ListGroup::Sound, {}, {});
         },
         u"C:\\MAME\\MAME.EXE pacman"},
        {"ShowJoyEmu false: start /w in front",
         [](EmulatorDefinition& e, PanelChoices&) { e.showJoyEmu = false; },
         u"start /w C:\\MAME\\MAME.EXE pacman -640x480"},
        {"a fragment's own leading blanks stay",
         [](EmulatorDefinition& e, PanelChoices& c) { c.additional = QStringLiteral("  -x "); },
         u"C:\\MAME\\MAME.EXE pacman -640x480   -x"},
        {"every group in the table's order",
         [](EmulatorDefinition& e, PanelChoices& c) {
             const CheckGroup checks[] = {CheckGroup::Synch,   CheckGroup::LinesOffscreen,
                                          CheckGroup::FMMusic, CheckGroup::Joystick,
                                          CheckGroup::Mouse,   CheckGroup::Trackball,
                                          CheckGroup::FourWay, CheckGroup::Cheat};
             const char16_t* names[] = {u"-c2",  u"-c8=", u"-c10", u"-c12",
                                        u"-c13", u"-c14", u"-c15", u"-c16"};
             for (size_t i = 0; i < std::size(checks); ++i) {
                 setCheck(e, checks[i], u"", names[i]);
                 c.checked[size_t(index(checks[i]))] = true;
             }
             const ListGroup lists[] = {ListGroup::FrameSkip,  ListGroup::VesaMode,
                                        ListGroup::Extra,      ListGroup::Sound,
                                        ListGroup::Rotate,     ListGroup::Controller1,
                                        ListGroup::Controller2};
             const char* fragments[] = {"-l5", "-l6", "-l7", "-l9", "-l11", "-l17", "-l18"};
             for (size_t i = 0; i < std::size(lists); ++i) {
                 setList(e, lists[i], {QStringLiteral("A")}, {QString::fromUtf8(fragments[i])});
                 c.listTexts[size_t(index(lists[i]))] = QStringLiteral("a");
             }
             c.checked[0] = true;
             e.alwaysDo = QStringLiteral("-a19");
             c.additional = QStringLiteral("-a20");
         },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -vector -c2 -l5 -l6 -l7 -c8=8 -l9 -c10 -l11 -c12 "
         u"-c13 -c14 -c15 -c16 -l17 -l18 -a19 -a20"},
    };
    for (const LineCase& c : cases) {
        EmulatorDefinition emulator = exampleEmulator();
        PanelChoices choices = exampleChoices();
        c.change(emulator, choices);
        EXPECT_EQ(launchCommandLine(emulator, kMameExe, QStringLiteral("pacman"), kZip, choices),
                  QString::fromUtf16(c.line))
            << c.name;
    }
}

TEST(LaunchCommandLine, AppendFragmentDropsTrailingBlanksAndControls) {
    EXPECT_EQ(appendFragment(QStringLiteral("X \t\r "), QStringLiteral("-a")),
              QStringLiteral("X -a"));
    EXPECT_EQ(appendFragment(QStringLiteral("X"), QString()), QStringLiteral("X "));
}

}  // namespace
