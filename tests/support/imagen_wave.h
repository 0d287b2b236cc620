// RIFF WAVE images made to measure, whole or broken, for the tests of what
// reads and plays them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The bytes of valor, little-endian, the `bytes` lowest ones.
std::string Little(std::uint32_t valor, int bytes);
// A chunk: its id, its length (the body's unless told) and its body, padded
// to an even length.
std::string Trozo(const std::string& id, const std::string& cuerpo,
                  std::optional<std::uint32_t> largo = std::nullopt);
// "RIFF", its length (that of what follows unless told), "WAVE", trozos.
std::string Riff(const std::string& trozos, std::optional<std::uint32_t> largo = std::nullopt);
// The 16-byte body of a "fmt " chunk; bloque 0 is a frame of whole samples.
std::string Formato(std::uint16_t canales, std::uint32_t frecuencia, std::uint16_t bits,
                    std::uint16_t etiqueta = 1, std::uint16_t bloque = 0);
// WAVEFORMATEXTENSIBLE: the format, 22 more bytes and the subtype's GUID,
// whose first four bytes are the subtype's format tag.
std::string FormatoExtensible(std::uint16_t canales, std::uint32_t frecuencia,
                              std::uint16_t bits, std::uint32_t subtipo);
// An image of a "fmt " chunk holding formato, then a "data" chunk of datos.
std::string Wave(const std::string& formato, const std::string& datos);
