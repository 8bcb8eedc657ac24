# The AVX2 span loops are compiled for AVX2 in their own file only; the rest
# of the build keeps the baseline instruction set and the device picks the
# loops at run time by the processor's features. The precompiled header is
# built for the baseline, so this file parses its headers itself.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64|i.86")
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/src/SpanKernelsAvx2.cpp
    PROPERTIES COMPILE_OPTIONS "-mavx2" COMPILE_DEFINITIONS VELMORA_SPANS_AVX2 SKIP_PRECOMPILE_HEADERS ON)
endif()
