// A being that lives: its step of every frame, its inbox of key messages,
// and the keyboard focus.
#pragma once

#include "base/Frase.h"
#include "base/TColeccionClaseDinamica.h"
#include "world/Apariencia.h"

class Ser : public Apariencia {
 public:
  // Key messages received, oldest first, each holding one reference of the
  // inbox's own.
  TColeccionClaseDinamica<Frase> buzon;

  // A fresh being in universo with an empty inbox.
  explicit Ser(Universo* universo);
  // A copy of modelo moved by desplazamiento, with an empty inbox: modelo's
  // messages stay with modelo.
  Ser(const Ser* modelo, const Vector& desplazamiento);

  // Releases every message in the inbox. A world whose focus this being holds
  // forgets it.
  ~Ser() override;
  // Makes this being its world's foco, the receiver of key messages.
  virtual void TomarFoco();
  // Appends frase to the inbox, which takes a reference of its own.
  virtual void Recibir(Frase* frase);
  // The step of every frame, before the world's update. Does nothing here.
  virtual void Vivir();
};
