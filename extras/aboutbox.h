// The about box frmAbout: the program's name and version, its logo, the description, the
// credit and licence texts, and the home-page and mail labels that open what they name.
#pragma once
#include "extras/links.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace ov::gui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const Addresses& addresses, QWidget* owner);
    // Label n of the box (0..4, 10), as the user sees it.
    QLabel* label(int n) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLabels();
    void makeLinks();
    void openLabel(int n);

    Addresses addresses_;
    std::array<QLabel*, 11> labels_{};
};

} // namespace ov::gui
