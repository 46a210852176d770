// Start-up preparation: the executable's folder, the paths beside it, the fixed texts and
// the two user-interface fonts.
#include "core/environment.h"

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

static bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void GetExeDirectory()
{
    char path[kFixedTextSize] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // Only a whole path is made long, and it is terminated first: a path that filled the
    // buffer comes back without its zero on 2000 and XP. 0 (failed, or no such function)
    // keeps the path as it was.
    if (length > 0 && length < sizeof path) {
        path[length] = '\0';
        DWORD longLength = LongPathNameInPlace(path, sizeof path);
        if (longLength != 0) length = longLength;
    }
    FixedText folder = ExecutableFolder(path, sizeof path, length, IsLeadByte);
    exeDirectoryFits = folder.fits;
    Keep(exeDirectory, folder);
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
