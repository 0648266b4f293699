#pragma once
// Whether the user has turned high contrast on. Wine keeps no such setting (it reports it off and
// refuses to change it): tests and the picture program install a source instead; an empty source
// puts the system's setting back.
#include <functional>

namespace win32 {

bool HighContrastOn();
void SetHighContrastSource(std::function<bool()> source);

} // namespace win32
