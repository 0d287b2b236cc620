// The playing of the spoken numbers.
#pragma once

#include <string>

#include "base/Texto.h"
#include "lesson/Grabacion.h"

// Starts the recording named nombre ("7.WAV", "7INGLES.WAV") and returns at
// once, cutting a sound that still plays. The recording is found as
// Grabacion::Buscar finds it; when none plays, the system's default alert
// sound does. A Texto without buffer is the empty name.
void ReproducirSonido(const Texto& nombre);

// What ReproducirSonido(palabra, nombre) plays, found without playing it.
struct Sonido {
  // Where the word's recording is, or kNinguno when the word is not said.
  Grabacion::Origen palabra;
  // Where the number's recording is; kNinguno gives the alert sound.
  Grabacion::Origen numero;
  // How long the sound plays, in seconds; 0 when the number's recording is
  // none that could be read (a file of another kind, the alert sound).
  double segundos;
  // Why the word, which has a recording, is not said: one line, or empty.
  std::string fallo;
};
Sonido QueSuena(const Texto& palabra, const Texto& nombre);

// Starts, as one sound, the recording named palabra ("MAS.WAV", found as a
// number's is) followed by the one named nombre, joined in memory with
// nothing between them. With an empty palabra or without its recording,
// plays nombre alone as above; so too, after its fallo on standard error,
// when the two cannot be joined (one of them is not a PCM WAVE, or they are
// too long).
void ReproducirSonido(const Texto& palabra, const Texto& nombre);
