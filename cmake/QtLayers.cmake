# The Qt side of the program is one static library per folder, in layers: a folder may use
# the core and the folders before it in OV_QT_LAYERS, never one after it. The layer check runs
# before anything is compiled, so an upward include fails the build with the line that has it.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Svg PrintSupport Test)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

set(OV_QT_LAYERS gui settings table navigation output history compact extras app)

list(JOIN OV_QT_LAYERS "," layers)
add_custom_target(ov_layer_check ALL
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DLAYERS=${layers}
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking that no Qt folder includes a folder above it")

# ov_qt_library(<folder> [LINKS <targets>...] [SOURCES <extra files>...]): the library
# ov_<folder> of every .cpp and .h in the folder (app/main.cpp aside).
function(ov_qt_library folder)
  cmake_parse_arguments(ARG "" "" "LINKS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "/app/main\\.cpp$")
  add_library(ov_${folder} STATIC ${sources} ${ARG_SOURCES})
  target_include_directories(ov_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(ov_${folder} PUBLIC ${ARG_LINKS})
  target_compile_definitions(ov_${folder} PUBLIC OV_VERSION="${PROJECT_VERSION}")
  # Our own code spells out how a text literal becomes a QString, and a connect never narrows
  # an argument silently. PRIVATE: the programs that link the library keep their own choice.
  ov_qt_strict(ov_${folder})
  add_dependencies(ov_${folder} ov_layer_check)
  ov_gui_warnings(ov_${folder})
endfunction()
