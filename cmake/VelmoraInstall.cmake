# What an installed Velmora brings beside its program and data: the menu
# entry, the application icon in the hicolor theme, the AppStream metainfo
# and the manual page. The entry and the manual name installed paths, so
# they are written at install time, when the prefix is known
# (cmake --install --prefix, make install PREFIX=..., or /usr for the package).
set(VELMORA_LINUX_DIR ${CMAKE_SOURCE_DIR}/resources/linux)
set(VELMORA_ICON_DIR ${CMAKE_SOURCE_DIR}/resources/icons)
set(VELMORA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(FILES ${VELMORA_ICON_DIR}/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS VELMORA_ICON_SIZES)
  install(FILES ${VELMORA_ICON_DIR}/hicolor/${size}x${size}/velmora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${VELMORA_LINUX_DIR}/org.example.Velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(CODE "
  set(VELMORA_LINUX_DIR \"${VELMORA_LINUX_DIR}\")
  set(VELMORA_STAGE_DIR \"${CMAKE_BINARY_DIR}/install-stage\")
  set(VELMORA_VERSION \"${PROJECT_VERSION}\")
  set(VELMORA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(VELMORA_DATAROOT \"${CMAKE_INSTALL_DATADIR}\")
  set(VELMORA_MANDIR \"${CMAKE_INSTALL_MANDIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/VelmoraInstallPrefixed.cmake\")")
