# Precompiled headers: the standard library headers most of the sources
# include, and GoogleTest for the test programs. Parsing them is most of a
# small source's compile time. Every source still includes what it uses, so
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds the same program without them.
set(VELMORA_PCH_STD <algorithm> <cmath> <cstdint> <cstring> <functional> <memory> <string> <vector>)

# velmora_precompile(TARGET): a library of many sources.
function(velmora_precompile target)
  target_precompile_headers(${target} PRIVATE ${VELMORA_PCH_STD})
endfunction()

# velmora_precompile_test(TARGET SOURCE...): a test program. Its header is
# built once per program, so one or two sources gain nothing from it. Only
# clang builds precompile the tests: g++ forgets that the headers it reads
# back from a precompiled header are system headers, and libstdc++'s false
# -Warray-bounds and -Wstringop-overflow reports on the tests' string
# concatenations would fill the build log.
function(velmora_precompile_test target)
  list(LENGTH ARGN source_count)
  if(source_count GREATER_EQUAL 3 AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> ${VELMORA_PCH_STD})
  endif()
endfunction()
