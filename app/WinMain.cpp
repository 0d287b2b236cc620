// The program's entry point: runs the application object's entry routine,
// or says that the program defines none.

#include "app/Dios.h"

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE anterior, LPSTR lineaOrdenes, int mostrar) {
  if (!rutinaEntrada) {
    // "Error de programación", in Windows-1252.
    MessageBoxA(nullptr, "Tienes que crear una instancia de Dios", "Error de programaci\xF3n", MB_OK);
    return -1;
  }
  return rutinaEntrada(instancia, anterior, lineaOrdenes, mostrar);
}
