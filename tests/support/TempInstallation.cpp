#include "support/TempInstallation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "platform/TextCodec.h"
#include "support/StoreDump.h"

TempInstallation::TempInstallation(const QString& programFolder) : programFolder_(programFolder) {
    QDir(dir_.path()).mkpath(QStringLiteral("c/") + programFolder);
    QDir(dir_.path()).mkpath(QStringLiteral("d"));
    drives_.set(u'C', dir_.path() + u"/c");
    drives_.set(u'D', dir_.path() + u"/d");
}

TempInstallation::~TempInstallation() {
    keepStoreDump();
}

void TempInstallation::keepStoreDump() const {
    const QString folder = qEnvironmentVariable("BRIVANEL_STORE_DUMPS");
    if (folder.isEmpty() || !QFileInfo::exists(storeFile())) {
        return;
    }
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    QString name = test == nullptr ? QStringLiteral("outside-a-test")
                                   : QString::fromUtf8(test->test_suite_name()) + u'.' +
                                         QString::fromUtf8(test->name());
    name.replace(u'/', u'_');
    QDir().mkpath(folder);
    // A test with several installations keeps one file for each, numbered.
    QString path;
    for (int n = 1; path.isEmpty() || QFileInfo::exists(path); ++n) {
        path = folder + u'/' + name + u'.' + QString::number(n) + u".txt";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(StoreDump::lines(storeFile()).join(u'\n').toUtf8() + '\n');
    }
}

QString TempInstallation::host(const QString& dosPath) const {
    return fs().hostPath(dosPath);
}

void TempInstallation::mkdir(const QString& dosPath) const {
    QDir().mkpath(host(dosPath));
}

void TempInstallation::writeFile(const QString& dosPath, const QByteArray& content) const {
    const QString path = host(dosPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(content);
    }
}

void TempInstallation::writeLines(const QString& dosPath, const QStringList& lines) const {
    writeFile(dosPath, TextCodec::encodeDosLines(lines));
}

QByteArray TempInstallation::readFile(const QString& dosPath) const {
    QFile file(fs().resolve(dosPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TempInstallation::programHostDir() const {
    return dir_.path() + u"/c/" + programFolder_;
}

std::shared_ptr<StoreDatabase> TempInstallation::database() {
    if (!database_) {
        database_ = StoreDatabase::open(storeFile());
    }
    return database_;
}

QString TempInstallation::batchInterpreter() {
    const QString fromBuild = qEnvironmentVariable("BRIVANEL_BATCH");
    if (!fromBuild.isEmpty()) {
        return fromBuild;
    }
    return QCoreApplication::applicationDirPath() + u"/brivanel-batch";
}

AppContext& TempInstallation::context() {
    if (!context_) {
        context_ = std::make_unique<AppContext>(
            programHostDir(), programHostDir() + u"/brivanel", batchInterpreter(), fs(),
            storeFile(), AppContext::Services{&dialogs, &clock, &starter, &joystick});
        context_->exitProgram = [this](int code) { exitCodes << code; };
    }
    return *context_;
}
