// Fixed texts, paths and the UI font choice built once at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

// Every fixed text and path lives in a buffer of this size; longer text is cut.
constexpr size_t kFixedTextSize = 256;

struct FixedText {
    char text[kFixedTextSize];
    bool fits;  // false when the formatted text was cut to the buffer
};

inline constexpr char kWebSiteBase[] = "https://veltrin.example.org/";
inline constexpr char kWebHelpPage[] = "velthelp.html";
inline constexpr char kSupportMail[] = "support@veltrin.example.org";

#if defined(__GNUC__)
#define VELTRIN_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define VELTRIN_PRINTF_LIKE(fmt, args)
#endif

// Bounded printf into a fixed buffer; the text is always terminated.
FixedText FormatFixedText(const char* format, ...) VELTRIN_PRINTF_LIKE(1, 2);

// "<name> <word><version>", as "Veltrin Ver.1.4.8.3" with the word "Ver.".
FixedText BuildCaption(const char* productName, const char* versionWord);
// The name, the word and the version, the description and the copyright, separated by "\n\r".
FixedText BuildAboutText(const char* productName, const char* versionWord, const char* description,
                         const char* copyright);
FixedText BuildWebHelpUrl();   // site base + "velthelp.html"
FixedText BuildMailtoUrl();    // "mailto:" + support address

// Paths beside the executable. A path that does not fit comes back empty with
// fits == false: the caller must treat the file as unavailable rather than use
// a cut path, which would name some other file.
FixedText BuildSettingsPath(const char* exeDirectory);  // dir + "\velt.ini"
FixedText BuildHelpPath(const char* exeDirectory, const char* helpFile);  // dir + "\" + file

// The executable's folder from the path that GetModuleFileNameA or GetLongPathNameA left in
// a buffer of `size` bytes, `length` being what the call returned. A path that filled the
// buffer was cut, and on 2000 and XP it is not even terminated: only the first `length` bytes
// are looked at, and such a folder is unusable (empty, fits == false), as after a failed call.
// The folder is the text before the last backslash, so "%s\name" names a file in it (at a
// drive's root too). `isLeadByte` tells the first bytes of double-byte characters: their
// second byte may be a backslash that separates nothing.
FixedText ExecutableFolder(const char* buffer, size_t size, size_t length, bool (*isLeadByte)(unsigned char));

struct UiFontChoice {
    const char* faceName;
    int32_t height;
};

// Meiryo 16 on the 6.0 and 6.1 flavours, MS UI Gothic 12 everywhere else. The Japanese
// family name where the ANSI code page is Japanese; elsewhere the Latin one, which every
// code page can spell.
UiFontChoice ChooseUiFont(const char* flavour, bool latinNames = false);
