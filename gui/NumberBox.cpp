#include "gui/NumberBox.h"

#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <cmath>

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
    setLocale(QLocale::c());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    updateValidator();
    showValue();
}

void NumberBox::setRange(double min, double max) {
    min_ = min;
    max_ = max;
    updateValidator();
    setValue(value_);
}

void NumberBox::setDecimals(int decimals) {
    decimals_ = std::max(0, decimals);
    updateValidator();
    setValue(value_);
}

double NumberBox::bounded(double v) const {
    const double scale = std::pow(10.0, decimals_);
    double r = std::round(v * scale) / scale;
    if (!std::isfinite(r))
        r = v;
    // Rounding must not push a value past a limit that has more decimals than shown.
    if (r < min_)
        r = min_;
    if (r > max_)
        r = max_;
    return r;
}

void NumberBox::updateValidator() {
    // Digits with at most `decimals_` of them after a "."; a sign only where the
    // limits allow negative values.
    QString pattern = min_ < 0 ? QStringLiteral("^-?") : QStringLiteral("^");
    pattern += QStringLiteral("[0-9]*");
    if (decimals_ > 0)
        pattern += QStringLiteral("(\\.[0-9]{0,%1})?").arg(decimals_);
    pattern += QLatin1Char('$');
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

void NumberBox::showValue() {
    setText(QLocale::c().toString(value_, 'f', decimals_));
}

void NumberBox::setValue(double v) {
    value_ = bounded(v);
    showValue();
}

std::optional<double> NumberBox::typedValue() const {
    bool ok = false;
    const double v = QLocale::c().toDouble(text().trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString NumberBox::RangeMessage() const {
    return QStringLiteral("Enter a number from %1 to %2.")
        .arg(QLocale::c().toString(min_, 'g', 15), QLocale::c().toString(max_, 'g', 15));
}

bool NumberBox::commit(bool report) {
    const auto typed = typedValue();
    if (!typed) {
        // Nothing usable typed: show the value that stands.
        showValue();
        return true;
    }
    if (refuseOutside_ && (*typed < min_ || *typed > max_)) {
        if (report)
            emit refused(RangeMessage());
        return false;
    }
    if (check_) {
        const QString message = check_(*typed);
        if (!message.isEmpty()) {
            if (report)
                emit refused(message);
            return false;
        }
    }
    const double old = value_;
    value_ = bounded(*typed);
    showValue();
    if (value_ != old)
        emit valueChanged(value_);
    return true;
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        if (commit())
            emit moveRequested(+1);
        event->accept();
        return;
    case Qt::Key_Up:
        if (commit())
            emit moveRequested(-1);
        event->accept();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    // Leaving by a mouse click stores a valid entry; a refused one is kept as typed
    // and not stored, unless the window asked for the value that stands.
    // A message box or another window taking the focus is no leaving: the entry
    // stays to be corrected.
    const bool windowLeft =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!commit(false) && revertOnLeave_ && !windowLeft)
        showValue();
    QLineEdit::focusOutEvent(event);
}

void NumberBox::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
