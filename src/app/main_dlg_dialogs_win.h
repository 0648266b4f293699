#pragma once
// The modal dialogs the main window opens, in one place.
#include <windows.h>

// The question before an automatic clean; true when the clean may start. Answers true without
// asking when asking is switched off.
bool AskBeforeAutomaticClean(HWND mainWindow);
// The cleaning report after a run.
void ShowReportAfterRun();

void RunCacheSettings();
void RunStartupItems();
void RunProcessManager();
void RunServiceManager();
void RunAbout();
