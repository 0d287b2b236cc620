// Owned strings: sizes, buffers and conversion after construction and
// assignment.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/ClaseDinamica.h"
#include "base/Texto.h"

namespace {

std::string Leer(const Texto& texto) { return static_cast<const char*>(texto); }

// The invariant every Texto keeps: no buffer exactly when tamano is 0, and
// otherwise a NUL in the last byte and none before it.
void ComprobarInvariante(const Texto& texto) {
  ASSERT_EQ(texto.tamano == 0, texto.cadena == nullptr)
      << "tamano " << texto.tamano << " with cadena " << static_cast<const void*>(texto.cadena);
  if (texto.cadena != nullptr) {
    EXPECT_EQ(texto.cadena[texto.tamano - 1], '\0') << "last byte is not NUL";
    EXPECT_EQ(std::strlen(texto.cadena), texto.tamano - 1) << "buffer larger than the text";
  }
}

TEST(TextoConstruction, DefaultIsEmptyWithAOneByteBuffer) {
  Texto texto;
  EXPECT_EQ(texto.tamano, 1u);
  ASSERT_NE(texto.cadena, nullptr);
  EXPECT_EQ(Leer(texto), "");
  ComprobarInvariante(texto);
}

TEST(TextoConstruction, FromNullHasNoBufferAndReadsEmpty) {
  Texto texto(nullptr);
  EXPECT_EQ(texto.tamano, 0u);
  EXPECT_EQ(texto.cadena, nullptr);
  EXPECT_EQ(Leer(texto), "");
}

TEST(TextoConstruction, FromTextCopiesItIntoABufferOfItsOwn) {
  char fuente[] = "abc";
  Texto texto(fuente);
  EXPECT_EQ(texto.tamano, 4u);
  EXPECT_EQ(Leer(texto), "abc");
  EXPECT_NE(texto.cadena, fuente);
  fuente[0] = 'x';
  EXPECT_EQ(Leer(texto), "abc") << "the text shares the caller's buffer";
  ComprobarInvariante(texto);
}

TEST(TextoConstruction, CopyOwnsASeparateBuffer) {
  Texto original("INGLES");
  Texto copia(original);
  EXPECT_EQ(copia.tamano, 7u);
  EXPECT_EQ(Leer(copia), "INGLES");
  EXPECT_NE(copia.cadena, original.cadena) << "copy construction shares the buffer";
  original = "x";
  EXPECT_EQ(Leer(copia), "INGLES");

  Texto sinBuffer(nullptr);
  Texto copiaSinBuffer(sinBuffer);
  EXPECT_EQ(copiaSinBuffer.tamano, 0u);
  EXPECT_EQ(copiaSinBuffer.cadena, nullptr);
}

TEST(TextoConstruction, IsNotAReferenceCountedObject) {
  const int32_t antes = ClaseDinamica::instancias;
  Texto texto("abc");
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

TEST(TextoAssignment, FromTextSizesTheBufferToItWhateverItHeld) {
  Texto texto("seis66");
  ASSERT_EQ(texto.tamano, 7u);
  texto = "";
  EXPECT_EQ(texto.tamano, 1u);
  EXPECT_EQ(Leer(texto), "");
  ComprobarInvariante(texto);

  texto = "a longer text than before";
  EXPECT_EQ(texto.tamano, std::strlen("a longer text than before") + 1);
  EXPECT_EQ(Leer(texto), "a longer text than before");
  ComprobarInvariante(texto);

  texto = "ab";
  EXPECT_EQ(texto.tamano, 3u);
  EXPECT_EQ(Leer(texto), "ab");
  ComprobarInvariante(texto);

  Texto sinBuffer(nullptr);
  sinBuffer = "xyz";
  EXPECT_EQ(sinBuffer.tamano, 4u);
  EXPECT_EQ(Leer(sinBuffer), "xyz");
}

TEST(TextoAssignment, FromItsOwnBufferKeepsTheText) {
  Texto texto("palabra");
  texto = texto.cadena + 3;
  EXPECT_EQ(Leer(texto), "abra");
  EXPECT_EQ(texto.tamano, 5u);
  texto = static_cast<const char*>(texto);
  EXPECT_EQ(Leer(texto), "abra");
  ComprobarInvariante(texto);
}

TEST(TextoAssignment, FromAnotherTextCopiesSizeAndBytes) {
  Texto destino("seis66");
  const Texto vacio;
  destino = vacio;
  EXPECT_EQ(destino.tamano, 1u);
  EXPECT_EQ(Leer(destino), "");
  ComprobarInvariante(destino);

  const Texto largo("0123456789");
  destino = largo;
  EXPECT_EQ(destino.tamano, 11u);
  EXPECT_EQ(Leer(destino), "0123456789");
  EXPECT_NE(destino.cadena, largo.cadena);
  ComprobarInvariante(destino);

  destino = destino;
  EXPECT_EQ(Leer(destino), "0123456789") << "self-assignment lost the text";
}

TEST(TextoAssignment, FromATextWithoutBufferFreesTheBuffer) {
  Texto destino("hola");
  const Texto sinBuffer(nullptr);
  destino = sinBuffer;
  EXPECT_EQ(destino.tamano, 0u);
  EXPECT_EQ(destino.cadena, nullptr);
  EXPECT_EQ(Leer(destino), "");

  destino = "otra vez";
  EXPECT_EQ(Leer(destino), "otra vez");
}

}  // namespace
