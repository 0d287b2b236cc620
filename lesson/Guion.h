// The lesson script: a being of the world, never seen, that runs one pass of
// the current lesson from its step of every frame.
//
// Each number N of the lesson is a bit: at its first tick N red dots appear
// at random without overlapping and the recording of N starts, joined after
// its word's when it has one (an equation's "plus", "equals"); at its last
// tick (instantesPorBit ticks later) the dots die and the next bit begins.
// An equation's bit whose words take longer lasts until they are said, so
// that no card of an equation cuts the one before it short.
// One idle tick after the last bit, the script advances the pass and lesson
// in the lesson file and clears the application's run flag.
#pragma once

#include <cstdint>

#include "base/TColeccion.h"
#include "base/Texto.h"
#include "world/Identidad.h"

class Dios;

class Guion : public Identidad {
 public:
  // The lesson file, in the working folder.
  static constexpr const char* kArchivo = ".\\CPControl.ini";

  // Ticks since construction; counts up at the end of every Vivir.
  int32_t instante;
  // The number of the bit being handled.
  int32_t numeroActual;
  // Its run flag is cleared at the end of the pass; not owned.
  Dios* aplicacion;
  // The dots of the bit on screen; the table is owned, the dots belong to
  // the world.
  Identidad** puntos;
  int32_t leccionActual;
  int32_t paseActual;
  int32_t instantesPorBit;
  // The lesson's numbers, ranges expanded, an equation's answer after its
  // numbers.
  TColeccion<int> numeros;
  // For each of numeros, the word said before the number: the start of its
  // recording's name ("MAS", "IGUAL"), empty for an equation's first card,
  // or null for a card of no equation.
  TColeccion<const char*> palabras;
  // For each of numeros, how many ticks its bit lasts: instantesPorBit, or
  // more for an equation's bit once its sound has started, when that sound
  // is longer.
  TColeccion<int32_t> instantesDeBit;
  // Appended to every recording's name: "" for Spanish, "INGLES" for English.
  Texto idioma;

  // A copy of modelo (its place and colour, which the dots inherit) in
  // modelo's world. Seeds the generator from the clock, removes what an
  // interrupted save left beside the lesson file, and reads the file.
  Guion(const Identidad* modelo, Dios* aplicacion);
  ~Guion() override;

  // One tick of the schedule: every bit is told its tick relative to its
  // start, and the pass ends on the second tick after the last bit's last.
  void Vivir() override;
  // Runs the bit of numeroActual at tick relativo from its start; returns
  // -1 while the bit has not begun, otherwise relativo less the bit's ticks.
  int32_t EjecutarBit(int32_t relativo);
  // Advances paseActual, and leccionActual when the pass number wraps, and
  // writes them to the lesson file as one change. When the file cannot be
  // written, ends the program and tells the parent why.
  void CerrarPase();
  // Pays before the first frame what the lesson would otherwise pay in the
  // middle of a card: draws, in the world's back buffer, which the first
  // frame clears before anything is shown, a card as big as the lesson's
  // biggest (the renderer compiles its drawing and takes its memory then),
  // and starts the sound player. Leaves the world and the lesson's random
  // numbers as they were. Needs a current OpenGL context.
  void Ensayar();

 private:
  // The word of the bit being handled, for numeroActual.
  const char* palabraActual = nullptr;
  // The bit being handled, an index into numeros.
  uint32_t bitActual = 0;
  // How many dots puntos holds: numeroActual, or fewer for a number beyond
  // what a card can show.
  uint32_t cantidadPuntos = 0;

  void LeerArchivo();
  void ColocarPuntos();
};
