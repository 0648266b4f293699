#pragma once
// A 32-bpp DIB with a DC for drawing tests: draw into it, then read exact pixels.
#include <windows.h>

#include <cstdint>

#include "controls/colour.h"
#include "win32/handles.h"

class DibCanvas {
public:
    DibCanvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height; // top-down: row 0 first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        dc_.reset(CreateCompatibleDC(nullptr));
        replaced_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~DibCanvas() { SelectObject(dc_.get(), replaced_); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    void Clear(controls::Colour colour)
    {
        win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
        RECT all{0, 0, width_, height_};
        FillRect(dc_.get(), &all, brush.get());
    }
    controls::Colour At(int x, int y) const
    {
        GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x];
        return controls::Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(controls::Colour colour, int top, int bottom) const
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < width_; ++x)
                n += At(x, y) == colour;
        return n;
    }

private:
    int width_, height_;
    win32::UniqueGdi<HBITMAP> bitmap_;
    win32::UniqueMemoryDc dc_;
    HGDIOBJ replaced_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

inline void PrintClient(HWND window, DibCanvas& canvas)
{
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
}
