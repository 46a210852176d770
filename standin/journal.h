// The stand-in's journal: one line per event, appended and flushed at once so that a test
// can read it while the stand-in still runs.
// Line format (CR LF at the end): <GetTickCount>\t<target>\t<event>\t<key=value key=value ...>
// A free-text value (tip=, text=) always comes last and runs to the end of the line.
#pragma once
#include <windows.h>
#include <string>

void OpenJournal(const std::string& path);
void Journal(const char* target, const char* event, const std::string& params);

// "0x" and at least eight upper-case hex digits.
std::string Hex(UINT_PTR value);
std::string HandleText(HWND window);
// Keeps free text on one journal line: tabs and line breaks become spaces.
std::string OneLine(const std::string& text);
// Keeps free text on one journal line and every byte of it readable: control characters
// become \r, \n, \t or \xNN and spaces \x20, so that "\r\n" and "\n\r" stay apart.
// Multi-byte text passes unchanged (its trail bytes are never below 0x40).
std::string Escaped(const std::string& text);

// The posted message being dispatched, if any: a journal line tells a posted message from a
// sent one (posted=1), as a posted one is read whenever the thread next reads its queue.
void NotePosted(const MSG* message);
// True once for the posted message being dispatched, when it is this one.
bool TakePosted(HWND window, UINT message);
