#include "tests/support/imagen_wave.h"

std::string Little(std::uint32_t valor, int bytes) {
  std::string texto;
  for (int i = 0; i < bytes; ++i) texto += static_cast<char>((valor >> (8 * i)) & 0xFF);
  return texto;
}

std::string Trozo(const std::string& id, const std::string& cuerpo,
                  std::optional<std::uint32_t> largo) {
  return id + Little(largo.value_or(static_cast<std::uint32_t>(cuerpo.size())), 4) + cuerpo +
         std::string(cuerpo.size() % 2, '\0');
}

std::string Riff(const std::string& trozos, std::optional<std::uint32_t> largo) {
  return "RIFF" + Little(largo.value_or(static_cast<std::uint32_t>(4 + trozos.size())), 4) +
         "WAVE" + trozos;
}

std::string Formato(std::uint16_t canales, std::uint32_t frecuencia, std::uint16_t bits,
                    std::uint16_t etiqueta, std::uint16_t bloque) {
  if (bloque == 0) bloque = static_cast<std::uint16_t>(canales * bits / 8);
  return Little(etiqueta, 2) + Little(canales, 2) + Little(frecuencia, 4) +
         Little(frecuencia * bloque, 4) + Little(bloque, 2) + Little(bits, 2);
}

std::string FormatoExtensible(std::uint16_t canales, std::uint32_t frecuencia,
                              std::uint16_t bits, std::uint32_t subtipo) {
  const std::string cola("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
  return Formato(canales, frecuencia, bits, 0xFFFE) + Little(22, 2) + Little(bits, 2) +
         Little(0, 4) + Little(subtipo, 4) + cola;
}

std::string Wave(const std::string& formato, const std::string& datos) {
  return Riff(Trozo("fmt ", formato) + Trozo("data", datos));
}
