/* The program's version, written here and nowhere else: the code, the resource script, the
   package's name and the shipped texts all take it from this file. Plain defines, because
   the resource compiler and CMake read it too. */
#pragma once

#define VELTRIN_VERSION_MAJOR 1
#define VELTRIN_VERSION_MINOR 4
#define VELTRIN_VERSION_BUILD 8
#define VELTRIN_VERSION_REVISION 3

#define VELTRIN_STRING_(x) #x
#define VELTRIN_STRING(x) VELTRIN_STRING_(x)
/* "1.4.8.3" */
#define VELTRIN_VERSION_TEXT \
    VELTRIN_STRING(VELTRIN_VERSION_MAJOR.VELTRIN_VERSION_MINOR.VELTRIN_VERSION_BUILD.VELTRIN_VERSION_REVISION)
