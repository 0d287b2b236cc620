#include "base/Instalacion.h"

#include <cstring>

#include "platform/platform.h"

Instalacion EstaInstalacion() {
  char programa[4096];
  const DWORD largo = GetModuleFileNameA(nullptr, programa, sizeof programa);
  if (largo == 0 || largo >= sizeof programa) return Instalacion::kCarpeta;
  // A Linux name starts at the root; a Windows one with its drive or share.
  if (programa[0] == '/') {
    return std::strncmp(programa, "/usr/", 5) == 0 ? Instalacion::kPaquete : Instalacion::kFuentes;
  }
  char* nombre = std::strrchr(programa, '\\');
  nombre = nombre == nullptr ? programa : nombre + 1;
  const char desinstalar[] = "uninstall.exe";
  if (static_cast<std::size_t>(nombre - programa) + sizeof desinstalar > sizeof programa) {
    return Instalacion::kCarpeta;
  }
  std::memcpy(nombre, desinstalar, sizeof desinstalar);
  return GetFileAttributesA(programa) == INVALID_FILE_ATTRIBUTES ? Instalacion::kCarpeta
                                                                 : Instalacion::kInstalador;
}
