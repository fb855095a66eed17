# The rules must give the same numbers on every machine, to the last bit, so
# that a recording made on one plays the same game on another. A compiler may
# otherwise fuse a * b + c into one fused multiply-add (GCC does on arm64 by
# default, GCC and Clang on x86-64 with -march=x86-64-v3 or -march=native),
# which rounds once instead of twice and, some frames later, plays another
# game. So no contraction, ever, and nothing of -ffast-math, which lets the
# compiler reorder and drop roundings the same way.
foreach(flags CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_${CMAKE_BUILD_TYPE})
  string(TOUPPER "${flags}" flags)
  if("${${flags}}" MATCHES "(-ffast-math|-Ofast|-funsafe-math-optimizations)")
    message(FATAL_ERROR "${flags} holds ${CMAKE_MATCH_1}: the game's numbers must not depend on "
                        "the compiler, so it builds without it")
  endif()
endforeach()
add_compile_options(-ffp-contract=off -fno-fast-math)
