#pragma once
// Test seam user: while alive, every message box is recorded instead of
// shown and answered with the next queued answer (IDOK when none is left).
#include <deque>
#include <vector>

#include "toolkit/MessageBox.h"

namespace uitest {

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRequest>& Seen() const { return seen_; }
    int Count() const { return static_cast<int>(seen_.size()); }
    void Clear() { seen_.clear(); }

private:
    std::vector<MessageBoxRequest> seen_;
    std::deque<int> answers_;
    MessageBoxHook previous_;
};

}  // namespace uitest
