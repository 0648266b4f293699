#pragma once
// A UI host, installed while it lives, that records message boxes and answers them with `answer`;
// modal dialogs go to `modal` when set.
#include <functional>
#include <string>
#include <vector>

#include "win32/dialog.h"
#include "win32/ui_host.h"

namespace testing_support {

class RecordingHost {
public:
    struct Box {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> boxes;
    int answer = IDOK;
    std::function<INT_PTR(win32::Dialog&)> modal;

    RecordingHost()
    {
        win32::SetUiHost({[this](HWND, const std::string& text, const std::string& caption, UINT type) {
                              boxes.push_back({text, caption, type});
                              return answer;
                          },
                          [this](win32::Dialog& dialog, HWND parent) {
                              return modal ? modal(dialog) : dialog.RunModalLoop(parent);
                          }});
    }
    ~RecordingHost() { win32::SetUiHost({}); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;
};

} // namespace testing_support
