// The print command: shows the print dialog and writes what it chose to the printer or to the
// print copy file OMNIVEL.ASC in the user's data folder (the program's own folder is not
// writable once installed).
#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace ov::gui {

class ConversionTable;
class PrintDialog;

class Printing : public QObject {
    Q_OBJECT
public:
    Printing(ConversionTable& table, QWidget* parent);
    ~Printing() override;

    // The print copy file in the user's data folder.
    static QString copyFilePath();

    // Shows the print dialog and prints what it chose.
    void run();
    // While a data file is edited, the print command prints the editor's text (the window
    // that owns the editor sets how).
    void setEditorPrint(std::function<void()> print) { editorPrint_ = std::move(print); }
    void printEditor() const
    {
        if (editorPrint_)
            editorPrint_();
    }

    // The dialog and printer, kept for the whole run once the dialog was first shown.

private:
    void output();

    ConversionTable& table_;
    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    PrintDialog* dialog_ = nullptr;
    std::function<void()> editorPrint_;
};

} // namespace ov::gui
