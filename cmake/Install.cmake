# Installing the programs like any desktop program, and the Debian package built from that.
# The programs find their help pages and samples in ../share/mokkel beside bin/.
include(GNUInstallDirs)

set(MOKKEL_SHARE ${CMAKE_INSTALL_DATADIR}/mokkel)

install(TARGETS mokkel-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MOKKEL_GUI)
  install(TARGETS Mokkel Stagora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(res ${PROJECT_SOURCE_DIR}/resources)
install(DIRECTORY ${res}/help DESTINATION ${MOKKEL_SHARE})
install(FILES ${res}/samples/house.mkl DESTINATION ${MOKKEL_SHARE}/samples)
install(DIRECTORY ${res}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${res}/desktop/mokkel.desktop ${res}/desktop/stagora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${res}/desktop/mokkel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME mokkel.xml)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mokkel)

# cpack -G DEB (in the build folder). The desktop, MIME and icon caches are refreshed by
# the dpkg triggers of desktop-file-utils, shared-mime-info and the icon theme, so the
# package needs no scripts of its own and its removal leaves nothing behind.
set(CPACK_PACKAGE_NAME mokkel)
set(CPACK_PACKAGE_VENDOR Yomiwa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "polygon modeller and 3D scene studio")
set(CPACK_PACKAGE_DESCRIPTION
    "Mokkel builds small polygon models held as text, beside a live 3D view; Stagora arranges \
them into scenes with lights, fog and joints; mokkel-tool inspects, converts and renders \
their files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Yomiwa Mokkel developers <mokkel@yomiwa.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link (Qt 6, libjpeg, libpng, zlib, libstdc++) become Depends
# with their versions; the Qt platform plugins, Japanese texts and font are loaded at run
# time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "shared-mime-info, desktop-file-utils")
include(CPack)
