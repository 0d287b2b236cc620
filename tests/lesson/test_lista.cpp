// The lesson's generator and the reading of lesson lists: items, ranges, the
// characters that are skipped, and the limits that keep bad lists harmless.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lesson/Azar.h"
#include "lesson/ListaNumeros.h"

namespace {

std::vector<int> Leer(const char* lista, uint32_t semilla = 7) {
  Azar::Sembrar(semilla);
  TColeccion<int> numeros;
  ListaNumeros::Leer(lista, &numeros);
  return std::vector<int>(numeros.elementos, numeros.elementos + numeros.cantidad);
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

TEST(ListaNumerosTest, ARangeGivesEachOfItsNumbersExactlyOnceInARandomOrder) {
  const std::vector<int> v = Leer("5-8");
  EXPECT_EQ(Ordenados(v), (std::vector<int>{5, 6, 7, 8}));
  EXPECT_EQ(Leer("3-3"), (std::vector<int>{3}));
  // Over many seeds the range comes in more than one order.
  std::vector<std::vector<int>> ordenes;
  for (uint32_t semilla = 0; semilla < 50; ++semilla) {
    const std::vector<int> o = Leer("1-10", semilla);
    ASSERT_EQ(Ordenados(o), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    if (std::find(ordenes.begin(), ordenes.end(), o) == ordenes.end()) ordenes.push_back(o);
  }
  EXPECT_GT(ordenes.size(), 40u);
}

TEST(ListaNumerosTest, EmptyItemsAreTheNumberZero) {
  EXPECT_EQ(Leer(""), (std::vector<int>{0}));
  EXPECT_EQ(Leer("1,,2"), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(Leer("1,2,"), (std::vector<int>{1, 2, 0}));
}

TEST(ListaNumerosTest, OtherCharactersAreSkippedWithoutEndingTheItem) {
  EXPECT_EQ(Leer("1 2"), (std::vector<int>{12}));
  EXPECT_EQ(Leer(" 7, x9;"), (std::vector<int>{7, 9}));
}

TEST(ListaNumerosTest, HyphensRestartOrOpenARange) {
  EXPECT_EQ(Ordenados(Leer("2-4-6")), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(Ordenados(Leer("-3")), (std::vector<int>{0, 1, 2, 3}));
}

TEST(ListaNumerosTest, BackwardRangesAddNothing) {
  EXPECT_EQ(Leer("8-5"), (std::vector<int>{}));
  EXPECT_EQ(Leer("5-"), (std::vector<int>{}));
  EXPECT_EQ(Leer("8-5,9-6"), (std::vector<int>{}));
  EXPECT_EQ(Leer("1,8-5,2"), (std::vector<int>{1, 2}));
}

TEST(ListaNumerosTest, NumbersBeyond32BitsAreLeftOut) {
  EXPECT_EQ(Leer("2147483647"), (std::vector<int>{2147483647}));
  EXPECT_EQ(Leer("2147483648,5"), (std::vector<int>{5}));
  EXPECT_EQ(Leer("99999999999999999999999999,6"), (std::vector<int>{6}));
  EXPECT_EQ(Leer("1-99999999999,7"), (std::vector<int>{7}));
  EXPECT_EQ(Leer("99999999999-1,8"), (std::vector<int>{8}));
  // The number after a too-long one starts afresh.
  EXPECT_EQ(Ordenados(Leer("99999999999-2-3")), (std::vector<int>{2, 3}));
}

TEST(ListaNumerosTest, RangesOfMoreThan32768NumbersAddNothing) {
  const std::vector<int> todos = Leer("0-32767");
  ASSERT_EQ(todos.size(), 32768u);
  const std::vector<int> ordenados = Ordenados(todos);
  for (int i = 0; i < 32768; ++i) ASSERT_EQ(ordenados[i], i);
  EXPECT_EQ(Leer("0-32768"), (std::vector<int>{}));
  EXPECT_EQ(Leer("5-2147483647,4"), (std::vector<int>{4}));
}

}  // namespace
