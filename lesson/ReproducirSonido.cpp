#include "lesson/ReproducirSonido.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "lesson/Grabacion.h"
#include "platform/platform.h"

namespace {

// The joined image given to the player last. Windows reads an SND_MEMORY
// image while it plays, so the image is kept until another sound has
// started; and never freed at the end of the program, when it may still
// play.
std::vector<uint8_t>& Sonando() {
  static std::vector<uint8_t>* const imagen = new std::vector<uint8_t>;
  return *imagen;
}

// Frees the joined image, once a sound that replaces it has started.
void Soltar() { std::vector<uint8_t>().swap(Sonando()); }

}  // namespace

void ReproducirSonido(const Texto& nombre) {
  const char* texto = nombre;
  const HRSRC recurso = FindResourceA(nullptr, texto, "WAVE");
  if (recurso != nullptr) {
    const HGLOBAL cargado = LoadResource(nullptr, recurso);
    if (cargado == nullptr) return;
    const LPVOID imagen = LockResource(cargado);
    if (imagen != nullptr) {
      PlaySoundA(static_cast<LPCSTR>(imagen), nullptr, SND_MEMORY | SND_ASYNC);
      Soltar();
    }
    FreeResource(cargado);
  } else if (Grabacion::NombreSimple(texto)) {
    PlaySoundA(texto, nullptr, SND_FILENAME | SND_ASYNC);
    Soltar();
  } else {
    // The sound a missing file would give, without opening anything. Not
    // being PlaySoundA, it may not stop a joined image, which is kept.
    MessageBeep(MB_OK);
  }
}

void ReproducirSonido(const Texto& palabra, const Texto& nombre) {
  const char* textoPalabra = palabra;
  const char* texto = nombre;
  Grabacion dicha;
  Grabacion numero;
  if (!dicha.Buscar(textoPalabra) || !numero.Buscar(texto)) {
    ReproducirSonido(nombre);
    return;
  }
  const char* fallida = dicha.razon != nullptr ? textoPalabra : texto;
  const char* razon = dicha.razon != nullptr ? dicha.razon : numero.razon;
  std::vector<uint8_t> imagen;
  if (razon == nullptr) {
    imagen = Grabacion::Unir(dicha, numero);
    if (imagen.empty()) razon = "together they are longer than 64 MiB";
  }
  if (razon != nullptr) {
    std::fprintf(stderr, "contapuntos: %s is not said before %s: %s: %s\n", textoPalabra, texto,
                 fallida, razon);
    ReproducirSonido(nombre);
    return;
  }
  PlaySoundA(reinterpret_cast<LPCSTR>(imagen.data()), nullptr, SND_MEMORY | SND_ASYNC);
  // The image that played before is freed here, now that this one has
  // started.
  Sonando().swap(imagen);
}
