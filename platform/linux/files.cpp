// Linux layer: files.
//
// Implements what the program calls of them: CopyFileA, MoveFileExA with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, DeleteFileA,
// CreateFileA of an existing file for reading or for writing, or of any
// file to append to, ReadFile, WriteFile, FlushFileBuffers, CloseHandle,
// GetFileAttributesA, GetFullPathNameA and
// SetCurrentDirectoryA, on the C library's files; a file handle is the file
// descriptor. GetModuleFileNameA names the program's file, from
// /proc/self/exe.
// File names are taken as names.cpp says: a backslash is a folder separator,
// and the case of a name's last part need not match.
// Not implemented: CopyFileA's bFailIfExists, moves without those two flags,
// CreateFileA's other dispositions and access modes (each fails with
// ERROR_NOT_SUPPORTED); sharing modes, security attributes, file flags and
// templates are not looked at.
// NOTE: CreateFileA opens a folder (reading it then fails) and a named pipe
// (without waiting for a writer: it reads as empty when there is none);
// Windows refuses the one and has none of the other in a folder.
// NOTE: a file that CreateFileA makes has the permissions 0666 less the
// process's umask.
// NOTE: ReadFile and WriteFile take no overlapped (asynchronous) handles.
// NOTE: CopyFileA copies the bytes and the permission bits, not the owner or
// the times; the copy is not flushed to disk (FlushFileBuffers does that).
// NOTE: a move to another file system fails with ERROR_NOT_SAME_DEVICE.
// NOTE: GetFileAttributesA tells a folder from a file, and a file is
// read-only when its owner may not write it (root writes it all the same).
// NOTE: GetModuleFileNameA knows the program's own module alone (NULL), and
// its name is a Linux one.
// NOTE: GetFullPathNameA gives the name a Linux call opens (slashes, and a
// last part spelled as the file is when only its capitals differ).

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/linux/internal.h"

namespace {

int FileDescriptor(HANDLE hFile) { return static_cast<int>(reinterpret_cast<LONG_PTR>(hFile)); }

// The folder that holds path, for flushing the renames made in it.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Puts the folder's entries (a rename) on disk. Some file systems refuse to
// flush folders; that changes nothing for the caller, so it is not checked.
void FlushFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

int ReadAll(int fd, std::string* text) {
  char chunk[4096];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got > 0) {
      text->append(chunk, static_cast<size_t>(got));
    } else if (got == 0) {
      return 0;
    } else if (errno != EINTR) {
      return errno;
    }
  }
}

int WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno != EINTR) return errno;
    if (wrote > 0) done += static_cast<size_t>(wrote);
  }
  return 0;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  if (bFailIfExists) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, "CopyFileA cannot keep an existing file");
    return FALSE;
  }
  const std::string from = LinuxPath(lpExistingFileName);
  const std::string to = LinuxPath(lpNewFileName);
  const int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) return FailWithErrno(errno, "cannot read " + from, {from});
  std::string bytes;
  struct stat info {};
  int error = fstat(source, &info) == 0 ? ReadAll(source, &bytes) : errno;
  close(source);
  if (error != 0) return FailWithErrno(error, "cannot read " + from, {from});
  const int target = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 07777);
  if (target < 0) return FailWithErrno(errno, "cannot create " + to, {to});
  error = fchmod(target, info.st_mode & 07777) == 0 ? WriteAll(target, bytes) : errno;
  if (close(target) != 0 && error == 0) error = errno;
  if (error != 0) return FailWithErrno(error, "cannot write " + to, {to});
  return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  if (dwFlags != (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, "MoveFileExA only replaces, written through");
    return FALSE;
  }
  const std::string from = LinuxPath(lpExistingFileName);
  const std::string to = LinuxPath(lpNewFileName);
  if (rename(from.c_str(), to.c_str()) != 0) {
    return FailWithErrno(errno, "cannot move " + from + " to " + to, {from, to});
  }
  FlushFolder(FolderOf(to));
  if (FolderOf(from) != FolderOf(to)) FlushFolder(FolderOf(from));
  return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  const std::string path = LinuxPath(lpFileName);
  if (unlink(path.c_str()) != 0) return FailWithErrno(errno, "cannot delete " + path, {path});
  return TRUE;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD dwCreationDisposition, DWORD, HANDLE) {
  const bool append =
      dwCreationDisposition == OPEN_ALWAYS && dwDesiredAccess == FILE_APPEND_DATA;
  if (!append && (dwCreationDisposition != OPEN_EXISTING ||
                  (dwDesiredAccess != GENERIC_READ && dwDesiredAccess != GENERIC_WRITE))) {
    SetLastErrorText(ERROR_NOT_SUPPORTED,
                     "CreateFileA only opens existing files, for reading or for writing, "
                     "or any file to append to");
    return INVALID_HANDLE_VALUE;
  }
  const std::string path = LinuxPath(lpFileName);
  // Without blocking, so that a pipe of that name cannot hold the caller up;
  // regular files ignore the flag.
  const int mode = append ? O_WRONLY | O_APPEND | O_CREAT
                          : dwDesiredAccess == GENERIC_READ ? O_RDONLY : O_WRONLY;
  const int fd = open(path.c_str(), mode | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    FailWithErrno(errno, "cannot open " + path, {path});
    return INVALID_HANDLE_VALUE;
  }
  return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(fd));
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
  *lpNumberOfBytesRead = 0;
  ssize_t got;
  do {
    got = read(FileDescriptor(hFile), lpBuffer, nNumberOfBytesToRead);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return FailWithErrno(errno, "cannot read a file", {});
  *lpNumberOfBytesRead = static_cast<DWORD>(got);
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
  *lpNumberOfBytesWritten = 0;
  ssize_t wrote;
  do {
    wrote = write(FileDescriptor(hFile), lpBuffer, nNumberOfBytesToWrite);
  } while (wrote < 0 && errno == EINTR);
  if (wrote < 0) return FailWithErrno(errno, "cannot write a file", {});
  *lpNumberOfBytesWritten = static_cast<DWORD>(wrote);
  return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  if (fsync(FileDescriptor(hFile)) != 0) return FailWithErrno(errno, "cannot flush a file", {});
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
  if (close(FileDescriptor(hObject)) != 0) return FailWithErrno(errno, "cannot close a file", {});
  return TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  const std::string path = LinuxPath(lpFileName);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    FailWithErrno(errno, "cannot find " + path, {path});
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart) {
  std::string path = LinuxPath(lpFileName);
  if (path.empty() || path[0] != '/') {
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr) {
      FailWithErrno(errno, "cannot tell the working folder", {});
      return 0;
    }
    path = std::string(here) + "/" + path;
  }
  // The parts of the name, "." and ".." folded away as Windows does, by the
  // name alone.
  std::vector<std::string> parts;
  for (size_t begin = 0; begin <= path.size();) {
    const size_t end = std::min(path.find('/', begin), path.size());
    const std::string part = path.substr(begin, end - begin);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    begin = end + 1;
  }
  std::string full;
  for (const std::string& part : parts) full += "/" + part;
  if (full.empty() || path.back() == '/') full += "/";
  if (full.size() + 1 > nBufferLength) return static_cast<DWORD>(full.size() + 1);
  std::memcpy(lpBuffer, full.c_str(), full.size() + 1);
  if (lpFilePart != nullptr) {
    *lpFilePart = full.back() == '/' ? nullptr : lpBuffer + full.rfind('/') + 1;
  }
  return static_cast<DWORD>(full.size());
}

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR lpFilename, DWORD nSize) {
  if (nSize == 0) return 0;
  const ssize_t length = readlink("/proc/self/exe", lpFilename, nSize);
  if (length < 0) {
    lpFilename[0] = '\0';
    FailWithErrno(errno, "cannot tell the program's file", {});
    return 0;
  }
  if (static_cast<DWORD>(length) >= nSize) {
    lpFilename[nSize - 1] = '\0';
    return nSize;
  }
  lpFilename[length] = '\0';
  return static_cast<DWORD>(length);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
  const std::string path = LinuxPath(lpPathName);
  if (chdir(path.c_str()) != 0) return FailWithErrno(errno, "cannot enter " + path, {path});
  return TRUE;
}
