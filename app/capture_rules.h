// Decisions of the capture over plain values.
#pragma once

#include "taskbar/geometry_types.h"

// A saved size below the minimum is raised in two steps, first the width, then the height.
// `widthStep` / `heightStep` are the sizes to set, each only when its `raise...` is true;
// the height step keeps the width as the width step left it.
struct SizeRaise {
    bool raiseWidth;
    Size widthStep;
    bool raiseHeight;
    Size heightStep;
};
SizeRaise RaiseSavedSize(Size saved, Size current, Size minimum);
