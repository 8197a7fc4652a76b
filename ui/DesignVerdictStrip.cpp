#include "ui/DesignVerdictStrip.h"

#include "design/VerdictText.h"
#include "gui/StyledLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

unsigned VerdictColour(Design::Outcome o) {
    switch (o) {
    case Design::Outcome::Pass:
        return Argb::Green;
    case Design::Outcome::Fail:
        return Argb::Red;
    case Design::Outcome::NoVerdict:
        break;
    }
    return Argb::Black;
}

namespace {

QLabel* VerdictLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

DesignVerdictStrip::DesignVerdictStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DesignVerdict"));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click for every criterion at every point of the operating range"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 2, 8, 2);
    lay->setSpacing(0);
    m_nominal = VerdictLabel("DesignVerdictT", this);
    m_range = VerdictLabel("DesignRangeT", this);
    lay->addWidget(m_nominal);
    lay->addWidget(m_range);
    m_range->setVisible(false);
}

void DesignVerdictStrip::showVerdict(const Design::Verdict& verdict) {
    m_verdict = verdict;
    m_nominal->setText(QString::fromStdString(Design::VerdictLine(verdict)));
    const Design::Outcome nominal =
        verdict.Withheld.empty() ? verdict.Nominal.Result : Design::Outcome::NoVerdict;
    setLabelColour(m_nominal, VerdictColour(nominal));
    const std::string range = Design::RangeLine(verdict);
    m_range->setText(QString::fromStdString(range));
    m_range->setVisible(!range.empty());
    if (verdict.Range)
        setLabelColour(m_range,
                       VerdictColour(verdict.Withheld.empty() ? verdict.Range->Result
                                                              : Design::Outcome::NoVerdict));
}

void DesignVerdictStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit detailsRequested();
    QWidget::mouseReleaseEvent(event);
}

void DesignVerdictStrip::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit detailsRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
