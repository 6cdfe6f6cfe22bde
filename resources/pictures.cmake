# The program's pictures as one resource file compiled into the target that
# draws them. Sets JW_PICTURES_QRC.
set(JW_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(JW_PROGRAM_ICON_FILE ${PROJECT_SOURCE_DIR}/packaging/icons/org.jotwell.JotwellPro.svg)
set(JW_SPLASH_FILE ${CMAKE_BINARY_DIR}/resources/splash.svg)

# The splash shows the program icon from the icon's own drawing, and the
# project's version.
file(READ ${JW_PROGRAM_ICON_FILE} jw_icon_svg)
string(REGEX REPLACE ".*<svg[^>]*>(.*)</svg>.*" "\\1" JW_PROGRAM_ICON "${jw_icon_svg}")
string(REGEX REPLACE "<title>[^<]*</title>" "" JW_PROGRAM_ICON "${JW_PROGRAM_ICON}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${JW_PROGRAM_ICON_FILE})
configure_file(${JW_RESOURCES_DIR}/splash.svg.in ${JW_SPLASH_FILE} @ONLY)

set(JW_PICTURES_QRC ${CMAKE_BINARY_DIR}/resources/pictures.qrc)
configure_file(${JW_RESOURCES_DIR}/pictures.qrc.in ${JW_PICTURES_QRC} @ONLY)
