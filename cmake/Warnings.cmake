# Warnings for our own code; call ov_warnings(target) on every target we write.
# The project's scripts and CI build with OV_WERROR=ON, so a warning fails them; a packager's
# build (other compilers, other flags) only reports it.
option(OV_WERROR "Treat compiler warnings in our own code as errors" OFF)
set(OV_WARNING_FLAGS -Wall -Wextra -Wpedantic -Wshadow)
if(OV_WERROR)
  list(APPEND OV_WARNING_FLAGS -Werror)
endif()
# GCC 12 at -O2 and above reports overlapping copies inside std::string's own assignment and
# concatenation (GCC bug 105651), in the core, the tests and the benchmarks alike; only that
# compiler's -Wrestrict is turned off.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND OV_WARNING_FLAGS -Wno-restrict)
endif()

function(ov_warnings target)
  target_compile_options(${target} PRIVATE ${OV_WARNING_FLAGS} -Wconversion -Wno-sign-conversion)
endfunction()

# The Qt side: Qt's int/qsizetype mix makes -Wconversion noise, the rest stays strict.
function(ov_gui_warnings target)
  target_compile_options(${target} PRIVATE ${OV_WARNING_FLAGS})
endfunction()

# The program's own Qt code (not the tests): no implicit conversion of a char string to a Qt
# string, no narrowing between a signal's and a slot's arguments.
function(ov_qt_strict target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()
