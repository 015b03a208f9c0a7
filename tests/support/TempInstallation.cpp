#include "support/TempInstallation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/TextCodec.h"

TempInstallation::TempInstallation(const QString& programFolder) : programFolder_(programFolder) {
    QDir(dir_.path()).mkpath(QStringLiteral("c/") + programFolder);
    QDir(dir_.path()).mkpath(QStringLiteral("d"));
    drives_.set(u'C', dir_.path() + u"/c");
    drives_.set(u'D', dir_.path() + u"/d");
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
