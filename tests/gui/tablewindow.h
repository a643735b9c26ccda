// A conversion table alone in a small active window on the fixture's small database, for the
// tests that drive the table without the main window around it.
#pragma once
#include "fixture.h"

#include "table/conversiontable.h"

#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace ov::gui::test {

class TableWindowTestCase : public WindowTestCase {
protected:
    ov::UnitDatabase db_ = smallDatabase();
    std::unique_ptr<QWidget> window_;
    ConversionTable* table_ = nullptr;

    QTableWidget* grid() const { return findNamed<QTableWidget>(window_.get(), "msgTab"); }
    QString cell(int row) const { return grid()->item(row, 2)->text(); }
    void type(const QString& text) { typeToFocus(window_.get(), text); }
    void key(Qt::Key k) { keyToFocus(window_.get(), k); }
    // Types a value into the current row and ends with Enter, as a user does.
    void enter(const QString& text)
    {
        type(text);
        key(Qt::Key_Return);
    }

    // The table in a new window, with another control under it when one is given.
    void showTable(QWidget* below = nullptr)
    {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        table_ = new ConversionTable(db_, ',', window_.get());
        layout->addWidget(table_);
        if (below)
            layout->addWidget(below);
        window_->resize(520, 420);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void setUp() override { showTable(); }
    void tearDown() override { window_.reset(); }
};

} // namespace ov::gui::test
