#pragma once
// A UI host that records message boxes and answers them with OK.
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
    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type});
        return IDOK;
    }
};

} // namespace testing_support
