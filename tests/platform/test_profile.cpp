// Tests of GetPrivateProfileStringA and WritePrivateProfileStringA through
// real files in a fresh temporary folder. They use only the Windows API and
// standard C++, so that they run against Windows' own functions as well;
// the ProfileLayer group checks what is the Linux layer's own (the UTF-8
// mark, permissions, a failed write) and is built on POSIX systems only.
// Every read gives the same on both sides, except a key named like a comment
// line (SkipsCommentLines). A write differs in the bytes around the value:
// the Linux layer keeps the file byte for byte apart from the value (and the
// added lines, in the file's own line ends), while Windows promises only the
// lines: its write may drop blank lines and turn LF line ends into CRLF, as
// Wine's does, which writes the whole file anew from what it parsed. On
// Windows the write tests therefore check the non-blank lines, in order, and
// what reads back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/carpeta.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Shows line ends, so that a failure tells CRLF from LF.
std::string Visible(const std::string& bytes) {
  std::string shown;
  for (const char c : bytes) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n\n";
    } else {
      shown += c;
    }
  }
  return shown;
}

#ifdef _WIN32
// The lines of a file (ended by CRLF, LF or a lone CR) without their line
// ends, blank lines left out: what a write on Windows keeps of a file.
std::vector<std::string> NonBlankLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
    start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}
#endif

// A read through the function under test: the text it copied and the count
// it returned.
struct Read {
  std::string text;
  DWORD returned;
};

// A fresh folder per test holding the profile file test.ini (not created).
class ProfileFile : public testing::Test {
 protected:
  // A test that takes the folder's write permission away leaves it to be
  // given back here, so that the folder can go.
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
  }

  Read Get(const char* section, const char* key, const char* fallback, DWORD capacity = 1024) {
    std::string buffer(capacity + 1, '#');
    const DWORD returned = GetPrivateProfileStringA(section, key, fallback, buffer.data(), capacity,
                                                    path_.c_str());
    EXPECT_EQ('#', buffer[capacity]) << "wrote past the capacity of " << capacity;
    // A value ends at its NUL; a list of keys (key NULL) is the names, each
    // ended by a NUL, that the count takes in, and a NUL more. (Wine leaves
    // out the second NUL of a list that was cut, and of an empty one.)
    size_t length = capacity == 0 ? 0 : buffer.find('\0');
    if (key == nullptr && capacity != 0) {
      length = returned < capacity && buffer[returned] == '\0' ? returned : std::string::npos;
    }
    EXPECT_NE(std::string::npos, length) << "no terminator within the capacity of " << capacity;
    return {buffer.substr(0, length), returned};
  }

  std::string GetValue(const char* section, const char* key) { return Get(section, key, "?").text; }

  bool Set(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
  }

  // The file holds expected: byte for byte here; on Windows, which rewrites
  // the whole file, the same non-blank lines in the same order.
  void ExpectFileKeeps(const std::string& expected) {
#ifdef _WIN32
    EXPECT_EQ(NonBlankLines(expected), NonBlankLines(ReadBytes(path_)))
        << Visible(ReadBytes(path_));
#else
    EXPECT_EQ(Visible(expected), Visible(ReadBytes(path_)));
#endif
  }

  CarpetaTemporal carpeta_;
  const std::string folder_ = carpeta_.ruta();
  const std::string path_ = (fs::path(folder_) / "test.ini").string();
};

class ProfileRead : public ProfileFile {};
class ProfileWrite : public ProfileFile {};

TEST_F(ProfileRead, MatchesNamesWithoutCaseAndIgnoresBlanks) {
  WriteBytes(path_,
             "[general]\n"
             "  tiempoBIT   =   40  \n"
             "\tIdioma\t=\tINGLES\t\n"
             "[LECCIONES]\n"
             "Leccion12=5-8\n");
  EXPECT_EQ("40", GetValue("General", "TiempoBit"));
  EXPECT_EQ("INGLES", GetValue("GENERAL", "idioma"));
  EXPECT_EQ("5-8", GetValue("Lecciones", "LECCION12"));
  EXPECT_EQ("?", GetValue("Lecciones", "Leccion1")) << "a key must not match a longer name";
  EXPECT_EQ("?", GetValue("General", "Leccion12")) << "a key must not be found in another section";
}

TEST_F(ProfileRead, DropsMatchingQuotesOnly) {
  WriteBytes(path_,
             "[S]\n"
             "Double=\"two words\"\n"
             "Single='INGLES'\n"
             "Mixed=\"open'\n"
             "Inner=a \"b\" c\n"
             "Padded=  \" kept blanks \"  \n");
  EXPECT_EQ("two words", GetValue("S", "Double"));
  EXPECT_EQ("INGLES", GetValue("S", "Single"));
  EXPECT_EQ("\"open'", GetValue("S", "Mixed"));
  EXPECT_EQ("a \"b\" c", GetValue("S", "Inner"));
  EXPECT_EQ(" kept blanks ", GetValue("S", "Padded"));
}

TEST_F(ProfileRead, SkipsCommentLines) {
  WriteBytes(path_,
             "; settings of the lesson\n"
             "[General]\n"
             ";PaseActual=9\n"
             ";[Lecciones]\n"
             "LeccionActual=2\n"
             "; LeccionActual=7\n");
  EXPECT_EQ("?", GetValue("General", "PaseActual"));
  EXPECT_EQ("2", GetValue("General", "LeccionActual"));
#ifdef _WIN32
  // Windows has no comment lines: ";PaseActual=9" is the key ";PaseActual",
  // a name no program asks for, and ";[Lecciones]" no section.
  EXPECT_EQ("9", GetValue("General", ";PaseActual"));
#else
  EXPECT_EQ("?", GetValue("General", ";PaseActual"));
#endif
}

TEST_F(ProfileRead, ReadsCrlfLfAndLoneCrAlike) {
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    WriteBytes(path_, "[General]" + end + "TiempoBit=40" + end + "Idioma=" + end + "[Lecciones]" +
                          end + "Leccion1=1,3,10-12");
    EXPECT_EQ("40", GetValue("General", "TiempoBit")) << Visible(end);
    EXPECT_EQ("", GetValue("General", "Idioma"))
        << Visible(end) << ": a present empty value is not the default";
    EXPECT_EQ("1,3,10-12", GetValue("Lecciones", "Leccion1"))
        << Visible(end) << ": last line without a line end";
    const Read keys = Get("General", nullptr, "?");
    EXPECT_EQ(std::string("TiempoBit\0Idioma\0", 17), keys.text) << Visible(end);
    EXPECT_EQ(17u, keys.returned) << Visible(end);
  }
}

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesDefault) {
  const Read noFile = Get("General", "TiempoBit", "40");
  EXPECT_EQ("40", noFile.text);
  EXPECT_EQ(2u, noFile.returned);

  WriteBytes(path_, "[General]\r\nTiempoBit=1\r\n");
  EXPECT_EQ("1", Get("General", "PaseActual", "1").text);
  const Read noSection = Get("Lecciones", "Leccion1", "");
  EXPECT_EQ("", noSection.text);
  EXPECT_EQ(0u, noSection.returned);
  const Read noKeys = Get("Lecciones", nullptr, "");
  EXPECT_EQ("", noKeys.text);
  EXPECT_EQ(0u, noKeys.returned);
  const Read nullDefault = Get("General", "Idioma", nullptr);
  EXPECT_EQ("", nullDefault.text);
  EXPECT_EQ(0u, nullDefault.returned);
}

TEST_F(ProfileRead, CutsLongValuesToCapacity) {
  const std::string list(1500, '7');
  WriteBytes(path_, "[Lecciones]\r\nLeccion1=" + list + "\r\n[General]\r\nPasesPorLeccion=123\r\n");

  const Read cut = Get("Lecciones", "Leccion1", "", 1024);
  EXPECT_EQ(list.substr(0, 1023), cut.text);
  EXPECT_EQ(1023u, cut.returned);

  const Read exact = Get("General", "PasesPorLeccion", "1", 4);
  EXPECT_EQ("123", exact.text);
  EXPECT_EQ(3u, exact.returned);
  const Read oneShort = Get("General", "PasesPorLeccion", "1", 3);
  EXPECT_EQ("12", oneShort.text);
  EXPECT_EQ(2u, oneShort.returned);
  const Read terminatorOnly = Get("General", "PasesPorLeccion", "1", 1);
  EXPECT_EQ("", terminatorOnly.text);
  EXPECT_EQ(0u, terminatorOnly.returned);

  const Read keysCut = Get("General", nullptr, "", 8);
  EXPECT_EQ("PasesP", keysCut.text);
  EXPECT_EQ(6u, keysCut.returned);

  const Read defaultCut = Get("General", "Lecciones", "98765", 3);
  EXPECT_EQ("98", defaultCut.text);
  EXPECT_EQ(2u, defaultCut.returned);

  char untouched = '#';
  EXPECT_EQ(0u, GetPrivateProfileStringA("General", "PasesPorLeccion", "1", &untouched, 0,
                                         path_.c_str()));
  EXPECT_EQ('#', untouched) << "a capacity of 0 must copy nothing";
}

TEST_F(ProfileWrite, CreatesMissingFileWithCrlf) {
  ASSERT_TRUE(Set("General", "LeccionActual", "1"));
  ASSERT_TRUE(Set("General", "PaseActual", "1"));
  EXPECT_EQ(Visible("[General]\r\nLeccionActual=1\r\nPaseActual=1\r\n"), Visible(ReadBytes(path_)));
  EXPECT_EQ("1", GetValue("General", "PaseActual"));
}

TEST_F(ProfileWrite, ReplacesValueInPlaceKeepingEverythingElse) {
  const std::string before =
      "; Lesson settings, edited by hand\r\n"
      "\r\n"
      "[general]\r\n"
      "TiempoBit=40\r\n"
      "paseactual=3\r\n"
      "; the next key is not the program's\r\n"
      "Color=azul\r\n"
      "\r\n"
      "[Lecciones]\r\n"
      "Leccion1=1,3,10-12\r\n"
      "PaseActual=77\r\n"
      "[Otros]\r\n"
      "Nombre=Ana\r\n";
  WriteBytes(path_, before);
  ASSERT_TRUE(Set("General", "PaseActual", "4"));
  std::string expected = before;
  expected.replace(expected.find("paseactual=3"), 12, "paseactual=4");
  ExpectFileKeeps(expected);
  EXPECT_EQ("4", GetValue("General", "PaseActual"));
  EXPECT_EQ("77", GetValue("Lecciones", "PaseActual"));
}

TEST_F(ProfileWrite, AddsMissingKeyToItsSection) {
  for (const std::string end : {"\r\n", "\r"}) {
    WriteBytes(path_, "[General]" + end + "TiempoBit=40" + end + end + "[Lecciones]" + end +
                          "Leccion1=5-8" + end);
    ASSERT_TRUE(Set("general", "PaseActual", "2"));
    ExpectFileKeeps("[General]" + end + "TiempoBit=40" + end + "PaseActual=2" + end + end +
                    "[Lecciones]" + end + "Leccion1=5-8" + end);
    EXPECT_EQ("5-8", GetValue("Lecciones", "Leccion1")) << Visible(end);
  }
}

TEST_F(ProfileWrite, AddsMissingSectionAtEndWithTheFilesLineEnds) {
  const std::string before = "; only LF here\n[General]\nTiempoBit=40\n";
  WriteBytes(path_, before);
  ASSERT_TRUE(Set("Lecciones", "Leccion2", "5-8"));
  const std::string after = ReadBytes(path_);
#ifdef _WIN32
  const std::vector<std::string> lines = NonBlankLines(after);
  const std::vector<std::string> expected = {"; only LF here", "[General]", "TiempoBit=40",
                                             "[Lecciones]", "Leccion2=5-8"};
  EXPECT_EQ(expected, lines) << Visible(after);
#else
  EXPECT_EQ(Visible(before), Visible(after.substr(0, before.size())));
  EXPECT_EQ(std::string::npos, after.find('\r')) << "got CR in " << Visible(after);
#endif
  EXPECT_EQ("5-8", GetValue("Lecciones", "Leccion2"));
  EXPECT_EQ("40", GetValue("General", "TiempoBit"));
}

TEST_F(ProfileWrite, HandlesLastLineWithoutLineEnd) {
  WriteBytes(path_, "[General]\nTiempoBit=40");
  ASSERT_TRUE(Set("General", "PaseActual", "2"));
#ifdef _WIN32
  EXPECT_EQ(NonBlankLines("[General]\nTiempoBit=40\nPaseActual=2\n"),
            NonBlankLines(ReadBytes(path_)))
      << Visible(ReadBytes(path_));
#else
  EXPECT_EQ(Visible("[General]\nTiempoBit=40\nPaseActual=2\n"), Visible(ReadBytes(path_)));
#endif
  EXPECT_EQ("40", GetValue("General", "TiempoBit"));
  EXPECT_EQ("2", GetValue("General", "PaseActual"));

  WriteBytes(path_, "[General]\r\nTiempoBit=40");
  ASSERT_TRUE(Set("Lecciones", "Leccion1", "3"));
  const std::string after = ReadBytes(path_);
  EXPECT_EQ(0u, after.rfind("[General]\r\nTiempoBit=40\r\n", 0)) << Visible(after);
  EXPECT_EQ("40", GetValue("General", "TiempoBit"));
  EXPECT_EQ("3", GetValue("Lecciones", "Leccion1"));

  WriteBytes(path_, "[General]\nTiempoBit=40");
  ASSERT_TRUE(Set("General", "TiempoBit", "1"));
#ifdef _WIN32
  EXPECT_EQ(NonBlankLines("[General]\nTiempoBit=1"), NonBlankLines(ReadBytes(path_)))
      << Visible(ReadBytes(path_));
#else
  EXPECT_EQ(Visible("[General]\nTiempoBit=1"), Visible(ReadBytes(path_)));
#endif
  EXPECT_EQ("1", GetValue("General", "TiempoBit"));
}

TEST_F(ProfileWrite, BackslashNameIsInTheWorkingFolder) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder_);
  const BOOL wrote = WritePrivateProfileStringA("General", "PaseActual", "2", ".\\CPControl.ini");
  char value[16] = "";
  GetPrivateProfileStringA("General", "PaseActual", "1", value, sizeof value, ".\\CPControl.ini");
  fs::current_path(previous);
  EXPECT_TRUE(wrote);
  EXPECT_STREQ("2", value);
  const std::string inFolder = (fs::path(folder_) / "CPControl.ini").string();
  EXPECT_EQ(Visible("[General]\r\nPaseActual=2\r\n"), Visible(ReadBytes(inFolder)));
}

// As on Windows, where capitals in file names do not matter: a lesson folder
// copied from Windows may hold "cpcontrol.ini".
TEST_F(ProfileWrite, ANameWithOtherCapitalsIsTheSameFile) {
  const std::string lower = (fs::path(folder_) / "cpcontrol.ini").string();
  const std::string named = (fs::path(folder_) / "CPControl.ini").string();
  WriteBytes(lower, "[General]\r\nPaseActual=1\r\n");
  char value[16] = "";
  GetPrivateProfileStringA("General", "PaseActual", "?", value, sizeof value, named.c_str());
  EXPECT_STREQ("1", value);
  ASSERT_TRUE(WritePrivateProfileStringA("General", "PaseActual", "2", named.c_str()));
  EXPECT_EQ(std::vector<std::string>{"cpcontrol.ini"}, carpeta_.Contenido());
  EXPECT_EQ(Visible("[General]\r\nPaseActual=2\r\n"), Visible(ReadBytes(lower)));
}

TEST_F(ProfileWrite, FailsWhenTheFolderIsMissing) {
  const std::string inMissing = (fs::path(folder_) / "missing" / "test.ini").string();
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(WritePrivateProfileStringA("General", "PaseActual", "2", inMissing.c_str()));
  EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
  EXPECT_FALSE(fs::exists(fs::path(folder_) / "missing"));
}

#ifndef _WIN32

class ProfileLayer : public ProfileFile {
 protected:
  mode_t Mode(const std::string& path) const {
    struct stat info {};
    EXPECT_EQ(0, stat(path.c_str(), &info)) << path << ": " << std::strerror(errno);
    return info.st_mode & 07777;
  }
};

// Files saved by editors that mark UTF-8 must still have their first section;
// Windows would read the mark as part of the first line.
TEST_F(ProfileLayer, SkipsAndKeepsUtf8ByteOrderMark) {
  WriteBytes(path_, "\xEF\xBB\xBF[General]\r\nPaseActual=1\r\n");
  EXPECT_EQ("1", GetValue("General", "PaseActual"));
  ASSERT_TRUE(Set("General", "PaseActual", "2"));
  EXPECT_EQ(Visible("\xEF\xBB\xBF[General]\r\nPaseActual=2\r\n"), Visible(ReadBytes(path_)));
}

TEST_F(ProfileLayer, KeepsPermissionsAndGivesNewFilesTheUmask) {
  WriteBytes(path_, "[General]\nPaseActual=1\n");
  ASSERT_EQ(0, chmod(path_.c_str(), 0640));
  ASSERT_TRUE(Set("General", "PaseActual", "2"));
  EXPECT_EQ(0640u, Mode(path_));

  const std::string fresh = (fs::path(folder_) / "fresh.ini").string();
  const mode_t previous = umask(022);
  const BOOL wrote = WritePrivateProfileStringA("General", "PaseActual", "1", fresh.c_str());
  umask(previous);
  ASSERT_TRUE(wrote);
  EXPECT_EQ(0644u, Mode(fresh));
}

// A file size limit below the new file's size makes the write fail part way,
// for any user, root included: the caller must hear of it.
TEST_F(ProfileLayer, AFailedWriteIsReported) {
  WriteBytes(path_, "[General]\nPaseActual=1\n");
  const std::string longList(4096, '5');

  rlimit saved{};
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
  rlimit small = saved;
  small.rlim_cur = 64;
  struct sigaction ignore {}, previousAction {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(0, sigaction(SIGXFSZ, &ignore, &previousAction));
  ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
  SetLastError(ERROR_SUCCESS);
  const BOOL wrote = Set("Lecciones", "Leccion1", longList.c_str());
  const DWORD error = GetLastError();
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previousAction, nullptr);

  EXPECT_FALSE(wrote);
  EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), error);
}

#endif

}  // namespace
