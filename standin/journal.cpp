#include "journal.h"

#include <cstdio>

namespace {
std::string journalPath;
MSG posted;
}

void OpenJournal(const std::string& path)
{
    journalPath = path;
}

void Journal(const char* target, const char* event, const std::string& params)
{
    if (journalPath.empty()) return;
    std::string line = std::to_string(GetTickCount()) + "\t" + target + "\t" + event + "\t" + params + "\r\n";
    // Opened and closed per line: the reader sees every line as soon as it is written and
    // nothing is lost when a test ends the stand-in with TerminateProcess.
    HANDLE file = CreateFileA(journalPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Hex(UINT_PTR value)
{
    char digits[2 * sizeof(UINT_PTR) + 1];
    int n = 0;
    do {
        digits[n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    while (n < 8) digits[n++] = '0';
    std::string text = "0x";
    while (n > 0) text += digits[--n];
    return text;
}

std::string HandleText(HWND window)
{
    return Hex(reinterpret_cast<UINT_PTR>(window));
}

std::string OneLine(const std::string& text)
{
    std::string result = text;
    for (char& c : result) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return result;
}

std::string Escaped(const std::string& text)
{
    std::string result;
    for (unsigned char c : text) {
        if (c == '\r') {
            result += "\\r";
        } else if (c == '\n') {
            result += "\\n";
        } else if (c == '\t') {
            result += "\\t";
        } else if (c <= ' ' || c == 0x7F) {
            result += "\\x" + Hex(c).substr(8);
        } else {
            result += static_cast<char>(c);
        }
    }
    return result;
}

void NotePosted(const MSG* message)
{
    posted = message ? *message : MSG{};
}

bool TakePosted(HWND window, UINT message)
{
    // Cleared at once: what the handler itself sends to the window is not the posted one.
    const bool same = posted.hwnd == window && posted.message == message && !InSendMessage();
    if (same) posted = MSG{};
    return same;
}
