#pragma once

#include <QString>
#include <QStringList>

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
