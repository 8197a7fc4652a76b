#pragma once

#include "session/SessionUi.h"

#include <QString>
#include <QStringList>

class QWidget;

// The session's questions as real dialogs: message boxes, the Yes/No(/Cancel)
// question, the open and save dialogs and the selection window.
class QtSessionUi : public SessionUi {
public:
    explicit QtSessionUi(QWidget* parent) : m_parent(parent) {}

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    Answer YNMessage(const std::string& text, QuestionButtons buttons) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override;
    SelectionReply SelectComponents(const SelectionRequest& request) override;

private:
    QWidget* m_parent;
};

// "Transport Systems (*.lxl)|*.lxl|all files (*.*)|*.*" as the dialog's name
// filters: {"Transport Systems (*.lxl)", "all files (*)"}. The pattern of each pair
// decides; "*.*" means every file.
QStringList toNameFilters(const std::string& filter);

// A path as text for Qt and back, without losing non-ASCII names.
QString toQString(const std::filesystem::path& p);
std::filesystem::path toPath(const QString& s);
