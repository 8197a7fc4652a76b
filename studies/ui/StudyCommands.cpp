#include "studies/ui/StudyCommands.h"

#include "analysis/SizeResolved.h"
#include "model/LodoError.h"
#include "session/LodoSession.h"
#include "session/SessionUi.h"
#include "studies/ui/ParticleDistributionWindow.h"
#include "studies/ui/StudyChartWindow.h"
#include "studies/ui/VaryParameterWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>

namespace {
const char* const SaveQuestion =
    "Would you like to save the data? File will be saved as a tab delimited .txt file.";

// What each point records: the size-resolved mass penetration when the study window
// asked for it, for a log-normal aerosol, in a study that is not one size at a time.
bool SizeResolvedStudy(const DataPass& data, const LodoSession& session, StudyKind kind) {
    return data.SizeResolved && session.Ctx().DType == Distribution::LogNormal &&
           kind != StudyKind::Particle;
}
} // namespace

StudyCommands::StudyCommands(LodoSession& session, SessionUi& ui, QWidget* window)
    : QObject(window), session_(session), ui_(ui), window_(window) {
    showModal = [](QDialog& d) { return d.exec(); };
}

StudyOutcome StudyCommands::runStudy(StudyKind kind, int Z, double IVal, double FVal) {
    const StudyMeasure measure = SizeResolvedStudy(data_, session_, kind)
                                     ? StudyMeasure(Analysis::SizeResolvedMassPenetration)
                                     : StudyMeasure{};
    // A study that takes longer than progressAfterMs shows its points as they are done;
    // Cancel stops it after the point in progress.
    QProgressDialog progress(tr("Running the study over %1 points...").arg(Z), tr("Cancel"), 0, Z,
                             window_);
    progress.setWindowTitle(QStringLiteral("Variable Parameters"));
    // Nothing may edit the line while the study has borrowed it.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(progressAfterMs);
    progress.setAutoReset(false);
    progress.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StudyOutcome outcome = session_.RunStudy(kind, Z, IVal, FVal, measure, [&](int done, int) {
        progress.setValue(done); // a modal progress window processes events here
        return !progress.wasCanceled();
    });
    QApplication::restoreOverrideCursor();
    return outcome;
}

void StudyCommands::MenuVaryClick() {
    if (session_.Count() == 0) {
        ui_.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    {
        VaryParameterWindow window(data_, window_);
        window.setLogNormal(session_.Ctx().DType == Distribution::LogNormal);
        // Cancel or the close box abandons the study; the settings stay as they were.
        if (showModal(window) != QDialog::Accepted)
            return;
    }
    const auto kind = StudyKindFromVaryType(data_.VaryType);
    if (!kind)
        return;

    // The notice that the inlet is left out comes before the study, not after it.
    for (const std::string& notice :
         StudyNotices(session_.Model(), *kind, data_.NoOfSteps, data_.InitialVal, data_.FinalVal))
        ui_.ShowMessage(notice);
    const StudyOutcome outcome = runStudy(*kind, data_.NoOfSteps, data_.InitialVal, data_.FinalVal);
    if (outcome.Cancelled)
        return;
    if (!outcome.Ran()) {
        ui_.ShowMessage(outcome.Error->Text);
        return;
    }
    StoreRows(data_, outcome);

    {
        StudyChartWindow chart(data_, window_);
        if (SizeResolvedStudy(data_, session_, *kind))
            chart.subtitleLabel()->setText(QStringLiteral("Size-resolved mass penetration"));
        // A picture of the chart is proposed beside the export.
        const std::string& file = session_.DFileName();
        if (!file.empty())
            chart.setImageName(QString::fromStdString(StudyFileName(file, *kind)));
        showModal(chart);
    }
    if (ui_.YNMessage(SaveQuestion, QuestionButtons::YesNo) == Answer::Yes)
        session_.ExportStudy(outcome);
}

void StudyCommands::MenuItemDistClick() {
    DistributionSetting setting = session_.Distribution();
    ParticleDistributionWindow window(setting, window_);
    window.setMessageHandler([this](const QString& text) { ui_.ShowMessage(text.toStdString()); });
    if (showModal(window) != QDialog::Accepted)
        return; // unconfirmed edits are discarded
    session_.ApplyDistribution(setting);
}
