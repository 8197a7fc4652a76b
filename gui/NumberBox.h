#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>
#include <optional>

class QKeyEvent;

// A number entry with limits and a fixed count of decimals. The value is taken when
// the user presses Enter, an arrow key, or leaves the box; out-of-range entries are
// pulled to the nearest limit, or refused with a message naming the range when the
// window asks for that (refuseOutsideRange). Arrow keys, the wheel and dragging never change the
// value: Up and Down (and Enter) are reported so the window can move the focus.
// The decimal separator is always ".", whatever the locale.
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    void setRange(double min, double max);
    void setDecimals(int decimals);
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    int decimals() const { return decimals_; }

    double value() const { return value_; }
    // Shows v (bounded and rounded to the decimals) without emitting valueChanged.
    void setValue(double v);

    // The number the user typed, unbounded; empty when the text is no number.
    std::optional<double> typedValue() const;

    // Takes the typed text as the value; returns false when the check refused it (the
    // text then stays as typed, and with report set `refused` is emitted). Emits
    // valueChanged when the value changed.
    bool commit(bool report = true);

    // A check run on a typed number before it is bounded and taken: it returns the
    // message that refuses the number, or an empty text to accept it.
    void setCheck(std::function<QString(double)> check) { check_ = std::move(check); }

    // A number outside the range is refused with RangeMessage() instead of pulled in.
    void refuseOutsideRange() { refuseOutside_ = true; }
    QString RangeMessage() const;

    // Leaving the box with a refused entry shows the value that stands again, for a
    // window whose results follow the boxes at once and have no Confirm to stop at.
    void revertRefusedOnLeave() { revertOnLeave_ = true; }

signals:
    void valueChanged(double value);
    // Enter or Down (+1), Up (-1), after a successful commit.
    void moveRequested(int step);
    // A typed number was refused by the check on Enter or an arrow key; the box keeps
    // the focus and the window shows the message.
    void refused(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double bounded(double v) const;
    void updateValidator();
    void showValue();

    double min_ = 0.0;
    double max_ = 100.0;
    int decimals_ = 2;
    bool revertOnLeave_ = false;
    double value_ = 0.0;
    std::function<QString(double)> check_;
    bool refuseOutside_ = false;
};
