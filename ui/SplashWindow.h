#pragma once

#include <QDialog>

class QProgressBar;
class QTimer;

// The start-up window: a progress bar that fills from 10 to 100 in 50 ms steps,
// about 4.5 s, then the window accepts itself.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr, int tickMs = 50);

    int counter() const { return m_i; }
    QProgressBar* bar() const { return m_bar; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BarUpdate();

    QProgressBar* m_bar = nullptr;
    QTimer* m_timer = nullptr;
    int m_i = 10;
};
