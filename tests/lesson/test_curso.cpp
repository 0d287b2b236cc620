// Lesson files made by tools/make-curriculum against the lesson script
// itself: what the program reads from a made course must be the planned
// days, their equations read with none left out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Contapuntos.h"
#include "lesson/Guion.h"
#include "tests/support/carpeta.h"
#include "tests/support/contexto_gl.h"
#include "tests/support/proceso.h"
#include "world/Universo.h"

extern Contapuntos contapuntos;

namespace {

const std::string kScript = MAKE_CURRICULUM;

using Numeros = std::vector<int>;
using Palabras = std::vector<std::string>;

class CursoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(contexto.activo()) << contexto.fallo();
    anterior = std::filesystem::current_path();
    std::filesystem::current_path(carpeta.ruta());
  }
  void TearDown() override {
    Cerrar();
    std::filesystem::current_path(anterior);
  }

  // The script's standard output, checked by this build's program; a
  // failed run fails the test.
  std::string Script(std::vector<std::string> argumentos) {
    Orden orden;
    orden.argumentos = {kScript};
    orden.argumentos.insert(orden.argumentos.end(), argumentos.begin(), argumentos.end());
    orden.carpeta = carpeta.ruta();
    const std::string programa = CONTAPUNTOS_PROGRAMA;
    orden.entorno["PATH"] = programa.substr(0, programa.rfind('/')) + ":" + std::getenv("PATH");
    const Resultado r = Ejecutar(orden);
    EXPECT_EQ(r.codigo, 0) << r.errores;
    return r.salida;
  }
  void Archivo(const std::string& contenido) {
    std::ofstream(Ruta(), std::ios::binary) << contenido;
  }
  std::string Ruta() const { return carpeta.ruta() + "/CPControl.ini"; }
  // A made course, moved on to the given lesson.
  void EnLeccion(const std::string& curso, int leccion) {
    const std::string inicio = "\nLeccionActual=1\n";
    const size_t donde = curso.find(inicio);
    ASSERT_NE(donde, std::string::npos);
    Archivo(std::string(curso).replace(donde, inicio.size(),
                                       "\nLeccionActual=" + std::to_string(leccion) + "\n"));
  }
  // The script of the application's world, read from the lesson file.
  Guion* Crear() {
    contapuntos.Crear();
    return dynamic_cast<Guion*>(contapuntos.universo->contenido.elementos[1]);
  }
  void Cerrar() {
    delete contapuntos.universo;
    contapuntos.universo = nullptr;
    contapuntos.enMarcha = true;
  }
  // The cards the program reads, and the word each says before its number.
  Numeros Lee(Palabras* palabras) {
    const TColeccion<Tarjeta>& tarjetas = Crear()->leccion.tarjetas;
    Numeros numeros;
    palabras->clear();
    for (uint32_t i = 0; i < tarjetas.cantidad; ++i) {
      numeros.push_back(tarjetas.elementos[i].numero);
      palabras->push_back(tarjetas.elementos[i].palabra ? tarjetas.elementos[i].palabra : "");
    }
    Cerrar();
    return numeros;
  }

  ContextoGL contexto;
  CarpetaTemporal carpeta;
  std::filesystem::path anterior;
};

// The days of made courses as the program reads them: the sets of the
// planned days, whose numbers it may show in any order within a set; the
// last number on the day its pace brings it; over the whole course, every
// number from 1 to the last and no other, the day's equations after them
// (the numerals that follow, in the tool's own test).
// (The tool has the program read every lesson before it writes a course,
// and refuses one with anything left out.)
TEST_F(CursoTest, AMadeCourseGivesTheProgramThePlannedDays) {
  using Dia = std::vector<std::set<int>>;
  const Dia uno = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
  const Dia seis = {{3, 4, 5, 11, 12}, {8, 9, 10, 13, 14}};
  const Dia siete = {{5, 11, 12, 15, 16}, {10, 13, 14, 17, 18}};
  struct Caso {
    std::vector<std::string> opciones;
    int hasta;
    int lecciones;
    // The lesson that first shows the last number: the five first days,
    // then as many days as its pace takes to bring the others (a review
    // lesson, after every so many days, holds them back by one).
    int leccionDelUltimo;
    std::map<int, Dia> dias;
    // Lessons of numbers already seen, as many as a day, chosen at random.
    std::set<int> repasos;
  };
  const Caso casos[] = {
      {{"--seed", "3", "--no-numerals"}, 100, 80, 5 + 90 / 2,
       {{1, uno},
        {5, uno},
        {6, {{2, 3, 4, 5, 11}, {7, 8, 9, 10, 12}}},
        {7, {{3, 4, 5, 11, 13}, {8, 9, 10, 12, 14}}},
        {51, {{93, 95, 97, 99}, {94, 96, 98, 100}}},
        {54, {{99}, {100}}}},
       {}},
      {{"--seed", "4", "--new-per-day", "4", "--review-every", "5", "--voice", "en",
        "--no-numerals"},
       100, 79, 5 + (90 + 3) / 4 + 5,
       {{5, uno}, {7, seis}, {8, siete}, {13, {{24, 27, 28, 31, 32}, {26, 29, 30, 33, 34}}}},
       {6, 12, 18, 24, 30}},
      {{"--seed", "5", "--up-to", "12", "--per-day", "3", "--no-numerals"}, 12, 9, 1,
       {{1, {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12}}},
        {6, {{2, 3, 4, 5}, {7, 8, 9, 10}, {12}}},
        {9, {{5}, {10}}}},
       {}},
  };
  for (const Caso& caso : casos) {
    std::string nombre;
    for (const std::string& o : caso.opciones) nombre += o + " ";
    SCOPED_TRACE(nombre);
    const std::string curso = Script(caso.opciones);
    std::set<int> vistos;
    std::map<int, int> dias;
    for (int leccion = 1; leccion <= caso.lecciones + 1; ++leccion) {
      SCOPED_TRACE("lesson " + std::to_string(leccion));
      EnLeccion(curso, leccion);
      Palabras palabras;
      const Numeros tarjetas = Lee(&palabras);
      if (leccion > caso.lecciones) {
        EXPECT_EQ(tarjetas, Numeros{0}) << "the file has one lesson too many";
        break;
      }
      ASSERT_FALSE(tarjetas.empty());
      EXPECT_GE(*std::min_element(tarjetas.begin(), tarjetas.end()), 1);
      EXPECT_LE(*std::max_element(tarjetas.begin(), tarjetas.end()), caso.hasta);
      // The equations come after the numbers: each from a card without a
      // word to the card that says "equals".
      const auto dicha = std::find_if(palabras.begin(), palabras.end(),
                                      [](const std::string& p) { return !p.empty(); });
      const size_t cuantos =
          dicha == palabras.end() ? tarjetas.size() : dicha - palabras.begin() - 1;
      const Numeros numeros(tarjetas.begin(), tarjetas.begin() + cuantos);
      const size_t clave = curso.find("\nLeccion" + std::to_string(leccion) + "=");
      const std::string lista = curso.substr(clave + 1, curso.find('\n', clave + 1) - clave - 1);
      const std::set<int> distintos(numeros.begin(), numeros.end());
      EXPECT_EQ(distintos.size(), numeros.size()) << "a number twice in a day";
      if (distintos.count(caso.hasta) && !vistos.count(caso.hasta)) {
        EXPECT_EQ(leccion, caso.leccionDelUltimo) << caso.hasta << " comes on this lesson";
      }
      if (caso.repasos.count(leccion)) {
        EXPECT_EQ(numeros.size(), 10u);
        for (int n : numeros) EXPECT_TRUE(vistos.count(n)) << n << " was not seen before";
      }
      const auto dia = caso.dias.find(leccion);
      if (dia != caso.dias.end()) {
        size_t i = 0;
        for (const std::set<int>& serie : dia->second) {
          ASSERT_LE(i + serie.size(), numeros.size());
          EXPECT_EQ(std::set<int>(numeros.begin() + i, numeros.begin() + i + serie.size()), serie);
          i += serie.size();
        }
        EXPECT_EQ(i, numeros.size());
      }
      // A set that is no range is a group in brackets, which the program
      // mixes anew at every run (the list reader's table shows the mixing).
      const size_t igualdad = lista.find('=', lista.find('=') + 1);
      std::string cartas =
          igualdad == std::string::npos ? lista : lista.substr(0, lista.rfind(',', igualdad));
      cartas.erase(0, cartas.find('=') + 1);
      if (numeros.size() >= 10) {
        for (size_t i = 0; i < cartas.size();) {
          const size_t fin =
              cartas[i] == '[' ? cartas.find(']', i) + 1 : cartas.find_first_of(",[", i);
          const std::string serie = cartas.substr(i, fin - i);
          EXPECT_TRUE(serie[0] == '[' || serie.find('-') != std::string::npos)
              << serie << " is shown in one order at every run";
          i = fin == std::string::npos ? cartas.size() : cartas.find_first_not_of(", ", fin);
        }
      }
      for (int n : numeros) {
        vistos.insert(n);
        if (!caso.repasos.count(leccion)) ++dias[n];
      }
    }
    EXPECT_EQ(vistos.size(), size_t(caso.hasta));
    for (const auto& [n, veces] : dias) EXPECT_GE(veces, 2) << n << " is shown on one day only";
  }
}

}  // namespace
