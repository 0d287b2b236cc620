// Running out of memory ends the program with a one-line message.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <new>

#include "base/Memoria.h"

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

TEST(MemoriaDeathTest, FailedAllocationExitsNamingTheSize) {
  const std::size_t imposible = std::numeric_limits<std::size_t>::max();
  EXPECT_EXIT(Reasignar(nullptr, imposible), testing::ExitedWithCode(EXIT_FAILURE),
              "contapuntos: out of memory \\(18446744073709551615 bytes\\)\n$");
}

TEST(MemoriaDeathTest, FailedNewExitsWithTheSameMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's operator new reports the failure itself";
#endif
  volatile std::size_t imposible = std::numeric_limits<std::size_t>::max() / 2;
  EXPECT_EXIT(::operator delete(::operator new(imposible)), testing::ExitedWithCode(EXIT_FAILURE),
              "contapuntos: out of memory \\(operator new\\)\n$");
}

}  // namespace
