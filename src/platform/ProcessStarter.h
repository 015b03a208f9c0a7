#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// How a started script's window would be shown; kept and passed on.
enum class ShowMode { Normal = 1, Minimised = 2 };

// Starts programs detached, without waiting and without a shell.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) = 0;
};

class SystemProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
};

// Records what would be started and, when `run` is set, really starts it; for tests.
class RecordingProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };
    explicit RecordingProcessStarter(bool run = false) : run_(run) {}
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
    const std::vector<Start>& starts() const { return starts_; }

private:
    bool run_;
    std::vector<Start> starts_;
};
