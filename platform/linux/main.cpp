// Linux layer: the process entry point.
//
// main() calls the program's WinMain as the Windows start-up does: the
// module instance, no previous instance, the command line after the
// program's name, and SW_SHOWDEFAULT. WinMain's result is the exit code.
// NOTE: the command line is rebuilt from the arguments, each one quoted
// when it holds a blank.
// NOTE: freed memory stays with the process for reuse, as Windows' heap
// keeps it, instead of going back to the system as soon as the top of the
// heap is free: Mesa's software renderer frees and takes again tens of
// megabytes in every frame it draws, and each page given back costs a page
// fault when it is taken again (a 100-dot frame took four times as long).

#include <malloc.h>

#include <string>

#include "platform/platform.h"

namespace {

// Stands for the module's base address, which Windows passes as the instance.
char moduleImage;

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    const std::string argument = argv[i];
    if (argument.empty() || argument.find_first_of(" \t") != std::string::npos) {
      line += '"' + argument + '"';
    } else {
      line += argument;
    }
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  // Blocks of up to 32 MiB (glibc's limit) come from the heap, and up to
  // 256 MiB of free memory stays at its top.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  std::string line = CommandLine(argc, argv);
  return WinMain(reinterpret_cast<HINSTANCE>(&moduleImage), nullptr, line.data(), SW_SHOWDEFAULT);
}
