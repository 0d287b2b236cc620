// The program's entry point: runs the application object's entry routine,
// or says that the program defines none.

#include "app/Dios.h"
#include "base/Avisos.h"

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE anterior, LPSTR lineaOrdenes, int mostrar) {
  if (!rutinaEntrada) {
    MessageBoxA(nullptr, Avisos::kSinAplicacion, Avisos::kTituloSinAplicacion, MB_OK);
    return -1;
  }
  return rutinaEntrada(instancia, anterior, lineaOrdenes, mostrar);
}
