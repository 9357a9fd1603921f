# What a host developer gets: the shared libraries Quindo::Core (standard
# library only: records, protocol, control core), Quindo::Json (the records
# as JSON) and Quindo::Widgets (the Qt widgets), the Designer plugin,
# headers, tools and the language file, a CMake package
# (find_package(QuindoProfiles 1.0)), quindo-core.pc, and a .deb.
#
# The shared libraries are linked from the objects of the static libraries
# that the tests and tools use, so a source file added to src/<layer>/ lands in
# both without further change. Only what carries QUINDO_EXPORT is exported; a
# new class without it still builds and tests, and is merely not visible to
# hosts until it is marked.
#
# Left out of the sanitizer and fuzz builds, which test the core only.

if(QUINDO_SANITIZE OR QUINDO_FUZZ)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUINDO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuindoProfiles)
set(QUINDO_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/quindo)

# Headers include each other as "common/error.h"; hosts may write either
# <quindo/qt/active_profiles_widget.h> or "qt/active_profiles_widget.h".
function(quindo_shared_library target output_name export_name)
  add_library(${target} SHARED ${ARGN})
  add_library(Quindo::${export_name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name}
    EXPORT_NAME ${export_name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    INSTALL_RPATH "$ORIGIN")
  target_include_directories(${target} INTERFACE
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${QUINDO_INCLUDE_DIR}>)
  target_compile_features(${target} INTERFACE cxx_std_20)
endfunction()

# The objects of every static library defined in the given source folders,
# so that a library added there later is part of the shared one too.
function(quindo_objects_of out)
  set(objects)
  foreach(folder ${ARGN})
    get_property(targets DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND objects $<TARGET_OBJECTS:${target}>)
      endif()
    endforeach()
  endforeach()
  set(${out} ${objects} PARENT_SCOPE)
endfunction()

quindo_objects_of(core_objects src/common src/model src/protocol src/control)
quindo_shared_library(quindo_core quindo-core Core ${core_objects})
set(quindo_installed_libraries quindo_core)

# The records as JSON (Quindo::Json): on the core and nlohmann-json, whose
# headers its own include.
find_package(nlohmann_json REQUIRED)
quindo_objects_of(json_objects src/json)
quindo_shared_library(quindo_json_shared quindo-json Json ${json_objects})
target_link_libraries(quindo_json_shared PUBLIC quindo_core nlohmann_json::nlohmann_json)
list(APPEND quindo_installed_libraries quindo_json_shared)

if(QUINDO_WITH_QT)
  quindo_objects_of(widget_objects src/qt)
  quindo_shared_library(quindo_widgets quindo-widgets Widgets ${widget_objects})
  target_link_libraries(quindo_widgets PUBLIC quindo_core Qt6::Widgets Qt6::Network)
  list(APPEND quindo_installed_libraries quindo_widgets)

  # The Designer plugin, when Qt's Designer development files are present.
  find_package(Qt6 QUIET COMPONENTS UiPlugin)
  if(Qt6UiPlugin_FOUND)
    add_subdirectory(${PROJECT_SOURCE_DIR}/src/designer ${PROJECT_BINARY_DIR}/src/designer)
  endif()
endif()

install(TARGETS ${quindo_installed_libraries} EXPORT QuindoProfilesTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${QUINDO_INCLUDE_DIR}
  FILES_MATCHING PATTERN "*.h"
  PATTERN "designer" EXCLUDE
  PATTERN "ical" EXCLUDE)

# Every tool of the build (quindo-records and quindo-editor install
# themselves; the files they read are installed by cmake/QuindoData.cmake).
foreach(tool quindo-client quindo-sim quindo-demo)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(EXPORT QuindoProfilesTargets NAMESPACE Quindo:: DESTINATION ${QUINDO_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuindoProfilesConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuindoProfilesConfig.cmake
  INSTALL_DESTINATION ${QUINDO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuindoProfilesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuindoProfilesConfig.cmake
  ${PROJECT_BINARY_DIR}/QuindoProfilesConfigVersion.cmake
  DESTINATION ${QUINDO_CMAKE_DIR})

# quindo-core.pc finds its prefix from its own place, so that the installed
# tree can be moved (or installed with --prefix) and still be found.
file(RELATIVE_PATH QUINDO_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quindo-core.pc.in ${PROJECT_BINARY_DIR}/quindo-core.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quindo-core.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

include(${CMAKE_CURRENT_LIST_DIR}/QuindoDeb.cmake)
