// Notification icons arrive at Shell_TrayWnd as WM_COPYDATA in one of two layouts:
// - Windows: dwData 1; a DWORD signature 0x34753423, the DWORD NIM_ code, then the
//   sender's NOTIFYICONDATA (its 32-bit A or W variant, told apart by cbSize).
// - Wine: dwData = the NIM_ code; Wine's own fixed record, icon bits after it.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "icons.h"
#include "journal.h"
#include "tray.h"

namespace {

constexpr DWORD kWindowsSignature = 0x34753423;

// Wine's record (all fields 32-bit, text UTF-16): hWnd, uID, uFlags, uCallbackMessage,
// szTip[128], dwState, dwStateMask, szInfo[256], uTimeout, szInfoTitle[64], dwInfoFlags,
// guidItem, then the icon's width, height, planes, bpp and bits.
namespace wine {
constexpr size_t hWnd = 0, uID = 4, uFlags = 8, uCallbackMessage = 12, szTip = 16, tipChars = 128;
constexpr size_t dwState = 272, dwStateMask = 276, minimumSize = 280;
}  // namespace wine

// The 32-bit NOTIFYICONDATA, from its start: cbSize, hWnd, uID, uFlags,
// uCallbackMessage, hIcon, szTip, then (from the second version on) dwState, dwStateMask.
namespace nid32 {
constexpr size_t hWnd = 4, uID = 8, uFlags = 12, uCallbackMessage = 16, szTip = 24;
}  // namespace nid32

struct NotifyRequest {
    DWORD message = 0;
    const char* layout = "";
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    std::string tip;
    DWORD state = 0;
    DWORD stateMask = 0;
};

DWORD ReadDword(const BYTE* data, size_t offset)
{
    DWORD value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

HWND ReadHandle(const BYTE* data, size_t offset)
{
    // Handles travel as 32-bit values and are sign-extended, as Windows does.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(ReadDword(data, offset))));
}

std::string WideTip(const BYTE* data, size_t chars)
{
    std::wstring wide;
    for (size_t i = 0; i < chars; ++i) {
        WCHAR c;
        std::memcpy(&c, data + 2 * i, sizeof c);
        if (c == 0) break;
        wide += c;
    }
    if (wide.empty()) return std::string();
    const int length = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr, nullptr);
    return text;
}

std::string NarrowTip(const BYTE* data, size_t chars)
{
    size_t length = 0;
    while (length < chars && data[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(data), length);
}

bool HasWindowsSignature(const COPYDATASTRUCT* copy)
{
    return copy->dwData == 1 && copy->cbData >= 12 && ReadDword(static_cast<const BYTE*>(copy->lpData), 0) == kWindowsSignature;
}

bool ParseWindowsLayout(const COPYDATASTRUCT* copy, NotifyRequest& request)
{
    const BYTE* data = static_cast<const BYTE*>(copy->lpData);
    const BYTE* nid = data + 8;
    const size_t available = copy->cbData - 8;
    const DWORD cbSize = ReadDword(nid, 0);
    bool wide = false;
    size_t tipChars = 0;
    bool hasState = true;
    switch (cbSize) {
    case 88: tipChars = 64; hasState = false; break;                   // NOTIFYICONDATAA, first version
    case 488: case 504: case 508: tipChars = 128; break;               // NOTIFYICONDATAA, later versions
    case 152: wide = true; tipChars = 64; hasState = false; break;     // NOTIFYICONDATAW, first version
    case 936: case 952: case 956: wide = true; tipChars = 128; break;  // NOTIFYICONDATAW, later versions
    default: return false;
    }
    if (available < cbSize) return false;
    request.message = ReadDword(data, 4);
    request.layout = wide ? "windows-w" : "windows-a";
    request.owner = ReadHandle(nid, nid32::hWnd);
    request.id = ReadDword(nid, nid32::uID);
    request.flags = ReadDword(nid, nid32::uFlags);
    request.callbackMessage = ReadDword(nid, nid32::uCallbackMessage);
    const size_t tipBytes = tipChars * (wide ? 2 : 1);
    request.tip = wide ? WideTip(nid + nid32::szTip, tipChars) : NarrowTip(nid + nid32::szTip, tipChars);
    if (hasState) {
        request.state = ReadDword(nid, nid32::szTip + tipBytes);
        request.stateMask = ReadDword(nid, nid32::szTip + tipBytes + 4);
    }
    return true;
}

bool ParseWineLayout(const COPYDATASTRUCT* copy, NotifyRequest& request)
{
    if (copy->dwData > NIM_SETVERSION || copy->cbData < wine::minimumSize) return false;
    const BYTE* data = static_cast<const BYTE*>(copy->lpData);
    request.message = static_cast<DWORD>(copy->dwData);
    request.layout = "wine";
    request.owner = ReadHandle(data, wine::hWnd);
    request.id = ReadDword(data, wine::uID);
    request.flags = ReadDword(data, wine::uFlags);
    request.callbackMessage = ReadDword(data, wine::uCallbackMessage);
    request.tip = WideTip(data + wine::szTip, wine::tipChars);
    request.state = ReadDword(data, wine::dwState);
    request.stateMask = ReadDword(data, wine::dwStateMask);
    return true;
}

IconChange ChangeFrom(const NotifyRequest& request)
{
    IconChange change;
    if (request.flags & NIF_TIP) {
        change.setTip = true;
        change.tip = request.tip;
    }
    if (request.flags & NIF_MESSAGE) {
        change.setCallback = true;
        change.callbackMessage = request.callbackMessage;
    }
    if ((request.flags & NIF_STATE) && (request.stateMask & NIS_HIDDEN)) {
        change.setHidden = true;
        change.hidden = (request.state & NIS_HIDDEN) != 0;
    }
    return change;
}

const char* MessageName(DWORD message)
{
    switch (message) {
    case NIM_ADD: return "NIM_ADD";
    case NIM_MODIFY: return "NIM_MODIFY";
    case NIM_DELETE: return "NIM_DELETE";
    case NIM_SETFOCUS: return "NIM_SETFOCUS";
    case NIM_SETVERSION: return "NIM_SETVERSION";
    default: return "NIM_UNKNOWN";
    }
}

}  // namespace

LRESULT HandleNotifyIconData(const COPYDATASTRUCT* copy)
{
    if (!copy || !copy->lpData) return FALSE;
    NotifyRequest request;
    // A message with the Windows signature is never read as Wine's record.
    const bool parsed = HasWindowsSignature(copy) ? ParseWindowsLayout(copy, request) : ParseWineLayout(copy, request);
    if (!parsed) {
        Journal("Shell_TrayWnd", "WM_COPYDATA",
                "dwData=" + Hex(static_cast<UINT_PTR>(copy->dwData)) + " cbData=" + std::to_string(copy->cbData) +
                    " result=0");
        return FALSE;
    }
    const IconChange change = ChangeFrom(request);
    // The journal names the icon's tip even when this request does not carry one.
    std::string tip = change.setTip ? request.tip : std::string();
    bool tipKnown = change.setTip;
    for (const TrayIcon& icon : TrayIcons()) {
        if (!tipKnown && icon.owner == request.owner && icon.id == request.id) {
            tip = icon.tip;
            tipKnown = true;
        }
    }
    BOOL result = FALSE;
    switch (request.message) {
    case NIM_ADD: result = AddTrayIcon(request.owner, request.id, change); break;
    case NIM_MODIFY: result = ModifyTrayIcon(request.owner, request.id, change); break;
    case NIM_DELETE: result = DeleteTrayIcon(request.owner, request.id); break;
    case NIM_SETFOCUS:
    case NIM_SETVERSION: result = TRUE; break;
    }
    std::string params = std::string("layout=") + request.layout + " bytes=" + std::to_string(copy->cbData) +
                         " hwnd=" + HandleText(request.owner) +
                         " id=" + std::to_string(request.id) + " flags=" + Hex(request.flags);
    if (change.setHidden) params += std::string(" hidden=") + (change.hidden ? "1" : "0");
    params += " result=" + std::to_string(result);
    if (tipKnown) params += " tip=" + OneLine(tip);
    Journal("Shell_TrayWnd", MessageName(request.message), params);
    return result;
}
