#include "extras/calculator.h"

#include "gui/dialogservice.h"

namespace ov::gui {
namespace {

constexpr const char* kPrograms[] = {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"};

} // namespace

QString Calculator::notFoundText()
{
    return QStringLiteral(
        "Kalkulačka nenalezena! Nainstalujte kalkulačku, například gnome-calculator, kcalc nebo galculator.");
}

Calculator::Result Calculator::run()
{
    DialogService& desktop = dialogs();
    if (pid_ && desktop.isRunning(*pid_))
        return Result::Running;
    pid_.reset();
    for (const char* name : kPrograms) {
        const QString path = desktop.findProgram(QString::fromLatin1(name));
        if (path.isEmpty())
            continue;
        // A program that is there but does not start is as good as none: a second one would
        // hardly do better.
        pid_ = desktop.startDetached(path, {});
        return pid_ ? Result::Started : Result::NotFound;
    }
    return Result::NotFound;
}

} // namespace ov::gui
