// The time of a world: frame steps and key routing.
#include "world/Tiempo.h"

#include "base/Frase.h"
#include "world/Observador.h"
#include "world/Ser.h"

Tiempo::Tiempo() : foco(nullptr) {}

void Tiempo::Fotograma() {
  // The size is read again at every step: a being born in some Vivir is
  // appended and lives in this same pass.
  for (uint32_t i = 0; i < contenido.cantidad; ++i) {
    static_cast<Ser*>(contenido.elementos[i])->Vivir();
  }
  Percepcion::Fotograma();
}

void Tiempo::Tecla(int codigo, bool pulsada) {
  if (foco == nullptr) return;
  Frase* frase = new Frase(codigo, pulsada);
  foco->Recibir(frase);
  frase->Liberar();
}

void Tiempo::Tocar(double x, double y) {
  const Observador* camara = dynamic_cast<const Observador*>(observador);
  if (foco == nullptr || camara == nullptr) return;
  const Vector punto = camara->Visto(x, y);
  Frase* frase = new Frase(punto.x, punto.y);
  foco->Recibir(frase);
  frase->Liberar();
}
