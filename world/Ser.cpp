// A living being: its frame step, inbox and keyboard focus.
#include "world/Ser.h"

#include "world/Universo.h"

Ser::Ser(Universo* universo) : Apariencia(universo) {}

Ser::Ser(const Ser* modelo, const Vector& desplazamiento) : Apariencia(modelo, desplazamiento) {}

Ser::~Ser() {
  if (universo != nullptr && universo->foco == this) universo->foco = nullptr;
}

void Ser::TomarFoco() { universo->foco = this; }

void Ser::Recibir(Frase* frase) { buzon.AgregarObjeto(frase, true); }

void Ser::Vivir() {}
