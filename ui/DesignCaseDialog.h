#pragma once

#include "design/OperatingPoint.h"
#include "model/DesignCase.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>

class LodoSession;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// "Design Case": who designed the line for which stack, the criteria it is judged by
// (the ANSI N13.1 defaults unless a regulator requires others) and the operating
// range it must hold over. OK hands the entries to `apply` (the session, one undo
// step); a refused entry keeps the dialog open with the reason.
class DesignCaseDialog : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<std::optional<std::string>(const Design::DesignCase&)>;

    // `nominal`: the line's own operating values, shown beside the range.
    DesignCaseDialog(const Design::DesignCase& current, const Design::OperatingPoint& nominal,
                     Apply apply, QWidget* parent = nullptr);

    // The design case the entries describe, or why they do not describe one.
    std::variant<Design::DesignCase, std::string> entered() const;

    void accept() override;

    QLineEdit* textEdit(int index) const; // identification 0..6 (Notes: notesEdit)
    QPlainTextEdit* notesEdit() const { return m_notes; }
    QLineEdit* criterionEdit(int index) const; // in the order of DesignCaseRules::CriteriaFields
    QCheckBox* rangeCheck(int index) const;    // in the order of DesignCaseRules::RangeFields
    QLineEdit* rangeMin(int index) const;
    QLineEdit* rangeMax(int index) const;
    QLabel* error() const { return m_error; }

private:
    struct Number {
        QLineEdit* Edit = nullptr;
        QString Shown;    // the text first shown
        double Value = 0; // [working unit] what it stands for
        double Scale = 1; // shown = Value * Scale (percent)
    };
    void setNumber(Number& n, double value);
    std::optional<double> numberOf(const Number& n) const;
    void restoreDefaultCriteria();

    Design::DesignCase m_current;
    Apply m_apply;
    std::array<QLineEdit*, 7> m_texts{};
    QPlainTextEdit* m_notes = nullptr;
    std::array<Number, 5> m_criteria;
    std::array<QCheckBox*, 3> m_rangeOn{};
    std::array<Number, 3> m_min, m_max;
    QLabel* m_error = nullptr;
};

// The menu command: the dialog, modal, for the session's line; OK is one undo step.
void MenuDesignCaseClick(QWidget* window, LodoSession& session);
