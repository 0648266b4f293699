#pragma once
// Control and command ids of the tray windows.

// The tray menu; also the id of the notification-area icon.
#define IDR_TRAY_MENU          132

#define ID_TRAY_ORGANIZE       32771
#define ID_TRAY_SHOW           32772
#define ID_TRAY_EXIT           32773
#define ID_TRAY_CLEAN_HALF     32775
#define ID_TRAY_ABOUT          32776
#define ID_TRAY_CLEAN_QUARTER  32778
#define ID_TRAY_STARTUP        32779
#define ID_TRAY_PROCESS        32780
#define ID_TRAY_SERVICE        32781
#define ID_TRAY_HISTORY        32782
#define ID_TRAY_MEMORY_MAP     32790
// The Language submenu's items: the first language, and as many after it as there are.
#define ID_TRAY_LANGUAGE_FIRST 32800
#define ID_TRAY_LANGUAGE_LAST  32863
// The help command every window of the program answers.
#define ID_HELP                57670
