#pragma once

#include "session/testing/ScriptedUi.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A main window without the splash, answering through a scripted UI, keeping its
// position file in a temporary folder.
struct WindowUnderTest {
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<MainWindow> window;

    WindowUnderTest() {
        MainWindow::Options o;
        o.showSplash = false;
        o.ui = &ui;
        o.positionFile = positionPath();
        o.positionFallback = dir.filePath(QStringLiteral("fallback/lodo-calculator.INI"));
        window = std::make_unique<MainWindow>(o);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
    }

    QString positionPath() const { return dir.filePath(QStringLiteral("lodo-calculator.INI")); }

    MainWindow* operator->() const { return window.get(); }

    template <class W = QWidget> W* find(const QString& name) const {
        return window->findChild<W*>(name);
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(QLatin1String(name)); }
    QLabel* label(const char* name) const { return find<QLabel>(QLatin1String(name)); }

    // A click on an item of the component menu bar, as the user makes it.
    void clickComponent(const char* actionName) const {
        QMenuBar* bar = window->componentMenuBar();
        QAction* a = window->action(QLatin1String(actionName));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
    }

    // Replaces the text of a box by typing, then presses `key`.
    void type(const char* boxName, const QString& text, Qt::Key key = Qt::Key_Enter) const {
        QLineEdit* b = box(boxName);
        if (!b->hasFocus())
            QTest::mouseClick(b, Qt::LeftButton);
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClicks(b, text);
        if (key != Qt::Key_unknown)
            QTest::keyClick(b, key);
    }

    QString cell(int row, int column) const;
    QStringList column(int column) const;
    QStringList names() const;
};
