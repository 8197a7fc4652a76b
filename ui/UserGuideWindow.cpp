#include "ui/UserGuideWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr const char* GuideName = "user-guide.md";

} // namespace

QString UserGuideWindow::GuidePath() {
    const QString exe = QCoreApplication::applicationDirPath();
    const QStringList candidates{
        exe + QStringLiteral("/../share/doc/lodo-calculator/"),
        exe + QStringLiteral("/docs/"),
#ifdef LODO_SOURCE_DOCS_DIR
        QStringLiteral(LODO_SOURCE_DOCS_DIR "/"),
#endif
    };
    for (const QString& dir : candidates) {
        const QString path = QDir::cleanPath(dir + QLatin1String(GuideName));
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

UserGuideWindow::UserGuideWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserGuide"));
    setWindowTitle(QStringLiteral("Lodo Calculator User Guide"));
    auto* lay = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("UserGuideText"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    lay->addWidget(m_browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(buttons);
    resize(820, 640);

    const QString path = GuidePath();
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        // Its pictures lie beside it.
        m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
        m_browser->document()->setBaseUrl(
            QUrl::fromLocalFile(QFileInfo(path).absolutePath() + '/'));
        m_browser->setMarkdown(QString::fromUtf8(file.readAll()));
        m_loaded = true;
    } else {
        m_browser->setPlainText(
            QStringLiteral("The user guide (%1) was not found beside the program. It is "
                           "installed with it in share/doc/lodo-calculator.")
                .arg(QLatin1String(GuideName)));
    }
}

void ShowUserGuide(QWidget* parent) {
    auto* existing = parent->findChild<UserGuideWindow*>(QStringLiteral("UserGuide"));
    if (!existing) {
        existing = new UserGuideWindow(parent);
        existing->setModal(false);
    }
    existing->show();
    existing->raise();
    existing->activateWindow();
}
