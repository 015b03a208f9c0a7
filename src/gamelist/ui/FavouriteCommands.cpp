#include "gamelist/ui/FavouriteCommands.h"

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "context/SelectionCommands.h"
#include "context/SelectionSource.h"
#include "gamelist/Favourites.h"
#include "gamelist/RecentPlays.h"
#include "platform/ui/MenuItem.h"

FavouriteCommands::FavouriteCommands(AppContext& ctx, const EmulatorTable& emulators,
                                     const ErrorGuard& guard, SelectionSource& selection,
                                     QWidget* window)
    : QObject(window),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      selection_(selection),
      Favourite1(newMenuItem(
          this, "Favourite1", QStringLiteral("Fav&ourite"),
          QStringLiteral(
              "Marks or unmarks this game as a favourite, listed on the Favourites page"),
          QKeySequence(Qt::CTRL | Qt::Key_D))),
      RecentlyPlayed1(new QMenu(QStringLiteral("Recently &Played"), window)) {
    setObjectName(QStringLiteral("Favourites"));
    Favourite1->setCheckable(true);
    RecentlyPlayed1->setObjectName(QStringLiteral("RecentlyPlayed1"));
    RecentlyPlayed1->menuAction()->setObjectName(QStringLiteral("RecentlyPlayed1"));
    RecentlyPlayed1->menuAction()->setStatusTip(
        QStringLiteral("Selects one of the games played last"));
    guard_.connect(Favourite1, &QAction::triggered, this, &FavouriteCommands::Favourite1Click);
    guard_.connect(RecentlyPlayed1, &QMenu::aboutToShow, this,
                   &FavouriteCommands::RecentlyPlayed1Popup);
}

void FavouriteCommands::Offer(const SelectionCommands& commands, const QString& entryName) {
    Favourite1->setEnabled(commands.favourite);
    SettingsStore store = ctx_.store();
    Favourite1->setChecked(Favourites::IsFavourite(store, entryName));
}

void FavouriteCommands::Favourite1Click() {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    if (!entry) {
        Favourite1->setChecked(false);
        return;
    }
    SettingsStore store = ctx_.store();
    const bool was = Favourites::IsFavourite(store, entry->name);
    // The item has flipped its check already; it shows the store until the mark is written.
    Favourite1->setChecked(was);
    // Unlocking enables the item whatever is selected: a multi-game
    // emulator's own entry is no game to mark.
    const EmulatorDefinition* emulator = emulators_.find(entry->emulatorIndex);
    if (!IsGameEntry(emulator, entry->name) && !emulator->isSingle()) {
        return;
    }
    if (Favourites::Mark(store, entry->name, !was)) {
        Favourite1->setChecked(!was);
        emit favouriteChanged(entry->name, !was);
    }
}

void FavouriteCommands::RecentlyPlayed1Popup() {
    RecentlyPlayed1->clear();
    const QStringList names = RecentPlays::Latest(ctx_);
    if (names.isEmpty()) {
        RecentlyPlayed1->addAction(QStringLiteral("No game played yet"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < names.size(); ++i) {
        // Its place is its access key: 1 to 9, then 0 for the tenth.
        QString caption = names[i];
        caption.replace(u'&', QStringLiteral("&&"));
        const QString place = QString::number(i + 1);
        QAction* item =
            RecentlyPlayed1->addAction(place.chopped(1) + u'&' + place.right(1) + u' ' + caption);
        const QString name = names[i];
        connect(item, &QAction::triggered, this, [this, name] { emit entryChosen(name); });
    }
}
