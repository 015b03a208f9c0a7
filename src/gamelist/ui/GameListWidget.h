#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <vector>

#include "gamelist/ListFilter.h"

// The sorted strings behind a game list box. Filled in bulk: sorted once,
// then handed over, so that 45,000 games appear at once. A filter shows only
// the items that contain a text; rows are those shown.
class GameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Every item, shown or not.
    const QStringList& items() const { return items_; }
    void setItems(QStringList items);
    // Inserts in sorted position; returns its row, -1 when the filter hides it.
    int insertSorted(const QString& text);

    // Shows the items containing `text` (case and accents ignored); all
    // for an empty text.
    void setFilter(const QString& text);
    bool isFiltered() const { return !needle_.isEmpty(); }
    // The index into items() of a row shown.
    int itemOfRow(int row) const { return isFiltered() ? shown_[size_t(row)] : row; }
    // The row an item is shown in; -1 when the filter hides it.
    int rowOfItem(int item) const;

private:
    void applyFilter(const std::vector<int>* within);

    QStringList items_;
    ListFilter::Keys keys_;
    QString needle_;          // folded
    std::vector<int> shown_;  // while filtered: the items shown, ascending
};

// A sorted list box of game entries (LBArcade, LBConsole, an emulator's own
// list, "Single"): items kept in case-insensitive order, one selected item,
// lookups ignoring case, and the events the main window handles.
class GameListWidget : public QListView {
    Q_OBJECT
public:
    explicit GameListWidget(QWidget* parent = nullptr);

    // The items shown: all of them, or those the filter lets through.
    int count() const { return model_->rowCount(); }
    QString item(int index) const;
    QStringList shownItems() const;
    // Every item, shown or not.
    const QStringList& items() const { return model_->items(); }
    int totalCount() const { return int(model_->items().size()); }
    void clear();
    // Replaces all items by `items`, sorted.
    void setItems(QStringList items);
    // Inserts in sorted position; returns the index, -1 when the filter hides it.
    int addItem(const QString& text);
    // The shown item equal to `text` ignoring case; -1 when none.
    int indexOf(const QString& text) const;
    // Whether an item equal to `text` ignoring case is in the list, shown or not.
    bool contains(const QString& text) const;
    // Shows only the items containing `text`, ignoring case and accents.
    void setFilter(const QString& text);
    bool isFiltered() const { return model_->isFiltered(); }

    // The selected index, -1 when nothing is selected.
    int itemIndex() const;
    void setItemIndex(int index);
    int topIndex() const;
    void setTopIndex(int index);

    // The hint shown in the status bar while the mouse is over the list.
    QString hint() const { return toolTip(); }
    void setHint(const QString& hint);

signals:
    // Before the list acts on the key; a receiver that accepts the event keeps
    // it from the list.
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);
    void mouseReleased();
    void itemDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    GameListModel* model_;
};
