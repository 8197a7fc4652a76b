#pragma once

#include "design/DesignVerdict.h"

#include <QWidget>

class QLabel;

// The design verdict under the totals strip, always in sight: the line against its
// criteria at the reference size and, with an operating range, over the range; green
// when it passes, red when it does not, black when no verdict can be given. A click
// (or Enter while it has the focus) asks for every criterion at every point.
class DesignVerdictStrip : public QWidget {
    Q_OBJECT
public:
    explicit DesignVerdictStrip(QWidget* parent = nullptr);

    void showVerdict(const Design::Verdict& verdict);
    const Design::Verdict& verdict() const { return m_verdict; }

    QLabel* nominalLabel() const { return m_nominal; }
    QLabel* rangeLabel() const { return m_range; }

signals:
    void detailsRequested();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Design::Verdict m_verdict;
    QLabel* m_nominal = nullptr;
    QLabel* m_range = nullptr;
};

// ARGB of a verdict: green passes, red fails, black gives none.
unsigned VerdictColour(Design::Outcome o);
