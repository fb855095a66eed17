# The browser build's toolchain: Debian's emscripten package (3.1.6) and its
# own CMake toolchain file, with what that emscripten needs on our machines.
# docs/WEB-BUILD.md says why each line is here.
set(KINOPA_EMSCRIPTEN_TOOLCHAIN /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
if(NOT EXISTS ${KINOPA_EMSCRIPTEN_TOOLCHAIN})
  message(FATAL_ERROR "${KINOPA_EMSCRIPTEN_TOOLCHAIN} is missing: install Debian's emscripten "
                      "package (scripts/install-deps does)")
endif()
include(${KINOPA_EMSCRIPTEN_TOOLCHAIN})

# Linking runs emscripten's JavaScript optimizer, which requires Debian's
# acorn from /usr/share/nodejs; a node that is not Debian's does not look there.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
