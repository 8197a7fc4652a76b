#pragma once

#include "model/DisplaySink.h"

#include <QColor>
#include <QLabel>
#include <QString>

// Copies a text of the display sink onto a label: text, ARGB colour, underline.
inline void applyStyledText(QLabel* label, const StyledText& t) {
    label->setText(QString::fromStdString(t.Text));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgba(t.Colour));
    label->setPalette(pal);
    if (label->font().underline() != t.Underline) {
        QFont f = label->font();
        f.setUnderline(t.Underline);
        label->setFont(f);
    }
}

inline void setLabelColour(QLabel* label, QRgb argb) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgba(argb));
    label->setPalette(pal);
}

inline QRgb labelColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText).rgba();
}
