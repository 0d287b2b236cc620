// The player program of the sound tests: carries out its arguments in order
// and writes the result of every PlaySoundA call on a line ("TRUE" or
// "FALSE"). Run on SDL's disk audio driver, it leaves what the device got in
// a file.
//
//   memoria NOMBRE     the built-in recording NOMBRE, with SND_MEMORY
//   imagen RUTA        the bytes of file RUTA, with SND_MEMORY; they are
//                      freed as soon as the call returns
//   archivo NOMBRE     the file NOMBRE, with SND_FILENAME
//   reproducir NOMBRE  ReproducirSonido of NOMBRE
//   reproducir-nulo    ReproducirSonido of a Texto without buffer
//   esperar MS         waits MS milliseconds

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/Texto.h"
#include "lesson/ReproducirSonido.h"
#include "platform/platform.h"

namespace {

void Escribir(BOOL resultado) { std::printf("%s\n", resultado ? "TRUE" : "FALSE"); }

BOOL Memoria(const char* nombre) {
  const HRSRC recurso = FindResourceA(nullptr, nombre, "WAVE");
  if (recurso == nullptr) {
    std::fprintf(stderr, "reproductor: no resource %s\n", nombre);
    std::exit(2);
  }
  return PlaySoundA(static_cast<LPCSTR>(LockResource(LoadResource(nullptr, recurso))), nullptr,
                    SND_MEMORY | SND_ASYNC);
}

BOOL Imagen(const char* ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  if (!archivo) {
    std::fprintf(stderr, "reproductor: cannot read %s\n", ruta);
    std::exit(2);
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(archivo),
                                std::istreambuf_iterator<char>()};
  return PlaySoundA(bytes.data(), nullptr, SND_MEMORY | SND_ASYNC);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string orden = argv[i];
    if (orden == "reproducir-nulo") {
      ReproducirSonido(Texto(nullptr));
      continue;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "reproductor: %s needs an argument\n", orden.c_str());
      return 2;
    }
    const char* argumento = argv[++i];
    if (orden == "memoria") {
      Escribir(Memoria(argumento));
    } else if (orden == "imagen") {
      Escribir(Imagen(argumento));
    } else if (orden == "archivo") {
      Escribir(PlaySoundA(argumento, nullptr, SND_FILENAME | SND_ASYNC));
    } else if (orden == "reproducir") {
      ReproducirSonido(Texto(argumento));
    } else if (orden == "esperar") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argumento)));
    } else {
      std::fprintf(stderr, "reproductor: unknown order %s\n", orden.c_str());
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
