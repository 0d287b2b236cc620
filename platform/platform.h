// The engine's one door to the operating system.
//
// On Windows this is <windows.h> with OpenGL and GLU. Elsewhere it is our
// own Windows-shaped layer (platform/linux/), declared with Windows' names,
// signatures, types and constants, so that every engine file compiles
// unchanged on both systems. Only the calls the engine makes are declared.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// Microsoft's <windows.h> defines min and max as macros, in C++ too, which
// would break std::min and std::max in every engine file; the Linux layer
// has no such macros.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#else
#include "platform/linux/windef.h"
#include "platform/linux/winbase.h"
#include "platform/linux/winuser.h"
#include "platform/linux/wingdi.h"
#include "platform/linux/mmsystem.h"
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/common/frame_rate.h"
#include "platform/common/wave.h"
