#pragma once
// Runs f with the layer count as a compile-time constant, so that the layer loops of the
// kernels unroll: f(std::integral_constant<int, NL>{}) for NL in 1..6 (above 6 as 6).

#include <type_traits>

namespace planaq {

template <typename F>
decltype(auto) WithLayerCount(int NL, F&& f) {
  switch (NL) {
    case 1:
      return f(std::integral_constant<int, 1>{});
    case 2:
      return f(std::integral_constant<int, 2>{});
    case 3:
      return f(std::integral_constant<int, 3>{});
    case 4:
      return f(std::integral_constant<int, 4>{});
    case 5:
      return f(std::integral_constant<int, 5>{});
    default:
      return f(std::integral_constant<int, 6>{});
  }
}

}  // namespace planaq
