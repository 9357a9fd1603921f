# The files the programs ship (data/ in the source tree) go to
# share/quindo under the install prefix, beside bin/, and are mirrored at the
# build tree's root, so that a program finds them the same way installed or
# run from the build: walking up from its own folder to share/quindo
# (src/common/shipped_files.h). No path of the source or build tree is
# compiled in, so an installed tree can be moved.
#
# A file added here is installed and mirrored; FindShippedFile finds it by
# its path under data/.

include(GNUInstallDirs)

set(QUINDO_SHIPPED_FILES
  language/english.txt
)

foreach(file ${QUINDO_SHIPPED_FILES})
  # Copied again whenever the file changes (a configure dependency).
  configure_file(${PROJECT_SOURCE_DIR}/data/${file} ${PROJECT_BINARY_DIR}/share/quindo/${file} COPYONLY)
  cmake_path(GET file PARENT_PATH folder)
  install(FILES ${PROJECT_SOURCE_DIR}/data/${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/quindo/${folder})
endforeach()
