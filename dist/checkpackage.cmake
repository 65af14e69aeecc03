# cmake -DBUILD_DIR=... -DSCRATCH=... -DCPACK=... -DAPP_ID=... -DVERSION=... -P checkpackage.cmake
# Builds the Debian package into a scratch folder, unpacks it there and checks what it holds.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message("package check skipped: no dpkg-deb or dpkg-shlibdeps (package dpkg-dev)")
  return()
endif()
file(REMOVE_RECURSE "${SCRATCH}")
# Packaging installs the build too; keep the manifest of a real install for "make uninstall".
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(RENAME "${manifest}" "${manifest}.keep")
endif()
execute_process(COMMAND "${CPACK}" -G DEB -B "${SCRATCH}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(REMOVE "${manifest}")
if(EXISTS "${manifest}.keep")
  file(RENAME "${manifest}.keep" "${manifest}")
endif()
file(GLOB deb "${SCRATCH}/pennibell_${VERSION}_*.deb")
if(NOT rc EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed (${rc}):\n${log}")
endif()
execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${SCRATCH}/root" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${DPKG_DEB}" -f "${deb}" Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
file(GLOB found "${SCRATCH}/root/usr/share/icons/hicolor/*/apps/pennibell.png" "${SCRATCH}/root/usr/share/pennibell/icon/*")
file(STRINGS "${SCRATCH}/root/usr/share/metainfo/${APP_ID}.metainfo.xml" release REGEX "<release ")
foreach(f bin/pennibell share/applications/${APP_ID}.desktop share/man/man1/pennibell.1.gz
          share/doc/pennibell/copyright share/doc/pennibell/changelog.gz share/pennibell/help/index.html)
  if(NOT EXISTS "${SCRATCH}/root/usr/${f}")
    message(FATAL_ERROR "missing from the package: usr/${f}")
  endif()
endforeach()
# Only the pictures of the icon folder, and the release of this version.
if(NOT found MATCHES "pennibell.png" OR found MATCHES "\\.(sh|py)" OR NOT release MATCHES "\"${VERSION}\""
   OR NOT depends MATCHES "libqt6widgets6.*qt6-qpa-plugins|qt6-qpa-plugins.*libqt6widgets6")
  message(FATAL_ERROR "wrong icons, release or dependencies: ${found} ${release} ${depends}")
endif()
