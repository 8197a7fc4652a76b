#include "gui/ExportFile.h"

#include "gui/SavePath.h"
#include "persistence/FileIo.h"
#include "session/SessionUi.h"

void ExportFile(SessionUi& ui, const SaveDialogRequest& dialog, const QString& suffix,
                const std::string& lineFile, const std::string& what,
                const std::function<QString(const QString& path)>& write) {
    const auto chosen = ui.ChooseSaveFile(dialog);
    if (!chosen)
        return;
    const QString path = WithSuffix(QString::fromStdU16String(chosen->u16string()), suffix);
    // What is made from the line must never take the place of the line.
    if (!lineFile.empty() && FileIo::SameFile(lineFile, path.toStdU16String())) {
        ui.ShowError(what + " was not written: " + path.toStdString() + " is the line's own file.");
        return;
    }
    if (const QString error = write(path); !error.isEmpty())
        ui.ShowError(error.toStdString());
}
