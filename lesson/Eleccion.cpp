#include "lesson/Eleccion.h"

#include <cassert>

#include "lesson/Colocacion.h"

double Eleccion::MedioAncho(int grupos) {
  return (2 * Colocacion::kMedioAncho - kHueco * (grupos - 1)) / grupos / 2;
}

double Eleccion::Centro(int grupo, int grupos) {
  return -Colocacion::kMedioAncho + (2 * grupo + 1) * MedioAncho(grupos) + grupo * kHueco;
}

int Eleccion::GrupoEn(double x, int grupos) {
  for (int grupo = 0; grupo + 1 < grupos; ++grupo) {
    if (x < Centro(grupo, grupos) + MedioAncho(grupos) + kHueco / 2) return grupo;
  }
  return grupos - 1;
}

int Eleccion::GrupoDeTecla(int codigo, int grupos) {
  return codigo >= '1' && codigo < '1' + grupos ? codigo - '1' : -1;
}

Eleccion::Eleccion(int grupos, int pedido, int32_t inicio, int32_t espera)
    : grupos(grupos), pedido(pedido), inicio(inicio), espera(espera) {
  assert(pedido >= 0 && pedido < grupos && espera > 0 && "Eleccion: a group asked for, a wait");
}

void Eleccion::Elegir(int grupo, int32_t instante) {
  if (resultado != Resultado::kEsperando || instante < inicio || grupo < 0 || grupo >= grupos) {
    return;
  }
  elegido = grupo;
  resultado = grupo == pedido ? Resultado::kAcierto : Resultado::kOtra;
}

void Eleccion::Esperar(int32_t instante) {
  if (resultado == Resultado::kEsperando && instante - inicio + 1 >= espera) {
    resultado = Resultado::kNinguna;
  }
}
