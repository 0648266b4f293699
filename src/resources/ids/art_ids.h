#pragma once
// Icons and bitmaps (drawn by scripts/make-art.py).
#define IDR_MAINFRAME        128
#define IDI_ALERT            133
#define IDI_SERVICE_RUNNING  153
#define IDI_SERVICE_STOPPED  154
#define IDI_DEFAULT_FILE     155
#define IDI_TRAY_LOW_USE     156
#define IDI_TRAY_MID_USE     157
#define IDI_TRAY_HIGH_USE    158
#define IDI_BUSY             165

#define IDB_SPLASH           138
#define IDB_GLYPH_GAUGES     157
#define IDB_GLYPH_CLOCK      158
#define IDB_GLYPH_MEMORY     159
#define IDB_GLYPH_LOAD       160
#define IDB_GLYPH_CLEANING   161
// The same drawings for 150 % and 200 %: 100 and 200 above the plain ones.
#define IDB_ART_150_OFFSET   100
#define IDB_ART_200_OFFSET   200
#define IDB_GLYPH_GAUGES_150 257
#define IDB_GLYPH_CLOCK_150  258
#define IDB_GLYPH_MEMORY_150 259
#define IDB_GLYPH_LOAD_150   260
#define IDB_GLYPH_CLEANING_150 261
#define IDB_GLYPH_GAUGES_200 357
#define IDB_GLYPH_CLOCK_200  358
#define IDB_GLYPH_MEMORY_200 359
#define IDB_GLYPH_LOAD_200   360
#define IDB_GLYPH_CLEANING_200 361
#define IDB_ABOUT_LOGO       170
#define IDB_ABOUT_LOGO_150   270
#define IDB_ABOUT_LOGO_200   370
