// Ends the program when the platform cannot give what it must (a window, an
// OpenGL context), instead of running on without them.
#pragma once

// Writes "contapuntos: <que>: <the platform's reason>" as one line on
// standard error and exits with code 1.
[[noreturn]] void TerminarPorFallo(const char* que);
