#pragma once

#include <QObject>

class LodoSession;
class PropertyPagesWidget;
class QLineEdit;
class QUndoStack;

// Undo, redo and the comma in the editor's text fields, as engineers expect them:
// Ctrl+Z in a box holding typing not yet entered undoes the typing, otherwise it
// undoes the last change of the line (never an older text of the box); Ctrl+Y and
// Ctrl+Shift+Z redo. A comma typed into a number box goes in as typed, with a note
// that numbers take ".", so that "2,5" is refused on Enter instead of becoming 25.
class EditorKeys : public QObject {
    Q_OBJECT
public:
    EditorKeys(LodoSession& session, PropertyPagesWidget* pages, QLineEdit* lineName,
               QUndoStack* undo, QObject* parent);

    static bool isUndo(const QKeyCombination& key);
    static bool isRedo(const QKeyCombination& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LodoSession& m_session;
    PropertyPagesWidget* m_pages;
    QLineEdit* m_lineName;
    QUndoStack* m_undo;
};
