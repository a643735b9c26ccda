// The help menu and its neighbours: help pages, the calculator, the home page, the feedback
// mail and the about box, bound to their commands; and the title label above the table, a
// click on which pops up the "&Přejít" menu. The about box is shown after aboutToShow, which
// the window uses to stop a recording first.
#pragma once
#include "extras/calculator.h"
#include "extras/links.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace ov::gui {

class AboutBox;
class Commands;
class ConversionTable;
class Help;

class Extras : public QObject {
    Q_OBJECT
public:
    Extras(Commands& commands, ConversionTable& table, QWidget* window,
           const Addresses& addresses = Addresses::built());
    ~Extras() override;

    // A command and an about-box label without an address are disabled.
    void setAddresses(const Addresses& addresses);
    const Addresses& addresses() const { return addresses_; }
    Help& help() const { return *help_; }
    AboutBox* aboutBox() const;

    void showAbout();
    void runCalculator();
    void openHomePage();
    void sendFeedback();
    // "&Přejít" as a pop-up at the table's top left corner: a click on the table's title.
    void showTopicMenu();

signals:
    void aboutToShow();

private:
    void bindCommands();

    Commands& commands_;
    ConversionTable& table_;
    QWidget* window_;
    Addresses addresses_;
    Help* help_ = nullptr;
    Calculator calculator_;
    QPointer<AboutBox> about_;
};

} // namespace ov::gui
