#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

// The sorted strings behind a game list box. Filled in bulk: sorted once,
// then handed over, so that 45,000 games appear at once.
class GameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QStringList& items() const { return items_; }
    void setItems(QStringList items);
    int insertSorted(const QString& text);

private:
    QStringList items_;
};

// A sorted list box of game entries (LBArcade, LBConsole, an emulator's own
// list, "Single"): items kept in case-insensitive order, one selected item,
// lookups ignoring case, and the events the main window handles.
class GameListWidget : public QListView {
    Q_OBJECT
public:
    explicit GameListWidget(QWidget* parent = nullptr);

    int count() const { return int(model_->items().size()); }
    QString item(int index) const { return model_->items().value(index); }
    const QStringList& items() const { return model_->items(); }
    void clear();
    // Replaces all items by `items`, sorted.
    void setItems(QStringList items);
    // Inserts in sorted position; returns the index.
    int addItem(const QString& text);
    // First item equal to `text` ignoring case; -1 when none.
    int indexOf(const QString& text) const;

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
