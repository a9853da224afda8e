#pragma once
// Three-component action vector: axial, major-axis and minor-axis components,
// in that order.
#include <cstddef>

namespace Corvid {

template <class T>
struct Vec3 {
    T x{};
    T y{};
    T z{};

    constexpr Vec3() = default;
    constexpr Vec3(T a, T b, T c) : x(a), y(b), z(c) {}

    constexpr T& operator[](std::size_t i) { return i == 0 ? x : (i == 1 ? y : z); }
    constexpr T const& operator[](std::size_t i) const { return i == 0 ? x : (i == 1 ? y : z); }

    friend constexpr bool operator==(Vec3 const& a, Vec3 const& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
    friend constexpr bool operator!=(Vec3 const& a, Vec3 const& b) { return !(a == b); }
};

}  // namespace Corvid
