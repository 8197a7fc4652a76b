#pragma once

#include "session/LodoSession.h"

// Private to the session's sources: the parts of the session that its operations
// kept in files of their own (line structure, current component) work on.
struct SessionAccess {
    static LodoModel& Model(LodoSession& s) { return s.m_; }
    static ComponentEditor& Editor(LodoSession& s) { return s.editor_; }
    static SessionUi& Ui(LodoSession& s) { return s.ui_; }
    static void Align(LodoSession& s, int CR) { s.Align(CR); }
    static void EvaluateRow(LodoSession& s, int row) { s.EvaluateRow(row); }
    static void Notify(LodoSession& s, unsigned mask) { s.Notify(mask); }
};
