#include "ui/QtSessionUi.h"

#include "gui/QtText.h"
#include "ui/CompSel.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>

namespace {

const QString AppTitle = QStringLiteral("Lodo Calculator");

} // namespace

QString toQString(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}

std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdU16String());
}

QStringList toNameFilters(const std::string& filter) {
    static const QRegularExpression trailingPattern(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList out;
    for (const auto& [description, pattern] : SplitFilter(filter)) {
        QString d = qs(description);
        d.remove(trailingPattern);
        QStringList patterns = qs(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        out << QStringLiteral("%1 (%2)").arg(d.trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return out;
}

// The texts name files and components as they are; none of them is markup.
void QtSessionUi::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, AppTitle, qs(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtSessionUi::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, AppTitle, qs(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Answer QtSessionUi::YNMessage(const std::string& text, QuestionButtons buttons) {
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel)
        set |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::NoIcon, AppTitle, qs(text), set, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    // Escape or the close box answer neither Yes nor No.
    if (buttons == QuestionButtons::YesNoCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return box.clickedButton() == box.button(QMessageBox::No) ? Answer::No : Answer::Cancel;
    default:
        return Answer::Cancel;
    }
}

std::optional<std::filesystem::path> QtSessionUi::ChooseOpenFile(const std::string& filter) {
    QFileDialog dialog(m_parent, QStringLiteral("Open File"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(toNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

std::optional<std::filesystem::path> QtSessionUi::ChooseSaveFile(const SaveDialogRequest& request) {
    QFileDialog dialog(m_parent, qs(request.Title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(toNameFilters(request.Filter));
    QString ext = qs(request.DefaultExt);
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.AskBeforeReplacing);
    if (!request.InitialName.empty())
        dialog.selectFile(qs(request.InitialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

SelectionReply QtSessionUi::SelectComponents(const SelectionRequest& request) {
    CompSel window(request, m_parent);
    const bool confirmed = window.exec() == QDialog::Accepted;
    return SelectionReply{confirmed, window.item1(), window.item2(), window.cancelled()};
}

void QtSessionUi::ShowStatus(const std::string& text) {
    if (auto* window = qobject_cast<QMainWindow*>(m_parent))
        window->statusBar()->showMessage(QString::fromStdString(text), 10000);
}
