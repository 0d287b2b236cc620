// The lesson script: a being of the world, never seen, that runs one pass of
// the current lesson from its step of every frame.
//
// Each card of the lesson is a bit: at its first tick N red dots appear at
// random without overlapping (or, on a numeral's card, the written number
// N) and its recording starts (an equation's card
// says its word first: "plus", "equals"); at its last tick, the card's
// ticks later, the dots die and the next bit begins. One idle tick after
// the last bit, the script advances the pass and lesson in the lesson file
// and clears the application's run flag. The run notes itself in the
// diary: whole once the file is saved, or the failure that ends it.
#pragma once

#include <cstdint>

#include "lesson/Diario.h"
#include "lesson/Leccion.h"
#include "world/Identidad.h"

class Dios;

class Guion : public Identidad {
 public:
  // Ticks since construction; counts up at the end of every Vivir.
  int32_t instante;
  // The number of the bit being handled.
  int32_t numeroActual;
  // Its run flag is cleared at the end of the pass; not owned.
  Dios* aplicacion;
  // The dots of the bit on screen; the table is owned, the dots belong to
  // the world.
  Identidad** puntos;
  // The lesson file's settings, counters and cards.
  Leccion leccion;
  // The run's line in the diary: its start, its choices, its ending.
  Diario diario;

  // A copy of modelo (its place and colour, which the dots inherit) in
  // modelo's world. Seeds the generator from the clock, removes what an
  // interrupted save left beside the lesson file, and reads the file; each
  // item of the list left out is told on one line on standard error. From
  // then until its destruction, a failure that ends the program is noted
  // in the diary.
  Guion(const Identidad* modelo, Dios* aplicacion);
  ~Guion() override;

  // One tick of the schedule: every bit is told its tick relative to its
  // start, and the pass ends on the second tick after the last bit's last.
  void Vivir() override;
  // Runs the bit of numeroActual at tick relativo from its start; returns
  // -1 while the bit has not begun, otherwise relativo less the bit's ticks.
  int32_t EjecutarBit(int32_t relativo);
  // Advances the pass, and the lesson when the pass number wraps, and
  // writes both to the lesson file as one change, then notes the run in
  // the diary as whole. When the file cannot be written, ends the program
  // and tells the parent why.
  void CerrarPase();
  // Pays before the first frame what the lesson would otherwise pay in the
  // middle of a card: draws, in the world's back buffer, which the first
  // frame clears before anything is shown, a card as big as the lesson's
  // biggest (the renderer compiles its drawing and takes its memory then),
  // and starts the sound player. Leaves the world and the lesson's random
  // numbers as they were. Needs a current OpenGL context.
  void Ensayar();

 private:
  // The bit being handled, an index into leccion.tarjetas.
  uint32_t bitActual = 0;
  // How many dots puntos holds: numeroActual, or fewer for a number beyond
  // what a card can show.
  uint32_t cantidadPuntos = 0;

  // Places the dots of numeroActual, or its numeral for a numeral's card.
  void ColocarPuntos();
  // Starts the sound of the bit being handled.
  void Decir();
};
