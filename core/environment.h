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

// The executable's folder, the settings file's path and the optional functions.
void InitEnvironment();
// The texts of the language chosen (`languageSetting` is the key "Language"), the fixed
// texts and paths made of them, and the fonts, which depend on the taskbar flavour.
void InitTexts(const char* flavour, int32_t languageSetting);
void GetExeDirectory();
void CreateUiFonts(const char* flavour);
