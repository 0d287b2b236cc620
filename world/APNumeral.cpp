// A numeral as appearance, tessellated through GLU and drawn flat.
#include "world/APNumeral.h"

#include <array>
#include <cassert>
#include <deque>
#include <string>

#include "platform/platform.h"
#include "world/Cifra.h"
#include "world/Escena.h"

namespace {

using Punto = std::array<GLdouble, 3>;
// What gluTessCallback takes, on both systems.
using FuncionGLU = void(CALLBACK*)();

// What the tessellator's callbacks write into.
struct Teselado {
  std::vector<float>* triangulos;
  // The points the tessellator makes where edges meet; a deque, so that
  // each keeps its address while more come.
  std::deque<Punto> nuevos;
};

void CALLBACK Vertice(void* vertice, void* datos) {
  const GLdouble* punto = static_cast<const GLdouble*>(vertice);
  std::vector<float>* triangulos = static_cast<Teselado*>(datos)->triangulos;
  triangulos->push_back(static_cast<float>(punto[0]));
  triangulos->push_back(static_cast<float>(punto[1]));
}

// Given at all, it makes the tessellator hand out separate triangles only,
// never fans or strips.
void CALLBACK Borde(GLboolean, void*) {}

void CALLBACK Combinar(GLdouble coordenadas[3], void* [4], GLfloat[4], void** salida, void* datos) {
  Teselado* teselado = static_cast<Teselado*>(datos);
  teselado->nuevos.push_back({coordenadas[0], coordenadas[1], coordenadas[2]});
  *salida = teselado->nuevos.back().data();
}

}  // namespace

APNumeral::APNumeral(int numero) : numero(numero) {
  assert(numero >= 0 && "APNumeral needs a number of 0 or more");
  const std::string cifras = std::to_string(numero);
  const Cifra& primera = Cifra::kTodas[cifras.front() - '0'];
  const Cifra& ultima = Cifra::kTodas[cifras.back() - '0'];
  // The ink's edges in font units, the first figure's origin at x = 0.
  const double izquierda = primera.izquierda;
  const double derecha = (cifras.size() - 1) * Cifra::kAvance + ultima.derecha;
  double escala = kAltura / Cifra::kAltura;
  if ((derecha - izquierda) * escala > kAnchoMaximo) escala = kAnchoMaximo / (derecha - izquierda);
  ancho = (derecha - izquierda) * escala;
  const double centroX = (izquierda + derecha) / 2.0;
  const double centroY = Cifra::kAltura / 2.0;

  // The tessellator reads the points it is given when the polygon ends, so
  // they are all kept until then, in a vector that never grows.
  size_t cantidad = 0;
  for (char c : cifras) {
    const Cifra& cifra = Cifra::kTodas[c - '0'];
    for (uint16_t k = 0; k < cifra.cantidadContornos; ++k) cantidad += cifra.contornos[k];
  }
  std::vector<Punto> puntos;
  puntos.reserve(cantidad);
  Teselado teselado{&triangulos, {}};
  GLUtesselator* teselador = gluNewTess();
  // GLU has no tessellator to give only when memory runs out; the numeral is
  // then drawn as nothing.
  if (teselador == nullptr) return;
  gluTessCallback(teselador, GLU_TESS_VERTEX_DATA, reinterpret_cast<FuncionGLU>(Vertice));
  gluTessCallback(teselador, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<FuncionGLU>(Borde));
  gluTessCallback(teselador, GLU_TESS_COMBINE_DATA, reinterpret_cast<FuncionGLU>(Combinar));
  gluTessProperty(teselador, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(teselador, 0.0, 0.0, 1.0);
  gluTessBeginPolygon(teselador, &teselado);
  for (size_t i = 0; i < cifras.size(); ++i) {
    const Cifra& cifra = Cifra::kTodas[cifras[i] - '0'];
    const float* punto = cifra.puntos;
    for (uint16_t k = 0; k < cifra.cantidadContornos; ++k) {
      gluTessBeginContour(teselador);
      for (uint16_t p = 0; p < cifra.contornos[k]; ++p, punto += 2) {
        puntos.push_back({(punto[0] + i * Cifra::kAvance - centroX) * escala,
                          (punto[1] - centroY) * escala, 0.0});
        gluTessVertex(teselador, puntos.back().data(), puntos.back().data());
      }
      gluTessEndContour(teselador);
    }
  }
  gluTessEndPolygon(teselador);
  gluDeleteTess(teselador);
}

APrimitiva* APNumeral::Duplicar() const { return new APNumeral(*this); }

void APNumeral::Dibujar(void*) const {
  glPushAttrib(GL_ENABLE_BIT);
  // Unlit, the being's colour is the figures' colour everywhere: a flat
  // shape under the dots' light would take one shade of it, set by where it
  // faces, not the red the dots are made of.
  glDisable(GL_LIGHTING);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, triangulos.data());
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(triangulos.size() / 2));
  glPopClientAttrib();
  glPopAttrib();
}

void APNumeral::Describir(Escena* escena) const { escena->Anotar(static_cast<double>(numero)); }
