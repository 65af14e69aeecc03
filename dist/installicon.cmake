# Included by the install script: installs PENNIBELL_ICON_SOURCE as the theme icon "pennibell"
# under PENNIBELL_ICON_THEME_DIR/<W>x<H>/apps, the size read from the PNG header, so the icon
# lands where icon themes look for its size. Nothing happens while the icon does not exist.
if(NOT EXISTS "${PENNIBELL_ICON_SOURCE}")
  message(STATUS "No ${PENNIBELL_ICON_SOURCE} yet: theme icon not installed")
  return()
endif()
# Signature (8 bytes), IHDR length and type (8 bytes), then width and height, 4 bytes each, big-endian.
file(READ "${PENNIBELL_ICON_SOURCE}" _header HEX LIMIT 24)
string(SUBSTRING "${_header}" 0 16 _signature)
if(NOT _signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${PENNIBELL_ICON_SOURCE} is not a PNG file")
endif()
string(SUBSTRING "${_header}" 32 8 _width)
string(SUBSTRING "${_header}" 40 8 _height)
math(EXPR _width "0x${_width}")
math(EXPR _height "0x${_height}")
if(NOT _width EQUAL _height)
  message(WARNING "${PENNIBELL_ICON_SOURCE} is ${_width}x${_height}; theme icons must be square")
endif()
file(INSTALL "${PENNIBELL_ICON_SOURCE}"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${PENNIBELL_ICON_THEME_DIR}/${_width}x${_height}/apps"
     RENAME pennibell.png)
