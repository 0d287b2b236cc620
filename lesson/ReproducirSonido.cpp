#include "lesson/ReproducirSonido.h"

#include <cstring>

#include "platform/platform.h"

namespace {

// Whether nombre can only name a file of the working folder: it holds no
// folder separator ('/', or '\\' on Windows) and no ':' (a drive or a file
// stream on Windows), so that a name read from the configuration file cannot
// open a file elsewhere.
bool NombreSimple(const char* nombre) { return std::strpbrk(nombre, "/\\:") == nullptr; }

}  // namespace

void ReproducirSonido(const Texto& nombre) {
  const char* texto = nombre;
  const HRSRC recurso = FindResourceA(nullptr, texto, "WAVE");
  if (recurso != nullptr) {
    const HGLOBAL cargado = LoadResource(nullptr, recurso);
    if (cargado == nullptr) return;
    const LPVOID imagen = LockResource(cargado);
    if (imagen != nullptr) PlaySoundA(static_cast<LPCSTR>(imagen), nullptr, SND_MEMORY | SND_ASYNC);
    FreeResource(cargado);
  } else if (NombreSimple(texto)) {
    PlaySoundA(texto, nullptr, SND_FILENAME | SND_ASYNC);
  } else {
    // The sound a missing file would give, without opening anything.
    MessageBeep(MB_OK);
  }
}
