#pragma once
// What a frame is drawn from is kept in TDrawn fields: writing a different
// value to one counts as a change of the scene. The graphics module builds a
// frame only when the count moved since the last one, so an idle screen costs
// no walk over its objects.
#include <cstdint>

// Moves with every change of anything drawn (fields, items, objects, images).
inline std::uint64_t SceneRevision = 0;
inline void MarkSceneChanged() { ++SceneRevision; }

// A field of something drawn; reads as a T, and a write of another value marks
// the scene changed.
template <typename T>
class TDrawn {
 public:
  constexpr TDrawn() = default;
  constexpr TDrawn(T value) : Value(value) {}  // NOLINT: stands in for a T
  constexpr TDrawn(const TDrawn& other) : Value(other.Value) {}
  TDrawn& operator=(const TDrawn& other) { return *this = other.Value; }
  TDrawn& operator=(T value) {
    if (!(value == Value)) {
      Value = value;
      MarkSceneChanged();
    }
    return *this;
  }
  constexpr operator T() const { return Value; }  // NOLINT: reads as a T
  constexpr T Get() const { return Value; }

  TDrawn& operator+=(T d) { return *this = static_cast<T>(Value + d); }
  TDrawn& operator-=(T d) { return *this = static_cast<T>(Value - d); }
  TDrawn& operator*=(T d) { return *this = static_cast<T>(Value * d); }
  TDrawn& operator++() { return *this += 1; }
  TDrawn& operator--() { return *this -= 1; }

 private:
  T Value{};
};
