# `cpack -G DEB` in the build folder (or the `package` target): one .deb with
# the libraries, headers, package files, tools, language file and Designer
# plugin. Its dependencies are read from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quindo-profiles)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quindo Profiles")
set(CPACK_PACKAGE_CONTACT "Quindo Profiles developers <quindo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Alarm-server profile client: C++ library, Qt 6 control, Designer plugin and tools")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Building a host against the headers and the CMake package takes Qt's, and
# nlohmann-json's for Quindo::Json.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-base-dev, nlohmann-json3-dev")
# Our own libraries are in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
