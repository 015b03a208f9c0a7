#include "launch/LaunchCommandLine.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/EmulatorDefinition.h"
#include "support/TempInstallation.h"

namespace {

const QString kMameExe = u"C:\\MAME\\MAME.EXE"_qs;
const QString kZip = u"C:\\ZIPS\\PACMAN.ZIP"_qs;

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
    e.emulatorId = u"MAME"_qs;
    e.type = u"MAME"_qs;
    e.showJoyEmu = true;
    setCheck(e, CheckGroup::Vector, u"", u"-vector");
    setList(e, ListGroup::Resolutions, {u"640x480"_qs}, {u"-640x480"_qs});
    return e;
}

PanelChoices exampleChoices() {
    PanelChoices c;
    c.listTexts[size_t(index(ListGroup::Resolutions))] = u"640x480"_qs;
    c.linesOffscreen = u"8"_qs;
    return c;
}

TEST(LaunchCommandLine, WorkedExample) {
    EXPECT_EQ(launchCommandLine(exampleEmulator(), kMameExe, u"pacman"_qs, kZip, exampleChoices()),
              u"C:\\MAME\\MAME.EXE pacman -640x480"_qs);
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
        EXPECT_EQ(gameNameFragment(QString::fromUtf16(c.gameSwitch), u"pacman"_qs, u"MARIO.SMC"_qs),
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
         [](EmulatorDefinition& e, PanelChoices&) { e.gameSwitch = u"-cart %fn%"_qs; },
         u"C:\\MAME\\MAME.EXE -cart PACMAN.ZIP -640x480"},
        {"ROMLast true: the game after the additional text",
         [](EmulatorDefinition& e, PanelChoices& c) {
             e.romLast = true;
             e.alwaysDo = u"-always"_qs;
             c.additional = u"-extra 1"_qs;
         },
         u"C:\\MAME\\MAME.EXE -640x480 -always -extra 1 pacman"},
        {"ROMLast false: the game right after the executable",
         [](EmulatorDefinition& e, PanelChoices& c) { c.additional = u"-extra 1"_qs; },
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
         [](EmulatorDefinition& e, PanelChoices& c) { c.listTexts[0] = u"640X480"_qs; },
         u"C:\\MAME\\MAME.EXE pacman -640x480"},
        {"a text among no captions adds nothing",
         [](EmulatorDefinition& e, PanelChoices& c) {
             c.listTexts[0] = u"1024x768"_qs;
             setList(e, ListGroup::Sound, {}, {});
         },
         u"C:\\MAME\\MAME.EXE pacman"},
        {"ShowJoyEmu false: start /w in front",
         [](EmulatorDefinition& e, PanelChoices&) { e.showJoyEmu = false; },
         u"start /w C:\\MAME\\MAME.EXE pacman -640x480"},
        {"a fragment's own leading blanks stay",
         [](EmulatorDefinition& e, PanelChoices& c) { c.additional = u"  -x "_qs; },
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
                 setList(e, lists[i], {u"A"_qs}, {QString::fromUtf8(fragments[i])});
                 c.listTexts[size_t(index(lists[i]))] = u"a"_qs;
             }
             c.checked[0] = true;
             e.alwaysDo = u"-a19"_qs;
             c.additional = u"-a20"_qs;
         },
         u"C:\\MAME\\MAME.EXE pacman -640x480 -vector -c2 -l5 -l6 -l7 -c8=8 -l9 -c10 -l11 -c12 "
         u"-c13 -c14 -c15 -c16 -l17 -l18 -a19 -a20"},
    };
    for (const LineCase& c : cases) {
        EmulatorDefinition emulator = exampleEmulator();
        PanelChoices choices = exampleChoices();
        c.change(emulator, choices);
        EXPECT_EQ(launchCommandLine(emulator, kMameExe, u"pacman"_qs, kZip, choices),
                  QString::fromUtf16(c.line))
            << c.name;
    }
}

TEST(LaunchCommandLine, AppendFragmentDropsTrailingBlanksAndControls) {
    EXPECT_EQ(appendFragment(u"X \t\r "_qs, u"-a"_qs), u"X -a"_qs);
    EXPECT_EQ(appendFragment(u"X"_qs, QString()), u"X "_qs);
}

}  // namespace
