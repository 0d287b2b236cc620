// Ends the program when it cannot go on (no window, no OpenGL context, the
// progress not saved, no memory left), telling it both to whoever reads the
// program's output and to the parent in front of the screen.
#pragma once

#include <cstddef>

#include "platform/platform.h"

// The program's full-screen window: a failure hides it before its message
// box, so that the box is seen.
void VentanaQueOcultarAlFallar(HWND ventana);

// Has Terminar call anotar(dato, <its line>) once, before its message box:
// whoever keeps a record of the run notes how it ended. anotar null forgets
// the last one.
void AlTerminar(void (*anotar)(void* dato, const char* linea), void* dato);

// Writes "contapuntos: <linea>" as one line on standard error, then calls
// what AlTerminar was given; where the system has a screen, also shows
// aviso (what happened and what to do, in Spanish and the same in English,
// Windows-1252) in a message box captioned "Contapuntos"; then exits with
// code 1.
[[noreturn]] void Terminar(const char* linea, const char* aviso);

// Terminar with the line "<que>: <the system's reason for the last failure>".
[[noreturn]] void TerminarPorFallo(const char* que, const char* aviso);

// The system's reason for the last failed call, as one line.
void RazonDelSistema(char* razon, std::size_t capacidad);
