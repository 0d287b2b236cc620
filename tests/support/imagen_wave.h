// RIFF WAVE images made to measure, whole or broken, for the tests of what
// reads and plays them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The bytes of valor, little-endian, the `bytes` lowest ones.
inline std::string Little(std::uint32_t valor, int bytes) {
  std::string texto;
  for (int i = 0; i < bytes; ++i) texto += static_cast<char>((valor >> (8 * i)) & 0xFF);
  return texto;
}

// A chunk: its id, its length (the body's unless told) and its body, padded
// to an even length.
inline std::string Chunk(const std::string& id, const std::string& cuerpo,
                         std::optional<std::uint32_t> largo = std::nullopt) {
  return id + Little(largo.value_or(static_cast<std::uint32_t>(cuerpo.size())), 4) + cuerpo +
         std::string(cuerpo.size() % 2, '\0');
}

// "RIFF", its length (that of what follows unless told), "WAVE", chunks.
inline std::string Riff(const std::string& chunks,
                        std::optional<std::uint32_t> largo = std::nullopt) {
  return "RIFF" + Little(largo.value_or(static_cast<std::uint32_t>(4 + chunks.size())), 4) +
         "WAVE" + chunks;
}

// The 16-byte body of a "fmt " chunk; bloque 0 is a frame of whole samples.
inline std::string Fmt(std::uint16_t canales, std::uint32_t frecuencia, std::uint16_t bits,
                       std::uint16_t etiqueta = 1, std::uint16_t bloque = 0) {
  if (bloque == 0) bloque = static_cast<std::uint16_t>(canales * bits / 8);
  return Little(etiqueta, 2) + Little(canales, 2) + Little(frecuencia, 4) +
         Little(frecuencia * bloque, 4) + Little(bloque, 2) + Little(bits, 2);
}

// WAVEFORMATEXTENSIBLE: the format, 22 more bytes and the subtype's GUID,
// whose first four bytes are the subtype's format tag.
inline std::string FmtExtensible(std::uint16_t canales, std::uint32_t frecuencia,
                                 std::uint16_t bits, std::uint32_t subtipo) {
  const std::string cola("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
  return Fmt(canales, frecuencia, bits, 0xFFFE) + Little(22, 2) + Little(bits, 2) + Little(0, 4) +
         Little(subtipo, 4) + cola;
}

// An image of a "fmt " chunk holding fmt, then a "data" chunk of datos.
inline std::string Wave(const std::string& fmt, const std::string& datos) {
  return Riff(Chunk("fmt ", fmt) + Chunk("data", datos));
}
