#include "lesson/Voz.h"

#include <cassert>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUnidades[] = {
    "cero",        "uno",         "dos",          "tres",         "cuatro",
    "cinco",       "seis",        "siete",        "ocho",         "nueve",
    "diez",        "once",        "doce",         "trece",        "catorce",
    "quince",      "diecis\xC3\xA9is", "diecisiete", "dieciocho",  "diecinueve",
    "veinte",      "veintiuno",   "veintid\xC3\xB3s", "veintitr\xC3\xA9s", "veinticuatro",
    "veinticinco", "veintis\xC3\xA9is", "veintisiete", "veintiocho", "veintinueve"};
constexpr const char* kDecenas[] = {"",        "",         "",          "treinta", "cuarenta",
                                    "cincuenta", "sesenta", "setenta", "ochenta", "noventa"};
constexpr const char* kUnits[] = {"zero",     "one",     "two",       "three",    "four",
                                  "five",     "six",     "seven",     "eight",    "nine",
                                  "ten",      "eleven",  "twelve",    "thirteen", "fourteen",
                                  "fifteen",  "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr const char* kTens[] = {"",      "",      "twenty",  "thirty", "forty",
                                 "fifty", "sixty", "seventy", "eighty", "ninety"};

// A recording's name, at most 255 characters.
Texto NombreCortado(const char* inicio, const char* idioma) {
  char nombre[256];
  std::snprintf(nombre, sizeof nombre, "%s%s.WAV", inicio, idioma);
  return Texto(nombre);
}

}  // namespace

const Voz::Palabra& Voz::DeOperacion(char operacion) {
  if (operacion == 'X' || operacion == '*') operacion = 'x';
  if (operacion == '/') operacion = ':';
  for (const Palabra& palabra : kPalabras) {
    if (palabra.operacion == operacion) return palabra;
  }
  assert(false && "Voz::DeOperacion: not an operation");
  return kPalabras[0];
}

const Voz::Palabra* Voz::DeGrabacion(const char* grabacion) {
  for (const Palabra& palabra : kPalabras) {
    if (std::strcmp(palabra.grabacion, grabacion) == 0) return &palabra;
  }
  return nullptr;
}

Texto Voz::Nombre(int numero, const char* idioma) {
  char cifras[16];
  std::snprintf(cifras, sizeof cifras, "%d", numero);
  return NombreCortado(cifras, idioma);
}

Texto Voz::Nombre(const char* palabra, const char* idioma) {
  return *palabra == '\0' ? Texto("") : NombreCortado(palabra, idioma);
}

std::string Voz::Dice(int numero, const char* idioma) {
  assert(numero >= 0 && numero <= kMayorGrabado && "Voz::Dice: no built-in recording");
  if (*idioma == '\0') {
    if (numero == 100) return "cien";
    if (numero < 30) return kUnidades[numero];
    const std::string decena = kDecenas[numero / 10];
    return numero % 10 == 0 ? decena : decena + " y " + kUnidades[numero % 10];
  }
  if (numero == 100) return "one hundred";
  if (numero < 20) return kUnits[numero];
  const std::string ten = kTens[numero / 10];
  return numero % 10 == 0 ? ten : ten + "-" + kUnits[numero % 10];
}
