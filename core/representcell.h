// The first steps every "Aktuální jako" form shares: an empty cell shows nothing, a text that
// is not a number shows the failure message.
#pragma once
#include "core/represent.h"

#include <optional>

namespace ov::detail {

// Either the cell's value or the result to show instead of a representation.
struct CellValue {
    std::optional<double> value;
    RepresentationResult instead;
};
CellValue readCell(std::string_view cellText, char dec);

RepresentationResult okResult(std::string text);
RepresentationResult outOfRange(const std::string& valueText);

} // namespace ov::detail
