// Start-up preparation: the executable's folder, the paths beside it, the fixed texts and
// the two user-interface fonts.
#include "core/environment.h"

#include <cstddef>
#include <cstring>

#include "core/optional_functions.h"
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
