#include "tray/DeskItemIcons.h"
#include "framework/Display.h"
#include <shellapi.h>
#include <algorithm>
#include <cstring>

namespace {
// A top-down 32-bit DIB section; bits receives its pixels, 0x00RRGGBB with the alpha byte on top.
HBITMAP CreatePixels(int width, int height, DWORD*& bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = bitmap ? static_cast<DWORD*>(pixels) : nullptr;
    return bitmap;
}

BYTE Channel(DWORD pixel, int shift) {
    return static_cast<BYTE>(pixel >> shift);
}

// The system image list of that kind (SHIL_...), or null.
IImageList* SystemImageList(int kind) {
    IImageList* list = nullptr;
    if (FAILED(SHGetImageList(kind, __uuidof(IImageList), reinterpret_cast<void**>(&list)))) return nullptr;
    return list;
}

int IconWidth(IImageList* list) {
    int width = 0, height = 0;
    return SUCCEEDED(list->GetIconSize(&width, &height)) ? width : 0;
}
}  // namespace

DeskItemIcons::DeskItemIcons(HWND menuOwner) : m_size(MetricForDpi(SM_CXSMICON, WindowDpi(menuOwner))) {
    // Above the system's DPI the small icons would be blown up: larger ones are shrunk instead.
    for (int kind : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE}) {
        InterfaceOwner<IImageList> list(SystemImageList(kind));
        if (!list) continue;
        const bool largeEnough = IconWidth(list.get()) >= m_size;
        m_list = std::move(list);
        if (largeEnough) break;
    }
}

HBITMAP DeskItemIcons::For(int index) {
    if (!m_list || index < 0) return nullptr;
    auto made = m_bitmaps.find(index);
    if (made != m_bitmaps.end()) return made->second.get();
    HBITMAP bitmap = Make(index);
    // One that failed is not tried again for the next item with this icon.
    m_bitmaps[index].reset(bitmap);
    return bitmap;
}

HBITMAP DeskItemIcons::Make(int index) const {
    HICON handle = nullptr;
    if (FAILED(m_list->GetIcon(index, ILD_NORMAL, &handle)) || !handle) return nullptr;
    OwnedIcon icon(handle);
    // Drawn once on black and once on white, the icon shows each pixel's coverage in how much of
    // the white comes through; on black its colour is already multiplied by it, as menus want.
    DWORD* work = nullptr;
    OwnedBitmap canvas(CreatePixels(m_size, 2 * m_size, work));
    HDC dc = CreateCompatibleDC(nullptr);
    if (!canvas || !dc) {
        if (dc) DeleteDC(dc);
        return nullptr;
    }
    const size_t count = static_cast<size_t>(m_size) * static_cast<size_t>(m_size);
    memset(work, 0, count * sizeof(DWORD));
    memset(work + count, 0xFF, count * sizeof(DWORD));
    HGDIOBJ old = SelectObject(dc, canvas.get());
    const bool drawn = old && DrawIconEx(dc, 0, 0, icon.get(), m_size, m_size, 0, nullptr, DI_NORMAL) &&
                       DrawIconEx(dc, 0, m_size, icon.get(), m_size, m_size, 0, nullptr, DI_NORMAL);
    GdiFlush();  // the pixels are read directly below
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    DWORD* pixels = nullptr;
    HBITMAP result = drawn ? CreatePixels(m_size, m_size, pixels) : nullptr;
    if (!result) return nullptr;
    for (size_t i = 0; i < count; ++i) {
        const DWORD onBlack = work[i], onWhite = work[count + i];
        int alpha = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            alpha = std::max(alpha, 255 - (Channel(onWhite, shift) - Channel(onBlack, shift)));
        alpha = std::min(std::max(alpha, 0), 255);
        DWORD pixel = static_cast<DWORD>(alpha) << 24;
        for (int shift = 0; shift <= 16; shift += 8)
            pixel |= static_cast<DWORD>(std::min<int>(Channel(onBlack, shift), alpha)) << shift;
        pixels[i] = pixel;
    }
    return result;
}
