// Lesson files made by tools/make-curriculum, and its --show, against the
// lesson script itself: what the program reads from a made course must be
// the planned days, their equations read with none left out, and what
// --show tells of any lesson file must be what the next run shows and says
// and where it leaves the counters.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
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

// What --show prints: the counters, the card time, the numbers in blocks
// (a range, whose order is the run's own, numbers in a fixed order, or an
// equation's cards with the word said before each), and the counters after
// the run.
struct Vista {
  int leccion = 0, lecciones = 0, pase = 0, pases = 0;
  int tarjetas = -1;
  double segundos = 0.0;
  struct Bloque {
    bool rango;
    Numeros numeros;
    Palabras palabras;
  };
  std::vector<Bloque> bloques;
  int leccionDespues = 0, paseDespues = 0;
};

Vista Interpretar(const std::string& texto) {
  Vista v;
  std::istringstream lineas(texto);
  for (std::string l; std::getline(lineas, l);) {
    int a, b;
    if (std::sscanf(l.c_str(), "Next run: lesson %d of %d, session %d of %d.", &v.leccion,
                    &v.lecciones, &v.pase, &v.pases) == 4) {
      continue;
    }
    if (std::sscanf(l.c_str(), "It shows %d card", &v.tarjetas) == 1) {
      std::sscanf(l.c_str() + l.find("each for "), "each for %lf", &v.segundos);
    } else if (std::sscanf(l.c_str(), "After it: lesson %d, session %d.", &v.leccionDespues,
                           &v.paseDespues) == 2) {
    } else if (std::sscanf(l.c_str(), "  %d to %d in random order", &a, &b) == 2) {
      Numeros rango;
      for (int n = a; n <= b; ++n) rango.push_back(n);
      v.bloques.push_back({true, rango, Palabras(rango.size())});
    } else if (l.find(" dots; says ") != std::string::npos) {
      // "  2 + 3 x 4 = 14: cards of ...": the numbers, each after the first
      // with its operation's word, then the answer with "equals".
      const std::map<std::string, std::string> palabra = {
          {"+", "MAS"}, {"-", "MENOS"}, {"x", "POR"}, {":", "ENTRE"}, {"=", "IGUAL"}};
      Vista::Bloque igualdad{false, {}, {""}};
      std::istringstream partes(l.substr(0, l.find(": cards of ")));
      int n;
      partes >> n;
      igualdad.numeros.push_back(n);
      for (std::string operacion; partes >> operacion >> n;) {
        igualdad.numeros.push_back(n);
        igualdad.palabras.push_back(palabra.at(operacion));
      }
      v.bloques.push_back(igualdad);
    } else if (l.rfind("  ", 0) == 0 && l.rfind("  left out: ", 0) != 0) {
      Vista::Bloque fijos{false, {}, {}};
      std::istringstream numeros(l);
      for (std::string n; std::getline(numeros, n, ',');) fijos.numeros.push_back(std::stoi(n));
      fijos.palabras.resize(fijos.numeros.size());
      v.bloques.push_back(fijos);
    }
  }
  return v;
}

Numeros Ordenados(Numeros v) {
  std::sort(v.begin(), v.end());
  return v;
}

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

  // The script's standard output; a failed run fails the test.
  std::string Script(std::vector<std::string> argumentos) {
    Orden orden;
    orden.argumentos = {kScript};
    orden.argumentos.insert(orden.argumentos.end(), argumentos.begin(), argumentos.end());
    orden.carpeta = carpeta.ruta();
    const Resultado r = Ejecutar(orden);
    EXPECT_EQ(r.codigo, 0) << r.errores;
    return r.salida;
  }
  void Archivo(const std::string& contenido) {
    std::ofstream(Ruta(), std::ios::binary) << contenido;
  }
  std::string Archivo() {
    std::ifstream f(Ruta(), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
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
    Guion* guion = Crear();
    Numeros numeros(guion->numeros.elementos, guion->numeros.elementos + guion->numeros.cantidad);
    *palabras = Leidas(guion, 0, guion->palabras.cantidad);
    Cerrar();
    return numeros;
  }
  static Palabras Leidas(const Guion* guion, size_t desde, size_t hasta) {
    Palabras palabras;
    for (size_t i = desde; i < hasta; ++i) {
      const char* palabra = guion->palabras.elementos[i];
      palabras.push_back(palabra ? palabra : "");
    }
    return palabras;
  }
  // The lesson file as --show tells it, against the program's reading of it.
  Vista Comparar(const std::string& donde) {
    SCOPED_TRACE(donde);
    const std::string texto = Script({"--show", carpeta.ruta()});
    const Vista vista = Interpretar(texto);
    Guion* guion = Crear();
    EXPECT_EQ(vista.leccion, guion->leccionActual) << texto;
    EXPECT_EQ(vista.pase, guion->paseActual) << texto;
    EXPECT_DOUBLE_EQ(vista.segundos * 60, guion->instantesPorBit) << texto;
    EXPECT_EQ(vista.tarjetas, int(guion->numeros.cantidad)) << texto;
    size_t i = 0;
    for (const Vista::Bloque& bloque : vista.bloques) {
      if (i + bloque.numeros.size() > guion->numeros.cantidad) {
        ADD_FAILURE() << "the program reads fewer numbers:\n" << texto;
        break;
      }
      Numeros leidos(guion->numeros.elementos + i,
                     guion->numeros.elementos + i + bloque.numeros.size());
      if (bloque.rango) leidos = Ordenados(leidos);
      EXPECT_EQ(leidos, bloque.numeros) << texto;
      EXPECT_EQ(Leidas(guion, i, i + bloque.numeros.size()), bloque.palabras) << texto;
      i += bloque.numeros.size();
    }
    EXPECT_EQ(i, guion->numeros.cantidad) << texto;
    Cerrar();
    return vista;
  }

  ContextoGL contexto;
  CarpetaTemporal carpeta;
  std::filesystem::path anterior;
};

// Every rule of the reader at once: a byte-order mark, names in other
// capitals with blanks around them, quotes, a lone CR ending a line, numbers
// with a sign or words after them, a count cut at 15 characters, a comment
// that looks like a key, a later section of the same name, and a list with
// skipped characters, an empty item, a backward range, a restarted range,
// equations kept (blanks, every sign, x before +, zeros in front, a right
// answer) and left out (below zero, a second =, inexact, five numbers, a
// letter, a number past a card, a number missing, a single number), and a
// value cut at 1,023 characters inside its last number; then a lesson the
// file does not have.
TEST_F(CursoTest, ShowTellsWhatTheRunShowsAndWhereItLeavesTheCounters) {
  std::string lista =
      "7, x9,,8-5,2-4-6,1 2,3-3, 2 + 3x4 =14, 0050:5/5=, 3 X 2*1-3=3, 8-9=, 4=4=, 8:3=,"
      " 1+1+1+1+1=, 2+a=, 1001-1=, +4=, 5=, 4";
  lista += std::string(1023 - lista.size() - 1, ' ') + "56";
  Archivo(
      "\xEF\xBB\xBF[ GENERAL ]\r\ntiempobit = \" 15 \"\rLECCIONACTUAL=+3 tres\n"
      "pasesporleccion=0000000000000003\nLecciones=2\n; notes\n;Leccion3=1\n"
      "[Lecciones]\nLeccion3=" + lista + "\n[General]\nTiempoBit=99\nPaseActual=2\n");
  const Vista antes = Comparar("the hand-made file");
  EXPECT_EQ(antes.tarjetas, 9 + 4 + 4 + 5);
  Crear();
  while (contapuntos.enMarcha) contapuntos.universo->Fotograma();
  Cerrar();
  const Vista despues = Comparar("after one run");
  EXPECT_EQ(despues.leccion, antes.leccionDespues);
  EXPECT_EQ(despues.pase, antes.paseDespues);

  // A made course, at its first day, its first mixed day, a review, its
  // first day of equations, its last quantities, and its last day.
  const std::string curso = Script({"--review-every", "6", "--seed", "11"});
  for (int leccion : {1, 6, 7, 12, 62, 81}) {
    EnLeccion(curso, leccion);
    Comparar("lesson " + std::to_string(leccion) + " of a made course");
  }
}

// The days of made courses as the program reads them: the sets of the
// planned days, whose numbers it may show in any order within a set; the
// last number on the day its pace brings it; over the whole course, every
// number from 1 to the last and no other; and after the cards, equations
// that the program reads without leaving one out (so each is true), whose
// cards are numbers from 1 to 100 shown on earlier days.
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
      {{"--seed", "3"}, 100, 80, 5 + 90 / 2,
       {{1, uno},
        {5, uno},
        {6, {{2, 3, 4, 5, 11}, {7, 8, 9, 10, 12}}},
        {7, {{3, 4, 5, 11, 13}, {8, 9, 10, 12, 14}}},
        {51, {{93, 95, 97, 99}, {94, 96, 98, 100}}},
        {54, {{99}, {100}}}},
       {}},
      {{"--seed", "4", "--new-per-day", "4", "--review-every", "5", "--voice", "en"},
       100, 79, 5 + (90 + 3) / 4 + 5,
       {{5, uno}, {7, seis}, {8, siete}, {13, {{24, 27, 28, 31, 32}, {26, 29, 30, 33, 34}}}},
       {6, 12, 18, 24, 30}},
      {{"--seed", "5", "--up-to", "12", "--per-day", "3"}, 12, 9, 1,
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
    int conCinco = 0, ascendentes = 0;
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
      EXPECT_EQ(std::count(palabras.begin(), palabras.end(), "IGUAL"),
                std::count(lista.begin(), lista.end(), '=') - 1)
          << "equations left out of " << lista;
      for (size_t i = numeros.size(); i < tarjetas.size(); ++i) {
        EXPECT_TRUE(vistos.count(tarjetas[i]) && tarjetas[i] <= 100)
            << lista << ": " << tarjetas[i] << " is not a number from 1 to 100 seen before";
      }
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
      // A list is shown in its written order, so the file mixes it; a range
      // (an item with - and no =) is the program's to mix, anew at every run.
      const size_t igualdad = lista.find('=', lista.find('=') + 1);
      const std::string cartas =
          igualdad == std::string::npos ? lista : lista.substr(0, lista.rfind(',', igualdad));
      if (numeros.size() >= 10 && cartas.find('-') == std::string::npos) {
        ++conCinco;
        if (std::is_sorted(numeros.begin(), numeros.begin() + 5)) ++ascendentes;
      }
      for (int n : numeros) {
        vistos.insert(n);
        if (!caso.repasos.count(leccion)) ++dias[n];
      }
    }
    EXPECT_EQ(vistos.size(), size_t(caso.hasta));
    if (conCinco > 0) {
      EXPECT_LT(ascendentes * 4, conCinco) << "sets not mixed: " << ascendentes << " of "
                                           << conCinco << " first sets of lists in ascending order";
    }
    for (const auto& [n, veces] : dias) EXPECT_GE(veces, 2) << n << " is shown on one day only";
  }
}

}  // namespace
