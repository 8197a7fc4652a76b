#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

// The window-position file: INI, section "Form1", keys "Top" and "Left". It lives
// beside the executable ("<exe>.INI"); where that place cannot be written (an
// installed program), the user's configuration folder holds it instead. The same
// file keeps the recent-files list.
class WindowPositionFile {
public:
    // Empty paths take the defaults: beside the executable, and the user's
    // configuration folder.
    explicit WindowPositionFile(QString primary = {}, QString fallback = {});

    static QString defaultPrimaryPath();
    static QString defaultFallbackPath();

    // The file read and written: the primary path when it can be written.
    QString path() const;

    // Top and left, 10 where the file or a key is missing.
    QPoint readTopLeft() const;
    // False when neither place could be written; never throws.
    bool writeTopLeft(QPoint topLeft) const;

    QStringList readRecentFiles() const;
    bool writeRecentFiles(const QStringList& files) const;

private:
    QString m_primary;
    QString m_fallback;
};
