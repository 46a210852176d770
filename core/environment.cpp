// Start-up preparation: the executable's folder, the paths beside it, the fixed texts and
// the two user-interface fonts.
#include "core/environment.h"

#include <cstddef>
#include <cstring>

#include "core/optional_functions.h"
#include "core/test_switches.h"
#include "core/text_calls.h"
#include "core/texts.h"

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

// The program's own path, as GetModuleFileNameA's result. 95 and 98 give it in its short
// form when the program was started by it; Wine always gives the long one, so a test switch
// asks for the short form there (looked up, so that the test build imports nothing more).
static DWORD ModulePath(char* path, DWORD size)
{
    DWORD(WINAPI * getShortPathNameA)(LPCSTR, LPSTR, DWORD) = nullptr;
    if (TestSwitchOn("SHORT_MODULE_PATH") &&
        LookUpFunction(GetModuleHandleA("kernel32.dll"), "GetShortPathNameA", getShortPathNameA)) {
        char full[1024] = {};
        const DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
        if (length > 0 && length < sizeof full) return getShortPathNameA(full, path, size);
    }
    return GetModuleFileNameA(nullptr, path, size);
}

void GetExeDirectory()
{
    char path[kFixedTextSize] = {};
    DWORD length = ModulePath(path, sizeof path);
    // Only a whole path is made long, and it is terminated first: a path that filled the
    // buffer comes back without its zero on 2000 and XP. The long form is taken only where
    // it fits; otherwise (failed, no such function, or too long) the short form that fits
    // stays, which names the same folder.
    if (length > 0 && length < sizeof path) {
        path[length] = '\0';
        char longPath[kFixedTextSize] = {};
        const DWORD longLength = LongPathName(path, longPath, sizeof longPath);
        if (longLength > 0 && longLength < sizeof longPath) {
            std::memcpy(path, longPath, longLength + 1);
            length = longLength;
        }
    }
    FixedText folder = ExecutableFolder(path, sizeof path, length, IsLeadByte);
    exeDirectoryFits = folder.fits;
    Keep(exeDirectory, folder);
}

// In English, the face and size the system gives its message boxes, as a user of any
// version knows them; 95 and NT 4.0 know the record only without its last field.
static bool CreateMessageFonts()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    LOGFONTA face{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        face = metrics.lfMessageFont;
    } else if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face)) {
        return false;
    }
    uiFont = CreateFontIndirectA(&face);
    face.lfUnderline = TRUE;
    linkFont = CreateFontIndirectA(&face);
    return uiFont != nullptr;
}

void CreateUiFonts(const char* flavour)
{
    if (TextLanguage() == Language::english && CreateMessageFonts()) return;
    UiFontChoice choice = ChooseUiFont(flavour, WideTexts());
    uiFont = CreateFontA(choice.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         0, 0, 0, FF_MODERN, choice.faceName);
    linkFont = CreateFontA(choice.height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, SHIFTJIS_CHARSET,
                           0, 0, 0, FF_MODERN, choice.faceName);
}

void InitEnvironment()
{
    GetExeDirectory();
    LoadOptionalFunctions();
    Keep(webHelpUrl, BuildWebHelpUrl());
    Keep(mailtoUrl, BuildMailtoUrl());
    FixedText settings = BuildSettingsPath(exeDirectory);
    Keep(settingsPath, settings);
    settingsAvailable = exeDirectoryFits && settings.fits;
}

void InitTexts(const char* flavour, int32_t languageSetting)
{
    LoadTexts(languageSetting);
    Keep(caption, BuildCaption(Text(TEXT_PRODUCT_NAME), Text(TEXT_CAPTION_VERSION)));
    Keep(aboutText, BuildAboutText(Text(TEXT_PRODUCT_NAME), Text(TEXT_ABOUT_VERSION), Text(TEXT_ABOUT_DESCRIPTION),
                                   Text(TEXT_COPYRIGHT)));
    CreateUiFonts(flavour);
    FixedText help = BuildHelpPath(exeDirectory, Text(TEXT_HELP_FILE));
    Keep(helpPath, help);
    helpAvailable = exeDirectoryFits && help.fits;
}
