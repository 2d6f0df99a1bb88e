# The Debian package: `cpack -G DEB` in a build directory packs what `cmake --install` puts under
# /usr into tovarin_<version>_<architecture>.deb. Its dependencies are the shared libraries the
# executable links (found by dpkg-shlibdeps) and the Japanese Gothic the screens fall back to.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovarin)
set(CPACK_PACKAGE_VENDOR "Tovarin developers")
set(CPACK_PACKAGE_CONTACT "Tovarin developers <dev@tovarin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "mock examination for the Japanese first-class boat licence")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tovarin is a desktop mock examination for the advanced-navigation part,
questions 51 to 64 (上級運航 I and 上級運航 II), of the written
examination for the Japanese first-class small-vessel operator licence
(一級小型船舶操縦士). It draws one question from each of fourteen built-in
pools, runs the 70-minute countdown, scores both sections and lets the
candidate review every question. Its questions and screens are in Japanese.

一級小型船舶操縦士の学科試験のうち、上級運航 I・II（第51問～第64問）の
模擬試験です。]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The folders of the staging tree follow the packer's umask; the package's must be 0755.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageFolderModes.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# No source packages: the checkout is the source.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
