#include "tests/support/carpeta.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

// Random names until one is new: create_directory tells a new folder from
// one that was there, so that two tests never share one.
CarpetaTemporal::CarpetaTemporal() {
  std::mt19937 generador(std::random_device{}());
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    const fs::path candidata = base / ("contapuntos-" + std::to_string(generador()));
    if (fs::create_directory(candidata)) {
      ruta_ = candidata.string();
      return;
    }
  }
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code error;
  fs::remove_all(ruta_, error);
}

std::vector<std::string> CarpetaTemporal::Contenido() const {
  std::vector<std::string> nombres;
  for (const fs::directory_entry& e : fs::directory_iterator(ruta_)) {
    nombres.push_back(e.path().filename().string());
  }
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}
