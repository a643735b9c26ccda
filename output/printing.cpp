#include "output/printing.h"

#include "core/grid.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "output/printdialog.h"
#include "output/printout.h"
#include "settings/datafolder.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>

namespace ov::gui {

Printing::Printing(ConversionTable& table, QWidget* parent) : QObject(parent), table_(table), parent_(parent) {}

Printing::~Printing() = default;

QString Printing::copyFilePath()
{
    // Beside the user's data files, in the folder the command-line converter reads too.
    return userDataFolder() + QStringLiteral("/OMNIVEL.ASC");
}

void Printing::run()
{
    if (!dialog_) {
        printer_ = std::make_unique<QPrinter>();
        dialog_ = new PrintDialog(*printer_, copyFilePath(), parent_);
    }
    dialog_->setAvailability(table_.currentTopic() > 0 && table_.currentRow() >= 0, table_.resultLineVisible());
    if (dialogs().exec(*dialog_) == QDialog::Accepted)
        output();
    table_.focusGrid();
}

void Printing::output()
{
    const auto rowLine = [this](int r) {
        return tableRowLine(table_.cellText(r, ov::kColName), table_.cellText(r, ov::kColSymbol),
                            table_.cellText(r, ov::kColValue));
    };
    QList<PrintLine> lines;
    switch (dialog_->content()) {
    case PrintDialog::Value: lines << plainLine(table_.currentValueText()); break;
    case PrintDialog::Row: lines << rowLine(table_.currentRow()); break;
    case PrintDialog::Preview: lines << plainLine(table_.resultLineText()); break;
    case PrintDialog::Table:
        for (int r = 0; r < table_.rowCount(); ++r)
            lines << rowLine(r);
        break;
    case PrintDialog::FileContent:
        for (const QString& l : readCopy(copyFilePath()))
            lines << plainLine(l);
        break;
    }

    QString error;
    if (dialog_->target() == PrintDialog::Printer) {
        QFont font = QApplication::font();
        font.setPointSize(dialog_->fontSize());
        if (!printLines(*printer_, font, lines, &error))
            dialogs().messageWithDetails(parent_, DialogService::Icon::Warning, appTitle(),
                                         QStringLiteral("Tisk se nezdařil."), error);
        return;
    }
    QStringList texts;
    for (const PrintLine& l : lines)
        texts << lineText(l);
    if (!appendToCopy(copyFilePath(), texts, dialog_->eraseFile(), dialog_->separateOutput(), &error))
        dialogs().messageWithDetails(parent_, DialogService::Icon::Warning, appTitle(),
                                     QStringLiteral("Do souboru ") + QDir::toNativeSeparators(copyFilePath()) +
                                         QStringLiteral(" nelze zapisovat."),
                                     error);
}

} // namespace ov::gui
