// Plain screen geometry values shared by the rule files (signed pixels, like RECT and POINT).
#pragma once

#include <cstdint>

struct Rect {
    int32_t left, top, right, bottom;
};

struct Point {
    int32_t x, y;
};

struct Size {
    int32_t width, height;
};
