# A Debian package of the installed files (scripts/package makes it). Its dependencies are read
# from the program's shared libraries, so they name the runtime packages of Qt and libjpeg.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME twinpics)
set(CPACK_PACKAGE_VENDOR "The Twinpics authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find and remove duplicate pictures")
set(CPACK_PACKAGE_DESCRIPTION
  "Twinpics finds byte-identical copies of pictures in a folder tree, lists them with \
thumbnails, and removes the copies you mark: to the desktop's trash, or overwritten and deleted.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Twinpics authors")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window-system and image-format plugins at run time, so no library link names
# them; without the first the program cannot open a window, without the second it shows no
# GIF, WebP or TIFF picture.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")

include(CPack)
