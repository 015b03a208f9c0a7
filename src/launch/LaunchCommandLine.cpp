#include "launch/LaunchCommandLine.h"

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosPath.h"

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}

QString trimmedRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && isBlankOrControl(text[end - 1])) {
        --end;
    }
    return text.left(end);
}

QString trimmedBothEnds(const QString& text) {
    qsizetype begin = 0;
    while (begin < text.size() && isBlankOrControl(text[begin])) {
        ++begin;
    }
    return trimmedRight(text.mid(begin));
}

QString checkFragment(const EmulatorDefinition& emulator, const PanelChoices& choices,
                      CheckGroup group) {
    const CheckGroupDefinition& check = emulator.check(group);
    return choices.checked[size_t(index(group))] ? check.check : check.clear;
}

// "%sn%" wins over "%fn%" wherever each stands; case is ignored.
struct Placeholder {
    qsizetype at;
    bool fileName;
};

std::optional<Placeholder> findPlaceholder(const QString& gameSwitch) {
    for (const bool fileName : {false, true}) {
        const qsizetype at =
            gameSwitch.indexOf(QStringView(fileName ? u"%fn%" : u"%sn%"), 0, Qt::CaseInsensitive);
        if (at >= 0) {
            return Placeholder{at, fileName};
        }
    }
    return std::nullopt;
}

}  // namespace

QString appendFragment(const QString& line, const QString& fragment) {
    return trimmedRight(line) + u' ' + fragment;
}

QString gameNameFragment(const QString& gameSwitch, const QString& shortName,
                         const QString& fileName) {
    if (gameSwitch.isEmpty()) {
        return shortName;
    }
    if (const std::optional<Placeholder> p = findPlaceholder(gameSwitch)) {
        return gameSwitch.left(p->at) + (p->fileName ? fileName : shortName) +
               gameSwitch.mid(p->at + 4);
    }
    return gameSwitch + u' ' + shortName;
}

bool gameNameIsFileName(const QString& gameSwitch) {
    const std::optional<Placeholder> p = findPlaceholder(gameSwitch);
    return p && p->fileName;
}

std::optional<QString> listFragment(const ListGroupDefinition& group, const QString& text) {
    for (qsizetype i = 0; i < group.captions.size() && i < group.fragments.size(); ++i) {
        if (group.captions[i].compare(text, Qt::CaseInsensitive) == 0) {
            return group.fragments[i];
        }
    }
    return std::nullopt;
}

QString launchCommandLine(const EmulatorDefinition& emulator, const QString& executable,
                          const QString& shortName, const QString& location,
                          const PanelChoices& choices) {
    const QString gameName =
        gameNameFragment(emulator.gameSwitch, shortName, DosPath::fileNamePart(location));
    QString line = executable;
    const auto addList = [&](ListGroup group) {
        const ListGroupDefinition& list = emulator.list(group);
        if (!list.present) {
            return;
        }
        if (const auto fragment = listFragment(list, choices.listTexts[size_t(index(group))])) {
            line = appendFragment(line, *fragment);
        }
    };
    const auto addCheck = [&](CheckGroup group) {
        if (emulator.check(group).present) {
            line = appendFragment(line, checkFragment(emulator, choices, group));
        }
    };

    if (!emulator.romLast) {
        line = appendFragment(line, gameName);
    }
    addList(ListGroup::Resolutions);
    addCheck(CheckGroup::Vector);
    addCheck(CheckGroup::Synch);
    addList(ListGroup::FrameSkip);
    addList(ListGroup::VesaMode);
    addList(ListGroup::Extra);
    // The spin edit's count belongs to the switch; a clear box adds nothing at all.
    const CheckGroupDefinition& lines = emulator.check(CheckGroup::LinesOffscreen);
    if (lines.present && choices.checked[size_t(index(CheckGroup::LinesOffscreen))]) {
        line = appendFragment(line, lines.check + choices.linesOffscreen);
    }
    addList(ListGroup::Sound);
    addCheck(CheckGroup::FMMusic);
    addList(ListGroup::Rotate);
    addCheck(CheckGroup::Joystick);
    addCheck(CheckGroup::Mouse);
    addCheck(CheckGroup::Trackball);
    addCheck(CheckGroup::FourWay);
    addCheck(CheckGroup::Cheat);
    addList(ListGroup::Controller1);
    addList(ListGroup::Controller2);
    line = appendFragment(line, emulator.alwaysDo);
    line = appendFragment(line, choices.additional);
    if (emulator.romLast) {
        line = appendFragment(line, gameName);
    }
    if (!emulator.showJoyEmu) {
        line = QStringLiteral("start /w ") + line;
    }
    return trimmedBothEnds(line);
}
