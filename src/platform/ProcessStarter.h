#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

// How a started script's window would be shown; kept and passed on.
enum class ShowMode { Normal = 1, Minimised = 2 };

// Starts programs detached, without waiting and without a shell.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) = 0;
    // Starts a program whose standard output the caller reads as it comes;
    // nothing when it did not start. Its error output is dropped.
    virtual std::unique_ptr<QProcess> startReading(const QString& program,
                                                   const QStringList& arguments,
                                                   const QString& workingFolder);
};

class SystemProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
};
