// The playing of the spoken numbers.
#pragma once

#include "base/Texto.h"

// Starts the recording named nombre ("7.WAV", "7INGLES.WAV") and returns at
// once, cutting a sound that still plays. The recording is the program's
// resource of type "WAVE" of that name or, when there is none, the file of
// that name in the working folder; when neither plays, the system's default
// alert sound does. A name holding a folder or drive separator names no
// file: it gives the alert sound. A Texto without buffer is the empty name.
void ReproducirSonido(const Texto& nombre);

// Starts, as one sound, the recording named palabra ("MAS.WAV", found as a
// number's is) followed by the one named nombre, joined in memory with
// nothing between them. With an empty palabra or without its recording,
// plays nombre alone as above; so too, after a line on standard error that
// says why, when the two cannot be joined (one of them is not a PCM WAVE,
// or they are too long). Returns how long the sound plays, in seconds, or
// 0 when nombre is no recording that could be read (a file of another
// kind, the alert sound).
double ReproducirSonido(const Texto& palabra, const Texto& nombre);
