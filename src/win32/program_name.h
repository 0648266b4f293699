#pragma once
// The program's name: the main window's caption (a second start finds the running copy by it), the
// tray tooltip's owner and the caption of every message box that names no other.
namespace win32 {

inline constexpr char kProgramName[] = "Tidewell";

} // namespace win32
