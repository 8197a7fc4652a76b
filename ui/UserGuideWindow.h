#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// Help > User Guide (F1): the user guide installed with the program, shown offline.
class UserGuideWindow : public QDialog {
    Q_OBJECT
public:
    explicit UserGuideWindow(QWidget* parent = nullptr);

    // Where the guide is: beside an installed program (share/doc/lodo-calculator),
    // beside the executable, or in the source tree of a development build. Empty
    // when none is found.
    static QString GuidePath();

    QTextBrowser* browser() const { return m_browser; }
    bool loaded() const { return m_loaded; }

private:
    QTextBrowser* m_browser = nullptr;
    bool m_loaded = false;
};

// Shows the guide window (one per main window), or says where it was looked for.
void ShowUserGuide(QWidget* parent);
