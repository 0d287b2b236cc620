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
//   decir PALABRA NOMBRE
//                      ReproducirSonido of PALABRA and NOMBRE: the two
//                      recordings joined
//   oir                waits until the device has taken every frame of the
//                      sound given last (at once without a device)
//   oir-ms MS          waits until the device has taken MS milliseconds of
//                      the sound given last
//
// The waits follow the device, not the clock: on a loaded machine its
// thread may fall behind, and what it has not taken is not in the file.
// A wait that sees no progress for 20 seconds ends the player with code 3.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/Texto.h"
#include "lesson/ReproducirSonido.h"
#include "platform/linux/sound_probe.h"
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

// Waits until the device has taken `frames` of the sound given last, or all
// of it when it is shorter.
void Oir(std::size_t frames) {
  using Reloj = std::chrono::steady_clock;
  SoundProbe probe = ProbeSound();
  std::size_t taken = probe.taken;
  Reloj::time_point progress = Reloj::now();
  while (probe.deviceOpen && probe.taken < std::min(frames, probe.frames)) {
    if (probe.taken != taken) {
      taken = probe.taken;
      progress = Reloj::now();
    } else if (Reloj::now() - progress > std::chrono::seconds(20)) {
      std::fprintf(stderr, "reproductor: the device took no frame for 20 s (%zu of %zu)\n",
                   probe.taken, probe.frames);
      std::exit(3);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    probe = ProbeSound();
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string orden = argv[i];
    if (orden == "reproducir-nulo") {
      ReproducirSonido(Texto(nullptr));
      continue;
    }
    if (orden == "oir") {
      Oir(SIZE_MAX);
      continue;
    }
    const int argumentos = orden == "decir" ? 2 : 1;
    if (i + argumentos >= argc) {
      std::fprintf(stderr, "reproductor: %s needs %d arguments\n", orden.c_str(), argumentos);
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
    } else if (orden == "decir") {
      ReproducirSonido(Texto(argumento), Texto(argv[++i]));
    } else if (orden == "oir-ms") {
      Oir(static_cast<std::size_t>(std::atoi(argumento)) * ProbeSound().rate / 1000);
    } else {
      std::fprintf(stderr, "reproductor: unknown order %s\n", orden.c_str());
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
