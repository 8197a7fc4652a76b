#pragma once

#include <QObject>
#include <functional>

class LodoSession;
class QTableView;

// The grid is the selection: its current row is the current component. A click or
// an arrow key makes a row current (its page and intermediate values follow);
// Enter or a double-click goes to its page to edit it; Delete deletes it after a
// question. The grid follows the session's current component after every change.
class GridSelection : public QObject {
    Q_OBJECT
public:
    // `editCurrent` puts the keyboard focus on the current component's page.
    GridSelection(LodoSession& session, QTableView* grid, std::function<void()> editCurrent,
                  QObject* parent);

    // Makes the grid's current row the session's current component.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onCurrentRowChanged(int row, int previous);

    LodoSession& m_session;
    QTableView* m_grid;
    std::function<void()> m_editCurrent;
    int m_syncing = 0;
};
