#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "BatchHarness.h"
#include "support/Text.h"

// DOS programs run in Debian's real dosbox, with no window and no sound.
// The programs are a few bytes of 16-bit code written here.
namespace {

QByteArray bytes(std::initializer_list<unsigned char> code) {
    return QByteArray(reinterpret_cast<const char*>(code.begin()), int(code.size()));
}

// Writes one character to standard output (int 21h, AH=02h) and ends.
QByteArray sayCharacter(char c) {
    return bytes({0xB4, 0x02, 0xB2, static_cast<unsigned char>(c), 0xCD, 0x21, 0xB8, 0x00, 0x4C,
                  0xCD, 0x21});
}

// Writes its command tail, as DOS handed it over, to standard output.
const QByteArray kEchoTail =
    bytes({0xB4, 0x40, 0xBB, 0x01, 0x00, 0x8A, 0x0E, 0x80, 0x00, 0x30, 0xED,
           0xBA, 0x81, 0x00, 0xCD, 0x21, 0xB8, 0x00, 0x4C, 0xCD, 0x21});
// Copies up to 256 bytes of standard input to standard output.
const QByteArray kCat =
    bytes({0xB4, 0x3F, 0x31, 0xDB, 0xB9, 0x00, 0x01, 0xBA, 0x00, 0x02, 0xCD, 0x21, 0x89, 0xC1, 0xB4,
           0x40, 0xBB, 0x01, 0x00, 0xBA, 0x00, 0x02, 0xCD, 0x21, 0xB8, 0x00, 0x4C, 0xCD, 0x21});
// Ends with error level 3.
const QByteArray kFail = bytes({0xB8, 0x03, 0x4C, 0xCD, 0x21});

class Dosbox : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(q("dosbox")).isEmpty()) {
            GTEST_SKIP() << "dosbox is not installed (scripts/test.sh installs it)";
        }
        h.environment.insert(q("SDL_VIDEODRIVER"), q("dummy"));
        h.environment.insert(q("SDL_AUDIODRIVER"), q("dummy"));
        // DOSBox writes its configuration into the home folder.
        h.environment.insert(q("HOME"), home.path());
    }

    BatchHarness h;
    QTemporaryDir home;
};

}  // namespace

TEST_F(Dosbox, RunsExactlyTheResolvedProgramOrRefusesTheLine) {
    for (char n = '1'; n <= '6'; ++n) {
        h.write(u"C:\\P\\longprogram" + QChar(n) + u".com", sayCharacter(n));
    }
    h.write(q("C:\\P\\PLAIN.COM"), sayCharacter('P'));
    h.write(q("C:\\T\\ONE.COM"), sayCharacter('U'));
    QFile twin(h.host(q("C:\\T")) + u"/one.com");
    ASSERT_TRUE(twin.open(QIODevice::WriteOnly));
    twin.write(sayCharacter('L'));
    twin.close();
    h.inst.mkdir(q("C:\\Long Folder"));
    const auto result =
        h.run({q("C:\\P\\LONGPR~1.COM > D:\\A.TXT"), q("C:\\P\\longprogram3.com > D:\\B.TXT"),
               q("C:\\T\\ONE.COM > D:\\C.TXT"), q("C:\\P\\PLAIN.COM > D:\\D.TXT"),
               q("C:\\P\\PLAIN.COM C:\\P\\LONGPR~2.COM > D:\\E.TXT"), q("cd C:\\LONGFO~1"),
               q("C:\\P\\PLAIN.COM > D:\\F.TXT")});
    EXPECT_EQ(result.log.count(q("failed: ")), 5) << result.log.toStdString();
    EXPECT_EQ(result.log.count(q("not handed to DOSBox")), 5);
    EXPECT_EQ(h.read(q("D:\\D.TXT")), QByteArray("P"));
    for (const char* refused : {"D:\\A.TXT", "D:\\B.TXT", "D:\\C.TXT", "D:\\E.TXT", "D:\\F.TXT"}) {
        EXPECT_EQ(h.read(q(refused)), QByteArray()) << refused;
    }
}

TEST_F(Dosbox, ArgumentsArriveLiterallyAndRedirectionsReachTheResolvedFiles) {
    h.write(q("C:\\BIN\\ONE.COM"), kEchoTail);
    h.write(q("C:\\BIN\\CAT.COM"), kCat);
    h.write(q("D:\\VICTIM.TXT"), "keep");
    h.write(q("C:\\IN\\longinputname.txt"), "from the host\r\n");
    const auto result = h.run({q("C:\\BIN\\ONE.COM \"x>D:\\VICTIM.TXT\""),
                               q("C:\\BIN\\ONE.COM a \"b c\" %PATH% 100% > D:\\longoutputname.txt"),
                               q("C:\\BIN\\ONE.COM again>>D:\\longoutputname.txt"),
                               q("C:\\BIN\\CAT.COM < C:\\IN\\longinputname.txt > D:\\CAT.TXT")});
    EXPECT_EQ(result.log.count(q("failed: ")), 1) << result.log.toStdString();
    EXPECT_TRUE(result.log.contains(q("not handed to DOSBox: the argument \"x>D:\\VICTIM.TXT\"")));
    EXPECT_EQ(h.read(q("D:\\VICTIM.TXT")), QByteArray("keep"));
    EXPECT_EQ(QDir(h.host(q("D:\\"))).entryList(QDir::Files),
              (QStringList{q("CAT.TXT"), q("longoutputname.txt"), q("VICTIM.TXT")}));
    EXPECT_EQ(h.read(q("D:\\longoutputname.txt")), QByteArray(" a \"b c\" %PATH% 100% again"));
    EXPECT_EQ(h.read(q("D:\\CAT.TXT")), QByteArray("from the host\r\n"));
}

TEST_F(Dosbox, AnErrorLevelIsAFailure) {
    h.write(q("C:\\BIN\\FAIL.COM"), kFail);
    const auto result = h.run({q("C:\\BIN\\FAIL.COM")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.log.contains(q("failed: error level 1 or more")))
        << result.log.toStdString();
}

// DOSBox takes these names for devices in any folder and with any extension:
// a save to NUL.SAV would be lost, a read of AUX.DAT would read the port.
TEST_F(Dosbox, DeviceNamesAreNeverHandedOver) {
    h.write(q("C:\\BIN\\ONE.COM"), kEchoTail);
    h.write(q("C:\\AUX\\ONE.COM"), kEchoTail);
    const QStringList refused{q("C:\\BIN\\ONE.COM C:\\SAVE\\NUL.SAV"),
                              q("C:\\BIN\\ONE.COM nul.bin"),
                              q("C:\\BIN\\ONE.COM AUX.DAT"),
                              q("C:\\BIN\\ONE.COM COM1"),
                              q("C:\\BIN\\ONE.COM prn"),
                              q("C:\\BIN\\ONE.COM C:\\LPT1.X\\A.SAV"),
                              q("C:\\AUX\\ONE.COM")};
    const auto result =
        h.run(refused + QStringList{q("C:\\BIN\\ONE.COM C:\\SAVE\\NULL.SAV > D:\\OK.TXT")});
    EXPECT_EQ(result.log.count(q("not handed to DOSBox")), refused.size())
        << result.log.toStdString();
    EXPECT_EQ(result.log.count(q("names a DOS device, not a file")), refused.size());
    EXPECT_EQ(h.read(q("D:\\OK.TXT")), QByteArray(" C:\\SAVE\\NULL.SAV"));
}
