// Vector arithmetic and exact equality.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "base/Vector.h"

void PrintTo(const Vector& v, std::ostream* os) {
  *os << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

namespace {

TEST(VectorArithmetic, OperationsWorkComponentByComponent) {
  const Vector a(1, 2, 3);
  const Vector b(4, -8, 0.5);
  EXPECT_EQ(a + b, Vector(5, -6, 3.5));
  EXPECT_EQ(a - b, Vector(-3, 10, 2.5));
  EXPECT_EQ(a / b, Vector(0.25, -0.25, 6));
  EXPECT_EQ(a * 2.5, Vector(2.5, 5, 7.5));
  EXPECT_EQ(Vector(), Vector(0, 0, 0));
}

TEST(VectorEquality, IsExactPerComponentAndNeverHoldsForNaN) {
  EXPECT_TRUE(Vector(1, 2, 3) == Vector(1, 2, 3.0));
  EXPECT_FALSE(Vector(1, 2, 3) == Vector(1, 2, 3.0000001));
  EXPECT_FALSE(Vector(1, 2, 3) == Vector(1.0000001, 2, 3));
  EXPECT_FALSE(Vector(1, 2, 3) == Vector(1, 2.0000001, 3));
  const Vector conNaN(1, NAN, 3);
  EXPECT_FALSE(conNaN == conNaN);
  EXPECT_TRUE(Vector(0.0, 0, 0) == Vector(-0.0, 0, 0));
}

}  // namespace
