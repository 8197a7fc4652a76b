#pragma once

#include "TestPrecision.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// A session with a scripted user and a private folder for files.
class SessionTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    LodoSession s{ui};
    std::filesystem::path dir;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("lodo-session-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
               info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Types a text into a box and leaves it with a key; true when accepted.
    bool Enter(Box b, const std::string& text, EditKey key = EditKey::Enter) {
        s.FocusBox(b);
        s.SetBoxText(b, text);
        return s.BoxKey(b, key);
    }

    // New Sample Line, discarding whatever was there.
    void StartAfresh() {
        if (s.IsModified())
            ui.Answers.push_back(Answer::No);
        ASSERT_TRUE(s.NewLineClick());
        ui.ClearRecord();
    }

    // A name without the transition-flow mark " *" that evaluation may append.
    static std::string Base(std::string name) {
        if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
            name.resize(name.size() - 2);
        return name;
    }

    const TLodoComp& At(int i) const { return s.List().at(static_cast<std::size_t>(i)); }
    const TLodoComp& Edited() const { return At(s.Ctx().CurrRow - 1); }

    // Opens `list` as a file would bring it (values no entry box would accept
    // included), discarding the line there was.
    void OpenLine(const LodoList& list) {
        const auto p = dir / "opened.lxl";
        ASSERT_FALSE(WriteLxlFile(p, list, "Opened").has_value());
        if (s.IsModified())
            ui.Answers.push_back(Answer::No);
        ASSERT_TRUE(s.OpenFile(p));
        ui.ClearRecord();
    }

    static std::string Slurp(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::filesystem::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
};
