// The texts the table composes for the panes beside it: the magnifier's three lines (the first
// unit, the entered one and the current one) and the current unit's information.
#include "table/conversiontable.h"

#include "core/numtext.h"
#include "gui/common.h"

#include <algorithm>

namespace ov::gui {

namespace {
constexpr int kValueColumn = ov::kColValue;
} // namespace

QString ConversionTable::composeMagnifierText() const
{
    const int n = gridView_->rowCount();
    if (n == 0)
        return {};
    const char dec = decimalSeparator();
    QStringList lines;
    for (int row : {0, std::clamp(editRow(), 0, n - 1), std::max(currentRow(), 0)}) {
        QString line = cellString(row, 0);
        const QString symbol = cellString(row, 1);
        if (!symbol.isEmpty())
            line += QStringLiteral(" [") + symbol + u']';
        const QString value = cellString(row, kValueColumn);
        const auto v = ov::ParseNumber(value.toStdString(), dec);
        line += u' ' + (v ? fromStd(ov::GroupedFormat(*v, dec)) : value);
        lines << line;
    }
    return fromStd(ov::SingleSpaces(lines.join(QLatin1String("\r\n")).toStdString()));
}

QString ConversionTable::composeInfoText() const
{
    const int row = currentRow();
    const int t = currentTopic_;
    if (row < 0 || t <= 0 || row >= ov::kMaxUnits)
        return {};
    const int u = row + 1;
    const QString name = fromStd(db_.unit(t, u).name).toUpper();
    const QString info = fromStd(db_.unit(t, u).info);
    if (t == ov::kTemperatureTopic)
        return name + QStringLiteral("\r\n") + info;
    const std::string relation = "1 " + db_.unit(t, u).symbol + " = " +
                                 ov::GroupedFormat(db_.unit(t, u).factor, decimalSeparator()) + " " +
                                 db_.unit(t, 1).symbol + ")";
    return name + QStringLiteral(" (") + fromStd(ov::SingleSpaces(relation)) + QStringLiteral("\r\n") + info;
}

void ConversionTable::updateMagnifier()
{
    if (magnifierOn())
        emit magnifierTextChanged(composeMagnifierText(), 14);
}

void ConversionTable::updateInfo()
{
    if (infoOn())
        emit infoTextChanged(composeInfoText());
}

} // namespace ov::gui
