#include "gamelist/ListFilter.h"

#include <algorithm>
#include <numeric>

namespace ListFilter {

namespace {

bool isAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString fold(const QString& text) {
    // Most names are plain ASCII: lower case is all they need.
    if (isAscii(text)) {
        return text.toLower();
    }
    // Letters apart from their accents, the accents dropped.
    const QString apart = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(apart.size());
    for (const QChar c : apart) {
        if (c.category() != QChar::Mark_NonSpacing &&
            c.category() != QChar::Mark_SpacingCombining && c.category() != QChar::Mark_Enclosing) {
            folded.append(c);
        }
    }
    return folded.toCaseFolded();
}

void Keys::assign(const QStringList& items) {
    keys_.clear();
    keys_.reserve(size_t(items.size()));
    for (const QString& item : items) {
        keys_.push_back(fold(item));
    }
}

void Keys::sortAndAssign(QStringList& items) {
    assign(items);
    // Comparing ignoring case folds letter after letter at every one of a
    // sort's comparisons. For two ASCII names their keys, folded once, order
    // them alike; only a pair with another letter is compared as it was.
    std::vector<bool> ascii;
    ascii.reserve(size_t(items.size()));
    for (const QString& item : items) {
        ascii.push_back(isAscii(item));
    }
    std::vector<int> order(size_t(items.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (ascii[size_t(a)] && ascii[size_t(b)]) {
            return keys_[size_t(a)] < keys_[size_t(b)];
        }
        return QString::compare(items[a], items[b], Qt::CaseInsensitive) < 0;
    });
    QStringList sortedItems;
    sortedItems.reserve(items.size());
    std::vector<QString> sortedKeys;
    sortedKeys.reserve(keys_.size());
    for (const int i : order) {
        sortedItems.append(std::move(items[i]));
        sortedKeys.push_back(std::move(keys_[size_t(i)]));
    }
    items = std::move(sortedItems);
    keys_ = std::move(sortedKeys);
}

void Keys::insert(int row, const QString& item) {
    keys_.insert(keys_.begin() + row, fold(item));
}

std::vector<int> Keys::matching(const QString& needle, const std::vector<int>* within) const {
    std::vector<int> rows;
    const auto test = [&](int row) {
        if (keys_[size_t(row)].contains(needle)) {
            rows.push_back(row);
        }
    };
    if (within != nullptr) {
        for (const int row : *within) {
            test(row);
        }
    } else {
        rows.reserve(keys_.size());
        for (int row = 0; row < int(keys_.size()); ++row) {
            test(row);
        }
    }
    return rows;
}

}  // namespace ListFilter
