// The conversion engine: expresses the value typed against one unit in every unit of the topic.
#pragma once
#include "grid.h"
#include "numtext.h"
#include "unitdb.h"
#include <optional>
#include <string>

namespace ov {

// The temperature topic converts with formulas, not coefficients. Its units by number: 1 kelvin,
// 2 degree Celsius, 3 Fahrenheit, 4 Rankine, 5 Réaumur. The value x of a unit in kelvin, and a
// kelvin value in a unit; nullopt for any other unit. A huge x can give an infinite result.
std::optional<double> TemperatureToKelvin(int unit, double x);
std::optional<double> TemperatureFromKelvin(int unit, double kelvin);
inline constexpr const char* kAbsoluteZeroText = "Teplota pod 0 K teoreticky neexistuje.";

struct EngineSettings {
    bool colored = true; // "Colored" = 1
    TextColour coloredColour = TextColour::highlightText();
    DisplayFormat format = DisplayFormat::Single;
    int fix = 2;
    char decimalSeparator = ',';
    bool expressions = false; // arithmetic in a cell ("1/3", "2*pi")
};

struct EngineState {
    int editRow = 0;
    int coloredRow = 0;
    bool negativeNoticeShown = false;
    long conversionCount = 0; // setting "Prevedeno"
    // Units of the angle topic were hidden, so row 1 need not be the degree any more: the
    // ordinary result line is shown there instead of degrees, minutes and seconds.
    bool degreeMoved = false;
    std::string resultText;
};

class ConversionEngine {
public:
    ConversionEngine(const UnitDatabase& db, ConversionGrid& grid) : db_(db), grid_(grid) {}

    EngineSettings& settings() { return settings_; }
    EngineState& state() { return state_; }
    const EngineState& state() const { return state_; }

    // The grid got the focus back (the only entry point of a conversion).
    void onGridFocus(int currentTopic);
    // Re-render column 2 in the current display format.
    void formatTable(int currentTopic);
    // The result line for the current row against a reference row, as the cell-change
    // handling composes it: " S: <grouped> sym = <grouped ref> refsym ".
    std::string composeResultLine(int row, int referenceRow) const;

private:
    void convertByCoefficients(int topic, int row, bool& redrawOff);
    void colourEntry(int row, bool angle);
    void convertTemperature(int row);
    // With expressions on, arithmetic typed into the cell is replaced by its value.
    void evaluateEntered(int row);
    // " 30° 15' 36\" (30° — ostrý úhel)": degrees, minutes, seconds and the class of the angle.
    std::string angleLine(double degrees) const;

    const UnitDatabase& db_;
    ConversionGrid& grid_;
    EngineSettings settings_;
    EngineState state_;
};

} // namespace ov
