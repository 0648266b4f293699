#pragma once
// The dialogs the main window opens from a button and from the tray menu. A new tool is one row
// here plus its dialog.
#include <memory>
#include <span>

#include "history/clean_record.h"
#include "win32/dialog.h"

// What the window knows that a tool may show.
struct ToolContext {
    const CleanRecord* waitingClean = nullptr; // the last clean, its minute after still measured
};

struct ToolEntry {
    int button;   // the main window's button
    int trayItem; // the tray menu's item; 0 when the tray has none
    // A system tool asks first (unless that is switched off) and is locked while memory is cleaned.
    bool systemTool;
    std::unique_ptr<win32::Dialog> (*make)(const ToolContext&);
};

std::span<const ToolEntry> Tools();

// The row a command opens: a click on its button or its tray item; null for any other command.
const ToolEntry* ToolForCommand(int id, int code);
