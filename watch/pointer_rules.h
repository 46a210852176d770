// Decisions of the pointer and clock watcher over plain values: the clock area, the list of
// windows that count as "on the tray", the logical mouse buttons and the clock's click state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// A window handle as a plain value; 0 is the empty handle.
using WindowId = uintptr_t;

// The pointer is on the clock area when the window under it is the clock, or the
// notification area or its hidden-icons button while the frame is not being dragged.
bool IsClockArea(WindowId under, WindowId clock, WindowId notifyArea, WindowId hiddenIconsButton, bool frameDragging);

// The windows that keep the main window from hiding are the icon toolbar, the clock, the
// notification area, the hidden-icons button, the show-desktop button, the clock's
// tooltip and flyout, the overflow window, and the program's main, options and version
// windows. True when the window under the pointer or the foreground window is one of
// `windows`. Handles compare as plain values, so an empty entry (a window that does not
// exist) matches an empty handle.
bool MatchesAnyWindow(WindowId under, WindowId foreground, const WindowId* windows, size_t count);

// The classes of the taskbar's popups that count as its windows: the clock's tooltip, the
// clock's flyout and the overflow window of hidden icons. The index of a class name among
// them, or -1.
extern const char* const kTaskbarPopupClasses[3];
int TaskbarPopupClassIndex(const char* className);

// The popups' part of the list. `popupClassOf` gives the popup class index of a window (-1
// for none), `findPopup` the window that a popup class finds now (0 when none). A window
// can be the popup only where its own class finds it, so only a window of a popup class
// is looked up; an empty handle, compared as a plain value, matches every popup that does
// not exist, and so asks for all three.
bool MatchesTaskbarPopup(WindowId under, WindowId foreground, const std::function<int(WindowId)>& popupClassOf,
                         const std::function<WindowId(int)>& findPopup);

// How the program drives the captured clock. "6.0" and "6.1" ask the taskbar's clock for
// its flyout and tooltip (the private requests) and move them beside the main window; the
// other flavours show a tooltip of the program's own. Windows 10's clock (flavour "6.1"
// there) ignores the requests: the user's own click opens its calendar and its own tooltip
// control follows it, so the program asks for neither and shows none of its own.
enum class ClockKind { ownTooltip, requests, clicks };
ClockKind ClockKindFor(const char* flavour, bool windows10Taskbar);

// Windows 10's calendar has no class of its own (Start's window has the same) and its title
// is translated: it is known as the window of that class that comes to the foreground after
// a press on the clock, while the button is held or up to kCalendarArrival after its
// release, and that was not in front at the press.
constexpr uint32_t kCalendarArrival = 2000;
bool IsCalendarClass(const char* className);
bool IsArrivingCalendar(WindowId foreground, bool calendarClass, WindowId inFrontAtPress);
bool CalendarStillAwaited(bool held, uint32_t sinceRelease);

// At the single-click timer the taskbar is brought forward, unless the clock's flyout is up:
// on Windows 10 the calendar counts as the flyout, since the taskbar's coming forward would
// close it.
bool SingleClickBringsTaskbarForward(const char* flavour, bool flyoutExists, bool calendarInFront);

// Buttons are 0 (logical left, primary) and 1 (logical right, secondary). The virtual key
// (VK_LBUTTON 1 or VK_RBUTTON 2) that plays the button, with swapped buttons or without.
int LogicalButtonKey(int button, bool swapped);
// From one GetAsyncKeyState result: down now (high bit), or up (neither down now nor
// pressed since the previous query, a zero result). A quick press and release between two
// queries is therefore neither.
bool KeyStateDown(int16_t state);
bool KeyStateUp(int16_t state);

// The clock's click state, kept in shared words between cycles.
struct ClockClickState {
    int32_t clickCount;     // left presses on the clock area in this double-click window
    int32_t leftHeld;       // the left button pressed on the clock area is still down
    int32_t rightPressed;   // a right press on the clock area waits for its release
    int32_t timersStarted;  // cycles spent with one click completed
};

// What a cycle's button step asks the caller to do (bit set).
enum ClockClickAction : uint32_t {
    kClickNone = 0,
    kNewLeftPress = 1,    // bring forward / flyout / overflow window / taskbar press
    kDoubleClick = 2,     // kill the click-window timer; the control panel where it applies
    kArmClickTimers = 4,  // single-click and click-window timers
    kRightRelease = 8,    // forward the right click to the taskbar
};

// The left-button step of one cycle on the clock area: a new press counts a click; a
// release clamps three presses to a double click; a double click returns to idle; one
// completed click arms the timers in its first cycle only.
uint32_t StepClockLeftButton(ClockClickState& state, bool down, bool up);
// The right-button step: a press resets the left clicks and waits; the release after a
// press on the clock area is forwarded once.
uint32_t StepClockRightButton(ClockClickState& state, bool down, bool up);

// The quiet watcher (QuietWatch=1) sends the taskbar only what has changed. One send of
// a cycle that can repeat (the clock's pointer notice, a focus drop): the window it went
// to, its wParam, the cycle that last wanted it and when it last went.
struct RepeatedSend {
    bool wanted;  // some cycle wanted it, and nothing else went to the window since
    WindowId target;
    uintptr_t wParam;
    uint32_t cycle;
    uint32_t sentAt;  // milliseconds
};

// A window can take back what a repeat would take away (a toolbar its focus) without the
// pointer moving, so a repeat still goes this often.
constexpr uint32_t kRepeatRefresh = 1000;

// The cycle numbered `cycle` would send `wParam` to `target` at `now`: true to send it.
// It is left out only when the cycle just before wanted the same message to the same
// window and it went less than kRepeatRefresh ago; so the first cycle after any change
// sends, and the taskbar sees every transition as often as it happens.
bool TakeRepeatedSend(RepeatedSend& send, WindowId target, uintptr_t wParam, uint32_t cycle, uint32_t now);
// Another message went to the window in between: the next send is a change.
inline void BreakRepeatedSend(RepeatedSend& send) { send.wanted = false; }

// The pause after a cycle. The quiet watcher takes the long one while nothing can need
// it soon: the pointer is away from the main window and every window the cycle watches,
// no button is down and no click, tooltip delay or hide is pending. `busy` is all of those
// but the buttons, which are only asked when it is false. What can need the watcher during
// the long pause wakes it (the pointer over the main window, activation, a hotkey, an edge
// reveal), so the pause only bounds how late a change nothing tells of is seen (the focus
// taken back by a toolbar, a popup entered straight from far away).
constexpr uint32_t kPointerWatchPause = 5;
constexpr uint32_t kQuietIdlePause = 500;
// After a wake-up the cycles stay short this long, until what woke the watcher shows in
// what it reads.
constexpr uint32_t kNudgeSettle = 100;
uint32_t PointerWatchPause(bool quiet, bool busy, bool buttonDown);

// How close the pointer must come to the main window for the short pause: far enough that
// a hand on its way in is seen before it arrives.
constexpr int kNearMainWindow = 48;
bool IsNearWindow(int x, int y, int left, int top, int right, int bottom);
