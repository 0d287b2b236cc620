// Tests of FindResourceA, LoadResource, LockResource and SizeofResource on
// the recordings built into the program. They use only the
// Windows API, so that they run against Windows' own functions as well; the
// ResourceImage group checks that the bytes lie in the executable itself
// through the ELF program headers and is built on Linux only, like the
// refusal of stray handles, which is the Linux layer's own.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/platform.h"

#ifndef _WIN32
#include <link.h>
#endif

namespace {

struct Found {
  HRSRC info = nullptr;
  const unsigned char* bytes = nullptr;
  DWORD size = 0;
};

// Finds, loads and locks a resource of type "WAVE", as the program does.
Found FindWave(const char* name, const char* type = "WAVE") {
  Found found;
  found.info = FindResourceA(nullptr, name, type);
  if (found.info == nullptr) return found;
  const HGLOBAL data = LoadResource(nullptr, found.info);
  EXPECT_NE(data, nullptr) << "LoadResource failed for " << name;
  found.bytes = static_cast<const unsigned char*>(LockResource(data));
  found.size = SizeofResource(nullptr, found.info);
  return found;
}

std::uint32_t Little32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The name is found, and its bytes are a RIFF image whose header gives
// exactly the size that SizeofResource reports.
void ExpectRiffImage(const char* name) {
  SCOPED_TRACE(name);
  const Found found = FindWave(name);
  ASSERT_NE(found.info, nullptr) << "expected a resource, FindResourceA gave NULL, error "
                                 << GetLastError();
  ASSERT_NE(found.bytes, nullptr);
  ASSERT_GE(found.size, 12u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(found.bytes), 4), "RIFF");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(found.bytes) + 8, 4), "WAVE");
  EXPECT_EQ(Little32(found.bytes + 4) + 8u, found.size)
      << "expected the RIFF size plus 8 to be the resource's size";
}

TEST(ResourceLookup, FindsTheFirstAndLastRecordings) {
  ExpectRiffImage("0.WAV");
  ExpectRiffImage("100.WAV");
  ExpectRiffImage("0INGLES.WAV");
  ExpectRiffImage("100INGLES.WAV");
}

TEST(ResourceLookup, MatchesNameAndTypeWithoutRegardToCase) {
  const HRSRC exact = FindResourceA(nullptr, "100INGLES.WAV", "WAVE");
  ASSERT_NE(exact, nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "100ingles.wav", "wave"), exact);
  EXPECT_EQ(FindResourceA(nullptr, "100InGlEs.WaV", "Wave"), exact);
}

TEST(ResourceLookup, UnknownNamesAreNotFound) {
  for (const char* name : {"101.WAV", "-1.WAV", "07.WAV", "7", "7.WAVE", "7FRANCES.WAV", "7.WAV ",
                           " 7.WAV", "", "#7"}) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceA(nullptr, name, "WAVE"), nullptr)
        << "expected no resource '" << name << "'";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND)) << name;
  }
}

TEST(ResourceLookup, OtherTypesAreNotFound) {
  for (const char* type : {"WAV", "WAVES", "RCDATA", "", "WAVE "}) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceA(nullptr, "0.WAV", type), nullptr)
        << "expected no type '" << type << "'";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND)) << type;
  }
}

TEST(ResourceLookup, IntegerNamesAndTypesFindNothing) {
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(1), "WAVE"), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(0), "WAVE"), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "0.WAV", MAKEINTRESOURCEA(10)), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "0.WAV", nullptr), nullptr);
}

TEST(ResourceData, LockGivesTheSameBytesEveryTime) {
  const HRSRC info = FindResourceA(nullptr, "42.WAV", "WAVE");
  ASSERT_NE(info, nullptr);
  const HGLOBAL first = LoadResource(nullptr, info);
  const HGLOBAL second = LoadResource(nullptr, info);
  ASSERT_NE(first, nullptr);
  const void* bytes = LockResource(first);
  EXPECT_EQ(LockResource(second), bytes);
  EXPECT_EQ(LockResource(LoadResource(nullptr, info)), bytes);
  EXPECT_EQ(std::memcmp(bytes, "RIFF", 4), 0);
}

#ifndef _WIN32

// The Linux layer refuses stray handles; Windows does not check them (a
// resource handle is an address in the module's image there), so passing
// one is not something to do to it.
TEST(ResourceData, HandlesThatFindResourceDidNotGiveAreRefused) {
  int elsewhere = 0;
  const HRSRC stray = reinterpret_cast<HRSRC>(&elsewhere);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(LoadResource(nullptr, stray), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, stray), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// Whether [address, address + size) lies inside one loaded segment of the
// main program (the first object dl_iterate_phdr reports).
bool InsideMainProgram(const void* address, std::size_t size) {
  struct Query {
    std::uintptr_t begin;
    std::uintptr_t end;
    bool inside = false;
  } query{reinterpret_cast<std::uintptr_t>(address),
          reinterpret_cast<std::uintptr_t>(address) + size};
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* data) {
        auto* q = static_cast<Query*>(data);
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& segment = info->dlpi_phdr[i];
          if (segment.p_type != PT_LOAD) continue;
          const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
          if (q->begin >= begin && q->end <= begin + segment.p_filesz) q->inside = true;
        }
        return 1;
      },
      &query);
  return query.inside;
}

TEST(ResourceImage, BytesLieInTheProgramFileItself) {
  for (const char* name : {"0.WAV", "100INGLES.WAV"}) {
    const Found found = FindWave(name);
    ASSERT_NE(found.info, nullptr) << name;
    EXPECT_TRUE(InsideMainProgram(found.bytes, found.size))
        << "expected the bytes of " << name << " inside the executable's own loaded image";
  }
}

#endif

}  // namespace
