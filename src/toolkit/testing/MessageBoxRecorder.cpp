#include "toolkit/testing/MessageBoxRecorder.h"

namespace uitest {

MessageBoxRecorder::MessageBoxRecorder() {
    previous_ = SetMessageBoxHook([this](const MessageBoxRequest& request) {
        seen_.push_back(request);
        if (answers_.empty()) return IDOK;
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook(std::move(previous_)); }

}  // namespace uitest
