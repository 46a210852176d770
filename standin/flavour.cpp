#include "flavour.h"

namespace {

// The captions are the ones Japanese Windows gives its toolbars; only 5.1 carries the
// "通知領域" caption, so that a 5.2 or 6.x taskbar is not mistaken for 5.1.
const Flavour flavours[] = {
    {"4.0", false, false, false, false, false, nullptr},
    {"4.10", false, false, false, false, false, nullptr},
    {"4.20", false, false, false, false, false, nullptr},
    {"4.90", false, false, false, false, false, nullptr},
    {"5.0", false, false, false, false, false, nullptr},
    {"5.1", true, false, false, false, false, "通知領域"},
    {"5.2", true, false, false, false, false, nullptr},
    {"6.0", true, true, false, false, true, "ユーザー プロモート通知領域"},
    {"6.1", true, false, true, false, true, "ユーザー プロモート通知領域"},
    {"6.2", true, false, true, true, true, "ユーザー プロモート通知領域"},
};

}  // namespace

const Flavour* FindFlavour(const std::string& name)
{
    for (const Flavour& flavour : flavours) {
        if (name == flavour.name) return &flavour;
    }
    return nullptr;
}
