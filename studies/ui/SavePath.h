#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// "<path> already exists. Do you want to replace it?", asked over `parent`.
bool AskReplace(QWidget* parent, const QString& path);

// The path a save dialog returned, with `suffix` added when it ends in none of
// `suffixes`. The dialog asked about the name without the suffix, so an existing file
// of the completed name is asked about through `confirmReplace`; empty when declined.
QString CompletedSavePath(QString path, const QStringList& suffixes, const QString& suffix,
                          const std::function<bool(const QString&)>& confirmReplace);
