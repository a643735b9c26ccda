// The unit search pane picFind, laid over the navigator's lists: a name or a part of it typed
// into "Hledat:" lists the units of the built-in topics that carry it, exact names first in
// the text colour, then every name with those characters in that order in grey. A hit opened
// (Enter or a double click) takes the table to that unit and is painted as visited.
#pragma once
#include <QColor>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class Commands;
class Navigator;

// The three kinds of hit in the theme's own colours: the text colour, the grey of disabled text
// and the highlight, each made readable on the list's background (WCAG AA, 4.5 : 1).
struct HitColours {
    QColor exact, pattern, visited;
};
inline constexpr double kHitContrast = 4.5;
HitColours hitColours(const QPalette& palette);

class SearchPane : public QWidget {
    Q_OBJECT
public:
    SearchPane(const ov::UnitDatabase& db, Navigator& navigator, QWidget* parent = nullptr);

    void open();         // show the pane over the lists and focus the search box
    void close();        // "Storno": the list shown before comes back
    void search();       // "Najít"
    void clearResults(); // the database changed: the tags may name other units
    void openHit(QTreeWidgetItem* item);
    // What "Najít" does while a data file is edited (the editor's own find); nothing until set.
    void setEditorFind(std::function<void()> find) { editorFind_ = std::move(find); }
    void editorFind() const
    {
        if (editorFind_)
            editorFind_();
    }

    QTreeWidget* results() const { return resultList_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ov::UnitDatabase& db_;
    Navigator& navigator_;
    QLineEdit* findEdit_;
    QPushButton* findButton_;
    QTreeWidget* resultList_;
    QPushButton* cancelButton_;
    std::function<void()> editorFind_;
};

// mnuNajit: the search pane, or while a data file is edited the editor's own find.
void bindSearchCommands(Commands& commands, SearchPane& pane);

} // namespace ov::gui
