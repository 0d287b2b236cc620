#include "app/Fallo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

void TerminarPorFallo(const char* que) {
  const DWORD codigo = GetLastError();
  char razon[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, codigo, 0,
                 razon, sizeof razon, nullptr);
  // System messages may end in a line break; the report is one line.
  for (char* c = razon; *c; ++c) {
    if (*c == '\r' || *c == '\n') *c = ' ';
  }
  for (std::size_t n = std::strlen(razon); n > 0 && razon[n - 1] == ' '; --n) razon[n - 1] = '\0';
  std::fprintf(stderr, "contapuntos: %s: %s\n", que, razon);
  std::exit(1);
}
