#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Finding a game among tens of thousands by part of its name: every item
// gets a folded key once, when the list is filled, so that a keystroke only
// compares keys.
namespace ListFilter {

// The text as the filter compares it: letter case and accents ignored, so
// that "Pac-Man", "PAC-MAN" and "Pâc-Mán" read alike.
QString fold(const QString& text);

// The folded keys of a list's items, row for row.
class Keys {
public:
    void assign(const QStringList& items);
    // Sorts `items` as the lists show them (ignoring case, items alike but
    // for case in the order given) and takes their keys, row for row.
    void sortAndAssign(QStringList& items);
    void insert(int row, const QString& item);
    int size() const { return int(keys_.size()); }

    // The rows whose key contains the folded `needle`, ascending. With
    // `within` (the rows of a needle that this one contains, as when a
    // letter is typed on) only those are looked at.
    std::vector<int> matching(const QString& needle,
                              const std::vector<int>* within = nullptr) const;

private:
    std::vector<QString> keys_;
};

}  // namespace ListFilter
