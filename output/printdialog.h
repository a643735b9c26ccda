// The print dialog frmTisk: where the output goes (the printer or the print copy file), what it
// holds (the current value, the current row, the preview line, the whole table, or the print
// copy file itself), the font size for the printer, and for the file whether it is emptied first
// and whether a separator line goes before the output. The dialog only collects the choices;
// Printing does the output once it is accepted. Its choices stay for the whole run.
#pragma once
#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSlider;
class QVBoxLayout;

namespace ov::gui {

class MiddleElidedLabel;

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    enum Target { Printer = 0, File = 1 };
    enum Content { Value = 0, Row = 1, Preview = 2, Table = 3, FileContent = 4 };
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 36;
    static constexpr int kDefaultFontSize = 10;

    PrintDialog(QPrinter& printer, const QString& copyPath, QWidget* parent = nullptr);

    // What can be printed now: the options about the current row need a topic on show, the
    // preview option the preview line. A chosen option that becomes unavailable gives way.
    void setAvailability(bool haveRow, bool previewShown);

    Target target() const;
    Content content() const;
    int fontSize() const;
    bool eraseFile() const;
    bool separateOutput() const;
    QString destinationText() const; // the full text; the label may show it shortened

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* buildOutputFrame();
    void buildContentFrame();
    void buildFontFrame();
    void buildFileFrame();
    void addButtons(QVBoxLayout* column);
    void buildDestination();
    // A frame's radio buttons <prefix>0, <prefix>1, … in one group that reports their index.
    template <std::size_t N>
    QButtonGroup* radioColumn(QGroupBox* box, const std::array<QString, N>& texts, const QString& prefix,
                              std::array<QRadioButton*, N>& buttons);
    void contentChanged();
    void targetChanged();
    void refreshFileState();
    void updateDestination();
    void chooseAvailableContent();
    void printerSetup();

    QPrinter& printer_;
    QString copyPath_;
    std::array<QRadioButton*, 2> targetButtons_{};
    std::array<QRadioButton*, 5> contentButtons_{};
    QGroupBox* whatFrame_ = nullptr;
    QGroupBox* fontFrame_ = nullptr;
    QGroupBox* fileFrame_ = nullptr;
    QSlider* fontSlider_ = nullptr;
    QLabel* fontValue_ = nullptr;
    QCheckBox* eraseCheck_ = nullptr;
    QCheckBox* separateCheck_ = nullptr;
    MiddleElidedLabel* destination_ = nullptr;
    QLabel* fileLength_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace ov::gui
