// Stands in for the shell's openers (text editor, web browser, mail client, control panel):
// it only records the command line it was started with, so tests can see what was opened.
#include <windows.h>
#include <cstdio>
#include <cstring>

static const char* SkipProgramName(const char* line)
{
    if (*line == '"') {
        line = std::strchr(line + 1, '"');
        line = line ? line + 1 : "";
    } else {
        while (*line && *line != ' ') ++line;
    }
    while (*line == ' ') ++line;
    return line;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char journal[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("VT_OPENER_JOURNAL", journal, sizeof journal);
    if (n == 0 || n >= sizeof journal) {
        GetModuleFileNameA(nullptr, journal, sizeof journal);
        char* slash = std::strrchr(journal, '\\');
        if (slash) std::strcpy(slash + 1, "opener-journal.txt");
    }
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    const char* name = std::strrchr(program, '\\');
    name = name ? name + 1 : program;

    FILE* f = std::fopen(journal, "ab");
    if (!f) return 1;
    std::fprintf(f, "%lu\t%s\topen\t%s\r\n", GetTickCount(), name, SkipProgramName(GetCommandLineA()));
    std::fclose(f);
    return 0;
}
