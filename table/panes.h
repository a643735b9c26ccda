// The two panes around the conversion table that repeat what it shows: the magnifier picLupa,
// a full-width strip above the workspace with the three lines in large type, and the unit
// information box txtInfo below the table. Each is shown while its switch (the checkable
// action shared by the menu and the toolbar) is on; the table composes their texts.
#pragma once
#include <QFrame>
#include <QPlainTextEdit>

class QAction;
class QLabel;
class QScrollArea;
class QScrollBar;

namespace ov::gui {

class Magnifier : public QFrame {
    Q_OBJECT
public:
    explicit Magnifier(QWidget* parent = nullptr);
    // Shown exactly while the switch is on.
    void follow(QAction* switchAction);
    // Lines joined by CR LF; pointSize 0 keeps the size (14 points for the table's lines, 24
    // while a value is being typed). The text starts at its resting place on the left.
    void setText(const QString& text, int pointSize);
    QString text() const;
    QLabel* label() const { return textLabel_; }
    QScrollBar* scrollBar() const; // hsbLupa: only there when the text is wider than the pane

private:
    QScrollArea* area_;
    QLabel* textLabel_;
};

class InfoPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit InfoPane(QWidget* parent = nullptr);
    void follow(QAction* switchAction);
    void setInfo(const QString& text); // lines joined by CR LF
};

} // namespace ov::gui
