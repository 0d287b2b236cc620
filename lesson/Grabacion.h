// A recording's WAVE image, found by name as a spoken number is (the
// program's resource of type "WAVE" of that name, else the file of that name
// in the working folder), with its format and its samples located in it; and
// the joining of two recordings into one sound.
//
// A file of the lesson folder may hold anything: every length read from an
// image is checked against the image's size before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Grabacion {
 public:
  // The most bytes read from a file: more than a minute and a half of
  // stereo sound of CD quality, far longer than a spoken word or number.
  static constexpr size_t kBytesMaximos = size_t{16} << 20;
  // The longest joined image Unir makes.
  static constexpr size_t kBytesUnidosMaximos = size_t{64} << 20;

  // The body of the image's "fmt " chunk, and what it says.
  const uint8_t* formato = nullptr;
  uint32_t bytesFormato = 0;
  uint16_t canales = 0;
  uint32_t frecuencia = 0;
  uint16_t bits = 0;
  // The samples: the whole frames of the "data" chunk.
  const uint8_t* datos = nullptr;
  size_t bytesDatos = 0;
  // Why the recording found cannot be joined, or null when it can.
  const char* razon = nullptr;

  Grabacion() = default;
  Grabacion(const Grabacion&) = delete;
  Grabacion& operator=(const Grabacion&) = delete;

  // Whether nombre can only name a file of the working folder: it holds no
  // folder separator ('/', or '\\' on Windows) and no ':' (a drive or a
  // file stream on Windows), so that a name read from the lesson file cannot
  // open a file elsewhere.
  static bool NombreSimple(const char* nombre);

  // How long the samples play, in seconds. The recording must have been
  // read.
  double Segundos() const;

  // Where a recording was found.
  enum class Origen { kNinguno, kRecurso, kArchivo };

  // The one lookup of a recording by name: the program's resource of type
  // "WAVE" of that name, else the file of that name in the working folder
  // (a name holding a folder or drive separator names no file). Reads what
  // it finds (Leer), setting razon.
  Origen Buscar(const char* nombre);

  // A resource's image, which stays valid for the life of the program; null
  // for a file, or a resource that cannot be loaded.
  const uint8_t* recurso = nullptr;

  // Reads the RIFF WAVE image at bytes, of which tamano may be read; the
  // image ends there or where its RIFF length says, whichever comes first.
  // Returns why it cannot be joined (it is not integer PCM of 8, 16, 24 or
  // 32 bits at 1 to 384,000 frames a second, or a chunk runs past its end),
  // or null when it can.
  const char* Leer(const uint8_t* bytes, size_t tamano);

  // One RIFF WAVE image of primera's samples followed by segunda's, with
  // nothing between them. When both have the same channels, rate and bits
  // the samples are copied as they are, under segunda's "fmt " chunk;
  // otherwise both become mono (each frame the mean of its channels), 16
  // bits, at segunda's rate (primera's samples taken between its own by
  // straight lines). Empty when the image would be longer than
  // kBytesUnidosMaximos. Both recordings must have been read.
  static std::vector<uint8_t> Unir(const Grabacion& primera, const Grabacion& segunda);

 private:
  // The bytes of a file; a resource's stay in the program.
  std::vector<uint8_t> archivo;

  // Reads the file nombre of the working folder into archivo; false when it
  // does not open.
  bool LeerArchivo(const char* nombre);
};
