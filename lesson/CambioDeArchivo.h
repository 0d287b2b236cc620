// A change of a profile (INI) file that lands whole or not at all.
//
// The writes go to a copy beside the file, "<file>.tmp", which is flushed to
// disk and then takes the file's place in one step. Wherever the process is
// killed or the power fails, the file is byte for byte the old one or the
// changed one. A copy left behind by an interrupted change is removed by
// QuitarRestos, at the next start.
#pragma once

#include <cstddef>

#include "platform/platform.h"

class CambioDeArchivo {
 public:
  // Makes the copy of archivo (an empty one when archivo does not exist yet).
  explicit CambioDeArchivo(const char* archivo);
  // Removes the copy of a change that was not confirmed.
  ~CambioDeArchivo();
  CambioDeArchivo(const CambioDeArchivo&) = delete;
  CambioDeArchivo& operator=(const CambioDeArchivo&) = delete;

  // Sets key clave of section seccion in the copy.
  bool Escribir(const char* seccion, const char* clave, const char* valor);
  // Puts the copy, on disk, in place of the file.
  bool Confirmar();
  // Which step failed first and why, as one line ("copy to", "write to",
  // "flush of" or "replace with" the copy, then the system's reason); empty
  // while none has.
  const char* Razon() const { return razon; }
  // The system's error code of that failure (ERROR_ACCESS_DENIED...);
  // ERROR_SUCCESS while none has failed.
  DWORD Codigo() const { return codigo; }

  // Removes the copy that an interrupted change of archivo left behind.
  static void QuitarRestos(const char* archivo);

 private:
  static constexpr std::size_t kLargoNombre = 1024;

  char archivo[kLargoNombre];
  char copia[kLargoNombre];
  char razon[kLargoNombre + 512];
  DWORD codigo;
  // Set while the copy exists and every step has succeeded.
  bool enCurso;
  // Set once the copy has taken the file's place.
  bool confirmado;

  // Records the system's reason for the failure of the step paso.
  void Anotar(const char* paso);
  // Ends the change unconfirmed, without its copy; returns false.
  bool Descartar();
  // Anotar, then Descartar.
  bool Fallar(const char* paso);
};
