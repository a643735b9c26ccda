// The window "Historie" (frmHistorie): the last conversions, newest first, each with its time,
// topic and the conversion as the table showed it ("5 km → 5000 m"). Enter or a double click
// opens the entry's topic with its value entered again, and the table takes the focus;
// "Vymazat historii" empties it. The window is shown exactly while mnuHistorie is checked; the
// command brings it to the front when it is open behind the main window, and closes it when
// it is in front.
//
// The history of this run is always kept. With "Ukládat historii převodů" it is also read from
// the user's data folder at start-up and written there, whole and atomically, at shut-down;
// switching the option off removes the file.
#pragma once
#include "core/history.h"

#include <QWidget>

class QAction;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class Commands;
class ConversionTable;
class Navigator;

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // Binds mnuHistorie and follows the table's conversions. The database, the table and the
    // navigator must outlive the window.
    HistoryWindow(Commands& commands, ConversionTable& table, Navigator& navigator, const ov::UnitDatabase& db,
                  QWidget* parent);

    // "Ukládat historii převodů". The first call (start-up) reads the stored history when on;
    // switching it off afterwards removes the file.
    void setKeeping(bool on);
    // Writes the file while the history is kept; false when that failed.
    bool store() const;
    // Shut-down: stores, and tells a failure to the user who ended the program, or to the log
    // when the system ended it.
    void storeAtEnd(bool askedByUser) const;
    // historie.txt in the user's data folder.
    static QString filePath();

    const ov::History& history() const { return history_; }
    QTreeWidget* list() const { return entryList_; }

    void record();          // the table has converted a value
    void reopen(int index); // Enter, a double click
    void clearHistory();    // "Vymazat historii"

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void switched(bool on);
    void refill();
    void reopenItem(QTreeWidgetItem* item);
    int unitRow(const ov::HistoryEntry& entry) const;
    static QString notSavedText();

    Commands& commands_;
    ConversionTable& table_;
    Navigator& navigator_;
    const ov::UnitDatabase& db_;
    QAction* switch_;
    QTreeWidget* entryList_;
    QPushButton* clearButton_;
    ov::History history_;
    bool keeping_ = false;
    bool read_ = false;  // start-up has decided whether to read the file
    bool stale_ = false; // entries added while hidden, not in the list yet
};

} // namespace ov::gui
