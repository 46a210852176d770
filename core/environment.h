// Paths, fixed texts and fonts built once at start-up.
#pragma once

#include <windows.h>

#include "core/startup_rules.h"

extern char exeDirectory[kFixedTextSize];
extern char settingsPath[kFixedTextSize];
extern char helpPath[kFixedTextSize];
extern char webHelpUrl[kFixedTextSize];
extern char mailtoUrl[kFixedTextSize];
extern char caption[kFixedTextSize];
extern char aboutText[kFixedTextSize];
// False when the folder of the executable did not fit a path buffer: the settings file is
// then unavailable (defaults are read, nothing is written) rather than some cut path used.
extern bool settingsAvailable;
extern bool helpAvailable;
extern HFONT uiFont;
extern HFONT linkFont;

// The fonts depend on the taskbar flavour, which the caller finds out.
void InitEnvironment(const char* flavour);
void GetExeDirectory();
void CreateUiFonts(const char* flavour);
