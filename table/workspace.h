// The geometry of the main window: the workspace picPlocha under the toolbar, with a full-width
// strip for the magnifier on top, the navigator column on the left, the splitter bar picTram,
// and the right-hand column: one page at a time (the conversion table, the data-file editor)
// above the information box. Lengths the user knows from the settings file are in twips.
#pragma once
#include "gui/common.h"

#include <QSize>
#include <QWidget>

class QSplitter;
class QStackedWidget;
class QVBoxLayout;

namespace ov::gui {

class Workspace : public QWidget {
    Q_OBJECT
public:
    // left: the navigator column; firstPage: the first page of the right-hand column.
    Workspace(QWidget* left, QWidget* firstPage, QWidget* parent = nullptr);

    // Pages of the right-hand column (the data-file editor will add itself); one is shown.
    void addPage(QWidget* page);
    void showPage(QWidget* page);
    QWidget* currentPage() const;
    // The full-width strip above both columns and the box below the pages (the magnifier and
    // the information pane); each shows or hides itself.
    void setTopStrip(QWidget* strip);
    void setBottomBox(QWidget* box);

    // The splitter position Vlevo: the left edge of the right-hand panes, in twips.
    int splitterPosition() const;
    // Applies a position with the clamps (Doleva) and returns the position used.
    int setSplitterPosition(int twips);
    QSplitter* splitter() const { return splitter_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyMinimumWidths();
    int clamp(int twips) const;
    void applyPosition();

    QSplitter* splitter_;
    QStackedWidget* pages_;
    QVBoxLayout* outer_;
    QVBoxLayout* right_;
    int splitterPosition_ = kDefaultSplitterTwips; // as set or dragged; the bar follows it in pixels
    bool applying_ = false;
};

} // namespace ov::gui
