#pragma once

// The circuit model has no framework dependency, so it keeps its own copy of pi.
inline constexpr double dspPi = 3.141592653589793;
