#include "tests/support/imagen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "tests/support/carpeta.h"
#include "tests/support/pantalla.h"
#include "world/APNumeral.h"

bool Imagen::Blanco(int x, int y) const {
  const uint8_t* p = &rgb[(size_t(y) * ancho + x) * 3];
  return p[0] >= 245 && p[1] >= 245 && p[2] >= 245;
}

Imagen LeerImagen(const std::string& archivo) {
  Imagen imagen;
  FILE* tubo =
      popen(("/usr/bin/convert '" + archivo + "' -depth 8 ppm:- 2>/dev/null").c_str(), "r");
  if (!tubo) return imagen;
  int ancho = 0;
  int alto = 0;
  int maximo = 0;
  if (std::fscanf(tubo, "P6 %d %d %d", &ancho, &alto, &maximo) == 3 && maximo == 255 &&
      std::fgetc(tubo) != EOF) {
    imagen.rgb.resize(size_t(ancho) * alto * 3);
    if (std::fread(imagen.rgb.data(), 1, imagen.rgb.size(), tubo) == imagen.rgb.size()) {
      imagen.ancho = ancho;
      imagen.alto = alto;
    }
  }
  pclose(tubo);
  if (imagen.ancho == 0) imagen.rgb.clear();
  return imagen;
}

std::vector<Mancha> Manchas(const Imagen& imagen) {
  std::vector<Mancha> manchas;
  std::vector<bool> visto(size_t(imagen.ancho) * imagen.alto, false);
  std::vector<int> pendientes;
  for (int y0 = 0; y0 < imagen.alto; ++y0) {
    for (int x0 = 0; x0 < imagen.ancho; ++x0) {
      const size_t i0 = size_t(y0) * imagen.ancho + x0;
      if (visto[i0] || imagen.Blanco(x0, y0)) continue;
      Mancha m{0, x0, x0, y0, y0, 0, 0, 0};
      visto[i0] = true;
      pendientes.assign(1, int(i0));
      while (!pendientes.empty()) {
        const int i = pendientes.back();
        pendientes.pop_back();
        const int x = i % imagen.ancho;
        const int y = i / imagen.ancho;
        ++m.area;
        m.izquierda = std::min(m.izquierda, x);
        m.derecha = std::max(m.derecha, x);
        m.arriba = std::min(m.arriba, y);
        m.abajo = std::max(m.abajo, y);
        m.rojo += imagen.rgb[size_t(i) * 3];
        m.verde += imagen.rgb[size_t(i) * 3 + 1];
        m.azul += imagen.rgb[size_t(i) * 3 + 2];
        const int vecinos[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& v : vecinos) {
          const int nx = x + v[0];
          const int ny = y + v[1];
          if (nx < 0 || ny < 0 || nx >= imagen.ancho || ny >= imagen.alto) continue;
          const size_t j = size_t(ny) * imagen.ancho + nx;
          if (visto[j] || imagen.Blanco(nx, ny)) continue;
          visto[j] = true;
          pendientes.push_back(int(j));
        }
      }
      m.rojo /= m.area;
      m.verde /= m.area;
      m.azul /= m.area;
      manchas.push_back(m);
    }
  }
  return manchas;
}

void ComprobarTarjeta(const std::string& archivo, int puntos, int ancho, int alto) {
  const double escala = std::min(ancho / 1024.0, alto / 768.0);
  const double diametro = 51.2 * escala;
  const double areaPunto = std::acos(-1.0) * diametro * diametro / 4;
  const Imagen imagen = LeerImagen(archivo);
  if (imagen.ancho != ancho || imagen.alto != alto) {
    ADD_FAILURE() << "expected a " << ancho << " x " << alto << " screenshot, got "
                  << imagen.ancho << " x " << imagen.alto;
    return;
  }
  // The picture's place on the screen, to a pixel.
  const double izquierda = (ancho - 1024 * escala) / 2 - 1;
  const double arriba = (alto - 768 * escala) / 2 - 1;
  const std::vector<Mancha> manchas = Manchas(imagen);
  double area = 0;
  for (const Mancha& m : manchas) {
    area += m.area;
    EXPECT_GT(m.rojo, 2 * (m.verde + m.azul)) << "a patch that is not red";
    EXPECT_TRUE(m.izquierda >= izquierda && m.derecha <= ancho - izquierda &&
                m.arriba >= arriba && m.abajo <= alto - arriba)
        << "a patch outside the centred picture, at " << m.izquierda << ", " << m.arriba;
    const double discos = m.area / areaPunto;
    EXPECT_NEAR(discos, std::round(discos), 0.05 * std::round(discos)) << "patch of " << m.area;
    if (std::round(discos) == 1) {
      EXPECT_NEAR(m.derecha - m.izquierda + 1, diametro, 2.0);
      EXPECT_NEAR(m.abajo - m.arriba + 1, diametro, 2.0);
    }
  }
  EXPECT_NEAR(area / areaPunto, puntos, 0.2) << manchas.size() << " patches";
}

namespace {

size_t Distintos(const Imagen& a, const Imagen& b) {
  if (a.rgb.size() != b.rgb.size()) return std::max(a.rgb.size(), b.rgb.size()) / 3;
  size_t distintos = 0;
  for (size_t i = 0; i < a.rgb.size(); i += 3) {
    distintos +=
        (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]);
  }
  return distintos;
}

// Takes screenshots into archivo until es holds of one, for at most segundos
// (a loaded machine shows things late); returns the last one.
Imagen CapturarHasta(const PantallaVirtual& pantalla, const std::string& archivo,
                     double segundos, const std::function<bool(const Imagen&)>& es) {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  Imagen imagen;
  do {
    if (pantalla.Captura(archivo)) imagen = LeerImagen(archivo);
    if (es(imagen)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < fin);
  return imagen;
}

// A white screen with something on it: a card is up.
bool HayTarjeta(const Imagen& imagen) {
  size_t blancos = 0;
  for (int y = 0; y < imagen.alto; ++y) {
    for (int x = 0; x < imagen.ancho; ++x) blancos += imagen.Blanco(x, y) ? 1 : 0;
  }
  const size_t total = size_t(imagen.ancho) * imagen.alto;
  return total > 0 && blancos > total / 2 && blancos < total;
}

void ComprobarNumeral(const Imagen& imagen, int ancho, int alto) {
  if (imagen.ancho != ancho || imagen.alto != alto) {
    ADD_FAILURE() << "expected a " << ancho << " x " << alto << " screenshot, got "
                  << imagen.ancho << " x " << imagen.alto;
    return;
  }
  int izquierda = ancho, derecha = -1, arriba = alto, abajo = -1;
  int otros = 0;
  for (int y = 0; y < alto; ++y) {
    for (int x = 0; x < ancho; ++x) {
      if (imagen.Blanco(x, y)) continue;
      const uint8_t* p = &imagen.rgb[(size_t(y) * ancho + x) * 3];
      otros += (std::abs(p[0] - 204) > 2 || p[1] > 2 || p[2] > 2) ? 1 : 0;
      izquierda = std::min(izquierda, x);
      derecha = std::max(derecha, x);
      arriba = std::min(arriba, y);
      abajo = std::max(abajo, y);
    }
  }
  EXPECT_EQ(otros, 0) << "pixels neither white nor (204, 0, 0)";
  const double altura = APNumeral::kAltura * 25.6 * std::min(ancho / 1024.0, alto / 768.0);
  // DejaVu's round figures reach 2 % of their height past the flat ones.
  const double desborde = 0.02 * altura + 1;
  EXPECT_NEAR(izquierda + derecha + 1, ancho, 2) << "not centred across";
  EXPECT_NEAR(arriba + abajo + 1, alto, 2 * desborde) << "not centred from top to bottom";
  EXPECT_NEAR(abajo - arriba + 1, altura + desborde, desborde + 1) << "not the figures' height";
}

}  // namespace

Imagen ComprobarRepintado(const PantallaVirtual& pantalla, int puntos, int numeral) {
  CarpetaTemporal fotos;
  const std::string antes = fotos.ruta() + "/antes.png";
  const Imagen a = CapturarHasta(pantalla, antes, 10.0, HayTarjeta);
  if (numeral >= 0) {
    ComprobarNumeral(a, pantalla.ancho(), pantalla.alto());
  } else {
    ComprobarTarjeta(antes, puntos, pantalla.ancho(), pantalla.alto());
  }
  pantalla.Cubrir(1.0);
  const Imagen b = CapturarHasta(pantalla, fotos.ruta() + "/despues.png", 3.0,
                                 [&a](const Imagen& b) { return Distintos(a, b) == 0; });
  EXPECT_EQ(Distintos(a, b), 0u) << "pixels not drawn again after the card was uncovered";
  return a;
}

void ComprobarCajaDeFallo(const PantallaVirtual& pantalla, Proceso* programa, double segundos) {
  const std::string caja = pantalla.EsperarVentana("Contapuntos", segundos);
  ASSERT_FALSE(caja.empty()) << "no message box appeared";
  EXPECT_TRUE(pantalla.EsperarVentana("Orvalo", 0.1).empty()) << "the lesson still covers the box";
  EXPECT_TRUE(pantalla.TeclearHastaQueTermine(caja, "Return", programa)) << "OK ends the program";
}

int ContarPuntos(const Imagen& imagen) {
  if (!HayTarjeta(imagen)) return 0;
  size_t area = 0;
  for (int y = 0; y < imagen.alto; ++y) {
    for (int x = 0; x < imagen.ancho; ++x) area += imagen.Blanco(x, y) ? 0 : 1;
  }
  return static_cast<int>(std::lround(area / (std::acos(-1.0) * 51.2 * 51.2 / 4)));
}

bool ElegirConUnClic(const PantallaVirtual& pantalla, int puntos, int otros, double segundos) {
  const double radio = 25.6 * std::min(pantalla.ancho() / 1024.0, pantalla.alto() / 768.0);
  const double areaPunto = std::acos(-1.0) * radio * radio;
  // The picture is centred: the screen's halves are its halves.
  const int medio = pantalla.ancho() / 2;
  int lado = -1;
  const auto HayGrupos = [&](const Imagen& imagen) {
    double area[2] = {0, 0};
    for (int y = 0; y < imagen.alto; ++y) {
      for (int x = 0; x < imagen.ancho; ++x) area[x >= medio] += imagen.Blanco(x, y) ? 0 : 1;
    }
    for (const int l : {0, 1}) {
      if (std::abs(area[l] / areaPunto - puntos) < 0.3 &&
          std::abs(area[1 - l] / areaPunto - otros) < 0.3) {
        lado = l;
      }
    }
    return imagen.ancho == pantalla.ancho() && lado >= 0;
  };
  CarpetaTemporal fotos;
  const Imagen imagen =
      CapturarHasta(pantalla, fotos.ruta() + "/eleccion.png", segundos, HayGrupos);
  if (lado < 0) return false;
  int x = lado == 0 ? 0 : pantalla.ancho();
  int y = 0;
  for (const Mancha& m : Manchas(imagen)) {
    const int centro = (m.izquierda + m.derecha) / 2;
    if ((centro >= medio) == (lado == 1) && std::abs(centro - medio) < std::abs(x - medio)) {
      x = centro;
      y = (m.arriba + m.abajo) / 2;
    }
  }
  pantalla.Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
  return true;
}
