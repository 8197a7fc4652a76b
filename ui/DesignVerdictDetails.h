#pragma once

#include "design/DesignVerdict.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// "Design Verdict": every criterion at every point of the operating range (the line's
// own point alone without one), a failed criterion in red, the worst point of each
// quantity named. A snapshot of the verdict it was opened with.
class DesignVerdictDetails : public QDialog {
    Q_OBJECT
public:
    explicit DesignVerdictDetails(const Design::Verdict& verdict, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QLabel* summary() const { return m_summary; }

private:
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
};

// The window, modal, for a verdict (the strip's click, the Design menu).
void ShowDesignVerdictDetails(QWidget* window, const Design::Verdict& verdict);
