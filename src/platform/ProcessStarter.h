#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// How a started script's window would be shown; kept and passed on.
enum class ShowMode { Normal = 1, Minimised = 2 };

// Starts programs without waiting and without a shell.
class ProcessStarter {
public:
    // Told on the event loop how a watched program ended: true for exit status 0.
    using Ended = std::function<void(bool succeeded)>;

    virtual ~ProcessStarter() = default;
    // Detached: the program outlives this one, and nothing hears of its end.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) = 0;
    // Starts a program whose standard output the caller reads as it comes;
    // nothing when it did not start. Its error output is dropped.
    virtual std::unique_ptr<QProcess> startReading(const QString& program,
                                                   const QStringList& arguments,
                                                   const QString& workingFolder);
    // Watched: `ended` is called when the program ends, unless `context` has
    // gone by then. False, and no call, when it could not be started.
    virtual bool startWatched(const QString& program, const QStringList& arguments,
                              const QString& workingFolder, QObject* context, Ended ended) = 0;
};

class SystemProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
    bool startWatched(const QString& program, const QStringList& arguments,
                      const QString& workingFolder, QObject* context, Ended ended) override;
};
