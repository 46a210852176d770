// The program's own clock tooltip, on flavours whose clock has none of its own.
#pragma once

void CreateClockTipWindow();
