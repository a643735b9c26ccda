// "K&alkulačka": the desktop's calculator, the first of a few well-known ones found on the PATH,
// started so that it outlives the program. While the one we started runs, another choice starts
// nothing (the desktop may not let a program raise another's window); once it is closed, the
// next choice starts a new one.
#pragma once
#include <QString>
#include <optional>

namespace ov::gui {

class Calculator {
public:
    enum class Result { Started, Running, NotFound };
    static QString notFoundText();

    Result run();

private:
    std::optional<qint64> pid_;
};

} // namespace ov::gui
