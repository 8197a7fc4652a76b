#include "gui/SavePath.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>

bool AskReplace(QWidget* parent, const QString& path) {
    return QMessageBox::question(parent, parent->windowTitle(),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
}

QString WithSuffix(QString path, const QString& suffix) {
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

QString CompletedSavePath(QString path, const QStringList& suffixes, const QString& suffix,
                          const std::function<bool(const QString&)>& confirmReplace) {
    if (path.isEmpty() || std::any_of(suffixes.begin(), suffixes.end(), [&](const QString& s) {
            return path.endsWith(s, Qt::CaseInsensitive);
        }))
        return path;
    path += suffix;
    if (QFileInfo::exists(path) && !confirmReplace(path))
        return {};
    return path;
}

SaveQuestions DialogQuestions(QWidget* parent) {
    return {[parent](const QString& title, const QString& proposed, const QString& filters,
                     QString* filter) {
                return QFileDialog::getSaveFileName(parent, title, proposed, filters, filter);
            },
            [parent](const QString& path) { return AskReplace(parent, path); }};
}

QString AskSavePath(const SaveQuestions& questions, const QString& title, const QString& proposed,
                    const QList<SaveFormat>& formats) {
    QStringList filters;
    QStringList suffixes;
    for (const SaveFormat& f : formats) {
        filters << f.Filter;
        suffixes << f.Suffix;
    }
    QString filter = formats.value(0).Filter;
    const QString path =
        questions.chooseFile(title, proposed, filters.join(QStringLiteral(";;")), &filter);
    const auto chosen = std::find_if(formats.begin(), formats.end(),
                                     [&](const SaveFormat& f) { return f.Filter == filter; });
    const QString suffix = chosen != formats.end() ? chosen->Suffix : formats.value(0).Suffix;
    return CompletedSavePath(path, suffixes, suffix, questions.confirmReplace);
}
