#include "ui/DesignCaseDialog.h"

#include "gui/StyledLabel.h"
#include "model/DesignCaseRules.h"
#include "model/NumberFormat.h"
#include "session/LodoSession.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TextField {
    const char* Label;
    std::string Design::Identification::*Member;
};

const TextField TextFields[] = {
    {"Facility", &Design::Identification::Facility},
    {"Stack or duct", &Design::Identification::Stack},
    {"Line identifier", &Design::Identification::LineId},
    {"Prepared by", &Design::Identification::PreparedBy},
    {"Checked by", &Design::Identification::CheckedBy},
    {"Revision", &Design::Identification::Revision},
    {"Date", &Design::Identification::Date},
};

// Labels and shown units of the criteria, in the order of DesignCaseRules::CriteriaFields.
struct CriterionLabel {
    const char* Label;
    double Scale;
};
const CriterionLabel CriterionLabels[] = {
    {"Reference size (\u00B5m aerodynamic)", 1},
    {"Least aspiration ratio", 1},
    {"Greatest aspiration ratio", 1},
    {"Least transport penetration (%)", 100},
    {"Least system penetration (%)", 100},
};

const char* const RangeLabels[] = {"Stack velocity (m/s)", "Sample flow (L/min)",
                                   "Gas temperature (\u00B0C)"};

QString Qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string Cap(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

} // namespace

DesignCaseDialog::DesignCaseDialog(const Design::DesignCase& current,
                                   const Design::OperatingPoint& nominal, Apply apply,
                                   QWidget* parent)
    : QDialog(parent), m_current(current), m_apply(std::move(apply)) {
    setObjectName(QStringLiteral("DesignCaseDialog"));
    setWindowTitle(QStringLiteral("Design Case"));
    auto* lay = new QVBoxLayout(this);

    auto* id = new QGroupBox(QStringLiteral("Identification"), this);
    auto* idLay = new QFormLayout(id);
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        m_texts[i] = new QLineEdit(Qs(current.Id.*TextFields[i].Member), id);
        m_texts[i]->setObjectName(QStringLiteral("DesignText%1").arg(i));
        idLay->addRow(QString::fromUtf8(TextFields[i].Label), m_texts[i]);
    }
    m_notes = new QPlainTextEdit(Qs(current.Id.Notes), id);
    m_notes->setObjectName(QStringLiteral("DesignNotes"));
    m_notes->setTabChangesFocus(true);
    m_notes->setFixedHeight(60);
    idLay->addRow(QStringLiteral("Notes"), m_notes);
    lay->addWidget(id);

    auto* crit = new QGroupBox(QStringLiteral("Criteria (the system penetration is the aspiration "
                                              "ratio times the transport penetration)"),
                               this);
    auto* critLay = new QFormLayout(crit);
    for (std::size_t i = 0; i < m_criteria.size(); ++i) {
        Number& n = m_criteria[i];
        n.Edit = new QLineEdit(crit);
        n.Edit->setObjectName(QStringLiteral("DesignCriterion%1").arg(i));
        n.Scale = CriterionLabels[i].Scale;
        setNumber(n, current.Limits.*DesignCaseRules::CriteriaFields[i].Member);
        critLay->addRow(QString::fromUtf8(CriterionLabels[i].Label), n.Edit);
    }
    auto* defaults = new QPushButton(QStringLiteral("ANSI N13.1 Defaults"), crit);
    defaults->setObjectName(QStringLiteral("DesignDefaults"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, &DesignCaseDialog::restoreDefaultCriteria);
    critLay->addRow(QString(), defaults);
    lay->addWidget(crit);

    auto* range = new QGroupBox(
        QStringLiteral("Operating range (the verdict is taken at every combination of least, "
                       "nominal and greatest)"),
        this);
    auto* grid = new QGridLayout(range);
    grid->addWidget(new QLabel(QStringLiteral("Least"), range), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Greatest"), range), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Nominal (the line's own)"), range), 0, 3);
    const std::optional<double> nominals[] = {nominal.StackVelocity, nominal.Flow,
                                              nominal.Temperature};
    for (std::size_t i = 0; i < m_rangeOn.size(); ++i) {
        const DesignCaseRules::RangeField& f = DesignCaseRules::RangeFields[i];
        const std::optional<Design::Interval>& set = current.Range.*f.Member;
        const int row = static_cast<int>(i) + 1;
        m_rangeOn[i] = new QCheckBox(QString::fromUtf8(RangeLabels[i]), range);
        m_rangeOn[i]->setObjectName(QStringLiteral("DesignRange%1").arg(i));
        m_rangeOn[i]->setChecked(set.has_value());
        grid->addWidget(m_rangeOn[i], row, 0);
        const double fallback = nominals[i].value_or(0);
        for (auto [n, col, value] : {std::tuple{&m_min[i], 1, set ? set->Min : fallback},
                                     std::tuple{&m_max[i], 2, set ? set->Max : fallback}}) {
            n->Edit = new QLineEdit(range);
            n->Edit->setObjectName(
                QStringLiteral("DesignRange%1%2")
                    .arg(i)
                    .arg(col == 1 ? QStringLiteral("Min") : QStringLiteral("Max")));
            setNumber(*n, value);
            n->Edit->setEnabled(set.has_value());
            connect(m_rangeOn[i], &QCheckBox::toggled, n->Edit, &QWidget::setEnabled);
            grid->addWidget(n->Edit, row, col);
        }
        grid->addWidget(new QLabel(nominals[i] ? Qs(NumberFormat::General(*nominals[i], 5))
                                               : QStringLiteral("\u2013"),
                                   range),
                        row, 3);
    }
    lay->addWidget(range);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("DesignError"));
    m_error->setWordWrap(true);
    m_error->setTextFormat(Qt::PlainText);
    setLabelColour(m_error, Argb::Red);
    m_error->setVisible(false);
    lay->addWidget(m_error);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DesignCaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(buttons);
}

QLineEdit* DesignCaseDialog::textEdit(int index) const {
    return m_texts.at(static_cast<std::size_t>(index));
}
QLineEdit* DesignCaseDialog::criterionEdit(int index) const {
    return m_criteria.at(static_cast<std::size_t>(index)).Edit;
}
QCheckBox* DesignCaseDialog::rangeCheck(int index) const {
    return m_rangeOn.at(static_cast<std::size_t>(index));
}
QLineEdit* DesignCaseDialog::rangeMin(int index) const {
    return m_min.at(static_cast<std::size_t>(index)).Edit;
}
QLineEdit* DesignCaseDialog::rangeMax(int index) const {
    return m_max.at(static_cast<std::size_t>(index)).Edit;
}

void DesignCaseDialog::setNumber(Number& n, double value) {
    n.Value = value;
    n.Shown = Qs(NumberFormat::General(value * n.Scale, 12));
    n.Edit->setText(n.Shown);
}

std::optional<double> DesignCaseDialog::numberOf(const Number& n) const {
    // A value left as shown is the value itself, not its rounded text.
    if (n.Edit->text() == n.Shown)
        return n.Value;
    const std::string text = n.Edit->text().toStdString();
    if (text.find(',') != std::string::npos)
        return std::nullopt;
    const auto v = NumberFormat::ParseNumber(text);
    if (!v)
        return std::nullopt;
    return *v / n.Scale;
}

void DesignCaseDialog::restoreDefaultCriteria() {
    const Design::Criteria standard;
    for (std::size_t i = 0; i < m_criteria.size(); ++i)
        setNumber(m_criteria[i], standard.*DesignCaseRules::CriteriaFields[i].Member);
}

std::variant<Design::DesignCase, std::string> DesignCaseDialog::entered() const {
    Design::DesignCase d = m_current;
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        d.Id.*TextFields[i].Member = m_texts[i]->text().toStdString();
    d.Id.Notes = m_notes->toPlainText().toStdString();
    const auto notANumber = [](const char* what) {
        return std::string(what) + ": type a number, with \".\" as the decimal separator.";
    };
    for (std::size_t i = 0; i < m_criteria.size(); ++i) {
        const auto v = numberOf(m_criteria[i]);
        if (!v)
            return notANumber(CriterionLabels[i].Label);
        d.Limits.*DesignCaseRules::CriteriaFields[i].Member = *v;
    }
    for (std::size_t i = 0; i < m_rangeOn.size(); ++i) {
        const DesignCaseRules::RangeField& f = DesignCaseRules::RangeFields[i];
        if (!m_rangeOn[i]->isChecked()) {
            (d.Range.*f.Member).reset();
            continue;
        }
        const auto lo = numberOf(m_min[i]), hi = numberOf(m_max[i]);
        if (!lo || !hi)
            return notANumber(RangeLabels[i]);
        d.Range.*f.Member = Design::Interval{*lo, *hi};
    }
    if (auto why = DesignCaseRules::Check(d))
        return Cap(*why);
    return d;
}

void DesignCaseDialog::accept() {
    auto d = entered();
    std::optional<std::string> refused;
    if (const auto* why = std::get_if<std::string>(&d))
        refused = *why;
    else if (m_apply)
        refused = m_apply(std::get<Design::DesignCase>(d));
    if (refused) {
        m_error->setText(Qs(*refused));
        m_error->setVisible(true);
        return;
    }
    QDialog::accept();
}

void MenuDesignCaseClick(QWidget* window, LodoSession& session) {
    DesignCaseDialog dialog(
        session.DesignCase(), Design::ValuesOf(session.List()),
        [&session](const Design::DesignCase& d) { return session.SetDesignCase(d); }, window);
    dialog.exec();
}
