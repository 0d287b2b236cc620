// Running out of memory ends the program with a one-line message and tells
// the parent.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

#include "base/Memoria.h"
#include "platform/platform.h"

// Under AddressSanitizer a failed allocation must come back as null, as it
// does from the C library, for Reasignar to see it.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

TEST(MemoriaReasignar, ResizesKeepingTheBytesAndFreesAtZero) {
  char* bloque = static_cast<char*>(Reasignar(nullptr, 4));
  ASSERT_NE(bloque, nullptr);
  bloque[0] = 'a';
  bloque[3] = 'd';
  bloque = static_cast<char*>(Reasignar(bloque, 4096));
  ASSERT_NE(bloque, nullptr);
  EXPECT_EQ(bloque[0], 'a');
  EXPECT_EQ(bloque[3], 'd');
  EXPECT_EQ(Reasignar(bloque, 0), nullptr);
}

// The message box, seen through a linker wrapper (the import pointer on
// Windows): what it would show goes to standard error, where a death test
// reads it, and no box waits for a click.
int WINAPI CajaObservada(HWND dueno, LPCSTR texto, LPCSTR titulo, UINT tipo) {
  std::fprintf(stderr, "box %s %s %u: %s\n", dueno ? "owned" : "unowned", titulo, tipo, texto);
  return IDOK;
}

// After the line, the parent is told in a box of its own, caption
// "Contapuntos", MB_OK | MB_ICONERROR.
const char* const kAviso = "\nbox unowned Contapuntos 16: El ordenador se ha quedado sin memoria";

TEST(MemoriaDeathTest, FailedAllocationExitsNamingTheSize) {
  const std::size_t imposible = std::numeric_limits<std::size_t>::max();
  EXPECT_EXIT(Reasignar(nullptr, imposible), testing::ExitedWithCode(EXIT_FAILURE),
              std::string("contapuntos: out of memory \\(18446744073709551615 bytes\\)") + kAviso);
}

TEST(MemoriaDeathTest, FailedNewExitsWithTheSameMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's operator new reports the failure itself";
#endif
  volatile std::size_t imposible = std::numeric_limits<std::size_t>::max() / 2;
  EXPECT_EXIT(::operator delete(::operator new(imposible)), testing::ExitedWithCode(EXIT_FAILURE),
              std::string("contapuntos: out of memory \\(operator new\\)") + kAviso);
}

}  // namespace

#ifdef _WIN32
extern "C" {
decltype(&MessageBoxA) __wrap___imp_MessageBoxA = &CajaObservada;
}
#else
extern "C" int WINAPI __wrap_MessageBoxA(HWND dueno, LPCSTR texto, LPCSTR titulo, UINT tipo) {
  return CajaObservada(dueno, texto, titulo, tipo);
}
#endif
