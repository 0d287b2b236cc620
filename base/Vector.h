// The engine's value of three doubles: positions, velocities, scales,
// rotations and offsets. Plain bytes, so collections may hold it.
#pragma once

struct Vector {
  double x;
  double y;
  double z;

  Vector() : x(0.0), y(0.0), z(0.0) {}
  Vector(double x, double y, double z) : x(x), y(y), z(z) {}

  Vector operator+(const Vector& otro) const { return Vector(x + otro.x, y + otro.y, z + otro.z); }
  Vector operator-(const Vector& otro) const { return Vector(x - otro.x, y - otro.y, z - otro.z); }
  // Component by component; a zero component follows IEEE rules.
  Vector operator/(const Vector& otro) const { return Vector(x / otro.x, y / otro.y, z / otro.z); }
  Vector operator*(double factor) const { return Vector(x * factor, y * factor, z * factor); }

  // Exact comparison of all three components; a NaN component never matches.
  bool operator==(const Vector& otro) const { return x == otro.x && y == otro.y && z == otro.z; }
};
