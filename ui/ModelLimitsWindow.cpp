#include "ui/ModelLimitsWindow.h"

#include "analysis/LimitFindings.h"
#include "gui/QtText.h"
#include "model/LineStructure.h"
#include "session/LodoSession.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {} // namespace

ModelLimitsWindow::ModelLimitsWindow(const LodoModel& model, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ModelLimitsWindow"));
    setWindowTitle(QStringLiteral("Model limits"));
    auto* lay = new QVBoxLayout(this);

    const auto findings = ModelLimits::LineFindingTexts(model);
    int count = 0;
    for (const auto& row : findings)
        count += int(row.size());
    const bool structure = !LineStructure::Findings(model.List).empty();

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("ModelLimitsSummary"));
    m_summary->setWordWrap(true);
    m_summary->setText(
        count == 0 ? qs(ModelLimits::NoFindingsText)
                   : QStringLiteral("%1 %2: the results of these components extrapolate their "
                                    "correlations beyond the ranges they were fitted on%3.")
                         .arg(count)
                         .arg(count == 1 ? QStringLiteral("finding") : QStringLiteral("findings"))
                         .arg(structure ? QStringLiteral(", or describe a line their models do "
                                                         "not (the design verdict is withheld)")
                                        : QString()));
    lay->addWidget(m_summary);

    m_table = new QTableWidget(count, 3, this);
    m_table->setObjectName(QStringLiteral("ModelLimitsTable"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Index"), QStringLiteral("Component"), QStringLiteral("Finding")});
    m_table->verticalHeader()->setVisible(false);
    // Wrapped findings take the height they need at the width they get.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    int r = 0;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const TLodoComp& c = model.List[i];
        for (const std::string& text : findings[i]) {
            // Numbered as the grid and the Edit menu number components, from 0.
            m_table->setItem(r, 0, new QTableWidgetItem(QString::number(i)));
            m_table->setItem(
                r, 1, new QTableWidgetItem(QString::fromStdString(c.Name + " (" + c.NType + ")")));
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            item->setToolTip(item->text());
            m_table->setItem(r, 2, item);
            ++r;
        }
    }
    m_table->setVisible(count > 0);
    lay->addWidget(m_table, 1);

    m_note = new QLabel(qs(ModelLimits::LogNormalNote), this);
    m_note->setObjectName(QStringLiteral("ModelLimitsNote"));
    m_note->setWordWrap(true);
    m_note->setVisible(count > 0 && model.Ctx.DType == Distribution::LogNormal);
    lay->addWidget(m_note);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(buttons);
    resize(count > 0 ? 820 : 420, count > 0 ? 360 : 120);
}

void MenuModelLimitsClick(QWidget* window, const LodoSession& session) {
    ModelLimitsWindow w(session.Model(), window);
    w.exec();
}
