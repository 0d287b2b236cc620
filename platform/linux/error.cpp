// Linux layer: the thread's last error.
//
// Implements GetLastError, SetLastError and FormatMessageA for the system's
// messages, and turns the C library's errors into Windows' codes.
// NOTE: the text of the last error is the reason that the failing service
// gave (SDL's message, the C library's strerror), not a system message table.
// NOTE: there is one last error for the process: the program is single-threaded.

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

BOOL FailWithErrno(int error, const std::string& what) {
  DWORD code = ERROR_WRITE_FAULT;
  switch (error) {
    case ENOENT:
      code = ERROR_FILE_NOT_FOUND;
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
