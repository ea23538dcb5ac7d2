#pragma once

#include <cstdint>
#include <type_traits>

namespace CCC {

// Unit-width mask of a flow or an encoding: 1 = 8-bit, 2 = 16-bit, 4 = 32-bit.
using IOType = std::uint32_t;

inline constexpr IOType kIO8 = 1;
inline constexpr IOType kIO16 = 2;
inline constexpr IOType kIO32 = 4;
inline constexpr IOType kIOAll = 7;

// Encoding identifier (0 = none); the table of identifiers lives in encoding/.
using CeId = int;

// The three unit types that pass through pipelines.
template <class T>
inline constexpr bool isUnitType = std::is_same_v<T, char> ||
                                   std::is_same_v<T, unsigned short> ||
                                   std::is_same_v<T, unsigned int>;

// The width bit of a unit type (char and unsigned char are both 8-bit).
template <class T>
inline constexpr IOType ioTypeOf = sizeof(T) == 1 ? kIO8 : sizeof(T) == 2 ? kIO16 : kIO32;

// The unit type of a width bit.
template <IOType W> struct UnitOfWidth;
template <> struct UnitOfWidth<kIO8> { using type = char; };
template <> struct UnitOfWidth<kIO16> { using type = unsigned short; };
template <> struct UnitOfWidth<kIO32> { using type = unsigned int; };
template <IOType W> using UnitOf = typename UnitOfWidth<W>::type;

} // namespace CCC
