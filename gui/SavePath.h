#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// "<path> already exists. Do you want to replace it?", asked over `parent`.
bool AskReplace(QWidget* parent, const QString& path);

// `path` with "." + `suffix` added when its file name has no suffix at all.
QString WithSuffix(QString path, const QString& suffix);

// The path a save dialog returned, with `suffix` added when it ends in none of
// `suffixes`. The dialog asked about the name without the suffix, so an existing file
// of the completed name is asked about through `confirmReplace`; empty when declined.
QString CompletedSavePath(QString path, const QStringList& suffixes, const QString& suffix,
                          const std::function<bool(const QString&)>& confirmReplace);

// The questions a window asks before it saves a file of its own: the file (dialog
// title, proposed name, filters joined by ";;", the chosen filter in *filter; empty
// when cancelled) and whether an existing file may be replaced. Windows keep them as
// members so that a test can answer them.
struct SaveQuestions {
    std::function<QString(const QString& title, const QString& proposed, const QString& filters,
                          QString* filter)>
        chooseFile;
    std::function<bool(const QString& path)> confirmReplace;
};

// The platform's save dialog and replace question, over `parent`.
SaveQuestions DialogQuestions(QWidget* parent);

// One kind of file a save offers: "PNG image (*.png)" and ".png".
struct SaveFormat {
    QString Filter;
    QString Suffix;
};

// Asks for the file through `questions`, offering `formats` (the first chosen at
// first), and completes the name with the chosen format's suffix. Empty when the
// user cancelled or declined to replace a file.
QString AskSavePath(const SaveQuestions& questions, const QString& title, const QString& proposed,
                    const QList<SaveFormat>& formats);
