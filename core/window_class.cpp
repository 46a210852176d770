// Registers a window class of the program.
#include "core/window_class.h"

#include "core/messages.h"
#include "core/shared_state.h"
#include "core/text_calls.h"

void RegisterProgramClass(const char* name, WNDPROC procedure, UINT extraStyle, bool withIcon, int background)
{
    WNDCLASSA c{};
    c.style = CS_DBLCLKS | extraStyle;
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hIcon = withIcon ? LoadIconA(instance, MainIconName) : nullptr;
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    c.lpszClassName = name;
    RegisterTextClass(c);
}
