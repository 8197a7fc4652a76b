#include "ui/GridSelection.h"

#include "session/CurrentComponent.h"
#include "session/LodoSession.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

GridSelection::GridSelection(LodoSession& session, QTableView* grid,
                             std::function<void()> editCurrent, QObject* parent)
    : QObject(parent), m_session(session), m_grid(grid), m_editCurrent(std::move(editCurrent)) {
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex& was) {
                onCurrentRowChanged(now.isValid() ? now.row() : -1, was.isValid() ? was.row() : -1);
            });
    connect(grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && CurrentComponent::Select(m_session, index.row()))
            m_editCurrent();
    });
    grid->installEventFilter(this);
}

void GridSelection::onCurrentRowChanged(int row, int previous) {
    if (m_syncing > 0 || row < 0)
        return;
    if (!CurrentComponent::Select(m_session, row)) {
        // A typed value was refused: the component it belongs to stays current.
        (void)previous;
        sync();
    }
}

void GridSelection::sync() {
    ++m_syncing;
    const int row = CurrentComponent::Row(m_session);
    QItemSelectionModel* sel = m_grid->selectionModel();
    const QModelIndex current = sel->currentIndex();
    if (row < 0) {
        sel->clear();
    } else if (!current.isValid() || current.row() != row || !sel->isRowSelected(row)) {
        const int column = current.isValid() ? current.column() : 0;
        sel->setCurrentIndex(m_grid->model()->index(row, column),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    --m_syncing;
}

bool GridSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int row = CurrentComponent::Row(m_session);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (row >= 0)
            m_editCurrent();
        return true;
    case Qt::Key_Delete:
        if (row >= 0)
            CurrentComponent::Delete(m_session, row);
        return true;
    default:
        return false;
    }
}
