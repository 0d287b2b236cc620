#include "app/Contapuntos.h"

#include "lesson/Guion.h"
#include "world/BigBang.h"
#include "world/Observador.h"
#include "world/Universo.h"

Contapuntos::Contapuntos() : observador(nullptr) {}

Contapuntos::~Contapuntos() = default;

void Contapuntos::Crear() {
  Universo* mundo = CrearUniverso();
  {
    // The template of the world's first beings; it never lives a frame.
    BigBang bigBang(mundo);
    const double blanco[4] = {1.0, 1.0, 1.0, 0.0};
    bigBang.FijarFondo(blanco);
    const double rojo[4] = {0.8, 0.0, 0.0, 0.0};
    bigBang.FijarColor(rojo);

    observador = new Observador(&bigBang);
    observador->FijarVista(40, 30);
    // The origin at the centre of the screen: x from -20 to 20, y from -15 to 15.
    observador->posicion = observador->posicion + Vector(20.0, 15.0, 0.0);

    ShowCursor(FALSE);
    Guion* guion = new Guion(&bigBang, this);
    guion->Ensayar();
  }
}

// The program's one application object.
Contapuntos contapuntos;
