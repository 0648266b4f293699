#pragma once
// The segmented gauge control: progress mode for the memory gauges and the cleaning bar, busy mode
// with a moving block driven by a worker thread. Its settings can be written directly on the
// window's thread (then Invalidate) or sent as messages from any thread.
#include <windows.h>

#include <memory>

#include "controls/busy_progress_draw_win.h"
#include "controls/control_window_win.h"

inline constexpr UINT BPM_SETCOUNT = WM_USER + 1;    // wParam: segment count
inline constexpr UINT BPM_SETPOS = WM_USER + 2;      // wParam: position
inline constexpr UINT BPM_SETGAP = WM_USER + 3;      // wParam: gap in pixels
inline constexpr UINT BPM_SETINTERVAL = WM_USER + 4; // wParam: milliseconds
inline constexpr UINT BPM_SETRANGE = WM_USER + 5;    // wParam: lower, lParam: upper
inline constexpr UINT BPM_SETMODE = WM_USER + 6;     // wParam: 1 busy, 2 progress
inline constexpr UINT BPM_START = WM_USER + 7;
inline constexpr UINT BPM_STOP = WM_USER + 8;
inline constexpr UINT BPM_STEP = WM_USER + 9;

class BusyProgressCtrl : public controls::ControlWindow {
public:
    explicit BusyProgressCtrl(int segmentCount = 32, int position = 0);
    ~BusyProgressCtrl() override;

    // A "STATIC" window titled "BusyProgressCtrl"; or Attach to a dialog's static control.
    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    void Reset();
    void Layout();
    void Invalidate() const;
    // Sets the position; the gauge is drawn again, at once, only when its segments change.
    void MoveTo(int position);
    void StartBusy();
    void StopBusy();
    bool IsBusyRunning() const { return worker_ != nullptr; }

    // Members, written by the owner on the window's thread.
    controls::BusyProgressState state;
    controls::BusyProgressColours colours;
    RECT rect{};          // drawn area; the client rectangle when empty
    DWORD interval = 100; // ms between busy steps
    bool followSystemColours = true;

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnAttached() override;

private:
    struct Worker;
    void Paint(HDC target);
    void OnBusyStep(WPARAM wp, LPARAM lp);

    controls::BackBuffer buffer_;
    controls::PaintTools tools_;
    std::shared_ptr<Worker> worker_;
    win32::UniqueHandle workerThread_;
    unsigned workerGeneration_ = 0;
};
