// Paths, fixed texts and fonts built once at start-up.
#pragma once

#include <windows.h>

#include "app/startup_rules.h"

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

void InitEnvironment();
void GetExeDirectory();
void CreateUiFonts();
