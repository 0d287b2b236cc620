#include "lesson/ReproducirSonido.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/platform.h"

namespace {

// The image given to the player last, when the program made it. Windows
// reads an SND_MEMORY image while it plays, so the image is kept until
// another sound has started; and never freed at the end of the program,
// when it may still play.
std::vector<uint8_t>& Sonando() {
  static std::vector<uint8_t>* const imagen = new std::vector<uint8_t>;
  return *imagen;
}

// Frees the joined image, once a sound that replaces it has started.
void Soltar() { std::vector<uint8_t>().swap(Sonando()); }

// Plays the recording named nombre, found in numero.
void Tocar(const Grabacion& numero, Grabacion::Origen origen, const Texto& nombre) {
  if (origen == Grabacion::Origen::kRecurso) {
    if (numero.recurso == nullptr) return;
    PlaySoundA(reinterpret_cast<LPCSTR>(numero.recurso), nullptr, SND_MEMORY | SND_ASYNC);
    Soltar();
  } else if (origen == Grabacion::Origen::kArchivo || Grabacion::NombreSimple(nombre)) {
    // Windows plays a file of any kind it knows, and, without one, its
    // default alert sound.
    PlaySoundA(nombre, nullptr, SND_FILENAME | SND_ASYNC);
    Soltar();
  } else {
    // The sound a missing file would give, without opening anything. Not
    // being PlaySoundA, it may not stop a joined image, which is kept.
    MessageBeep(MB_OK);
  }
}

// What a card plays: the number's recording, found in numero, and the image
// of the word joined to it when the word is said.
Sonido Buscar(const Texto& palabra, const Texto& nombre, Grabacion* numero,
              std::vector<uint8_t>* unida) {
  Sonido sonido{Grabacion::Origen::kNinguno, numero->Buscar(nombre), 0.0, ""};
  if (sonido.numero == Grabacion::Origen::kNinguno) return sonido;
  if (numero->razon == nullptr) sonido.segundos = numero->Segundos();
  const char* textoPalabra = palabra;
  Grabacion dicha;
  const Grabacion::Origen origen =
      *textoPalabra == '\0' ? Grabacion::Origen::kNinguno : dicha.Buscar(textoPalabra);
  if (origen == Grabacion::Origen::kNinguno) return sonido;
  const char* fallida = dicha.razon != nullptr ? textoPalabra : static_cast<const char*>(nombre);
  const char* razon = dicha.razon != nullptr ? dicha.razon : numero->razon;
  if (razon == nullptr) {
    *unida = Grabacion::Unir(dicha, *numero);
    if (unida->empty()) razon = "together they are longer than 64 MiB";
  }
  if (razon != nullptr) {
    sonido.fallo = std::string(textoPalabra) + " is not said before " +
                   static_cast<const char*>(nombre) + ": " + fallida + ": " + razon;
    return sonido;
  }
  sonido.palabra = origen;
  sonido.segundos += dicha.Segundos();
  return sonido;
}

}  // namespace

void ReproducirSonido(const Texto& nombre) {
  Grabacion numero;
  Tocar(numero, numero.Buscar(nombre), nombre);
}

Sonido QueSuena(const Texto& palabra, const Texto& nombre) {
  Grabacion numero;
  std::vector<uint8_t> unida;
  return Buscar(palabra, nombre, &numero, &unida);
}

void ReproducirSonido(const Texto& palabra, const Texto& nombre) {
  Grabacion numero;
  std::vector<uint8_t> unida;
  const Sonido sonido = Buscar(palabra, nombre, &numero, &unida);
  if (!sonido.fallo.empty()) std::fprintf(stderr, "contapuntos: %s\n", sonido.fallo.c_str());
  if (sonido.palabra == Grabacion::Origen::kNinguno) {
    Tocar(numero, sonido.numero, nombre);
    return;
  }
  PlaySoundA(reinterpret_cast<LPCSTR>(unida.data()), nullptr, SND_MEMORY | SND_ASYNC);
  // The image that played before is freed here, now that this one has
  // started.
  Sonando().swap(unida);
}
