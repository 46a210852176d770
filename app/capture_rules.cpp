// See capture_rules.h.
#include "app/capture_rules.h"

SizeRaise RaiseSavedSize(Size saved, Size current, Size minimum)
{
    SizeRaise raise{};
    Size now = current;
    if (saved.width < minimum.width) {
        raise.raiseWidth = true;
        now.width = minimum.width;
        raise.widthStep = now;
    }
    if (saved.height < minimum.height) {
        raise.raiseHeight = true;
        now.height = minimum.height;
        raise.heightStep = now;
    }
    return raise;
}
