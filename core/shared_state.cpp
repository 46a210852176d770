// Storage of the process-wide shared state.
#include "core/shared_state.h"

SharedWord endingStarted{0};
SharedWord frameDragging{0};
SharedWord secondaryWindowOpen{0};
SharedWord pointerOnOwnWindows{0};
SharedWord titleBarShown{0};
SharedWord hiddenCaptionHeight{0};
SharedWord minWidth{0};
SharedWord minHeight{0};
SharedWord visibleIconCount{0};
SharedWord sensingKeys{0};
SharedWord systemChanges{0};

HINSTANCE instance;
HWND mainWindow;
HWND ownerWindow;
HWND optionsWindow;
HWND versionWindow;
HWND clockTipWindow;
HWND waitWindow;

WatcherControl trayWatchControl{};
WatcherControl pointerWatchControl{};
