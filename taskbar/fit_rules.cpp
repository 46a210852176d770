// The automatic fit's arithmetic; see fit_rules.h.
#include "taskbar/fit_rules.h"

#include <cstring>

namespace {

bool Is(const char* flavour, const char* text) { return std::strcmp(flavour, text) == 0; }

}  // namespace

bool IsOneColumn(int32_t width, int32_t minimumWidth) { return width <= minimumWidth + kFitShapeSlack; }

bool IsOneRow(int32_t height, int32_t minimumHeight) { return height <= minimumHeight + kFitShapeSlack; }

int32_t Windows10TrayLength(int32_t rest, int32_t icons, int32_t frame)
{
    return (rest > 0 ? rest : 0) + kFitIconSize * (icons > 1 ? icons : 1) + frame;
}

Size Windows10MinimumSize(Size minimum, bool horizontal, int32_t rest, Size frame)
{
    if (rest <= 0) return minimum;
    int32_t& along = horizontal ? minimum.width : minimum.height;
    const int32_t needed = Windows10TrayLength(rest, 1, horizontal ? frame.width : frame.height);
    if (along < needed) along = needed;
    return minimum;
}

int32_t OneColumnHeight(const FitMeasures& m, int32_t oldHeight)
{
    if (m.windows10Rest > 0 && !m.horizontal) return Windows10TrayLength(m.windows10Rest, m.visibleIcons, m.frame.height);
    if (m.themed) return oldHeight;
    int32_t height = kFitIconSize * m.visibleIcons;
    if (m.clockExists && !m.horizontal) height += m.clock.height;
    if (m.hiddenIconsButtonExists && !m.horizontal) height += m.hiddenIconsButton.height;
    if (Is(m.flavour, "6.0")) {
        height += 24;
        if (!m.horizontal) height += 40;
    } else if (Is(m.flavour, "5.1")) {
        if (height + 20 <= oldHeight) height += 20;
    } else if (Is(m.flavour, "5.0")) {
        height += m.horizontal ? 20 : 4;
    }
    if (Is(m.flavour, "6.1") && m.horizontal) return oldHeight;
    return height - m.hiddenCaptionHeight;
}

int32_t OneRowWidth(const FitMeasures& m, int32_t oldWidth)
{
    const bool is50 = Is(m.flavour, "5.0");
    const bool is60 = Is(m.flavour, "6.0");
    if (m.windows10Rest > 0 && m.horizontal) return Windows10TrayLength(m.windows10Rest, m.visibleIcons, m.frame.width);
    int32_t width = (is50 ? kFitIconSize50Row : kFitIconSize) * m.visibleIcons;
    if (width < oldWidth) width += m.totalButtons;
    if (is60) width += 10 * m.totalButtons;
    if (m.clockExists) {
        if (m.horizontal || is50) {
            width += m.clock.width;
        } else if (is60) {
            width -= 10 * m.totalButtons;
        } else if (Is(m.flavour, "5.1")) {
            width -= m.totalButtons;
        }
        if (width <= oldWidth) width += 6;
    }
    if (m.showDesktopButtonExists && m.horizontal) width += m.showDesktopButton.width;
    if (m.themed && !Is(m.flavour, "5.1")) width += 16;
    return width;
}

std::optional<int32_t> KeepFarEdge(int32_t newStart, int32_t newEnd, int32_t oldEnd, int32_t monitorEnd)
{
    const int32_t length = newEnd - newStart;
    if (newEnd >= monitorEnd) return monitorEnd - length;
    if (oldEnd >= newEnd && oldEnd >= monitorEnd) return oldEnd - length;
    return std::nullopt;
}

bool KeepsOldSize(int32_t oldWidth, int32_t oldHeight, int32_t minimumWidth, int32_t minimumHeight)
{
    return oldHeight <= minimumHeight && oldWidth <= minimumWidth;
}

uint32_t MarkTrayButton(uint32_t mark, bool hidden) { return mark * 31u + (hidden ? 2u : 1u); }
