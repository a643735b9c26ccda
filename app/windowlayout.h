// The geometry of the main window: the workspace picPlocha under the toolbar, the navigator
// column on the left, the splitter bar picTram and the panes on the right. Lengths the user
// knows from the settings file are in twips, 15 to a screen pixel.
#pragma once
#include <QSize>
#include <QWidget>

class QSplitter;

namespace ov::gui {

inline constexpr int kTwipsPerPixel = 15;
inline int twipsToPixels(double twips) { return int(twips / kTwipsPerPixel + (twips < 0 ? -0.5 : 0.5)); }
inline int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The window never gets smaller than this, and opens at the default size on a first run.
inline constexpr int kMinWidthTwips = 7590;
inline constexpr int kMinHeightTwips = 6255;
inline constexpr int kDefaultWidthTwips = 7590;
inline constexpr int kDefaultHeightTwips = 6285;
// The splitter keeps the navigator at least this wide and leaves the panes on the right at
// least the second width of the window.
inline constexpr int kMinVlevoTwips = 550;
inline constexpr int kMinRightTwips = 4000;
inline constexpr int kDefaultVlevoTwips = 1700;

class Workspace : public QWidget {
    Q_OBJECT
public:
    // left: the navigator column; right: the panes (title, table, later the others).
    Workspace(QWidget* left, QWidget* right, QWidget* parent = nullptr);

    // The splitter position Vlevo: the left edge of the right-hand panes, in twips.
    int vlevo() const;
    // Applies a position with the clamps (Doleva) and returns the position used.
    int setVlevo(int twips);
    QSplitter* splitter() const { return splitter_; }

signals:
    void vlevoChanged(int twips);

private:
    int clamp(int twips) const;
    void applyPosition();

    QSplitter* splitter_;
    int vlevo_ = kDefaultVlevoTwips;   // as set or dragged; the bar follows it in pixels
    bool applying_ = false;
};

} // namespace ov::gui
