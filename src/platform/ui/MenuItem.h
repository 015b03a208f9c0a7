#pragma once

#include <QAction>
#include <QKeySequence>

// A menu item of its owner under the name the program gives it (so that a
// grep and a test find it), with the hint the status bar shows and its shortcut.
inline QAction* newMenuItem(QObject* owner, const char* name, const QString& caption,
                            const QString& hint = QString(),
                            const QKeySequence& shortcut = QKeySequence()) {
    auto* item = new QAction(caption, owner);
    item->setObjectName(QString::fromLatin1(name));
    item->setStatusTip(hint);
    item->setShortcut(shortcut);
    return item;
}
