// The lesson's generator and the reading of lesson lists: items, ranges, the
// characters that are skipped, the limits that keep bad lists harmless, and
// equations: their cards and words, and the ones left out.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lesson/Azar.h"
#include "lesson/ListaNumeros.h"

namespace {

// A numeral's card, in the lists of numbers below: kCifra + its number.
constexpr int kCifra = 1000000000;
constexpr int kOtro = 10000;

// A list's cards: each one's number, the word said before it ("" for none),
// the lines that told of items left out, and the warnings, each a line
// without the list's name. A choice's card is its number asked followed by
// its other groups, each + kOtro.
struct Tarjetas : ListaNumeros::Oyente {
  std::vector<int> numeros;
  std::vector<std::string> palabras;
  std::string errores;
  std::string avisos;

  void AlAzar(const std::string&, int) override {}
  void Igualdad(const std::string&, int) override {}
  void Omitido(const std::string& linea) override { errores += linea + "\n"; }
  void Aviso(const std::string& ajuste, const std::string& texto) override {
    EXPECT_EQ(ajuste, "");
    EXPECT_EQ(texto.rfind("Leccion3: ", 0), 0u) << texto;
    avisos += texto.substr(10) + "\n";
  }
};

Tarjetas LeerTarjetas(const char* lista, uint32_t semilla = 7) {
  Azar::Sembrar(semilla);
  TColeccion<Tarjeta> tarjetas;
  Tarjetas t;
  ListaNumeros::Leer(lista, "Leccion3", 6, &tarjetas, &t);
  for (uint32_t i = 0; i < tarjetas.cantidad; ++i) {
    t.numeros.push_back(tarjetas.elementos[i].numero + (tarjetas.elementos[i].cifra ? kCifra : 0));
    t.palabras.push_back(tarjetas.elementos[i].palabra ? tarjetas.elementos[i].palabra : "");
    for (const int32_t otro : tarjetas.elementos[i].otros) {
      if (otro >= 0) t.numeros.push_back(kOtro + otro);
    }
  }
  return t;
}

std::vector<int> Leer(const char* lista, uint32_t semilla = 7) {
  return LeerTarjetas(lista, semilla).numeros;
}

std::vector<int> Ordenados(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(AzarTest, FollowsTheWindowsRuntimeSequence) {
  // The first draws of the Windows C runtime's rand after srand(1).
  Azar::Sembrar(1);
  std::vector<int> sacados;
  for (int i = 0; i < 5; ++i) sacados.push_back(Azar::Sacar());
  EXPECT_EQ(sacados, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(AzarTest, StaysWithinZeroTo32767AndRepeatsForOneSeed) {
  Azar::Sembrar(123456789u);
  std::vector<int> primera;
  for (int i = 0; i < 100000; ++i) {
    const int r = Azar::Sacar();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
    if (i < 20) primera.push_back(r);
  }
  Azar::Sembrar(123456789u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Azar::Sacar(), primera[i]);
}

TEST(ListaNumerosTest, NumbersAndRangesKeepTheListOrder) {
  const std::vector<int> v = Leer("1,3,10-12");
  ASSERT_EQ(v.size(), 5u);
  EXPECT_EQ(v[0], 1);
  EXPECT_EQ(v[1], 3);
  EXPECT_EQ(Ordenados({v[2], v[3], v[4]}), (std::vector<int>{10, 11, 12}));
}

TEST(ListaNumerosTest, ARangeOrAGroupGivesEachOfItsNumbersExactlyOnceInARandomOrder) {
  const std::vector<int> v = Leer("5-8");
  EXPECT_EQ(Ordenados(v), (std::vector<int>{5, 6, 7, 8}));
  EXPECT_EQ(Leer("3-3"), (std::vector<int>{3}));
  // Over many seeds each comes in more than one order.
  for (const char* lista : {"1-10", "[3,1,4,10,5,9,2,6,8,7]"}) {
    std::vector<std::vector<int>> ordenes;
    for (uint32_t semilla = 0; semilla < 50; ++semilla) {
      const std::vector<int> o = Leer(lista, semilla);
      ASSERT_EQ(Ordenados(o), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) << lista;
      if (std::find(ordenes.begin(), ordenes.end(), o) == ordenes.end()) ordenes.push_back(o);
    }
    EXPECT_GT(ordenes.size(), 40u) << lista;
  }
}

// Each item as its rules read it: empty items, skipped characters, hyphens,
// backward ranges, numbers past 32 bits, groups in brackets (to the closing
// bracket or the end, what follows it skipped), numerals; and the warning
// of each guess. A range's or a group's numbers (mezclados) may come in any
// order.
TEST(ListaNumerosTest, ItemsReadAsTheirRulesSay) {
  const std::string vacio = "an empty item is read as 0\n";
  const std::string alReves = " shows nothing: its end is below its start\n";
  const std::string pasado = " is left out: past 2147483647\n";
  struct Caso {
    const char* lista;
    std::vector<int> numeros;
    bool mezclados;
    std::string avisos;
  };
  for (const Caso& caso : {
           Caso{"", {0}, false, vacio},
           Caso{"1,,2", {1, 0, 2}, false, vacio},
           Caso{"1,2,", {1, 2, 0}, false, vacio},
           Caso{"1 2", {12}, false, "\"1 2\" is read as 12\n"},
           Caso{" 7, x9;", {7, 9}, false, "\"x9;\" is read as 9\n"},
           Caso{"1O,6-1O", {1}, false,
                "\"1O\" is read as 1\n\"6-1O\" is read as 6-1, which" + alReves},
           Caso{"2-4-6", {4, 5, 6}, true, "\"2-4-6\" is read as 4-6\n"},
           Caso{"-3", {0, 1, 2, 3}, true, "\"-3\" is read as 0-3\n"},
           Caso{"8-5", {}, false, "\"8-5\"" + alReves},
           Caso{"5-", {}, false, "\"5-\" is read as 5-0, which" + alReves},
           Caso{"8-5,9-6", {}, false, "\"8-5\"" + alReves + "\"9-6\"" + alReves},
           Caso{"1,8-5,2", {1, 2}, false, "\"8-5\"" + alReves},
           Caso{"0-32768", {}, false,
                "\"0-32768\" shows nothing: it holds more than 32768 numbers\n"},
           Caso{"2147483647", {2147483647}, false, ""},
           Caso{"2147483648,5", {5}, false, "\"2147483648\"" + pasado},
           Caso{"99999999999999999999999999,6", {6}, false,
                "\"99999999999999999999999999\"" + pasado},
           Caso{"1-99999999999,7", {7}, false, "\"1-99999999999\"" + pasado},
           Caso{"99999999999-1,8", {8}, false, "\"99999999999-1\"" + pasado},
           Caso{"99999999999-2-3", {2, 3}, true, "\"99999999999-2-3\" is read as 2-3\n"},
           Caso{" [4,11,3]", {3, 4, 11}, true, ""},
           Caso{"[1-3, 9", {1, 2, 3, 9}, true,
                "the group \"[1-3, 9\" has no ]: it runs to the end of the list\n"},
           Caso{"[]", {0}, false, vacio},
           Caso{"[5]x,[2,7] 9", {2, 5, 7}, true,
                "\"x\" after the group's ] is skipped\n\"9\" after the group's ] is skipped\n"},
           // A '#' makes numerals of an item's cards; elsewhere it is skipped.
           Caso{" # 7,1#2", {kCifra + 7, 12}, false, "\"1#2\" is read as 12\n"},
           Caso{"#3-4,#[5,6],[#8,9]",
                {9, kCifra + 3, kCifra + 4, kCifra + 5, kCifra + 6, kCifra + 8},
                true, ""},
       }) {
    const Tarjetas t = LeerTarjetas(caso.lista);
    EXPECT_EQ(caso.mezclados ? Ordenados(t.numeros) : t.numeros, caso.numeros) << caso.lista;
    EXPECT_EQ(t.avisos, caso.avisos) << caso.lista;
  }
}

TEST(ListaNumerosTest, RangesOfMoreThan32768NumbersAddNothing) {
  const std::vector<int> todos = Leer("0-32767");
  ASSERT_EQ(todos.size(), 32768u);
  const std::vector<int> ordenados = Ordenados(todos);
  for (int i = 0; i < 32768; ++i) ASSERT_EQ(ordenados[i], i);
  EXPECT_EQ(Leer("5-2147483647,4"), (std::vector<int>{4}));
}

TEST(ListaNumerosTest, AnEquationShowsItsNumbersThenItsAnswerEachSaidAfterItsWord) {
  const std::string n;
  struct Caso {
    const char* lista;
    std::vector<int> numeros;
    std::vector<std::string> palabras;
  };
  for (const Caso& caso : {
           Caso{"3+4=", {3, 4, 7}, {n, "MAS", "IGUAL"}},
           Caso{" 9 - 3 = 6 ", {9, 3, 6}, {n, "MENOS", "IGUAL"}},
           Caso{"2x3=,2X3=6,2*3=",
                {2, 3, 6, 2, 3, 6, 2, 3, 6},
                {n, "POR", "IGUAL", n, "POR", "IGUAL", n, "POR", "IGUAL"}},
           Caso{"8:2=,8/2=04", {8, 2, 4, 8, 2, 4}, {n, "ENTRE", "IGUAL", n, "ENTRE", "IGUAL"}},
           // x and : before + and -, left to right otherwise.
           Caso{"2+3+1=", {2, 3, 1, 6}, {n, "MAS", "MAS", "IGUAL"}},
           Caso{"10-4+2=", {10, 4, 2, 8}, {n, "MENOS", "MAS", "IGUAL"}},
           Caso{"2+3x4=14", {2, 3, 4, 14}, {n, "MAS", "POR", "IGUAL"}},
           Caso{"20-12:2:3=", {20, 12, 2, 3, 18}, {n, "MENOS", "ENTRE", "ENTRE", "IGUAL"}},
           Caso{"2x7:2=", {2, 7, 2, 7}, {n, "POR", "ENTRE", "IGUAL"}},
           Caso{"0x1000=,1000-1000=",
                {0, 1000, 0, 1000, 1000, 0},
                {n, "POR", "IGUAL", n, "MENOS", "IGUAL"}},
           // Old items beside them keep their rules.
           Caso{"5,3+4=,1 2,8-8,", {5, 3, 4, 7, 12, 8, 0}, {n, n, "MAS", "IGUAL", n, n, n}},
           Caso{" #2x3=", {kCifra + 2, kCifra + 3, kCifra + 6}, {n, "POR", "IGUAL"}},
           // A choice: the number asked, then its other groups.
           Caso{"7?3, 7 ? 3 ? 0", {7, kOtro + 3, 7, kOtro + 3, kOtro}, {"DONDE", "DONDE"}},
           Caso{"#7?#3,# 2?5?1",
                {kCifra + 7, kOtro + 3, kCifra + 2, kOtro + 5, kOtro + 1},
                {"DONDE", "DONDE"}},
           Caso{"3+4=?8,2x3=6?5?100",
                {3, 4, 7, 7, kOtro + 8, 2, 3, 6, 6, kOtro + 5, kOtro + 100},
                {n, "MAS", "IGUAL", "DONDE", n, "POR", "IGUAL", "DONDE"}},
       }) {
    const Tarjetas t = LeerTarjetas(caso.lista);
    EXPECT_EQ(t.numeros, caso.numeros) << caso.lista;
    EXPECT_EQ(t.palabras, caso.palabras) << caso.lista;
    EXPECT_EQ(t.errores, "") << caso.lista;
  }
}

TEST(ListaNumerosTest, AWrongOrImpossibleEquationIsLeftOutAndToldOnOneLine) {
  struct Caso {
    const char* igualdad;
    const char* razon;
  };
  for (const Caso& caso : {
           Caso{"3+4=8", "its answer is 7, not 8"},
           Caso{"3-5=", "its result, -2, is below zero"},
           Caso{"7:2=", "7 divided by 2 does not come out exact"},
           Caso{"7:2x2=7", "7 divided by 2 does not come out exact"},
           Caso{"2+6x3:4=", "18 divided by 4 does not come out exact"},
           Caso{"4:0=", "it divides by zero"},
           Caso{"1001-1=", "the number 1001 is more than a card holds (1000)"},
           Caso{"1+99999999999=", "the number 99999999999 is more than a card holds (1000)"},
           Caso{"999+2=", "its result, 1001, is more than a card holds (1000)"},
           Caso{"1+1+1+1+1=", "it has more than four numbers"},
           Caso{"3+=", "a number is missing"},
           Caso{"+4=", "a number is missing"},
           Caso{"3++4=", "a number is missing"},
           Caso{"7=", "a number is missing"},
           Caso{"3+4=7=7", "it has more than one ="},
           Caso{"3+4=7+0", "its answer is not a number"},
           Caso{"3 \xE2\x88\x92 1=",
                "\"\xE2\x88\x92\" is not a number, an operation (+ - x * : /) or ="},
       }) {
    const Tarjetas t = LeerTarjetas((std::string("1, ") + caso.igualdad + " ,2").c_str());
    EXPECT_EQ(t.numeros, (std::vector<int>{1, 2})) << caso.igualdad;
    EXPECT_EQ(t.palabras, (std::vector<std::string>{"", ""})) << caso.igualdad;
    EXPECT_EQ(t.errores, std::string("contapuntos: Leccion3: the equation \"") + caso.igualdad +
                             "\" is left out: " + caso.razon + "\n");
  }
}

TEST(ListaNumerosTest, AChoiceThatCannotBeShownIsLeftOutAndToldOnOneLine) {
  struct Caso {
    const char* eleccion;
    const char* razon;
  };
  for (const Caso& caso : {
           Caso{"7?7", "the number asked, 7, is another group too"},
           Caso{"3+4=?7", "the number asked, 7, is another group too"},
           Caso{"7?3?3", "two groups are both 3"},
           Caso{"7?3?9?1", "it has more than 3 groups"},
           Caso{"7?2-4", "a range cannot be a group of a choice"},
           Caso{"7?[3,4]", "a group in brackets cannot be a group of a choice"},
           Caso{"7?101", "the number 101 is more than a group shows (100)"},
           Caso{"60+60=?8", "its answer, 120, is more than a group shows (100)"},
           Caso{"7?", "a number is missing"},
           Caso{"7?x", "\"x\" is not a number"},
           Caso{"7?#3",
                "its groups would be dots and numerals both: a '#' before the choice "
                "makes them all numerals"},
       }) {
    const Tarjetas t = LeerTarjetas((std::string("1, ") + caso.eleccion + " ,2").c_str());
    EXPECT_EQ(t.numeros, (std::vector<int>{1, 2})) << caso.eleccion;
    EXPECT_EQ(t.errores, std::string("contapuntos: Leccion3: the choice \"") + caso.eleccion +
                             "\" is left out: " + caso.razon + "\n");
  }
  // A wrong equation is told as an equation; a choice in a group, as a choice.
  EXPECT_EQ(
      LeerTarjetas("3+4=8?9").errores,
      "contapuntos: Leccion3: the equation \"3+4=8?9\" is left out: its answer is 7, not 8\n");
  const Tarjetas grupo = LeerTarjetas("[2,7?3]");
  EXPECT_EQ(grupo.numeros, std::vector<int>{2});
  EXPECT_EQ(grupo.errores,
            "contapuntos: Leccion3: the choice \"7?3\" is left out: a choice keeps "
            "its place, so it cannot be in a group in brackets\n");
}

}  // namespace
