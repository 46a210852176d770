// Fixed texts, paths and the UI font choice built once at start-up.
#include "core/startup_rules.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/version.h"

namespace {

FixedText BuildPath(const char* exeDirectory, const char* fileName)
{
    FixedText path = FormatFixedText("%s\\%s", exeDirectory, fileName);
    if (!path.fits) {
        path.text[0] = '\0';
    }
    return path;
}

}  // namespace

FixedText FormatFixedText(const char* format, ...)
{
    FixedText result{};
    va_list args;
    va_start(args, format);
    const int needed = std::vsnprintf(result.text, sizeof result.text, format, args);
    va_end(args);
    // Some C runtimes answer -1 instead of the needed length when the text is cut.
    result.fits = needed >= 0 && static_cast<size_t>(needed) < sizeof result.text;
    result.text[sizeof result.text - 1] = '\0';
    return result;
}

FixedText BuildCaption(const char* productName, const char* versionWord)
{
    return FormatFixedText("%s %s%s", productName, versionWord, VELTRIN_VERSION_TEXT);
}

FixedText BuildAboutText(const char* productName, const char* versionWord, const char* description,
                         const char* copyright)
{
    return FormatFixedText("%s\n\r%s %s\n\r%s\n\r%s", productName, versionWord, VELTRIN_VERSION_TEXT, description,
                           copyright);
}

FixedText BuildWebHelpUrl()
{
    return FormatFixedText("%s%s", kWebSiteBase, kWebHelpPage);
}

FixedText BuildMailtoUrl()
{
    return FormatFixedText("mailto:%s", kSupportMail);
}

FixedText BuildSettingsPath(const char* exeDirectory)
{
    return BuildPath(exeDirectory, "velt.ini");
}

FixedText BuildHelpPath(const char* exeDirectory, const char* helpFile)
{
    return BuildPath(exeDirectory, helpFile);
}

FixedText ExecutableFolder(const char* buffer, size_t size, size_t length, bool (*isLeadByte)(unsigned char))
{
    FixedText folder{};
    if (length == 0 || length >= size || length >= sizeof folder.text) return folder;
    size_t cut = length;
    for (size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(buffer[i]);
        if (byte == '\\') {
            cut = i;
        } else if (isLeadByte(byte)) {
            ++i;
        }
    }
    if (cut == length) return folder;
    std::memcpy(folder.text, buffer, cut);
    folder.fits = true;
    return folder;
}

UiFontChoice ChooseUiFont(const char* flavour, bool latinNames)
{
    if (std::strcmp(flavour, "6.0") == 0 || std::strcmp(flavour, "6.1") == 0) {
        return {latinNames ? "Meiryo" : "メイリオ", 16};
    }
    return {"MS UI Gothic", 12};
}
