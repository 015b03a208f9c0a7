#include "gamelist/FoundFilesIndex.h"

#include <QHash>
#include <algorithm>

namespace {

size_t keyHash(QStringView key) {
    return qHash(key, size_t(0x9E3779B97F4A7C15ULL));
}

// True for "\NAME." with no further backslash: the texts the index holds.
bool isIndexable(const QString& key) {
    return key.size() >= 2 && key.front() == u'\\' && key.back() == u'.' &&
           key.indexOf(u'\\', 1) < 0;
}

}  // namespace

void FoundFilesIndex::update(const QStringList& files) {
    if (files.size() == files_.size() &&
        (files.isEmpty() || files.constData() == files_.constData())) {
        return;
    }
    files_ = files;
    ++builds_;
    // Only const access from here on: a detach would copy the list and
    // make it look changed at the next check.
    const QStringList& list = files_;
    keys_.clear();
    keys_.reserve(size_t(list.size()) + size_t(list.size()) / 4);
    std::vector<std::pair<size_t, int>> local;
    for (int position = 0; position < int(list.size()); ++position) {
        const QString& path = list[position];
        const QChar* data = path.constData();
        const qsizetype n = path.size();
        local.clear();
        // Every "\" starts keys that end at each "." before the next "\".
        for (qsizetype start = 0; start < n; ++start) {
            if (data[start] != u'\\') {
                continue;
            }
            for (qsizetype end = start + 1; end < n && data[end] != u'\\'; ++end) {
                if (data[end] == u'.') {
                    local.emplace_back(keyHash(QStringView(data + start, end - start + 1)),
                                       position);
                }
            }
        }
        // A path naming the same key twice is still one match.
        std::sort(local.begin(), local.end());
        local.erase(std::unique(local.begin(), local.end()), local.end());
        keys_.insert(keys_.end(), local.begin(), local.end());
    }
    std::sort(keys_.begin(), keys_.end());
}

QStringList FoundFilesIndex::scan(const QStringList& files, const QString& key) {
    QStringList hits;
    for (const QString& entry : files) {
        if (entry.contains(key)) {
            hits << entry;
        }
    }
    return hits;
}

QStringList FoundFilesIndex::findAll(const QString& name) const {
    const QString key = name.toUpper();
    if (!isIndexable(key)) {
        return scan(files_, key);
    }
    const size_t hash = keyHash(key);
    auto it = std::lower_bound(keys_.begin(), keys_.end(), std::make_pair(hash, 0));
    QStringList hits;
    for (; it != keys_.end() && it->first == hash; ++it) {
        const QString& entry = files_[it->second];
        // Another key with the same hash would be a false hit; the test keeps
        // the answer exact.
        if (entry.contains(key)) {
            hits << entry;
        }
    }
    return hits;
}

QStringList FoundFilesIndex::romCandidates(const QString& romName) const {
    return findAll(u'\\' + romName + u'.');
}
