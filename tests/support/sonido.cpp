#include "tests/support/sonido.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "platform/platform.h"

namespace {

const std::string kReproductor = REPRODUCTOR;

}  // namespace

std::string ImagenWave(const FormatoWave& formato, const std::string& datos) {
  return Wave(Fmt(formato.canales, formato.frecuencia, formato.bits, formato.etiqueta), datos);
}

std::string Bytes16(const Muestras& muestras) {
  std::string bytes;
  for (const std::int16_t m : muestras) bytes += Little(static_cast<std::uint16_t>(m), 2);
  return bytes;
}

Muestras Tono(double hercios, double segundos) {
  const int cantidad = static_cast<int>(segundos * kFrecuenciaDelDispositivo);
  Muestras muestras(static_cast<std::size_t>(cantidad));
  for (int i = 0; i < cantidad; ++i) {
    muestras[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(
        16383.0 * std::sin(6.283185307179586 * hercios * i / kFrecuenciaDelDispositivo)));
  }
  return muestras;
}

Muestras MuestrasDeRecurso(const char* nombre) {
  const HRSRC recurso = FindResourceA(nullptr, nombre, "WAVE");
  if (recurso == nullptr) {
    ADD_FAILURE() << "expected a resource " << nombre << ", got none";
    return {};
  }
  const WaveImage wave =
      ReadWaveImage(static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, recurso))),
                    SizeofResource(nullptr, recurso));
  if (wave.problem != nullptr) {
    ADD_FAILURE() << nombre << " cannot be read: " << wave.problem;
    return {};
  }
  Muestras muestras(wave.sampleBytes / 2);
  std::memcpy(muestras.data(), wave.samples, muestras.size() * 2);
  return muestras;
}

void EscribirArchivo(const std::string& ruta, const std::string& bytes) {
  std::ofstream archivo(ruta, std::ios::binary);
  archivo << bytes;
  ASSERT_TRUE(archivo.good()) << "cannot write " << ruta;
}

std::size_t Buscar(const Muestras& en, const Muestras& que, std::size_t desde) {
  if (que.empty() || desde > en.size()) return std::string::npos;
  const auto hallado = std::search(en.begin() + static_cast<std::ptrdiff_t>(desde), en.end(),
                                   std::boyer_moore_horspool_searcher(que.begin(), que.end()));
  return hallado == en.end() ? std::string::npos : static_cast<std::size_t>(hallado - en.begin());
}

std::size_t Contar(const Muestras& en, const Muestras& que) {
  std::size_t veces = 0;
  for (std::size_t donde = Buscar(en, que); donde != std::string::npos;
       donde = Buscar(en, que, donde + que.size())) {
    ++veces;
  }
  return veces;
}

Escucha Escuchar(const std::string& carpeta, const std::vector<std::string>& ordenes,
                 const std::string& controlador) {
  Orden orden;
  orden.argumentos = {kReproductor};
  orden.argumentos.insert(orden.argumentos.end(), ordenes.begin(), ordenes.end());
  orden.entorno = {{"SDL_AUDIODRIVER", controlador}};
  orden.carpeta = carpeta;
  return EscucharPrograma(orden);
}

Escucha EscucharPrograma(Orden orden) {
  CarpetaTemporal salida;
  const std::string archivo = salida.ruta() + "/dispositivo.raw";
  orden.entorno.emplace("SDL_AUDIODRIVER", "disk");
  orden.entorno["SDL_DISKAUDIOFILE"] = archivo;
  Escucha escucha;
  escucha.proceso = Ejecutar(orden);
  std::istringstream lineas(escucha.proceso.salida);
  for (std::string linea; std::getline(lineas, linea);) escucha.respuestas.push_back(linea);
  std::ifstream crudo(archivo, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(crudo), std::istreambuf_iterator<char>()};
  escucha.salida.resize(bytes.size() / 2);
  if (!escucha.salida.empty()) {
    std::memcpy(escucha.salida.data(), bytes.data(), escucha.salida.size() * 2);
  }
  return escucha;
}
