// The windows were laid out for short Japanese labels in a Japanese face. Other texts are
// measured in the font each control draws with, and the layout grows where one falls short.
#include "ui/text_fit.h"

#include <cstring>

#include "core/text_calls.h"
#include "ui/layout_rules.h"

namespace {

constexpr size_t kMostControls = 64;

struct Controls {
    HWND window;
    size_t count;
    HWND handles[kMostControls];
    LayoutBox boxes[kMostControls];
};

// The widest line of `text` (lines end at CR or LF) and the height of all its lines.
SIZE TextExtent(HWND control, const char* text)
{
    HDC dc = GetDC(control);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    for (const char* line = text; *line;) {
        const size_t length = std::strcspn(line, "\r\n");
        const SIZE size = LineExtent(dc, line, static_cast<int>(length));
        if (size.cx > extent.cx) extent.cx = size.cx;
        if (length > 0) extent.cy += metrics.tmHeight;
        line += length;
        while (*line == '\r' || *line == '\n') ++line;
    }
    if (extent.cy == 0) extent.cy = metrics.tmHeight;
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    return extent;
}

// What a control's text needs, by the kind of control: a check box its box besides, a
// button and a group box their margins, a list its widest entry beside its arrow.
void MeasureNeed(HWND control, LayoutBox& box)
{
    char className[16] = {};
    char text[1024] = {};
    GetClassNameA(control, className, sizeof className);
    WindowTextOf(control, text, sizeof text);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(className, "ComboBox") == 0) {
        const auto items = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < items; ++i) {
            ComboTextOf(control, i, text, sizeof text);
            const int need = TextExtent(control, text).cx + GetSystemMetrics(SM_CXVSCROLL) + 8;
            if (need > box.needWidth) box.needWidth = need;
        }
        return;
    }
    if (!text[0]) return;
    const SIZE extent = TextExtent(control, text);
    if (lstrcmpiA(className, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: box.needWidth = extent.cx + 16; return;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            box.needWidth = extent.cx + GetSystemMetrics(SM_CXMENUCHECK) + 6;
            box.needHeight = extent.cy;
            return;
        default:
            box.needWidth = extent.cx + 12;
            box.needHeight = extent.cy + 4;
            return;
        }
    }
    if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) {
        box.needWidth = extent.cx + 2;
        box.needHeight = extent.cy;
    }
}

BOOL CALLBACK CollectControl(HWND control, LPARAM data)
{
    auto& c = *reinterpret_cast<Controls*>(data);
    if (c.count == kMostControls) return FALSE;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, c.window, reinterpret_cast<POINT*>(&r), 2);
    LayoutBox& box = c.boxes[c.count];
    box = LayoutBox{r.left, r.top, r.right, r.bottom, 0, 0};
    MeasureNeed(control, box);
    c.handles[c.count++] = control;
    return TRUE;
}

// Between a check box's text and the next box of an even row: a little more than the
// layouts made for Japanese leave, as the measured boxes are no wider than their texts.
constexpr int kEvenRowGap = 8;

// The boxes of an even row among the placed ones: room for its gaps reserved before the
// growth, then, with their texts' own needs, spaced evenly where the growth has put them.
struct EvenRow {
    LayoutBox boxes[kMostControls];
    size_t at[kMostControls];
    size_t count = 0;

    EvenRow(const Controls& c, const LayoutBox* placed, const HWND* row, size_t rowCount)
    {
        for (size_t r = 0; r < rowCount && count < kMostControls; ++r) {
            for (size_t i = 0; i < c.count; ++i) {
                if (c.handles[i] == row[r]) {
                    at[count] = i;
                    boxes[count++] = placed[i];
                }
            }
        }
    }
    void reserveGaps(LayoutBox* placed)
    {
        ReserveRowGaps(boxes, count, kEvenRowGap);
        for (size_t b = 0; b < count; ++b) placed[at[b]].needWidth = boxes[b].needWidth;
    }
    void space(const Controls& c, LayoutBox* placed)
    {
        for (size_t b = 0; b < count; ++b) {
            boxes[b] = placed[at[b]];
            boxes[b].needWidth = placed[at[b]].needWidth = c.boxes[at[b]].needWidth;
        }
        SpaceRowEvenly(boxes, count);
        for (size_t b = 0; b < count; ++b) placed[at[b]] = boxes[b];
    }
};

}  // namespace

void FitWindowToTexts(HWND window, const HWND* evenRow, size_t evenCount)
{
    static Controls c;
    c.window = window;
    c.count = 0;
    EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&c));
    LayoutBox placed[kMostControls];
    std::memcpy(placed, c.boxes, sizeof placed);
    EvenRow even(c, placed, evenRow, evenCount);
    even.reserveGaps(placed);
    const LayoutGrowth growth = GrowToTexts(placed, c.count);
    even.space(c, placed);
    for (size_t i = 0; i < c.count; ++i) {
        // Each control moves within its own parent, which may have moved as well.
        POINT origin{0, 0};
        HWND parent = GetParent(c.handles[i]);
        for (size_t j = 0; j < c.count; ++j) {
            if (c.handles[j] == parent) origin = POINT{placed[j].left, placed[j].top};
        }
        const LayoutBox& b = placed[i];
        if (std::memcmp(&b, &c.boxes[i], sizeof b) == 0) continue;
        int height = b.bottom - b.top;
        // A drop-down list's height is that of its open list, not of the box it shows.
        RECT dropped{};
        if (SendMessageA(c.handles[i], CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
            height = dropped.bottom - dropped.top;
        }
        SetWindowPos(c.handles[i], nullptr, b.left - origin.x, b.top - origin.y, b.right - b.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (growth.width == 0 && growth.height == 0) return;
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + growth.width, r.bottom - r.top + growth.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
