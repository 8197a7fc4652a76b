#include "ui/EditorKeys.h"

#include "session/EntryMessages.h"
#include "session/LodoSession.h"
#include "ui/PropertyPagesWidget.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QUndoStack>

EditorKeys::EditorKeys(LodoSession& session, PropertyPagesWidget* pages, QLineEdit* lineName,
                       QUndoStack* undo, QObject* parent)
    : QObject(parent), m_session(session), m_pages(pages), m_lineName(lineName), m_undo(undo) {
    for (const BoxInfo& info : Boxes)
        pages->box(info.Id)->installEventFilter(this);
    lineName->installEventFilter(this);
}

bool EditorKeys::isUndo(const QKeyCombination& key) {
    const QKeySequence k(key);
    return k.matches(QKeySequence(QKeySequence::Undo)) == QKeySequence::ExactMatch ||
           key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
}

bool EditorKeys::isRedo(const QKeyCombination& key) {
    const QKeySequence k(key);
    return k.matches(QKeySequence(QKeySequence::Redo)) == QKeySequence::ExactMatch ||
           key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const std::optional<Box> box = m_pages->boxOf(watched);
    const bool name = watched == m_lineName;
    if (!box && !name)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination combo = key->keyCombination();
    const bool undo = isUndo(combo), redo = isRedo(combo);
    if (undo || redo) {
        // The field's own undo would bring back texts of other components or
        // values long replaced: the keys are ours.
        event->accept();
        if (type == QEvent::ShortcutOverride)
            return true;
        if (undo && box && m_session.BoxPending(*box))
            m_session.DiscardBoxTyping(*box);
        else if (undo && name && m_session.LineNamePending())
            m_session.DiscardLineNameTyping();
        else if (undo)
            m_undo->undo();
        else
            m_undo->redo();
        return true;
    }
    if (box && type == QEvent::KeyPress && key->text() == QStringLiteral(",")) {
        auto* edit = static_cast<QLineEdit*>(watched);
        edit->insert(QStringLiteral(","));
        m_session.SetBoxText(*box, edit->text().toStdString());
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                           QString::fromUtf8(CommaNote.data(), qsizetype(CommaNote.size())), edit);
        return true;
    }
    return false;
}
