#pragma once

#include <QString>

// What kind of program a file is, read from its first bytes.
struct ExecutableKind {
    enum Kind {
        Native,   // ELF, run directly
        Script,   // "#!" line, run directly or through its interpreter
        Windows,  // MZ with a PE header, run through wine
        Dos,      // MZ without one, or a .COM file, run through dosbox
        Batch,    // a .BAT file, read by this interpreter
        Unknown,
    };

    Kind kind = Unknown;
    bool executable = false;  // the host's execute permission
    // For a script: the "#!" line's program and its one optional argument.
    QString interpreter;
    QString interpreterArgument;

    static ExecutableKind inspect(const QString& hostPath);
};
