// Linux layer: profile (INI) files, as plain text files read on every call.
//
// Implements GetPrivateProfileStringA and WritePrivateProfileStringA with a
// section and a key given, and GetPrivateProfileStringA's list of a
// section's keys (a NULL key). A line "[name]" opens a section, a line
// "key=value" sets a key, a line whose first non-blank character is ';' is a
// comment. Names match without regard to case; blanks (spaces, tabs) around
// names and values are ignored; a value in matching double or single quotes
// reads without them; CRLF, LF and a lone CR (old Mac files) each end a line,
// as Windows reads them. The first section of a name and its first key of a
// name count.
// A write changes only the value of the key, keeping the line's key spelling,
// blanks and line end; a missing key is added right after the last key line
// of its section (blank lines and comments after it stay below it), a missing
// section at the end of the file after a blank line. New lines take the line
// end of the file's first line (CRLF for a new file). The file is written in
// place, as on Windows: a kill during a write may leave it part written, so a
// caller that needs it whole writes a copy and moves it in place.
// NOTE: a backslash in a file name is a folder separator (".\\CPControl.ini"
// is CPControl.ini in the working folder), a name without a folder is taken
// in the working folder, not in the Windows folder, and a file named with
// other capitals ("cpcontrol.ini") is the same file, as names.cpp says.
// A list of keys gives each key's name as it is written, in the file's order,
// each ended by a NUL and the list by a second one; a list too long for the
// buffer is cut within a name, ends with the two NULs and counts nSize - 2; a
// missing file or section, or one without keys, gives the default, as a
// missing key does.
// NOTE: the list of sections (NULL section) and the delete forms (NULL key
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
// NOTE: a new file gets 0666 less the umask; a symbolic link is followed.
// NOTE: a write that fails sets the Windows code nearest to the C library's
// reason (ERROR_ACCESS_DENIED, ERROR_DISK_FULL...), and FormatMessageA gives
// that reason as the text.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/internal.h"

namespace {

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
  // Sought with no key: the names of the section's keys, each ended by a NUL.
  std::string keyNames;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A line ends at CRLF, LF or a lone CR, or at the end of the text.
Line LineAt(const std::string& text, size_t begin) {
  const size_t end = text.find_first_of("\r\n", begin);
  if (end == std::string::npos) return {begin, text.size(), text.size()};
  const bool crlf = text.compare(end, 2, "\r\n") == 0;
  return {begin, end, end + (crlf ? 2 : 1)};
}

bool EndsWithLineEnd(const std::string& text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

void Trim(const std::string& text, size_t* begin, size_t* end) {
  while (*begin < *end && IsBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

bool SameName(const std::string& text, size_t begin, size_t end, const char* name) {
  return SameAsciiName(std::string_view(text).substr(begin, end - begin), name);
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
    if (key == nullptr) {
      place.keyNames.append(text, begin, keyEnd - begin).push_back('\0');
    } else if (SameName(text, begin, keyEnd, key)) {
      place.keyFound = true;
      place.valueBegin = equals + 1;
      place.valueEnd = end;
      Trim(text, &place.valueBegin, &place.valueEnd);
      return place;
    }
  }
  return place;
}

// Copies names (each ended by a NUL) into buffer, of size characters, with
// the NUL that ends the list; when they do not fit, as many characters as
// leave room for two NULs. Returns the characters copied before the last NUL.
DWORD CopyList(const std::string& names, LPSTR buffer, DWORD size) {
  const size_t length = names.size() < size ? names.size() : size < 2 ? 0 : size - 2;
  std::memcpy(buffer, names.data(), length);
  buffer[length] = '\0';
  if (length < names.size() && size >= 2) buffer[length + 1] = '\0';
  return static_cast<DWORD>(length);
}

// The line end new lines take: that of the first line, CRLF when none.
std::string LineEndOf(const std::string& text) {
  const Line first = LineAt(text, 0);
  if (first.end == text.size()) return "\r\n";
  return text.substr(first.end, first.next - first.end);
}

bool EndsWithBlankLine(const std::string& text) {
  if (!EndsWithLineEnd(text)) return false;
  bool blank = false;
  for (size_t pos = 0; pos < text.size();) {
    const Line line = LineAt(text, pos);
    size_t begin = line.begin;
    size_t end = line.end;
    Trim(text, &begin, &end);
    blank = begin == end;
    pos = line.next;
  }
  return blank;
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
    if (!EndsWithLineEnd(before)) before += lineEnd;
    return before + entry + text.substr(place.insertAt);
  }
  std::string result = text;
  if (!result.empty() && !EndsWithLineEnd(result)) result += lineEnd;
  if (!result.empty() && !EndsWithBlankLine(result)) result += lineEnd;
  return result + "[" + section + "]" + lineEnd + entry;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (nSize == 0) return 0;
  if (!lpAppName || !lpFileName) {
    lpReturnedString[0] = '\0';
    if (nSize > 1) lpReturnedString[1] = '\0';
    SetLastErrorText(ERROR_NOT_SUPPORTED, "profile sections cannot be listed");
    return 0;
  }
  std::string text;
  std::string value;
  const int fd = open(LinuxPath(lpFileName).c_str(), O_RDONLY | O_CLOEXEC);
  const bool read = fd >= 0 && ReadAll(fd, &text) == 0;
  if (fd >= 0) close(fd);
  const Place place = read ? Find(text, lpAppName, lpKeyName) : Place();
  if (!place.keyNames.empty()) return CopyList(place.keyNames, lpReturnedString, nSize);
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
  // A list's second NUL, after the default.
  if (!lpKeyName && length + 1 < nSize) lpReturnedString[length + 1] = '\0';
  return static_cast<DWORD>(length);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
  if (!lpAppName || !lpKeyName || !lpString || !lpFileName) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, "profile keys and sections cannot be deleted");
    return FALSE;
  }
  const std::string path = LinuxPath(lpFileName);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return FailWithErrno(errno, "cannot open " + path, {path});
  std::string text;
  int error = ReadAll(fd, &text);
  if (error == 0) {
    const std::string changed = WithValue(text, lpAppName, lpKeyName, lpString);
    if (lseek(fd, 0, SEEK_SET) != 0 || ftruncate(fd, 0) != 0) error = errno;
    if (error == 0) error = WriteAll(fd, changed);
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return FailWithErrno(error, "cannot write " + path, {path});
  return TRUE;
}
