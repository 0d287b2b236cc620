// Kernel services of the Linux layer: errors, files, the console, profile
// (INI) files and the program's own resources, declared as in Windows.
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
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_WRITE_FAULT 29L
#define ERROR_DISK_FULL 112L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_INVALID_HANDLE 6L

// --- Files --------------------------------------------------------------
// File names follow the profile functions' rule: a backslash is a folder
// separator, and a name without a folder is in the working folder.

typedef struct _SECURITY_ATTRIBUTES SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_APPEND_DATA 0x00000004u
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define FILE_SHARE_READ 0x00000001
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

// Copies the file's bytes and permission bits to lpNewFileName, replacing
// it. ERROR_FILE_NOT_FOUND when lpExistingFileName is missing,
// ERROR_PATH_NOT_FOUND when a folder of either name is.
// NOTE: bFailIfExists is not supported.
BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// With MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: renames a file in
// one step, within one file system, replacing an existing lpNewFileName in
// the same step, and the rename is on disk (the folder flushed) when the
// call returns.
// NOTE: other flags are not supported; a move to another file system fails
// with ERROR_NOT_SAME_DEVICE.
BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
// Opens an existing file for reading (GENERIC_READ) or for writing
// (GENERIC_WRITE), or with OPEN_ALWAYS a file, made empty when missing, to
// which every write is appended (FILE_APPEND_DATA); INVALID_HANDLE_VALUE,
// with the last error set, on failure.
// NOTE: only those three are supported; sharing modes, security
// attributes, flags and the template are not looked at.
// NOTE: a folder opens (reading it then fails); a named pipe opens without
// waiting for a writer, and reads as empty when there is none.
HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                          HANDLE hTemplateFile);
// Reads up to nNumberOfBytesToRead bytes from the file's position on; the
// count read goes to *lpNumberOfBytesRead, 0 at the end of the file.
// NOTE: overlapped reads are not supported (lpOverlapped must be NULL).
BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
// Writes nNumberOfBytesToWrite bytes at the file's position (at its end for
// a file opened to append); the count written goes to
// *lpNumberOfBytesWritten.
// NOTE: overlapped writes are not supported (lpOverlapped must be NULL).
BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
// Puts the file's written bytes on disk.
BOOL WINAPI FlushFileBuffers(HANDLE hFile);
// Closes a file handle from CreateFileA.
BOOL WINAPI CloseHandle(HANDLE hObject);

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010

// FILE_ATTRIBUTE_DIRECTORY for a folder; for any other file,
// FILE_ATTRIBUTE_READONLY when it is read-only, FILE_ATTRIBUTE_NORMAL when
// not; INVALID_FILE_ATTRIBUTES, with the last error set, when there is none.
// NOTE: read-only is a file whose owner may not write it (chmod u-w), which
// root writes all the same; no other attribute is given (hidden...).
DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);
// The full name of lpFileName: from the root, with "." and ".." folded away;
// *lpFilePart points at its last part. Returns its length, or the size it
// needs with the terminator when nBufferLength is too small.
// NOTE: the name is the one a Linux call opens, slashes for backslashes, and
// a last part named with other capitals spelled as the file is (names.cpp).
DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart);
// Makes lpPathName the working folder.
BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName);

// The full name of the program's file (hModule NULL), cut to nSize - 1
// characters and terminated. Returns its length, or nSize when it was cut.
// NOTE: only the program's own module (NULL) is known; the name is a Linux
// one, from the root with slashes.
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// --- Time ---------------------------------------------------------------

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *LPSYSTEMTIME;

// The date and time of the computer's time zone.
void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);

// --- Console ------------------------------------------------------------

#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define ATTACH_PARENT_PROCESS ((DWORD)-1)
#define CP_UTF8 65001

// The handle of standard output; INVALID_HANDLE_VALUE when it is closed.
HANDLE WINAPI GetStdHandle(DWORD nStdHandle);
// NOTE: a Linux program writes to its terminal without attaching to one:
// this fails, with ERROR_INVALID_HANDLE, as Windows does for a program that
// has no console to attach to.
BOOL WINAPI AttachConsole(DWORD dwProcessId);
// NOTE: text goes to the terminal as it is written; nothing is converted.
BOOL WINAPI SetConsoleOutputCP(UINT wCodePageID);

// --- Profile (INI) files ------------------------------------------------

// Copies the value of lpKeyName in section lpAppName of lpFileName into
// lpReturnedString, or lpDefault (NULL reads as "") when the file, section
// or key is missing; cut to nSize - 1 characters and terminated. Returns the
// characters copied, without the terminator (0 when nSize is 0). Names are
// matched without regard to case; blanks around the value and matching
// quotes are dropped. With lpKeyName NULL, copies the names of the section's
// keys instead, each ended by a NUL and the list by a second one, and
// returns the characters copied before that last NUL: nSize - 2 when the
// list was cut to fit; the default when there is none.
// NOTE: a backslash in lpFileName is a folder separator, so ".\\CPControl.ini"
// is CPControl.ini in the working folder; a name without a folder is taken
// in the working folder, not in the Windows folder.
// NOTE: listing the sections (lpAppName NULL) is not supported.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
// Sets lpKeyName in section lpAppName of lpFileName to lpString, creating the
// file, section or key where missing; returns FALSE, with the last error set,
// when the file could not be written.
// NOTE: every other byte of the file is kept as it was. As on Windows, the
// file is written in place: a process killed during a write may leave it
// part written. A caller that needs the file whole writes a copy and puts it
// in place with MoveFileExA. Deleting (lpKeyName or lpString NULL) is not
// supported.
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

}  // extern "C"
