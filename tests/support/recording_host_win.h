#pragma once
// A UI host, installed while it lives, that records message boxes and answers them with `answer`;
// modal dialogs go to `modal` when set.
#include <functional>
#include <string>
#include <vector>

#include "win32/ui_host.h"

namespace testing_support {

class RecordingHost : public win32::UiHost {
public:
    struct Box {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> boxes;
    int answer = IDOK;
    std::function<INT_PTR(win32::Dialog&)> modal;

    RecordingHost() { win32::SetUiHost(this); }
    ~RecordingHost() override { win32::SetUiHost(nullptr); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type});
        return answer;
    }
    INT_PTR RunModal(win32::Dialog& dialog, HWND parent) override
    {
        return modal ? modal(dialog) : win32::UiHost::RunModal(dialog, parent);
    }
};

} // namespace testing_support
