# cmake -DBUILD_DIR=... -DPREFIX=... -DSOURCE_DIR=... -DAPP_ID=... -P checkinstall.cmake
# Installs the build into a scratch prefix and checks that everything an installed copy needs is there.
file(REMOVE_RECURSE "${PREFIX}")
# Installing rewrites the build's install manifest; keep the one of a real install for "make uninstall".
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(RENAME "${manifest}" "${manifest}.keep")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" RESULT_VARIABLE rc)
file(REMOVE "${manifest}")
if(EXISTS "${manifest}.keep")
  file(RENAME "${manifest}.keep" "${manifest}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(expected
  bin/pennibell
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/dbus-1/interfaces/org.pennibell.Pennibell1.xml
  share/dbus-1/services/${APP_ID}.service)
if(EXISTS "${SOURCE_DIR}/icon/Pennibell.png")
  list(APPEND expected share/pennibell/icon/Pennibell.png)
  file(GLOB themed "${PREFIX}/share/icons/hicolor/*/apps/pennibell.png")
  if(NOT themed)
    message(FATAL_ERROR "missing after install: share/icons/hicolor/<size>/apps/pennibell.png")
  endif()
endif()
if(EXISTS "${SOURCE_DIR}/help/index.html")
  list(APPEND expected share/pennibell/help/index.html)
endif()
foreach(f ${expected})
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "missing after install: ${f}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${PREFIX}/bin" OR EXISTS "${PREFIX}/bin/icon")
  message(FATAL_ERROR "resources must go to share/pennibell, not beside the executable")
endif()

# The menu entry starts the installed program and shows the installed theme icon.
file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" exec REGEX "^Exec=")
file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=pennibell" OR NOT icon STREQUAL "Icon=pennibell")
  message(FATAL_ERROR "desktop entry does not name the installed program and icon: ${exec} ${icon}")
endif()
file(STRINGS "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml" launchable REGEX "<launchable")
if(NOT launchable MATCHES ">${APP_ID}.desktop<")
  message(FATAL_ERROR "metainfo does not launch the installed desktop entry: ${launchable}")
endif()
message(STATUS "install into ${PREFIX} complete")
