#pragma once

#include "session/SessionUi.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A SessionUi for tests: answers come from queues filled beforehand, every call is
// recorded. An empty queue answers like a user who closes the dialog (Cancel, no
// file, selection window closed without Confirm), and counts as unexpected.
class ScriptedUi : public SessionUi {
public:
    // ---- Script ------------------------------------------------------------------
    std::deque<Answer> Answers;
    std::deque<std::optional<std::filesystem::path>> OpenFiles;
    std::deque<std::optional<std::filesystem::path>> SaveFiles;
    std::deque<SelectionReply> Selections;

    // ---- Record ------------------------------------------------------------------
    std::vector<std::string> Messages;  // ShowMessage texts, in order
    std::vector<std::string> Errors;    // ShowError texts
    std::vector<std::string> Questions; // YNMessage texts
    std::vector<QuestionButtons> QuestionButtonSets;
    std::vector<std::string> OpenFilters;
    std::vector<SaveDialogRequest> SaveRequests;
    std::vector<SelectionRequest> SelectionRequests;
    std::vector<std::string> Statuses; // ShowStatus texts
    int Unexpected = 0;                // calls that found their queue empty

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }

    Answer YNMessage(const std::string& text, QuestionButtons buttons) override {
        Questions.push_back(text);
        QuestionButtonSets.push_back(buttons);
        return Pop(Answers, Answer::Cancel);
    }

    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filter) override {
        OpenFilters.push_back(filter);
        return Pop(OpenFiles, std::optional<std::filesystem::path>{});
    }

    std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override {
        SaveRequests.push_back(request);
        return Pop(SaveFiles, std::optional<std::filesystem::path>{});
    }

    SelectionReply SelectComponents(const SelectionRequest& request) override {
        SelectionRequests.push_back(request);
        return Pop(Selections, SelectionReply{});
    }

    void ShowStatus(const std::string& text) override { Statuses.push_back(text); }

    // Nothing was shown or asked since the last ClearRecord.
    bool Silent() const {
        return Messages.empty() && Errors.empty() && Questions.empty() && OpenFilters.empty() &&
               SaveRequests.empty() && SelectionRequests.empty();
    }

    void ClearRecord() {
        Messages.clear();
        Errors.clear();
        Questions.clear();
        QuestionButtonSets.clear();
        OpenFilters.clear();
        SaveRequests.clear();
        SelectionRequests.clear();
        Statuses.clear();
        Unexpected = 0;
    }

    // The script was used up exactly.
    bool ScriptDone() const {
        return Answers.empty() && OpenFiles.empty() && SaveFiles.empty() && Selections.empty();
    }

private:
    template <class Queue, class T> T Pop(Queue& q, T fallback) {
        if (q.empty()) {
            ++Unexpected;
            return fallback;
        }
        T v = q.front();
        q.pop_front();
        return v;
    }
};
