#include "ui/WindowPositionFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr int DefaultCoordinate = 10;

bool canWrite(const QString& path) {
    const QFileInfo fi(path);
    if (fi.exists())
        return fi.isWritable();
    const QFileInfo dir(fi.absolutePath());
    return dir.isDir() && dir.isWritable();
}

// Writes through QSettings and reports whether the file really reached the disk.
template <typename Fill> bool writeIni(const QString& path, Fill fill) {
    if (path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings s(path, QSettings::IniFormat);
    fill(s);
    s.sync();
    return s.status() == QSettings::NoError && QFileInfo::exists(path);
}

} // namespace

WindowPositionFile::WindowPositionFile(QString primary, QString fallback)
    : m_primary(primary.isEmpty() ? defaultPrimaryPath() : std::move(primary)),
      m_fallback(fallback.isEmpty() ? defaultFallbackPath() : std::move(fallback)) {}

QString WindowPositionFile::defaultPrimaryPath() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName() + QStringLiteral(".INI");
}

QString WindowPositionFile::defaultFallbackPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/lodo-calculator.INI");
}

QString WindowPositionFile::path() const {
    return canWrite(m_primary) ? m_primary : m_fallback;
}

QPoint WindowPositionFile::readTopLeft() const {
    QSettings s(path(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("Form1"));
    bool okTop = false, okLeft = false;
    int top = s.value(QStringLiteral("Top"), DefaultCoordinate).toInt(&okTop);
    int left = s.value(QStringLiteral("Left"), DefaultCoordinate).toInt(&okLeft);
    if (!okTop)
        top = DefaultCoordinate;
    if (!okLeft)
        left = DefaultCoordinate;
    return QPoint(left, top);
}

bool WindowPositionFile::writeTopLeft(QPoint topLeft) const {
    auto fill = [&](QSettings& s) {
        s.beginGroup(QStringLiteral("Form1"));
        s.setValue(QStringLiteral("Top"), topLeft.y());
        s.setValue(QStringLiteral("Left"), topLeft.x());
        s.endGroup();
    };
    return writeIni(path(), fill) || writeIni(m_fallback, fill);
}

QStringList WindowPositionFile::readRecentFiles() const {
    QSettings s(path(), QSettings::IniFormat);
    return s.value(QStringLiteral("RecentFiles/Files")).toStringList();
}

bool WindowPositionFile::writeRecentFiles(const QStringList& files) const {
    auto fill = [&](QSettings& s) { s.setValue(QStringLiteral("RecentFiles/Files"), files); };
    return writeIni(path(), fill) || writeIni(m_fallback, fill);
}
