# What the Debian package holds: the program, its menu entry and icons, the systemd user units
# of the daily export (installed, not enabled) and the copyright file. Tests and benchmarks are
# never installed. Built with scripts/package.sh.
include(GNUInstallDirs)

# Packaging builds only the program (scripts/package.sh), not every test and benchmark first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SELVANE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS selvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${SELVANE_PACKAGING_DIR}/selvane-baslat DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/selvane)
install(FILES ${SELVANE_PACKAGING_DIR}/selvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SELVANE_PACKAGING_DIR}/icons/selvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${SELVANE_PACKAGING_DIR}/icons/hicolor/${size}x${size}/apps/selvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${SELVANE_PACKAGING_DIR}/systemd/selvane-otokaydet.service ${SELVANE_PACKAGING_DIR}/systemd/selvane-otokaydet.timer
        DESTINATION lib/systemd/user)
install(FILES ${SELVANE_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/selvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvane)
set(CPACK_PACKAGE_VENDOR "Selvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Selvane <destek@selvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Konaklama tesisleri için misafir kaydı ve kimlik bildirimi")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Otel, pansiyon ve kiralık oda/ev işletmeleri için misafir kayıt programı. Tesisleri ve odalarını, "
       "misafirlerin kimlik bilgileriyle konaklamalarını tutar; her gün polis (AKBS) ve jandarma (JKBS) "
       "istemcilerinin izlediği klasörlere kimlik bildirim dosyalarını yazar.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://selvane.invalid")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
