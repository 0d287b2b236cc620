// A lesson file's next run, read as the run reads it: the time of a card,
// the counters, the voice, and the cards of the current lesson with how
// long each stays; and where a whole pass leaves the counters. The one
// reader of lesson files: a run and the program's --show both read through
// it.
//
// Missing files, sections and keys read as their defaults; a number setting
// that does not begin with a number too, and a card time below one unit.
// Each guess is told as a warning: a number setting with more than its
// number ("TiempoBit=1O" is 1), a card time under 0.3 s or over 10 s, a
// lesson missing from [Lecciones] (one empty card, 0: the line tells a
// missing file or section from a missing key), a lesson of no card.
#pragma once

#include <cstdint>
#include <string>

#include "base/TColeccion.h"
#include "base/Texto.h"
#include "lesson/ListaNumeros.h"
#include "lesson/Tarjeta.h"

class Leccion {
 public:
  // The lesson file of a run: CPControl.ini in the working folder.
  static constexpr const char* kArchivo = ".\\CPControl.ini";
  // A card lasts the "TiempoBit" setting times this many ticks.
  static constexpr int32_t kInstantesPorUnidad = 6;
  // Ticks an equation's card lasts after its sound, at the least: the device
  // takes a sound within a buffer or two of the call.
  static constexpr int32_t kInstantesDeMargen = 3;
  // Ticks a choice's card stays after its number has been said again, at
  // the least: a beat before the next card.
  static constexpr int32_t kInstantesDeRespiro = 30;

  int32_t instantesPorBit = 0;
  int32_t leccionActual = 0;
  int32_t paseActual = 0;
  // How long a choice waits for a pick: "TiempoEleccion" times
  // kInstantesPorUnidad, 100 units by default.
  int32_t instantesEleccion = 0;
  // Appended to every recording's name: "" for Spanish, "INGLES" for English.
  Texto idioma;
  // Whether every card stays until its word has been said ("PalabraEntera"
  // not 0); otherwise only an equation's does, and every other card stays
  // instantesPorBit ticks, its word cut by the next card's when longer.
  bool palabraEntera = false;
  // The cards of the lesson, ranges drawn, an equation's answer after its
  // numbers.
  TColeccion<Tarjeta> tarjetas;

  // Reads archivo: its settings, and the list of lesson `leccion`, or of
  // the file's current lesson when leccion is 0, drawing each range's order
  // from the lesson's generator. oyente hears of the list's items, and of
  // every guess: the counters' first, then the card times', then the list's.
  void Leer(const char* archivo, ListaNumeros::Oyente* oyente, int32_t leccion = 0);

  // How many passes make a lesson and how many lessons there are, as the
  // file says now.
  int32_t PasesPorLeccion() const;
  int32_t Lecciones() const;
  // Moves the counters past a whole pass: the next pass, or the next
  // lesson's first (the first lesson's after the last). Returns whether the
  // lesson changed.
  bool Avanzar();

 private:
  char archivo[1024] = "";

  // The number setting clave, its text (with room for capacidad - 1
  // characters) into *escrito when given.
  int32_t LeerNumero(const char* clave, const char* defecto, uint32_t capacidad,
                     std::string* escrito = nullptr) const;
};
