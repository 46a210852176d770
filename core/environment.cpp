// Start-up preparation: the executable's folder, the paths beside it, the fixed texts and
// the two user-interface fonts.
#include "core/environment.h"

#include <shlwapi.h>

#include <cstring>

#include "core/optional_functions.h"

char exeDirectory[kFixedTextSize];
char settingsPath[kFixedTextSize];
char helpPath[kFixedTextSize];
char webHelpUrl[kFixedTextSize];
char mailtoUrl[kFixedTextSize];
char caption[kFixedTextSize];
char aboutText[kFixedTextSize];
bool settingsAvailable;
bool helpAvailable;
HFONT uiFont;
HFONT linkFont;

static bool exeDirectoryFits;

static void Keep(char* target, const FixedText& built)
{
    std::memcpy(target, built.text, kFixedTextSize);
}

void GetExeDirectory()
{
    char path[kFixedTextSize] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, kFixedTextSize);
    exeDirectoryFits = length > 0 && length < kFixedTextSize;
    DWORD longLength = LongPathNameInPlace(path, kFixedTextSize);
    if (longLength >= kFixedTextSize) exeDirectoryFits = false;
    PathRemoveFileSpecA(path);
    std::memcpy(exeDirectory, path, kFixedTextSize);
}

void CreateUiFonts(const char* flavour)
{
    UiFontChoice choice = ChooseUiFont(flavour);
    uiFont = CreateFontA(choice.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         0, 0, 0, FF_MODERN, choice.faceName);
    linkFont = CreateFontA(choice.height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, SHIFTJIS_CHARSET,
                           0, 0, 0, FF_MODERN, choice.faceName);
}

void InitEnvironment(const char* flavour)
{
    GetExeDirectory();
    LoadOptionalFunctions();
    Keep(caption, BuildCaption());
    Keep(aboutText, BuildAboutText());
    Keep(webHelpUrl, BuildWebHelpUrl());
    Keep(mailtoUrl, BuildMailtoUrl());
    CreateUiFonts(flavour);
    FixedText settings = BuildSettingsPath(exeDirectory);
    FixedText help = BuildHelpPath(exeDirectory);
    Keep(settingsPath, settings);
    Keep(helpPath, help);
    settingsAvailable = exeDirectoryFits && settings.fits;
    helpAvailable = exeDirectoryFits && help.fits;
}
