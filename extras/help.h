// Help for where the user is: a context number shows its page in the help window; F1 shows the
// page of the focused control, or, while a menu is open, of the highlighted item.
#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

namespace ov::gui {

class HelpWindow;

class Help : public QObject {
    Q_OBJECT
public:
    // `owner`: the main window, above which the help window stays.
    explicit Help(QWidget* owner);
    ~Help() override;

    void showContext(int context);
    // The page of the control that has the focus (the table's when nothing has).
    void showForFocus();
    HelpWindow* window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner_;
    QPointer<HelpWindow> window_;
};

} // namespace ov::gui
