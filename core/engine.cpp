#include "engine.h"

#include "errors.h"
#include "expression.h"
#include "messages.h"
#include "represent.h"

#include <cmath>
#include <optional>

namespace ov {

namespace {

// Every arithmetic step is checked the way the run-time checks it: a result that is not a
// finite number is an overflow (6), a non-zero value divided by zero is error 11 and 0 / 0
// an invalid operation (reported as 6). Underflow to 0 is no failure.
[[noreturn]] void fail(ErrorNumber n) { throw RuntimeError(n); }

double checked(double r)
{
    if (!std::isfinite(r))
        fail(ErrorNumber::Overflow);
    return r;
}
double mul(double a, double b) { return checked(a * b); }
double add(double a, double b) { return checked(a + b); }
double sub(double a, double b) { return checked(a - b); }
double divide(double a, double b)
{
    if (b == 0.0)
        fail(a != 0.0 ? ErrorNumber::DivisionByZero : ErrorNumber::Overflow);
    return checked(a / b);
}

// The negative zero of a product such as -0 x k would be written "-0"; the user never sees it.
std::string render(double v, char dec) { return FormatGeneral(v + 0.0, dec); }

struct AngleClass {
    int from, to;
    const char* prefix;
};
// The class text of an angle d (whole degrees, 0..360): prefix + "ý úhel"; 181..360 have none.
constexpr AngleClass kAngleClasses[] = {
    {0, 0, " — nulov"}, {1, 89, " — ostr"}, {90, 90, " — prav"}, {91, 179, " — tup"}, {180, 180, " — přím"},
};

std::string angleClassText(long long d)
{
    for (const AngleClass& c : kAngleClasses)
        if (d >= c.from && d <= c.to)
            return std::string(c.prefix) + "ý úhel";
    return {};
}

const std::string kNegativeNotice = MessageLines({
    std::string("Zadáno záporné číslo."),
    std::nullopt,
    std::string("Záporné hodnoty se nepoužívají. Budou převedeny na kladná čísla."),
    std::nullopt,
    std::string("Poznámka: Tato zpráva už nebude zobrazena."),
});

// Cell access that reports a row the grid does not have as a failure of its own.
class Cells {
public:
    Cells(ConversionGrid& g, char dec) : g_(g), dec_(dec) {}

    void checkRow(int row) const
    {
        if (row < 0 || row >= g_.rowCount())
            fail(ErrorNumber::SubscriptOutOfRange);
    }
    std::string text(int row) const
    {
        checkRow(row);
        return g_.cellText(row, kColValue);
    }
    double number(int row) const
    {
        const NumberReading v = ReadNumber(text(row), dec_);
        if (!v.value)
            fail(v.tooLarge ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch);
        return checked(*v.value);
    }
    void set(int row, double v)
    {
        checkRow(row);
        g_.setCellText(row, kColValue, render(v, dec_));
    }
    void setText(int row, const std::string& t)
    {
        checkRow(row);
        g_.setCellText(row, kColValue, t);
    }

private:
    ConversionGrid& g_;
    char dec_;
};

} // namespace

std::optional<double> TemperatureToKelvin(int unit, double x)
{
    switch (unit) {
    case 1: return x;
    case 2: return x + 273.15;
    case 3: return (x - 32.0) * (5.0 / 9.0) + 273.15;
    case 4: return x * 5.0 / 9.0;
    case 5: return x * 1.25 + 273.15;
    default: return std::nullopt;
    }
}

std::optional<double> TemperatureFromKelvin(int unit, double kelvin)
{
    const double celsius = kelvin - 273.15;
    switch (unit) {
    case 1: return kelvin;
    case 2: return celsius;
    case 3: return celsius * (9.0 / 5.0) + 32.0;
    case 4: return kelvin * (9.0 / 5.0);
    case 5: return celsius / 1.25;
    default: return std::nullopt;
    }
}

void ConversionEngine::onGridFocus(int currentTopic)
{
    // A: bookkeeping done on every focus gain.
    const int current = grid_.currentRow();
    if (current > 0)
        state_.editRow = current;
    const int lastRow = grid_.rowCount() > 0 ? grid_.rowCount() - 1 : 0;
    if (state_.editRow > lastRow)
        state_.editRow = lastRow;
    if (grid_.cellText(current, kColValue).empty())
        grid_.setRepresentationEnabled(false);
    if (!grid_.editorVisible())
        return;

    // B: commit the editor into the cell.
    grid_.setCellText(current, kColValue, grid_.editorText());
    grid_.hideEditor();

    bool redrawOff = false;
    try {
        if (settings_.expressions)
            evaluateEntered(current);
        if (currentTopic == kTemperatureTopic)
            convertTemperature(current);
        else
            convertByCoefficients(currentTopic, current, redrawOff);
    } catch (const RuntimeError& e) {
        if (redrawOff)
            grid_.setRedraw(true);
        state_.resultText = NotANumberMessage(e.number(), grid_.cellText(grid_.currentRow(), kColValue));
        grid_.messageBox(state_.resultText, MessageIcon::Exclamation);
        grid_.setCellText(state_.editRow, kColValue, grid_.editorTag());
        grid_.updateClipboardCommands();
    }
}

void ConversionEngine::evaluateEntered(int row)
{
    // A number (or nothing) goes on exactly as without expressions; a failing expression
    // fails like a text that is no number, quoting what was typed.
    const char dec = settings_.decimalSeparator;
    const std::string text = grid_.cellText(row, kColValue);
    if (const NumberReading n = ReadNumber(text, dec); text.empty() || n.value || n.tooLarge)
        return;
    const ExpressionResult r = EvaluateExpression(text, dec);
    if (!r.ok())
        fail(*r.failure);
    grid_.setCellText(row, kColValue, render(r.value, dec));
}

void ConversionEngine::convertByCoefficients(int t, int r, bool& redrawOff)
{
    const char dec = settings_.decimalSeparator;
    Cells cells(grid_, dec);

    // Leaving an empty cell computes nothing.
    if (cells.text(r).empty())
        return;

    // Negative values are turned positive, with a notice the first time in a run.
    const double entered = cells.number(r);
    if (!(entered >= 0)) {
        cells.set(r, std::fabs(entered));
        if (!state_.negativeNoticeShown) {
            state_.resultText = kNegativeNotice;
            grid_.messageBox(state_.resultText, MessageIcon::Information);
            state_.negativeNoticeShown = true;
        }
    }

    // Every unit from the entered one, always from the entered cell's text as it stands:
    // once the entered row itself is rewritten on the way, the units after it are computed
    // from its new text.
    if (t < 1 || t > kMaxTopic || r + 1 > db_.unitCount(t))
        fail(ErrorNumber::SubscriptOutOfRange);
    const int n = db_.unitCount(t);
    grid_.setRedraw(false);
    redrawOff = true;
    double x = cells.number(r);
    for (int u = 1; u <= n; ++u) {
        const double value = divide(mul(x, db_.unit(t, r + 1).factor), db_.unit(t, u).factor);
        cells.set(u - 1, value);
        if (u - 1 == r)
            x = cells.number(r);
    }
    grid_.setRedraw(true);
    redrawOff = false;

    // Display format, then the result line from the displayed texts.
    formatTable(t);
    const bool angle = t == kAngleTopic && !state_.degreeMoved;
    if (angle) {
        state_.resultText = angleLine(cells.number(1));
        grid_.showResult(state_.resultText, false, TextColour::black());
    } else {
        state_.resultText = composeResultLine(r, 0);
        grid_.showResult(state_.resultText, false, TextColour::black());
        grid_.rebuildMagnifierText();
    }

    // The record line of the conversion.
    grid_.writeRecord();

    // The entered row coloured, the previous one uncoloured.
    colourEntry(r, angle);

    // Counted; the clipboard commands follow the new value.
    ++state_.conversionCount;
    grid_.updateClipboardCommands();
}

// Entry colouring. The row moves are ordinary cell changes, so the table recomposes its
// line for them; the angle line would be lost that way and is shown again afterwards.
void ConversionEngine::colourEntry(int row, bool angle)
{
    const bool validColoured = state_.coloredRow >= 0 && state_.coloredRow < grid_.rowCount();
    const bool moved = validColoured && state_.coloredRow != row;
    if (validColoured) {
        grid_.setCurrentRow(state_.coloredRow);
        grid_.setCellColour(state_.coloredRow, TextColour::windowText());
    }
    grid_.setCurrentRow(row);
    if (settings_.colored) {
        grid_.setCellColour(row, settings_.coloredColour);
        state_.coloredRow = row;
    }
    if (angle && moved) {
        state_.resultText = angleLine(Cells(grid_, settings_.decimalSeparator).number(1));
        grid_.showResult(state_.resultText, false, TextColour::black());
    }
}

std::string ConversionEngine::angleLine(double v) const
{
    const char dec = settings_.decimalSeparator;
    const double whole = std::floor(v);
    long long d = static_cast<long long>(std::fmod(whole, 360.0));
    if (v - whole >= 0.5)
        ++d;
    const double m = (v - whole) * 60.0;
    const double s = (m - std::floor(m)) * 60.0;
    // Appended piece by piece: GCC 12 misreads "literal" + std::string&& at -O3 (-Wrestrict).
    std::string line = " ";
    line.append(render(whole, dec)).append("° ").append(render(std::floor(m), dec)).append("' ");
    line.append(FormatSingle(s, dec)).append("\" (").append(std::to_string(d)).append("°");
    return line.append(angleClassText(d)).append(")");
}

void ConversionEngine::convertTemperature(int r)
{
    const char dec = settings_.decimalSeparator;
    Cells cells(grid_, dec);
    const int e = r + 1;
    const double x = cells.number(r);

    // The entered value in kelvin goes into row 0 (a kelvin row keeps its text as typed).
    if (e >= 2)
        if (const std::optional<double> kelvin = TemperatureToKelvin(e, x))
            cells.set(0, checked(*kelvin));

    // The other rows from the kelvin text as it stands.
    const double K = cells.number(0);
    if (K > 0) {
        // All rows are computed before any is written: an overflow leaves the table as it was.
        double rows[5] = {};
        for (int row = 1; row <= 4; ++row)
            rows[row] = checked(*TemperatureFromKelvin(row + 1, K));
        for (int row = 1; row <= 4; ++row)
            if (row != r)
                cells.set(row, rows[row]);
        formatTable(kTemperatureTopic);
        grid_.writeRecord();
        return;
    }

    // Nothing lies below absolute zero; the rows show it instead.
    grid_.showResult(kAbsoluteZeroText, true, TextColour::red());
    const double zeroC = sub(0.0, 273.15);
    cells.setText(0, "0");
    cells.set(1, zeroC);
    cells.set(2, add(mul(zeroC, 9.0 / 5.0), 32.0));
    cells.set(3, mul(0.0, 9.0 / 5.0));
    cells.set(4, divide(zeroC, 1.25));
}

void ConversionEngine::formatTable(int currentTopic)
{
    const int n = db_.unitCount(currentTopic);
    if (n == 0 || grid_.rowCount() == 0 || grid_.cellText(0, kColValue).empty())
        return;
    grid_.setRedraw(false);
    for (int row = 0; row < n && row < grid_.rowCount(); ++row) {
        // A text that is no number stays as it is.
        if (auto shown = RenderInFormat(settings_.format, grid_.cellText(row, kColValue), settings_.fix,
                                        settings_.decimalSeparator))
            grid_.setCellText(row, kColValue, *shown);
    }
    grid_.setRedraw(true);
}

std::string ConversionEngine::composeResultLine(int row, int referenceRow) const
{
    const char dec = settings_.decimalSeparator;
    auto grouped = [&](int rw) {
        const std::string t = grid_.cellText(rw, kColValue);
        const std::optional<double> v = ParseNumber(t, dec);
        return v ? GroupedFormat(*v, dec) : t;
    };
    const std::string symbol = grid_.cellText(row, kColSymbol);
    const std::string label = symbol.empty() ? grid_.cellText(row, kColName) : symbol;
    return SingleSpaces(" " + label + ": " + grouped(row) + " " + symbol + " = " + grouped(referenceRow) + " " +
                        grid_.cellText(referenceRow, kColSymbol) + " ");
}

} // namespace ov
