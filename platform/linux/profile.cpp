// Linux layer: profile (INI) files, as plain text files read on every call.
//
// Implements GetPrivateProfileStringA and WritePrivateProfileStringA with a
// section and a key given. A line "[name]" opens a section, a line
// "key=value" sets a key, a line whose first non-blank character is ';' is a
// comment. Names match without regard to case; blanks (spaces, tabs) around
// names and values are ignored; a value in matching double or single quotes
// reads without them; CRLF and LF line ends read alike. The first section of
// a name and its first key of a name count.
// A write changes only the value of the key, keeping the line's key spelling,
// blanks and line end; a missing key is added right after the last key line
// of its section (blank lines and comments after it stay below it), a missing
// section at the end of the file after a blank line. New lines take the line
// end of the file's first line (CRLF for a new file). The file is replaced
// atomically: a crash or kill at any moment leaves the old file or the new.
// NOTE: a backslash in a file name is a folder separator (".\\CPControl.ini"
// is CPControl.ini in the working folder), and a name without a folder is
// taken in the working folder, not in the Windows folder.
// NOTE: the list forms (NULL section or key) and the delete forms (NULL key
// or value) are not supported: they fail with ERROR_NOT_SUPPORTED and leave
// the file alone.
// NOTE: a line whose first non-blank character is ';' is a comment, never a
// key; Windows reads ";key=value" as a key named ";key".
// NOTE: names match by ASCII case only; other bytes must be equal.
// NOTE: a UTF-8 byte-order mark at the start of the file is skipped (and kept
// on writes); Windows takes it as part of the first line. UTF-16 files are
// not understood.
// NOTE: a line in a section that is neither a comment nor has an '=' is kept
// but names no key.
// NOTE: a write makes a new file in place of the old one: it keeps the old
// file's permission bits (a new file gets 0666 less the umask) but not its
// owner or hard links; a symbolic link is followed. A process killed during
// a write may leave a hidden temporary ".name.XXXXXX" beside the file.
// NOTE: a write that fails sets ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
// ERROR_DISK_FULL or ERROR_WRITE_FAULT from the C library's reason, which
// FormatMessageA gives as the text.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/internal.h"

namespace {

constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_DISK_FULL = 112;

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// One line of a file: its text is [begin, end), without the line end; the
// next line starts at next.
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

// Where a key of a section sits in a file's text.
struct Place {
  bool sectionFound = false;
  bool keyFound = false;
  // The key's value, blanks around it excluded.
  size_t valueBegin = 0;
  size_t valueEnd = 0;
  // Where a missing key goes: after the section's last key line, or after its
  // header when it has none.
  size_t insertAt = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

Line LineAt(const std::string& text, size_t begin) {
  const size_t newline = text.find('\n', begin);
  if (newline == std::string::npos) return {begin, text.size(), text.size()};
  const size_t end = newline > begin && text[newline - 1] == '\r' ? newline - 1 : newline;
  return {begin, end, newline + 1};
}

void Trim(const std::string& text, size_t* begin, size_t* end) {
  while (*begin < *end && IsBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& text, size_t begin, size_t end, const char* name) {
  if (std::strlen(name) != end - begin) return false;
  for (size_t i = begin; i < end; ++i, ++name) {
    if (Lower(text[i]) != Lower(*name)) return false;
  }
  return true;
}

Place Find(const std::string& text, const char* section, const char* key) {
  Place place;
  bool inSection = false;
  size_t pos = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  while (pos < text.size()) {
    const Line line = LineAt(text, pos);
    pos = line.next;
    size_t begin = line.begin;
    size_t end = line.end;
    Trim(text, &begin, &end);
    if (begin == end || text[begin] == ';') continue;
    if (text[begin] == '[') {
      // Only the first section of the name counts.
      if (inSection) break;
      size_t nameBegin = begin + 1;
      size_t nameEnd = std::min(text.find(']', nameBegin), end);
      Trim(text, &nameBegin, &nameEnd);
      inSection = SameName(text, nameBegin, nameEnd, section);
      if (inSection) {
        place.sectionFound = true;
        place.insertAt = line.next;
      }
      continue;
    }
    const size_t equals = text.find('=', begin);
    if (!inSection || equals >= end) continue;
    place.insertAt = line.next;
    size_t keyEnd = equals;
    Trim(text, &begin, &keyEnd);
    if (SameName(text, begin, keyEnd, key)) {
      place.keyFound = true;
      place.valueBegin = equals + 1;
      place.valueEnd = end;
      Trim(text, &place.valueBegin, &place.valueEnd);
      return place;
    }
  }
  return place;
}

// The line end new lines take: that of the first line, CRLF when none.
std::string LineEndOf(const std::string& text) {
  const size_t newline = text.find('\n');
  if (newline == std::string::npos || (newline > 0 && text[newline - 1] == '\r')) return "\r\n";
  return "\n";
}

bool EndsWithBlankLine(const std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  const size_t previous = text.size() >= 2 ? text.rfind('\n', text.size() - 2) : std::string::npos;
  size_t begin = previous == std::string::npos ? 0 : previous + 1;
  const Line line = LineAt(text, begin);
  size_t end = line.end;
  Trim(text, &begin, &end);
  return begin == end;
}

// The file's text with key of section set to value.
std::string WithValue(const std::string& text, const char* section, const char* key,
                      const char* value) {
  const Place place = Find(text, section, key);
  if (place.keyFound) {
    return text.substr(0, place.valueBegin) + value + text.substr(place.valueEnd);
  }
  const std::string lineEnd = LineEndOf(text);
  const std::string entry = std::string(key) + "=" + value + lineEnd;
  if (place.sectionFound) {
    std::string before = text.substr(0, place.insertAt);
    if (before.back() != '\n') before += lineEnd;
    return before + entry + text.substr(place.insertAt);
  }
  std::string result = text;
  if (!result.empty() && result.back() != '\n') result += lineEnd;
  if (!result.empty() && !EndsWithBlankLine(result)) result += lineEnd;
  return result + "[" + section + "]" + lineEnd + entry;
}

// The file name as Linux takes it: backslashes become slashes.
std::string PathOf(LPCSTR fileName) {
  std::string path = fileName;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// Reads the whole file; 0 or the errno of the failure. mode, when given,
// receives the file's permission bits.
int ReadFileText(const std::string& path, std::string* text, mode_t* mode) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info;
  int error = fstat(fd, &info) == 0 ? 0 : errno;
  if (error == 0 && mode) *mode = info.st_mode & 07777;
  char chunk[4096];
  while (error == 0) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got > 0) {
      text->append(chunk, static_cast<size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      error = errno;
    }
  }
  close(fd);
  return error;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno != EINTR) return false;
    if (wrote > 0) done += static_cast<size_t>(wrote);
  }
  return true;
}

BOOL Fail(int error, const std::string& what) {
  DWORD code = ERROR_WRITE_FAULT;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      code = ERROR_PATH_NOT_FOUND;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      code = ERROR_ACCESS_DENIED;
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

// Puts text in place of the file at path with the given permission bits:
// written to a temporary file in the same folder, flushed to disk, renamed
// over the old file, and the folder flushed, so that the file is at every
// moment either wholly old or wholly new. On failure the old file is left as
// it was and the temporary file removed.
BOOL ReplaceFile(const std::string& path, const std::string& text, mode_t mode) {
  const size_t slash = path.rfind('/');
  const std::string folderPrefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string folder = folderPrefix.empty() ? "." : folderPrefix;
  std::string temporary = folderPrefix + "." + path.substr(folderPrefix.size()) + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return Fail(errno, "cannot create a temporary file for " + path);
  int error = 0;
  if (fchmod(fd, mode) != 0 || !WriteAll(fd, text) || fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    return Fail(error, "cannot write " + path);
  }
  // The rename is done; flushing the folder makes it last through a power
  // cut. Some file systems refuse to flush folders, which changes nothing
  // for the caller, so the result is not checked.
  const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return TRUE;
}

mode_t NewFileMode() {
  // umask can only be read by setting it; the layer is single-threaded.
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (nSize == 0) return 0;
  if (!lpAppName || !lpKeyName || !lpFileName) {
    lpReturnedString[0] = '\0';
    if (nSize > 1) lpReturnedString[1] = '\0';
    SetLastErrorText(ERROR_NOT_SUPPORTED, "profile names cannot be listed");
    return 0;
  }
  std::string text;
  std::string value;
  const Place place = ReadFileText(PathOf(lpFileName), &text, nullptr) == 0
                          ? Find(text, lpAppName, lpKeyName)
                          : Place();
  if (place.keyFound) {
    size_t begin = place.valueBegin;
    size_t end = place.valueEnd;
    const char first = end - begin >= 2 ? text[begin] : '\0';
    if ((first == '"' || first == '\'') && text[end - 1] == first) {
      ++begin;
      --end;
    }
    value = text.substr(begin, end - begin);
  } else {
    // As on Windows, trailing blanks of the default are dropped, and the
    // last error says that the value was not found.
    value = lpDefault ? lpDefault : "";
    while (!value.empty() && IsBlank(value.back())) value.pop_back();
    SetLastError(ERROR_FILE_NOT_FOUND);
  }
  const size_t length = std::min<size_t>(value.size(), nSize - 1);
  std::memcpy(lpReturnedString, value.data(), length);
  lpReturnedString[length] = '\0';
  return static_cast<DWORD>(length);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
  if (!lpAppName || !lpKeyName || !lpString || !lpFileName) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, "profile keys and sections cannot be deleted");
    return FALSE;
  }
  std::string path = PathOf(lpFileName);
  char target[PATH_MAX];
  if (realpath(path.c_str(), target)) path = target;
  std::string text;
  mode_t mode = 0;
  const int error = ReadFileText(path, &text, &mode);
  if (error == ENOENT) {
    mode = NewFileMode();
  } else if (error != 0) {
    return Fail(error, "cannot read " + path);
  }
  return ReplaceFile(path, WithValue(text, lpAppName, lpKeyName, lpString), mode);
}
