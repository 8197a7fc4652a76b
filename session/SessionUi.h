#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How the session asks the user. The desktop window implements it with real
// dialogs, tests with scripted answers (session/testing/ScriptedUi.h). Every call
// is modal: it returns once the user has answered.

enum class Answer { Yes, No, Cancel }; // Cancel also stands for a box closed otherwise

enum class QuestionButtons { YesNo, YesNoCancel };

// Save-file dialog settings. Filter is a list of description|pattern pairs joined
// by "|", e.g. "Lodo files only|*.lxl" (see SplitFilter).
struct SaveDialogRequest {
    std::string Title;
    std::string DefaultExt; // with or without the leading dot, e.g. ".lxl" or "txt"
    std::string Filter;
    std::string InitialName; // proposed path or name; may be empty
    bool AskBeforeReplacing = true;
};

// The component selection window of the Edit menu. Mode is RefNum's number (Operation): 1 move,
// 2 edit, 4 delete.
struct SelectionRequest {
    int Mode = 2;
    std::string Title;         // Label1: "Move a Component", ...
    std::string FirstCaption;  // Label2: "Item To Move:" or "Item Number"
    std::string SecondCaption; // Label3: "Final Location:" (move only)
    bool ShowSecond = false;   // Label3 and NumberBox2 visible (move only)
    int LodoCnt = 0;           // highest valid index: both boxes range 0..LodoCnt, start at 0
};

struct SelectionReply {
    bool Confirmed = false; // closed with "Confirm"
    int Item1 = 0;          // the numbers in the boxes when the window closed
    int Item2 = 0;
    bool Cancelled = false; // closed with "Cancel": the command does nothing
};

class SessionUi {
public:
    virtual ~SessionUi() = default;

    // An OK box with information or one of the numbered LodoError messages.
    virtual void ShowMessage(const std::string& text) = 0;
    // The generic error box (a file that cannot be read or written, ...).
    virtual void ShowError(const std::string& text) = 0;
    // A modal question without an icon, Yes being the default button.
    virtual Answer YNMessage(const std::string& text, QuestionButtons buttons) = 0;
    // The open-file dialog; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filter) = 0;
    // The save-file dialog; nullopt when cancelled. When AskBeforeReplacing is set
    // the dialog itself asks before an existing file is chosen.
    virtual std::optional<std::filesystem::path>
    ChooseSaveFile(const SaveDialogRequest& request) = 0;
    // The component selection window ("Select Components").
    virtual SelectionReply SelectComponents(const SelectionRequest& request) = 0;
    // A passing note in the window's status bar (what a command did).
    virtual void ShowStatus(const std::string& text) { (void)text; }
};

// "Lodo files only|*.lxl|all files (*.*)|*.*" -> {{"Lodo files only", "*.lxl"},
// {"all files (*.*)", "*.*"}}. A trailing description without pattern is dropped.
inline std::vector<std::pair<std::string, std::string>> SplitFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(filter.substr(start));
            break;
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}
