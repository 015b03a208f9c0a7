#include "launch/mame/ShippedEmulators.h"

#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/ProcessRun.h"
#include "support/TempInstallation.h"

QList<ShippedEmulator> ShippedEmulators() {
    QFile script(QStringLiteral(BRIVANEL_INSTALL_SCRIPT));
    if (!script.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromUtf8(script.readAll());
    const qsizetype start = text.indexOf(u"\nemulators=(\n");
    const qsizetype end = text.indexOf(u"\n)\n", start);
    QList<ShippedEmulator> rows;
    static const QRegularExpression row(QStringLiteral("^\\s*\"(\\S+) (\\S+) (\\S+) .*\"$"));
    for (const QString& line : text.mid(start, end - start).split(u'\n')) {
        if (const QRegularExpressionMatch m = row.match(line); m.hasMatch()) {
            rows.append({m.captured(1), m.captured(2), m.captured(3)});
        }
    }
    return rows;
}

namespace ShippedEmulatorRun {

QProcessEnvironment HomeEnvironment(const TempInstallation& inst) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), inst.host(QStringLiteral("C:\\")));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("MEDNAFEN_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("BRIVANEL_STORE"), inst.storeFile());
    env.insert(QStringLiteral("BRIVANEL_DRIVES"), u"C:=" + inst.host(QStringLiteral("C:\\")) +
                                                      u";D:=" + inst.host(QStringLiteral("D:\\")));
    return env;
}

QString InstallIntoHome(const QProcessEnvironment& env) {
    QProcess install;
    QProcessEnvironment installEnv = env;
    installEnv.insert(QStringLiteral("BUILD_DIR"), QStringLiteral(BRIVANEL_BUILD_DIR));
    install.setProcessEnvironment(installEnv);
    install.setProgram(QStringLiteral(BRIVANEL_INSTALL_SCRIPT));
    install.setArguments({QStringLiteral("--no-build")});
    const ProcessOutcome done = runToEnd(install);
    return done.exitCode == 0 ? QString()
                              : done.standardOutput + done.standardError + u" (install.sh failed)";
}

QByteArray TinyGameBoyColorRom() {
    QByteArray rom(32768, '\0');
    const QByteArray entry = QByteArray::fromHex("00C35001");  // nop; jp 0x150
    rom.replace(0x100, entry.size(), entry);
    const QByteArray logo = QByteArray::fromHex(
        "CEED6666CC0D000B03730083000C000D0008111F8889000EDCCC6EE6DDDDD999BBBB67636E0EECCCDDDC999F"
        "BBB9333E");
    rom.replace(0x104, logo.size(), logo);
    rom.replace(0x134, 8, "BRIVANEL");
    rom[0x143] = char(0x80);  // plays on the Game Boy and the Game Boy Color
    unsigned char headerSum = 0;
    for (int i = 0x134; i < 0x14D; ++i) {
        headerSum = static_cast<unsigned char>(headerSum - static_cast<unsigned char>(rom[i]) - 1);
    }
    rom[0x14D] = char(headerSum);
    rom[0x150] = char(0x18);  // jr -2
    rom[0x151] = char(0xFE);
    unsigned sum = 0;
    for (const char c : rom) {
        sum += static_cast<unsigned char>(c);
    }
    rom[0x14E] = char((sum >> 8) & 0xFF);
    rom[0x14F] = char(sum & 0xFF);
    return rom;
}

QByteArray TinyAtari2600Rom() {
    QByteArray rom(4096, char(0xEA));  // nop
    rom[0] = char(0x4C);               // jmp $F000
    rom[1] = char(0x00);
    rom[2] = char(0xF0);
    for (const int vector : {0xFFC, 0xFFE}) {  // reset and interrupt: $F000
        rom[vector] = char(0x00);
        rom[vector + 1] = char(0xF0);
    }
    return rom;
}

QStringList StellaControllerTypes() {
    QFile manual(QStringLiteral("/usr/share/doc/stella/index.html"));
    if (!manual.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromLatin1(manual.readAll());
    const qsizetype start = text.indexOf(u"name=\"ControllerProps\"");
    const qsizetype end = text.indexOf(u"</table>", start);
    QStringList types;
    static const QRegularExpression row(QStringLiteral("<tr><td>(\\w+)"));
    for (const QRegularExpressionMatch& m : row.globalMatch(text.mid(start, end - start))) {
        types << m.captured(1);
    }
    return types;
}

QMap<QString, QString> StellaDefaults(const QString& home) {
    QTemporaryDir work;
    const QString rom = work.filePath(QStringLiteral("tiny.a26"));
    QFile file(rom);
    if (!file.open(QIODevice::WriteOnly) || file.write(TinyAtari2600Rom()) != 4096) {
        return {};
    }
    file.close();
    // Stella keeps its settings when it is ended as a user ends it (SIGTERM
    // does the same), after its main loop has begun.
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    run.setProcessEnvironment(env);
    run.setProgram(QStringLiteral("xvfb-run"));
    run.setArguments({QStringLiteral("-a"), QStringLiteral("bash"), QStringLiteral("-c"),
                      QStringLiteral("stella -loglevel 2 -logtoconsole 1 \"$1\" >\"$2\" 2>&1 &\n"
                                     "pid=$!\n"
                                     "for _ in $(seq 600); do\n"
                                     "  grep -q 'Starting main loop' \"$2\" && break\n"
                                     "  kill -0 $pid 2>/dev/null || break\n"
                                     "  sleep 0.1\n"
                                     "done\n"
                                     "kill -TERM $pid; wait $pid"),
                      QStringLiteral("stella-run"), rom, work.filePath(QStringLiteral("log"))});
    if (runToEnd(run).exitCode != 0) {
        return {};
    }
    QMap<QString, QString> settings;
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(home + u"/.config/stella/stella.sqlite3");
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* select = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT setting, value FROM settings", -1, &select, nullptr) ==
            SQLITE_OK) {
            while (sqlite3_step(select) == SQLITE_ROW) {
                const auto text = [select](int column) {
                    return QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(select, column)));
                };
                settings.insert(text(0), text(1));
            }
        }
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return settings;
}

}  // namespace ShippedEmulatorRun
