#include "icons.h"

#include <commctrl.h>

#include "journal.h"
#include "tray.h"

namespace {

std::vector<TrayIcon> icons;
int nextCommand = 100;
WNDPROC toolbarOriginalProc = nullptr;

LRESULT CallToolbar(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!tray.iconToolbar || !toolbarOriginalProc) return 0;
    return CallWindowProcW(toolbarOriginalProc, tray.iconToolbar, message, wParam, lParam);
}

TrayIcon* FindIcon(HWND owner, UINT id)
{
    for (TrayIcon& icon : icons) {
        if (icon.owner == owner && icon.id == id) return &icon;
    }
    return nullptr;
}

TrayIcon* FindIconByCommand(int command)
{
    for (TrayIcon& icon : icons) {
        if (icon.command == command) return &icon;
    }
    return nullptr;
}

// A 16×16 icon of our own making: a coloured disc, square or diamond picked by the seed,
// so that neighbouring icons look different on a screenshot.
HICON MakeIcon(unsigned seed)
{
    static const COLORREF colours[] = {RGB(0x2E, 0x7D, 0xD2), RGB(0x43, 0xA0, 0x47), RGB(0xE5, 0x39, 0x35),
                                       RGB(0xFB, 0x8C, 0x00), RGB(0x8E, 0x24, 0xAA), RGB(0x00, 0x89, 0x7B)};
    const COLORREF colour = colours[seed % 6];
    const unsigned shape = (seed / 6) % 3;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour32 = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour32 || !bits) return nullptr;
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;  // doubled distance from the centre
            bool inside = false, rim = false;
            switch (shape) {
            case 0:
                inside = dx * dx + dy * dy <= 15 * 15;
                rim = inside && dx * dx + dy * dy > 11 * 11;
                break;
            case 1:
                inside = x >= 1 && x <= 14 && y >= 1 && y <= 14;
                rim = inside && (x <= 2 || x >= 13 || y <= 2 || y >= 13);
                break;
            default:
                inside = (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy) <= 16;
                rim = inside && (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy) > 11;
                break;
            }
            DWORD rgb = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            if (rim) rgb = ((rgb >> 1) & 0x7F7F7F);  // a darker edge
            pixels[y * 16 + x] = inside ? (0xFF000000u | rgb) : 0;
        }
    }
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO iconInfo = {};
    iconInfo.fIcon = TRUE;
    iconInfo.hbmColor = colour32;
    iconInfo.hbmMask = mask;
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(colour32);
    DeleteObject(mask);
    return icon;
}

int AddImage(HWND toolbar, unsigned seed)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    HICON icon = MakeIcon(seed);
    const int image = ImageList_AddIcon(images, icon);
    DestroyIcon(icon);
    return image;
}

void AddButton(HWND toolbar, int command, int image, bool hidden)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (hidden ? TBSTATE_HIDDEN : 0));
    button.fsStyle = BTNS_BUTTON;
    button.iString = -1;
    SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
}

const char* MouseMessageName(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    default: return nullptr;
    }
}

// Tells an icon's owner about the mouse over its button, as the taskbar does: the owner's
// callback message with the icon id and the mouse message.
void ForwardMouseToOwner(HWND toolbar, UINT message, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int index = static_cast<int>(CallWindowProcW(toolbarOriginalProc, toolbar, TB_HITTEST, 0,
                                                       reinterpret_cast<LPARAM>(&point)));
    if (index < 0) return;
    TBBUTTON button = {};
    if (!CallWindowProcW(toolbarOriginalProc, toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return;
    const TrayIcon* icon = FindIconByCommand(button.idCommand);
    if (!icon || icon->callbackMessage == 0 || !IsWindow(icon->owner)) return;
    PostMessageW(icon->owner, icon->callbackMessage, icon->id, message);
    if (const char* name = MouseMessageName(message)) {
        Journal("ToolbarWindow32", "callback",
                "hwnd=" + HandleText(icon->owner) + " id=" + std::to_string(icon->id) +
                    " message=" + Hex(icon->callbackMessage) + " mouse=" + name);
    }
}

LRESULT CALLBACK NotificationToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TB_BUTTONCOUNT: {
        const LRESULT count = CallWindowProcW(toolbarOriginalProc, window, message, wParam, lParam);
        Journal("ToolbarWindow32", "TB_BUTTONCOUNT", "result=" + std::to_string(count));
        return count;
    }
    case TB_GETBUTTON: {
        const LRESULT ok = CallWindowProcW(toolbarOriginalProc, window, message, wParam, lParam);
        Journal("ToolbarWindow32", "TB_GETBUTTON",
                "index=" + std::to_string(static_cast<int>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam)) +
                    " result=" + std::to_string(ok));
        return ok;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        ForwardMouseToOwner(window, message, lParam);
        break;
    }
    return CallWindowProcW(toolbarOriginalProc, window, message, wParam, lParam);
}

}  // namespace

HWND CreateIconToolbar(HWND parent, const char* caption, bool notificationToolbar)
{
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, caption ? caption : "",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_WRAPABLE |
                                       TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                   0, 0, 0, 0, parent, nullptr, instance, nullptr);
    if (!toolbar) return nullptr;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The image list goes with the toolbar: it is destroyed with it in DestroyTrayTree.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kIconButtonSize, kIconButtonSize));
    if (notificationToolbar) {
        toolbarOriginalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NotificationToolbarProc)));
    }
    return toolbar;
}

void FillSystemToolbar(HWND toolbar)
{
    // Volume, network and power stand-ins.
    for (int i = 0; i < 3; ++i) {
        AddButton(toolbar, 900 + i, AddImage(toolbar, 3 + i * 7), false);
    }
}

void ResetTrayIcons()
{
    icons.clear();
}

void AddDemoIcons(HWND owner, int count, unsigned hiddenMask)
{
    for (int i = 0; i < count; ++i) {
        IconChange initial;
        initial.setTip = true;
        initial.tip = "デモ " + std::to_string(i + 1);
        initial.setHidden = true;
        initial.hidden = i < 32 && (hiddenMask >> i & 1u) != 0;
        AddTrayIcon(owner, static_cast<UINT>(i + 1), initial);
    }
}

bool AddTrayIcon(HWND owner, UINT id, const IconChange& initial)
{
    if (FindIcon(owner, id) || !tray.iconToolbar) return false;
    TrayIcon icon = {};
    icon.owner = owner;
    icon.id = id;
    icon.callbackMessage = initial.setCallback ? initial.callbackMessage : 0;
    icon.tip = initial.setTip ? initial.tip : std::string();
    icon.hidden = initial.setHidden && initial.hidden;
    icon.command = nextCommand++;
    const unsigned seed = static_cast<unsigned>(id) * 7u + static_cast<unsigned>(reinterpret_cast<UINT_PTR>(owner) >> 2);
    icon.image = AddImage(tray.iconToolbar, seed);
    // Where the island draws the tray the toolbar keeps the images and no buttons.
    if (IconsAreButtons(*flavour)) AddButton(tray.iconToolbar, icon.command, icon.image, icon.hidden);
    icons.push_back(icon);
    RelayoutAfterIconChange();
    return true;
}

bool ModifyTrayIcon(HWND owner, UINT id, const IconChange& change)
{
    TrayIcon* icon = FindIcon(owner, id);
    if (!icon) return false;
    if (change.setTip) icon->tip = change.tip;
    if (change.setCallback) icon->callbackMessage = change.callbackMessage;
    if (change.setHidden && change.hidden != icon->hidden) {
        icon->hidden = change.hidden;
        CallToolbar(TB_HIDEBUTTON, icon->command, MAKELPARAM(icon->hidden ? TRUE : FALSE, 0));
        RelayoutAfterIconChange();
    }
    return true;
}

bool DeleteTrayIcon(HWND owner, UINT id)
{
    TrayIcon* icon = FindIcon(owner, id);
    if (!icon) return false;
    const LRESULT index = CallToolbar(TB_COMMANDTOINDEX, icon->command, 0);
    if (index >= 0) CallToolbar(TB_DELETEBUTTON, index, 0);
    icons.erase(icons.begin() + (icon - icons.data()));
    RelayoutAfterIconChange();
    return true;
}

const std::vector<TrayIcon>& TrayIcons()
{
    return icons;
}

int VisibleTrayIconCount()
{
    int count = 0;
    for (const TrayIcon& icon : icons) {
        if (!icon.hidden) ++count;
    }
    return count;
}

HIMAGELIST TrayIconImages()
{
    return reinterpret_cast<HIMAGELIST>(CallToolbar(TB_GETIMAGELIST, 0, 0));
}

int ToolbarButtonCount(bool visibleOnly)
{
    const int count = static_cast<int>(CallToolbar(TB_BUTTONCOUNT, 0, 0));
    if (!visibleOnly) return count;
    int visible = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (CallToolbar(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) && !(button.fsState & TBSTATE_HIDDEN)) {
            ++visible;
        }
    }
    return visible;
}
