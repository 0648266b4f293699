#include "controls/busy_progress_ctrl_win.h"

#include <oleacc.h>

#include <atomic>

using namespace controls;

namespace {
// lParam of the steps the worker posts, so that a step queued before a stop is dropped.
constexpr LPARAM kWorkerStep = 0x42505354;
}

// Shared by the control and its thread, so the thread may outlive a stop that stopped waiting.
struct BusyProgressCtrl::Worker {
    HWND window = nullptr;
    DWORD interval = 0;
    unsigned generation = 0;
    std::atomic<bool> running{true};
    std::atomic<bool> stepQueued{false};
};

BusyProgressCtrl::BusyProgressCtrl(int segmentCount, int position)
    : ControlWindow(ROLE_SYSTEM_PROGRESSBAR), state(segmentCount, position)
{
    colours.background = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
}

BusyProgressCtrl::~BusyProgressCtrl() { StopBusy(); }

bool BusyProgressCtrl::Create(DWORD style, const RECT& area, HWND parent, int id)
{
    return CreateOwned(0, "STATIC", "BusyProgressCtrl", style, area, parent, id);
}

void BusyProgressCtrl::OnAttached() { Layout(); }

void BusyProgressCtrl::Reset() { ResetBusyProgress(state); }

void BusyProgressCtrl::Layout()
{
    if (IsRectEmpty(&rect) && hwnd())
        GetClientRect(hwnd(), &rect);
    LayoutSegments(state, rect.right - rect.left, rect.bottom - rect.top);
}

void BusyProgressCtrl::Invalidate() const { ShowChange(); }

void BusyProgressCtrl::MoveTo(int position)
{
    if (state.position == position)
        return;
    if (!hwnd() || !IsWindowVisible(hwnd())) {
        state.position = position; // a hidden gauge is painted whole when shown
        return;
    }
    const auto shown = controls::PlanSegments(state);
    state.position = position;
    if (controls::PlanSegments(state) == shown)
        return;
    // A window DC costs one round trip to the window system, a paint message several.
    win32::WindowDc dc(hwnd());
    Paint(dc.get());
}

void BusyProgressCtrl::StartBusy()
{
    if (state.mode != kModeBusy || !hwnd())
        return;
    StopBusy();
    auto worker = std::make_shared<Worker>();
    worker->window = hwnd();
    worker->interval = interval;
    worker->generation = ++workerGeneration_;
    auto* threadShare = new std::shared_ptr<Worker>(worker);
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID p) -> DWORD {
        std::unique_ptr<std::shared_ptr<Worker>> share(static_cast<std::shared_ptr<Worker>*>(p));
        Worker& w = **share;
        while (w.running.load()) {
            // The step runs on the window's thread; at most one waits in its queue.
            if (!w.stepQueued.exchange(true))
                PostMessageA(w.window, BPM_STEP, w.generation, kWorkerStep);
            Sleep(w.interval);
        }
        return 0;
    }, threadShare, 0, nullptr);
    if (!thread) {
        delete threadShare;
        return;
    }
    worker_ = std::move(worker);
    workerThread_.reset(thread);
}

void BusyProgressCtrl::StopBusy()
{
    if (!worker_)
        return;
    worker_->running = false;
    // A worker still asleep after that ends on its own: it holds its share of the flags.
    WaitForSingleObject(workerThread_.get(), 2 * worker_->interval);
    workerThread_.reset();
    worker_.reset();
}

void BusyProgressCtrl::OnBusyStep(WPARAM wp, LPARAM lp)
{
    if (lp == kWorkerStep) {
        if (!worker_ || worker_->generation != wp)
            return; // posted by a worker that has been stopped since
        worker_->stepQueued = false;
    }
    BusyStep(state);
    Invalidate();
}

void BusyProgressCtrl::Paint(HDC target)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!buffer_ && !buffer_.Create(hwnd(), width, height))
        return;
    DrawBusyProgress(buffer_.dc(), {state, colours, width, height, &tools_});
    buffer_.CopyTo(target);
}

bool BusyProgressCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case BPM_SETCOUNT:
        state.segmentCount = static_cast<int>(wp);
        Layout();
        Invalidate();
        return true;
    case BPM_SETPOS:
        state.position = static_cast<int>(wp);
        Invalidate();
        return true;
    case BPM_SETGAP:
        state.gap = static_cast<int>(wp);
        Layout();
        Invalidate();
        return true;
    case BPM_SETINTERVAL:
        interval = static_cast<DWORD>(wp);
        return true;
    case BPM_SETRANGE:
        state.lower = static_cast<int>(wp);
        state.upper = static_cast<int>(lp);
        return true;
    case BPM_SETMODE:
        StopBusy();
        if (state.mode == kModeBusy || state.mode == kModeProgress) {
            state.mode = static_cast<int>(wp);
            if (state.mode == kModeProgress)
                state.direction = 1;
        }
        return true;
    case BPM_START:
        StartBusy();
        return true;
    case BPM_STOP:
        StopBusy();
        return true;
    case BPM_STEP:
        OnBusyStep(wp, lp);
        return true;
    case WM_SIZE:
        result = Default(msg, wp, lp);
        GetClientRect(hwnd(), &rect);
        Layout();
        buffer_.Release();
        return true;
    case WM_SYSCOLORCHANGE:
        result = Default(msg, wp, lp);
        if (followSystemColours)
            colours.background = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
        Invalidate();
        return true;
    case WM_DESTROY:
        StopBusy();
        return false;
    default:
        return PaintMessage(msg, wp, result, [this](HDC dc) { Paint(dc); });
    }
}
