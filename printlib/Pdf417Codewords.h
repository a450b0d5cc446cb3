#pragma once

#include <array>
#include <cstdint>

inline constexpr int Pdf417CodewordCount = 929;
inline constexpr int Pdf417ModulesPerCodeword = 17;

// Bar/space pattern of every symbol character, 17 modules read from the most significant bit,
// 1 = bar. The first index is the cluster (0, 3, 6 as 0, 1, 2), the second the codeword value.
extern const std::array<std::array<std::uint32_t, Pdf417CodewordCount>, 3> Pdf417Patterns;

inline constexpr std::uint32_t Pdf417StartPattern = 0x1FEA8;
inline constexpr int Pdf417StartModules = 17;
inline constexpr std::uint32_t Pdf417StopPattern = 0x3FA29;
inline constexpr int Pdf417StopModules = 18;
