#include "gamelist/ui/GameListWidget.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

constexpr int kFontPixels = 12;
constexpr int kItemHeight = 13;

bool lessIgnoringCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Whole items of a fixed height, as many to a page as the list was designed for.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }
};

}  // namespace

int GameListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return isFiltered() ? int(shown_.size()) : int(items_.size());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::DisplayRole && index.isValid() && index.row() < rowCount()) {
        return items_[itemOfRow(index.row())];
    }
    return QVariant();
}

void GameListModel::setItems(QStringList items) {
    ListFilter::Keys keys;
    keys.sortAndAssign(items);
    beginResetModel();
    items_ = std::move(items);
    keys_ = std::move(keys);
    applyFilter(nullptr);
    endResetModel();
}

int GameListModel::insertSorted(const QString& text) {
    const auto it = std::upper_bound(items_.begin(), items_.end(), text, lessIgnoringCase);
    const int item = int(it - items_.begin());
    if (!isFiltered()) {
        beginInsertRows(QModelIndex(), item, item);
        items_.insert(item, text);
        keys_.insert(item, text);
        endInsertRows();
        return item;
    }
    items_.insert(item, text);
    keys_.insert(item, text);
    // The items after it move one place on.
    const auto later = std::lower_bound(shown_.begin(), shown_.end(), item);
    for (auto i = later; i != shown_.end(); ++i) {
        ++*i;
    }
    const int row = int(later - shown_.begin());
    const std::vector<int> inserted{item};
    if (keys_.matching(needle_, &inserted).empty()) {
        return -1;
    }
    beginInsertRows(QModelIndex(), row, row);
    shown_.insert(later, item);
    endInsertRows();
    return row;
}

void GameListModel::setFilter(const QString& text) {
    const QString needle = ListFilter::fold(text);
    if (needle == needle_) {
        return;
    }
    // Typing on narrows what is shown already.
    const bool narrowing = isFiltered() && needle.contains(needle_);
    const std::vector<int> before = narrowing ? shown_ : std::vector<int>();
    beginResetModel();
    needle_ = needle;
    applyFilter(narrowing ? &before : nullptr);
    endResetModel();
}

void GameListModel::applyFilter(const std::vector<int>* within) {
    shown_ = isFiltered() ? keys_.matching(needle_, within) : std::vector<int>();
}

int GameListModel::rowOfItem(int item) const {
    if (!isFiltered()) {
        return item;
    }
    const auto it = std::lower_bound(shown_.begin(), shown_.end(), item);
    return it != shown_.end() && *it == item ? int(it - shown_.begin()) : -1;
}

GameListWidget::GameListWidget(QWidget* parent)
    : QListView(parent), model_(new GameListModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    // The item views paint their background from Base: that is where the
    // button face must go to show.
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    setPalette(face);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);  // where that font is absent
    font.setPixelSize(kFontPixels);
    setFont(font);
    setItemDelegate(new FixedHeightDelegate(this));
}

QString GameListWidget::item(int index) const {
    return index >= 0 && index < count() ? model_->items()[model_->itemOfRow(index)] : QString();
}

QStringList GameListWidget::shownItems() const {
    if (!model_->isFiltered()) {
        return model_->items();
    }
    QStringList shown;
    shown.reserve(count());
    for (int row = 0; row < count(); ++row) {
        shown << model_->items()[model_->itemOfRow(row)];
    }
    return shown;
}

void GameListWidget::clear() {
    model_->setItems({});
}

void GameListWidget::setItems(QStringList items) {
    model_->setItems(std::move(items));
}

int GameListWidget::addItem(const QString& text) {
    return model_->insertSorted(text);
}

namespace {

// The first item equal to `text` ignoring case; -1 when none.
int findItem(const QStringList& items, const QString& text) {
    // The items are sorted ignoring case, so equal texts sit together.
    const auto it = std::lower_bound(items.begin(), items.end(), text, lessIgnoringCase);
    if (it != items.end() && QString::compare(*it, text, Qt::CaseInsensitive) == 0) {
        return int(it - items.begin());
    }
    return -1;
}

}  // namespace

int GameListWidget::indexOf(const QString& text) const {
    const int item = findItem(model_->items(), text);
    return item < 0 ? -1 : model_->rowOfItem(item);
}

bool GameListWidget::contains(const QString& text) const {
    return findItem(model_->items(), text) >= 0;
}

void GameListWidget::setFilter(const QString& text) {
    model_->setFilter(text);
}

int GameListWidget::itemIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void GameListWidget::setItemIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex mi = model_->index(index);
    selectionModel()->setCurrentIndex(mi, QItemSelectionModel::ClearAndSelect);
}

int GameListWidget::topIndex() const {
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void GameListWidget::setTopIndex(int index) {
    if (index >= 0 && index < count()) {
        scrollTo(model_->index(index), QAbstractItemView::PositionAtTop);
    }
}

void GameListWidget::setHint(const QString& hint) {
    setToolTip(hint);
    setStatusTip(hint);
}

void GameListWidget::keyPressEvent(QKeyEvent* event) {
    // The window sees the key first: a key it accepts (a page change, play,
    // random choice) must not also move the selection or start a search.
    event->ignore();
    emit keyPressed(event);
    if (!event->isAccepted()) {
        QListView::keyPressEvent(event);
    }
}

void GameListWidget::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    emit keyReleased(event);
}

void GameListWidget::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    emit mouseReleased();
}

void GameListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    emit itemDoubleClicked();
}
