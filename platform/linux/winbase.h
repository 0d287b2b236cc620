// Kernel services of the Linux layer: errors, profile (INI) files and the
// program's own resources, declared as in Windows.
#pragma once

#include <cstdarg>

#include "platform/linux/windef.h"

// Windows declares its API with C linkage; so does the layer.
extern "C" {

// --- Process entry ------------------------------------------------------

// The program's entry point, which the program defines; the layer's main()
// calls it with the module instance, NULL, the command line after the
// program's name, and SW_SHOWDEFAULT. Its result is the exit code.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

// --- Errors -------------------------------------------------------------

// The calling thread's last error code, as set by the layer's failing calls.
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);

#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000

// Writes the text of dwMessageId into lpBuffer (at most nSize bytes with the
// terminator); returns the characters written, 0 when it knows no text.
// NOTE: only FORMAT_MESSAGE_FROM_SYSTEM is supported, and for the last error
// the text is the reason given by the service that failed underneath.
DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                            LPSTR lpBuffer, DWORD nSize, va_list* Arguments);

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_INVALID_PIXEL_FORMAT 2000L
#define ERROR_NOT_SUPPORTED 50L

// --- Profile (INI) files ------------------------------------------------

// Copies the value of lpKeyName in section lpAppName of lpFileName into
// lpReturnedString, or lpDefault (NULL reads as "") when the file, section
// or key is missing; cut to nSize - 1 characters and terminated. Returns the
// characters copied, without the terminator (0 when nSize is 0). Names are
// matched without regard to case; blanks around the value and matching
// quotes are dropped.
// NOTE: a backslash in lpFileName is a folder separator, so ".\\CPControl.ini"
// is CPControl.ini in the working folder; a name without a folder is taken
// in the working folder, not in the Windows folder.
// NOTE: listing names (lpAppName or lpKeyName NULL) is not supported.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
// Sets lpKeyName in section lpAppName of lpFileName to lpString, creating the
// file, section or key where missing; returns FALSE, with the last error set
// and the file untouched, when the file could not be written.
// NOTE: every other byte of the file is kept as it was, and the file is
// replaced atomically (a crash leaves the old or the new file) with its
// permissions kept. Deleting (lpKeyName or lpString NULL) is not supported.
BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName);

// --- Resources ----------------------------------------------------------

// Looks up a resource of the program (hModule NULL) by name and type, both
// matched without regard to case; NULL when there is none, with
// ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND.
// NOTE: the resources are the recordings built into the program, each of
// type "WAVE" and named after its file in resources/ ("7.WAV"); integer
// names and types (MAKEINTRESOURCE) find none. hModule is not looked at.
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// The handle of the resource's bytes; NULL for a handle that FindResourceA
// did not give.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
// The address of the resource's bytes, valid for the life of the process.
LPVOID WINAPI LockResource(HGLOBAL hResData);
// The resource's size in bytes; 0 for a handle that FindResourceA did not
// give.
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Releases nothing: the program's own resources live as long as it does.
BOOL WINAPI FreeResource(HGLOBAL hResData);

}  // extern "C"
