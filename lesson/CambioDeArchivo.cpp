#include "lesson/CambioDeArchivo.h"

#include <cstdio>
#include <cstring>

#include "base/Fallo.h"
#include "platform/platform.h"

namespace {

void NombreDeLaCopia(const char* archivo, char* copia, std::size_t capacidad) {
  std::snprintf(copia, capacidad, "%s.tmp", archivo);
}

}  // namespace

CambioDeArchivo::CambioDeArchivo(const char* archivo)
    : archivo(), copia(), razon(), codigo(ERROR_SUCCESS), enCurso(true), confirmado(false) {
  std::snprintf(this->archivo, sizeof this->archivo, "%s", archivo);
  NombreDeLaCopia(archivo, copia, sizeof copia);
  if (!CopyFileA(archivo, copia, FALSE)) {
    // A file not made yet is changed from nothing: the writes create it.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      Fallar("copy to");
      return;
    }
    DeleteFileA(copia);
  }
}

CambioDeArchivo::~CambioDeArchivo() {
  if (!confirmado) DeleteFileA(copia);
}

bool CambioDeArchivo::Escribir(const char* seccion, const char* clave, const char* valor) {
  if (!enCurso) return false;
  if (!WritePrivateProfileStringA(seccion, clave, valor, copia)) return Fallar("write to");
  return true;
}

bool CambioDeArchivo::Confirmar() {
  if (!enCurso) return false;
  // The copy's bytes reach the disk before its name replaces the file's, or
  // a power cut just after could leave the file's name on an empty file.
  const HANDLE abierta = CreateFileA(copia, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (abierta == INVALID_HANDLE_VALUE) return Fallar("flush of");
  if (!FlushFileBuffers(abierta)) {
    Anotar("flush of");
    CloseHandle(abierta);
    return Descartar();
  }
  CloseHandle(abierta);
  if (!MoveFileExA(copia, archivo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Fallar("replace with");
  }
  confirmado = true;
  enCurso = false;
  return true;
}

void CambioDeArchivo::QuitarRestos(const char* archivo) {
  char copia[kLargoNombre];
  NombreDeLaCopia(archivo, copia, sizeof copia);
  DeleteFileA(copia);
}

void CambioDeArchivo::Anotar(const char* paso) {
  codigo = GetLastError();
  char sistema[384];
  RazonDelSistema(sistema, sizeof sistema);
  std::snprintf(razon, sizeof razon, "%s %s failed: %s", paso, copia, sistema);
}

bool CambioDeArchivo::Descartar() {
  enCurso = false;
  DeleteFileA(copia);
  return false;
}

bool CambioDeArchivo::Fallar(const char* paso) {
  Anotar(paso);
  return Descartar();
}
