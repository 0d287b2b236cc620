// The lesson script: a being of the world, never seen, that runs one pass of
// the current lesson from its step of every frame.
//
// Each card of the lesson is a bit: at its first tick N red dots appear at
// random without overlapping (or, on a numeral's card, the written number
// N) and its recording starts (an equation's card
// says its word first: "plus", "equals"); at its last tick, the card's
// ticks later, the dots die and the next bit begins. One idle tick after
// the last bit, the script advances the pass and lesson in the lesson file
// and clears the application's run flag.
//
// A choice's bit shows its groups side by side in a random order, asks for
// its number ("which is seven?") and waits, the pointer shown, for a pick
// (lesson/Eleccion) from the keys and touches the script receives as the
// world's focus. Then the other groups leave and the number is said again;
// unless the pick was right, a ring marks the group asked for. The bit ends
// its card's ticks after the pick, or after the wait without one.
// The run notes itself in the diary: whole once the file is saved, each
// choice's pick, or the failure that ends it.
#pragma once

#include <cstdint>
#include <memory>

#include "lesson/Diario.h"
#include "lesson/Eleccion.h"
#include "lesson/Leccion.h"
#include "world/Identidad.h"

class Dios;

class Guion : public Identidad {
 public:
  // Ticks since construction; counts up at the end of every Vivir. The
  // clock of a choice's wait.
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
  // modelo's world, which takes it as its focus. Seeds the generator from
  // the clock, removes what an interrupted save left beside the lesson
  // file, and reads the file; each item of the list left out is told on one
  // line on standard error, and each warning of the reader too, and kept for
  // the diary. From then until its destruction, a failure that ends the
  // program is noted in the diary.
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
  // what a card can show; a choice's groups, and its ring.
  uint32_t cantidadPuntos = 0;
  // The choice waiting for a pick, or null.
  std::unique_ptr<Eleccion> eleccion;
  // The cards before this one have had their pick: each choice's card
  // counts, from then on, its ticks until the pick too.
  uint32_t decididas = 0;
  // A choice's groups from left to right: their numbers, and where their
  // beings start in puntos (the last entry, where they end).
  int32_t grupos[Eleccion::kMaximoGrupos] = {};
  uint32_t inicioGrupo[Eleccion::kMaximoGrupos + 1] = {};

  // Places the dots of numeroActual, or its numeral for a numeral's card.
  void ColocarPuntos();
  // Starts the sound of the bit being handled.
  void Decir();
  // Runs a choice's bit at tick relativo from its start, as EjecutarBit.
  int32_t EjecutarEleccion(int32_t relativo);
  // Places a choice's groups in a random order, asks its question, shows
  // the pointer and starts waiting.
  void Preguntar();
  // Hands the picks received to the choice; returns whether it has ended.
  bool Atender();
  // The end of a choice: the other groups leave, the group asked for
  // stays, ringed unless it was picked, and its number is said again.
  void Responder();
  // Ends the beings of puntos from desde up to hasta.
  void Quitar(uint32_t desde, uint32_t hasta);
};
