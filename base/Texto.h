// The engine's owned NUL-terminated byte string. A plain value, not
// reference-counted: each Texto owns its buffer, sized exactly to the text
// and its NUL. Bytes are not interpreted as any encoding.
#pragma once

#include <cstddef>
#include <cstdint>

class Texto {
 public:
  // Bytes in the buffer counting the NUL; 0 exactly when cadena is null.
  uint32_t tamano;
  // The buffer, tamano bytes ending in NUL; null when there is none.
  char* cadena;

  // The empty text, with a one-byte buffer.
  Texto();
  // A copy of s; a null s gives a text without buffer.
  Texto(const char* s);
  // A deep copy: the new text owns a buffer of its own.
  Texto(const Texto& otro);

  // Frees the buffer.
  virtual ~Texto();

  // Replaces the text with a copy of s, which must not be null (it may point
  // into this text's own buffer).
  Texto& operator=(const char* s);
  // Takes otro's size and a copy of its text; an otro without buffer leaves
  // this one without buffer too.
  Texto& operator=(const Texto& otro);

  // The text; "" when there is no buffer.
  operator const char*() const;

 private:
  // Resizes the buffer to exactly bytes bytes (0 frees it) and sets tamano.
  void Ajustar(std::size_t bytes);
};
