# Installation: the programs in bin/, the runtime script and the resource
# folders in share/velmora/ (a per-user folder is seeded from there when the
# program folder is not writable), and the desktop integration.
include(GNUInstallDirs)
set(VELMORA_SHARE ${CMAKE_INSTALL_DATADIR}/velmora)

foreach(program velmora velmora-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${VELMORA_PROGRAM_DIR}/jsmenu0.js DESTINATION ${VELMORA_SHARE} OPTIONAL)
foreach(folder templates help samples)
  install(DIRECTORY ${VELMORA_PROGRAM_DIR}/${folder} DESTINATION ${VELMORA_SHARE} OPTIONAL)
endforeach()

set(icons ${PROJECT_SOURCE_DIR}/resources/icons)
set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/velmora-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME velmora.xml)
install(FILES ${icons}/velmora.svg DESTINATION ${hicolor}/scalable/apps)
foreach(mime project structure)
  install(FILES ${icons}/velmora-document.svg DESTINATION ${hicolor}/scalable/mimetypes
          RENAME application-x-velmora-${mime}.svg)
endforeach()
foreach(size 16 32 48 128 256)
  install(FILES ${icons}/velmora-${size}.png DESTINATION ${hicolor}/${size}x${size}/apps RENAME velmora.png)
  foreach(mime project structure)
    install(FILES ${icons}/velmora-document-${size}.png DESTINATION ${hicolor}/${size}x${size}/mimetypes
            RENAME application-x-velmora-${mime}.png)
  endforeach()
endforeach()

# cpack -G DEB: one package with the designer, the command-line tool, the
# runtime, templates, help and samples.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Vorn")
set(CPACK_PACKAGE_CONTACT "Vorn <support@vorn.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for drop-down navigation menus of web pages")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The live preview's engine runs its pages in a helper program that no
# library dependency brings along.
if(VELMORA_WEBENGINE)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
