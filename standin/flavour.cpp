#include "flavour.h"

namespace {

// The captions up to 6.2 are the ones Japanese Windows gives its toolbars; only 5.1 carries
// the "通知領域" caption, so that a 5.2 or 6.x taskbar is not mistaken for 5.1. The layouts
// of Windows 10 and 11 are modelled on public descriptions, which give English captions.
const Flavour flavours[] = {
    {"4.0", false, false, false, false, false, nullptr, false, Island::none},
    {"4.10", false, false, false, false, false, nullptr, false, Island::none},
    {"4.20", false, false, false, false, false, nullptr, false, Island::none},
    {"4.90", false, false, false, false, false, nullptr, false, Island::none},
    {"5.0", false, false, false, false, false, nullptr, false, Island::none},
    {"5.1", true, false, false, false, false, "通知領域", false, Island::none},
    {"5.2", true, false, false, false, false, nullptr, false, Island::none},
    {"6.0", true, true, false, false, true, "ユーザー プロモート通知領域", false, Island::none},
    {"6.1", true, false, true, false, true, "ユーザー プロモート通知領域", false, Island::none},
    {"6.2", true, false, true, true, true, "ユーザー プロモート通知領域", false, Island::none},
    {"10", true, false, true, false, false, "User Promoted Notification Area", true, Island::none},
    // The show-desktop strip is not known on 21H2; it stands right of the clock, which the
    // island draws there, so this layout takes it for drawn by the island too.
    {"11-21h2", true, false, false, false, false, "User Promoted Notification Area", true, Island::newParts},
    {"11", true, false, false, false, false, "User Promoted Notification Area", true, Island::wholeTray},
};

}  // namespace

const Flavour* FindFlavour(const std::string& name)
{
    for (const Flavour& flavour : flavours) {
        if (name == flavour.name) return &flavour;
    }
    return nullptr;
}
