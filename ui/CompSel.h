#pragma once

#include <QDialog>

struct SelectionRequest;
class QLabel;
class QSpinBox;
class QPushButton;

// "Select Components": asks for the index (edit, delete) or the two indexes
// (move) of the Edit menu's commands.
class CompSel : public QDialog {
    Q_OBJECT
public:
    // The request names the mode, the captions and the highest valid index.
    explicit CompSel(const SelectionRequest& request, QWidget* parent = nullptr);

    // The numbers in the boxes, whatever way the window was closed.
    int item1() const;
    int item2() const;

    QSpinBox* numberBox1() const { return m_box1; }
    QSpinBox* numberBox2() const { return m_box2; }
    QPushButton* confirmButton() const { return m_confirm; }
    QPushButton* cancelButton() const { return m_cancel; }
    // Closed with "Cancel" (not by the close box or Escape, which keep the old
    // numbers' meaning).
    bool cancelled() const { return m_cancelled; }

private:
    QSpinBox* m_box1 = nullptr;
    QSpinBox* m_box2 = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_cancelled = false;
};
