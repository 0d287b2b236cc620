// The voices: the names of the recordings a card plays, the words an
// equation or a choice says before a number (the one list of them), and
// what the built-in voices say.
#pragma once

#include <string>

#include "base/Texto.h"

class Voz {
 public:
  // A word said before a number.
  struct Palabra {
    // The operation it stands for: + - x : or = before an equation's
    // answer; ? for a choice's question ("which is seven?").
    char operacion;
    // The start of its recording's name: "MAS" for MAS.WAV, MASINGLES.WAV.
    const char* grabacion;
    // What the built-in Spanish and English voices say.
    const char* espanol;
    const char* ingles;
  };
  static constexpr Palabra kPalabras[] = {
      {'+', "MAS", "m\xC3\xA1s", "plus"},     {'-', "MENOS", "menos", "minus"},
      {'x', "POR", "por", "times"},           {':', "ENTRE", "entre", "divided by"},
      {'=', "IGUAL", "igual a", "equals"},
      {'?', "DONDE", "d\xC3\xB3nde est\xC3\xA1 el", "which is"},
  };
  // The numbers the built-in voices say: 0 to this.
  static constexpr int kMayorGrabado = 100;

  // The word of operacion (+ - x : =; X and * are x, / is :).
  static const Palabra& DeOperacion(char operacion);
  // The word whose recording's name starts with grabacion; null for none.
  static const Palabra* DeGrabacion(const char* grabacion);

  // The name of the recording of numero in the voice idioma: "7.WAV",
  // "7INGLES.WAV"; cut at 255 characters.
  static Texto Nombre(int numero, const char* idioma);
  // The name of the recording of a word: "MAS.WAV", "MASINGLES.WAV"; empty
  // for an empty word; cut at 255 characters.
  static Texto Nombre(const char* palabra, const char* idioma);

  // What the built-in voice of idioma (Spanish for "", English otherwise)
  // says for numero, 0 to kMayorGrabado, in UTF-8: "veintidós",
  // "twenty-two".
  static std::string Dice(int numero, const char* idioma);
};
