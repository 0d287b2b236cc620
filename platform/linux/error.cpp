// Linux layer: the thread's last error.
//
// Implements GetLastError, SetLastError and FormatMessageA for the system's
// messages, and turns the C library's errors into Windows' codes.
// NOTE: the text of the last error is the reason that the failing service
// gave (SDL's message, the C library's strerror), not a system message table.
// NOTE: there is one last error for the process: the program is single-threaded.
// NOTE: a missing file gives ERROR_FILE_NOT_FOUND, a missing folder on its
// way ERROR_PATH_NOT_FOUND, as on Windows; other C library errors map to the
// nearest Windows code, ERROR_WRITE_FAULT when there is none.

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/internal.h"

namespace {

struct ErrorState {
  DWORD code = ERROR_SUCCESS;
  std::string reason;
};
ErrorState state;

const char* GenericText(DWORD code) {
  switch (code) {
    case ERROR_SUCCESS:
      return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND:
      return "The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND:
      return "The system cannot find the path specified.";
    case ERROR_ACCESS_DENIED:
      return "Access is denied.";
    case ERROR_INVALID_PARAMETER:
      return "The parameter is incorrect.";
    case ERROR_NOT_SUPPORTED:
      return "The request is not supported.";
    default:
      return nullptr;
  }
}

// Whether the folder that holds path is missing (or is not a folder).
bool FolderMissing(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat info {};
  return stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

}  // namespace

DWORD WINAPI GetLastError(void) { return state.code; }

void WINAPI SetLastError(DWORD dwErrCode) {
  state.code = dwErrCode;
  state.reason.clear();
}

void SetLastErrorText(DWORD code, const std::string& reason) {
  state.code = code;
  state.reason = reason;
}

BOOL FailWithErrno(int error, const std::string& what, std::initializer_list<std::string> paths) {
  DWORD code = ERROR_WRITE_FAULT;
  switch (error) {
    case ENOENT:
      // Windows tells a missing folder on the way from a missing file.
      code = std::any_of(paths.begin(), paths.end(), FolderMissing) ? ERROR_PATH_NOT_FOUND
                                                                    : ERROR_FILE_NOT_FOUND;
      break;
    case ENOTDIR:
      code = ERROR_PATH_NOT_FOUND;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      code = ERROR_ACCESS_DENIED;
      break;
    case EEXIST:
      code = ERROR_ALREADY_EXISTS;
      break;
    case EXDEV:
      code = ERROR_NOT_SAME_DEVICE;
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      code = ERROR_DISK_FULL;
      break;
  }
  SetLastErrorText(code, what + ": " + std::strerror(error));
  return FALSE;
}

DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPSTR lpBuffer,
                            DWORD nSize, va_list*) {
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || lpBuffer == nullptr || nSize == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string text;
  if (dwMessageId == state.code && !state.reason.empty()) {
    text = state.reason;
  } else if (const char* generic = GenericText(dwMessageId)) {
    text = generic;
  } else {
    text = "Error " + std::to_string(dwMessageId) + ".";
  }
  const size_t length = std::min<size_t>(text.size(), nSize - 1);
  std::memcpy(lpBuffer, text.data(), length);
  lpBuffer[length] = '\0';
  return static_cast<DWORD>(length);
}
