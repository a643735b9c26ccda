// The small window shown while the program loads and again while it ends.
#pragma once
#include <QWidget>

class QLabel;

namespace ov::gui {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    void setText(const QString& text);
    QString text() const;
    // Shows the window and lets it paint before the long work that follows.
    void showAndPaint();

private:
    QLabel* label_;
};

} // namespace ov::gui
