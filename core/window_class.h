// Registration of the program's window classes, which share most of their fields.
#pragma once

#include <windows.h>

// CS_DBLCLKS plus `extraStyle`, the arrow cursor, no menu, no extra bytes; the icon MainIconName
// when `withIcon`; `background` is a system colour index.
void RegisterProgramClass(const char* name, WNDPROC procedure, UINT extraStyle = 0, bool withIcon = true,
                          int background = COLOR_BTNFACE);
