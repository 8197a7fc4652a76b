#include "studies/ui/SavePath.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>

bool AskReplace(QWidget* parent, const QString& path) {
    return QMessageBox::question(parent, parent->windowTitle(),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
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
