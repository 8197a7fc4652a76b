#pragma once

#include "session/LodoSession.h"

// Private to the session's sources. Collects the refresh mask of one user operation and reports it
// once, when the outermost operation ends (operations nest: adding shows a page, ...).
class OperationScope {
public:
    explicit OperationScope(LodoSession& s) : s_(s) { ++s_.depth_; }
    ~OperationScope() {
        if (s_.depth_ == 1) {
            s_.SyncNodeNameL();
            s_.EndOperation();
        }
        if (--s_.depth_ == 0 && s_.pending_ != 0) {
            const unsigned mask = s_.pending_;
            s_.pending_ = 0;
            ++s_.revision_;
            if (s_.observer_)
                s_.observer_(mask);
        }
        if (s_.depth_ == 0 && !s_.afterRender_.empty()) {
            const std::vector<std::string> messages = std::move(s_.afterRender_);
            s_.afterRender_.clear();
            for (const std::string& m : messages)
                s_.ui_.ShowMessage(m);
        }
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    LodoSession& s_;
};
