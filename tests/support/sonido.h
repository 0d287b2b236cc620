// What the sound tests share: WAVE images made to measure, the samples of
// the built-in recordings, searches in a stream of samples, and the player
// program (support/reproductor.cpp) run on SDL's disk audio driver, which
// writes every sample the device is given to a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/imagen_wave.h"
#include "tests/support/proceso.h"

using Muestras = std::vector<std::int16_t>;

// The rate of the player's device, and of the samples the tests compare.
constexpr int kFrecuenciaDelDispositivo = 44100;

struct FormatoWave {
  std::uint16_t etiqueta = 1;
  std::uint16_t canales = 1;
  std::uint32_t frecuencia = 44100;
  std::uint16_t bits = 16;
};

// A RIFF WAVE image of a "fmt " chunk of 16 bytes, then a "data" chunk
// holding datos.
std::string ImagenWave(const FormatoWave& formato, const std::string& datos);
// The bytes of 16-bit little-endian samples.
std::string Bytes16(const Muestras& muestras);
// A sine tone at half of full scale: mono, 16 bits, 44,100 samples a second.
Muestras Tono(double hercios, double segundos);
// The samples of a built-in recording, read through the resource functions.
Muestras MuestrasDeRecurso(const char* nombre);
void EscribirArchivo(const std::string& ruta, const std::string& bytes);

// Where que first appears in en at or after desde; npos when nowhere.
std::size_t Buscar(const Muestras& en, const Muestras& que, std::size_t desde = 0);
// How many times que appears in en, without overlaps.
std::size_t Contar(const Muestras& en, const Muestras& que);

struct Escucha {
  Resultado proceso;
  // The player's answers, one per PlaySoundA call.
  std::vector<std::string> respuestas;
  // What the device got: mono 16-bit samples at 44,100 a second.
  Muestras salida;
};

// Runs the player with ordenes in the folder carpeta, on the audio driver
// controlador (SDL's disk driver unless told).
Escucha Escuchar(const std::string& carpeta, const std::vector<std::string>& ordenes,
                 const std::string& controlador = "disk");
// Runs any program as orden says, on SDL's disk audio driver.
Escucha EscucharPrograma(Orden orden);
