// A new empty folder under the system's temporary folder (TMPDIR on Linux,
// TEMP on Windows), removed with its content when the object goes. The same
// source serves the Linux tests and the tests built for Windows.
#pragma once

#include <string>
#include <vector>

class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
  const std::string& ruta() const { return ruta_; }
  // The names in the folder, sorted.
  std::vector<std::string> Contenido() const;

 private:
  std::string ruta_;
};
