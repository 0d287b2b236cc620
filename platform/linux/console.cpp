// Linux layer: the console.
//
// Implements GetStdHandle for standard output, AttachConsole and
// SetConsoleOutputCP: what a Windows GUI program calls to print to the
// console of the command prompt that started it.
// NOTE: a Linux program's output already goes to its terminal, if any:
// AttachConsole always fails (ERROR_INVALID_HANDLE, as Windows does for a
// program with no console to attach to), and SetConsoleOutputCP converts
// nothing.
// NOTE: only STD_OUTPUT_HANDLE is known; its handle is the file descriptor.

#include <fcntl.h>
#include <unistd.h>

#include "platform/linux/internal.h"

HANDLE WINAPI GetStdHandle(DWORD nStdHandle) {
  if (nStdHandle != STD_OUTPUT_HANDLE || fcntl(STDOUT_FILENO, F_GETFD) < 0) {
    SetLastErrorText(ERROR_INVALID_HANDLE, "standard output is closed");
    return INVALID_HANDLE_VALUE;
  }
  return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(STDOUT_FILENO));
}

BOOL WINAPI AttachConsole(DWORD) {
  SetLastErrorText(ERROR_INVALID_HANDLE, "a Linux program has no console to attach to");
  return FALSE;
}

BOOL WINAPI SetConsoleOutputCP(UINT) { return TRUE; }
