// Reads a lesson's list: items separated by commas, each a number ("7"), a
// range of two numbers joined by a hyphen ("5-8"), whose numbers are added
// each once in a random order, a group in brackets ("[4,11,3]"), whose
// items' cards come in a random order, or an equation ("3+4=").
//
// An item without '=' is scanned a character at a time: digits build the
// running number, a hyphen makes it the start of a range, a comma or the end
// closes the item, and any other character is skipped without closing it
// ("1 2" is 12). An empty item is the number 0; a range whose start is past
// its end adds nothing; a second hyphen restarts the range ("2-4-6" is 4 to
// 6).
//
// An item with '=' is an equation written as on paper: 2 to 4 numbers joined
// by + - x X * : /, then '=', then optionally its answer ("3+4=7"); blanks
// are skipped. x and : come before + and -, left to right otherwise. It gives
// a card for each number in turn and one for the answer ("3+4=" gives 3, 4,
// 7); each card after the first says its word before its number: the
// operation before it ("plus four") or, for the answer, "equals". An equation
// that is wrong, negative, divides inexactly or by zero, or holds a number
// past what a card holds is left out, with one line on standard error.
//
// A '#' before an item (blanks around it) makes its cards numerals, the
// written number instead of dots: "#7", "#1-5", "#3+4=", "#[4,11,3]"; in a
// group, a '#' before one of its items makes that item's cards numerals.
//
// A group opens with '[' (blanks before it) and closes with ']', or at the
// end of the list; its items, separated by commas, are numbers and ranges
// read as above, and their cards come in one random order, drawn anew at
// each run; what follows ']' up to the next comma is skipped. An equation
// in a group is left out (an equation keeps its order), and a group of
// more cards than a range may hold adds nothing.
//
// An item with '?' is a choice: "7?3" asks for 7 between a group of 7 dots
// and one of 3, "7?3?9" between three groups; "3+4=?8" gives the
// equation's cards, then asks for its answer, 7, against 8. Blanks are
// skipped. A '#' before the item makes every group a numeral ("#7?3" and
// "#7?#3" alike); a '#' before a later group alone would mix dots and
// numerals, and is refused. It gives one card, of the number asked, whose
// other groups are the others. A choice that has more than three groups, a
// group equal to the number asked or to another group, a range or a group
// in brackets as a group, or a number past kMayorDeEleccion is left out,
// with one line on standard error; so is a choice in a group in brackets.
//
// What the reader has to guess it reads as above, and tells in a warning:
// an item with characters it skips ("1O" is 1, "1 2" is 12), an odd hyphen
// ("-3", "5-", "2-4-6"), an empty item (0), a range or a number that adds
// nothing, a group without its ']' or with text after it.
#pragma once

#include <cstdint>
#include <string>

#include "base/TColeccion.h"
#include "lesson/Tarjeta.h"

class ListaNumeros {
 public:
  // Ranges of more numbers than this add nothing: their random order is
  // drawn from numbers 0 to 32767.
  static constexpr int64_t kRangoMaximo = 32768;
  // The largest number of a choice's group: a third of the card holds a
  // hundred dots at half their size.
  static constexpr int64_t kMayorDeEleccion = 100;

  // What a warning line begins with, before the warning's text.
  static constexpr const char* kAviso = "contapuntos: warning: ";

  // What the reader tells of the items of a list, each just before its
  // cards are added.
  class Oyente {
   public:
    virtual ~Oyente() = default;
    // A range or a group, as written ("5 to 8", "[4,11,3]"), whose
    // `tarjetas` cards come next in the order drawn for this run.
    virtual void AlAzar(const std::string& escrito, int tarjetas) = 0;
    // An equation, written as it is shown ("3 + 4 = 7"), whose `tarjetas`
    // cards (its numbers, then its answer) come next.
    virtual void Igualdad(const std::string& escrita, int tarjetas) = 0;
    // An item left out, and the line that tells why ("contapuntos:
    // Leccion3: the equation ... is left out: ...").
    virtual void Omitido(const std::string& linea) = 0;
    // A guess the reader made, read as the text says ("Leccion3: \"1O\" is
    // read as 1"); ajuste is "" for an item of the list, or the [General]
    // setting the lesson's reader guessed ("TiempoBit").
    virtual void Aviso(const std::string& ajuste, const std::string& texto) = 0;
  };

  // Appends the cards of lista to tarjetas, each for `instantes` ticks,
  // drawing each range's order from the lesson's generator. A card's word
  // is the operation before its number in an equation, "IGUAL" before the
  // answer, empty for an equation's first card, null for a card of no
  // equation, "DONDE" before a choice's number. A number past 2,147,483,647 is not added, nor is a
  // range with such an end. leccion names the list in the lines that tell of an item left out
  // ("Leccion3").
  static void Leer(const char* lista, const char* leccion, int32_t instantes,
                   TColeccion<Tarjeta>* tarjetas, Oyente* oyente);
};
