#pragma once

#include "studies/engine/DataPass.h"
#include "studies/engine/ParameterStudy.h"

#include <QObject>
#include <functional>

class LodoSession;
class QDialog;
class QWidget;
class SessionUi;

// The "Distribution" and "Studies" > "Vary Parameters" commands of the main window.
// Holds the values the study and distribution windows share (the study settings
// persist for as long as the main window lives).
class StudyCommands : public QObject {
    Q_OBJECT
public:
    // `window` parents the study's windows; the commands live as its child.
    StudyCommands(LodoSession& session, SessionUi& ui, QWidget* window);

    DataPass& data() { return data_; }

    // Runs a modal window and returns its result; exec() unless replaced (tests
    // drive the windows through it without a nested event loop).
    std::function<int(QDialog&)> showModal;

    // Studies expected to take longer than this show a progress window [ms].
    int progressAfterMs = 200;

    void MenuVaryClick();
    void MenuItemDistClick();

private:
    StudyOutcome runStudy(StudyKind kind, int Z, double IVal, double FVal);

    LodoSession& session_;
    SessionUi& ui_;
    QWidget* window_;
    DataPass data_;
};
