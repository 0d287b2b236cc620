// The ids of the program's own resources, shared by the code that loads
// them and the resource script that declares them
// (dist/windows/contapuntos.rc.in): plain macros, since the resource
// compiler reads only the preprocessor's lines.
#pragma once

// The program's icon: Explorer, the taskbar, the task switcher and the
// shortcuts show it.
#define IDI_CONTAPUNTOS 1
