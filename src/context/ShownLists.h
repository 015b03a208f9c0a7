#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The game lists as they are shown, for a report that goes through them
// (the game lists implement it).
class ShownLists {
public:
    struct Page {
        QString caption;
        QStringList items;
    };
    // By name the two pages, by emulator each emulator's own page in table order.
    virtual std::vector<Page> PrintedPages() const = 0;
    // Whether the items begin with their play count, and whether missing
    // games are among them.
    virtual bool ShowsCount() const = 0;
    virtual bool ShowsMissing() const = 0;

protected:
    ~ShownLists() = default;
};
