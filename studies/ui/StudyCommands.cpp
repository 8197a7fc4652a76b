#include "studies/ui/StudyCommands.h"

#include "analysis/SizeResolved.h"
#include "session/LodoError.h"
#include "session/LodoSession.h"
#include "session/SessionUi.h"
#include "studies/ui/ParticleDistributionWindow.h"
#include "studies/ui/StudyChartWindow.h"
#include "studies/ui/VaryParameterWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>

namespace {
const char* const SaveQuestion =
    "Would you like to save the data? File will be saved as a tab delimited .txt file.";

// What each point records: the size-resolved mass penetration when the study window
// asked for it, for a log-normal aerosol, in a study that is not one size at a time.
bool SizeResolvedStudy(const DataPass& data, const LodoSession& session, StudyKind kind) {
    return data.SizeResolved && session.Ctx().DType == "LogNormal" && kind != StudyKind::Particle;
}
}

StudyCommands::StudyCommands(LodoSession& session, SessionUi& ui, QWidget* window)
    : QObject(window), session_(session), ui_(ui), window_(window) {
    setObjectName(QStringLiteral("StudyCommands"));
    showModal = [](QDialog& d) { return d.exec(); };
}

StudyCommands& StudyCommands::of(QWidget* window, LodoSession& session, SessionUi& ui) {
    if (auto* existing = window->findChild<StudyCommands*>(QStringLiteral("StudyCommands"),
                                                           Qt::FindDirectChildrenOnly))
        return *existing;
    return *new StudyCommands(session, ui, window);
}

void StudyCommands::syncDistribution() {
    const DistributionSetting& s = session_.DistributionWindowValues();
    data_.PartSize = s.PartSize;
    data_.MeanPart = s.MeanPart;
    data_.PartSD = s.PartSD;
    data_.TypeDist = s.TypeDist;
}

StudyOutcome StudyCommands::runStudy(StudyKind kind, int Z, double IVal, double FVal) {
    LodoModel& m = session_.Model();
    const StudyMeasure measure = SizeResolvedStudy(data_, session_, kind)
                                     ? StudyMeasure(Analysis::SizeResolvedMassPenetration)
                                     : StudyMeasure{};
    if (Z <= 1) return RunStudy(m, kind, Z, IVal, FVal, measure);
    // The engine reports nothing while it runs, so one point at the start value tells
    // how long the whole study will take; a long one gets a progress window first.
    QElapsedTimer timer;
    timer.start();
    StudyOutcome probe = RunStudy(m, kind, 1, IVal, IVal, measure);
    if (!probe.Ran()) return probe;
    const qint64 expected = timer.elapsed() * Z;
    if (expected < progressAfterMs) return RunStudy(m, kind, Z, IVal, FVal, measure);

    QProgressDialog progress(tr("Running the study over %1 points...").arg(Z), QString(), 0, 0,
                             window_);
    progress.setWindowTitle(QStringLiteral("Variable Parameters"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StudyOutcome outcome = RunStudy(m, kind, Z, IVal, FVal, measure);
    QApplication::restoreOverrideCursor();
    return outcome;
}

void StudyCommands::MenuVaryClick() {
    if (session_.Count() == 0) {
        ui_.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    EvalContext& ctx = session_.Model().Ctx;
    const int oldRefNum = ctx.RefNum;
    ctx.RefNum = 1;

    {
        VaryParameterWindow window(data_, window_);
        window.setLogNormal(session_.Ctx().DType == "LogNormal");
        if (showModal(window) != QDialog::Accepted) {
            // Cancel or the close box abandons the study; the settings stay as they were.
            ctx.RefNum = oldRefNum;
            return;
        }
    }
    const double InVal = data_.InitialVal;
    const double FlVal = data_.FinalVal;
    const int VStep = data_.NoOfSteps;
    const auto kind = StudyKindFromVaryType(data_.VaryType);
    if (!kind) {
        ctx.RefNum = oldRefNum;
        return;
    }

    const std::string ofile = session_.DFileName();
    const StudyOutcome outcome = runStudy(*kind, VStep, InVal, FlVal);
    for (const std::string& notice : outcome.Notices) ui_.ShowMessage(notice);
    if (!outcome.Ran()) {
        ctx.RefNum = oldRefNum;
        ui_.ShowMessage(outcome.Error->Text);
        return;
    }
    StoreRows(data_, outcome);
    session_.ModelChangedExternally(RefreshAll);

    const std::string n = StudyFileName(ofile, *kind);
    {
        StudyChartWindow chart(data_, window_);
        if (SizeResolvedStudy(data_, session_, *kind))
            chart.subtitleLabel()->setText(QStringLiteral("Size-resolved mass penetration"));
        // A picture of the chart is proposed beside the export.
        if (!ofile.empty()) chart.setImageName(QString::fromStdString(n));
        showModal(chart);
    }

    session_.SetDFileName(n);
    if (ui_.YNMessage(SaveQuestion, QuestionButtons::YesNo) == Answer::Yes)
        session_.FileSaveAs(outcome.Lines, "txt");
    // The export never changes the sample line's file name.
    session_.SetDFileName(ofile);
    session_.ModelChangedExternally(RefreshLabels);
}

void StudyCommands::MenuItemDistClick() {
    syncDistribution();
    ParticleDistributionWindow window(data_, window_);
    window.setMessageHandler([this](const QString& text) { ui_.ShowMessage(text.toStdString()); });
    if (showModal(window) != QDialog::Accepted) return;  // unconfirmed edits are discarded
    session_.ApplyDistribution(
        DistributionSetting{data_.PartSize, data_.MeanPart, data_.PartSD, data_.TypeDist});
}
