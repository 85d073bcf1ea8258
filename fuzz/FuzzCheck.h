// SPDX-License-Identifier: MIT
// A property that fails stops the fuzzer like a crash does, with the input
// saved and the broken property named.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                 \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "Property failed at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)
