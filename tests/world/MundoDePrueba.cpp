// What the world tests share.
#include "tests/world/MundoDePrueba.h"

#include "world/Iluminacion.h"

std::vector<std::string> sucesos;
std::vector<MPrueba::Pregunta> MPrueba::preguntas;
int MPrueba::vivas = 0;
int APrueba::vivas = 0;
int APrueba::dibujos = 0;

Fotografia::Fotografia() : rgba_(static_cast<size_t>(ContextoGL::kAncho) * ContextoGL::kAlto * 4) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, ContextoGL::kAncho, ContextoGL::kAlto, GL_RGBA, GL_UNSIGNED_BYTE,
               rgba_.data());
}

Color Fotografia::En(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * ContextoGL::kAncho + x) * 4;
  return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
}

int Fotografia::Contar(const std::function<bool(Color)>& es) const {
  int n = 0;
  for (int y = 0; y < ContextoGL::kAlto; ++y) {
    for (int x = 0; x < ContextoGL::kAncho; ++x) n += es(En(x, y)) ? 1 : 0;
  }
  return n;
}

int Fotografia::Tramo(int x, int y, bool horizontal, const std::function<bool(Color)>& es) const {
  if (!es(En(x, y))) return 0;
  const int dx = horizontal ? 1 : 0;
  const int dy = horizontal ? 0 : 1;
  int n = 1;
  for (int i = x + dx, j = y + dy;
       i < ContextoGL::kAncho && j < ContextoGL::kAlto && es(En(i, j)); i += dx, j += dy) {
    ++n;
  }
  for (int i = x - dx, j = y - dy; i >= 0 && j >= 0 && es(En(i, j)); i -= dx, j -= dy) ++n;
  return n;
}

int Fotografia::Diferencias(const Fotografia& otra) const {
  int n = 0;
  for (size_t i = 0; i < rgba_.size(); i += 4) {
    n += (rgba_[i] != otra.rgba_[i] || rgba_[i + 1] != otra.rgba_[i + 1] ||
          rgba_[i + 2] != otra.rgba_[i + 2])
             ? 1
             : 0;
  }
  return n;
}

bool EsBlanco(Color c) { return c.r > 240 && c.g > 240 && c.b > 240; }
bool EsRojo(Color c) { return c.r >= 32 && c.g < 32 && c.b < 32; }
bool EsAzul(Color c) { return c.b >= 32 && c.r < 32 && c.g < 32; }

void PruebaDeMundo::SetUp() {
  ASSERT_TRUE(contexto.activo()) << "no OpenGL context: " << contexto.fallo();
  ASSERT_EQ(Iluminacion::usuarios, 0) << "a world of an earlier test is still alive";
  sucesos.clear();
  MPrueba::preguntas.clear();
  APrueba::dibujos = 0;
  mundo = new Universo;
}

void PruebaDeMundo::TearDown() { delete mundo; }
