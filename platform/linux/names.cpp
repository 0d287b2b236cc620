// Linux layer: names, matched as Windows matches them.
//
// Windows matches the names of files, window classes, resources, and profile
// sections and keys without regard to case. The layer has one rule for all
// of them, ASCII's: 'a' to 'z' match 'A' to 'Z', and every other byte only
// itself.
// A Windows file name becomes a Linux one: a backslash is a folder separator,
// and when the name's exact spelling is missing from its folder, the entry of
// that folder that matches it by the rule is taken, so that a lesson folder
// copied from Windows ("cpcontrol.ini", "7mama.wav") works unchanged.
// NOTE: only ASCII letters are folded; Windows folds accented letters too.
// NOTE: Linux allows entries that differ only in case side by side ("a.ini"
// and "A.INI"); of those, the first in byte order is taken.
// NOTE: only the last part of a name is matched so; folders must be spelled
// exactly.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/linux/internal.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The entry of folder whose name matches name by the ASCII rule, first in
// byte order; empty when none does.
std::string MatchingEntry(const std::string& folder, const std::string& name) {
  DIR* listing = opendir(folder.c_str());
  if (!listing) return "";
  std::string found;
  while (const dirent* entry = readdir(listing)) {
    const std::string candidate = entry->d_name;
    if (SameAsciiName(candidate, name) && (found.empty() || candidate < found)) found = candidate;
  }
  closedir(listing);
  return found;
}

}  // namespace

std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

std::string LinuxPath(LPCSTR fileName) {
  std::string path = fileName ? fileName : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  struct stat info;
  if (lstat(path.c_str(), &info) == 0 || errno != ENOENT) return path;
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = path.substr(folder.size());
  if (name.empty() || name == "." || name == "..") return path;
  const std::string entry = MatchingEntry(folder.empty() ? "." : folder, name);
  return entry.empty() ? path : folder + entry;
}
