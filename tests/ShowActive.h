#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a window and makes it the active one; the X server of the tests has no
// window manager to do that.
inline bool ShowActive(QWidget& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}
