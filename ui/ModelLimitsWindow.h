#pragma once

#include <QDialog>

class LodoSession;
class QLabel;
class QTableWidget;
struct LodoModel;

// "Model limits": every component's findings for the whole line, one a row, or the
// sentence that there are none. A snapshot of the line when it was opened.
class ModelLimitsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ModelLimitsWindow(const LodoModel& model, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QLabel* summary() const { return m_summary; }
    QLabel* note() const { return m_note; }

private:
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
};

// The menu command: the window, modal, for the session's line.
void MenuModelLimitsClick(QWidget* window, const LodoSession& session);
