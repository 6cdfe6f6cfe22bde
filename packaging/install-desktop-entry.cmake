# Run by `cmake --install`: writes the desktop entry with the launcher's
# full path under the prefix given now (it may differ from the configured one).
get_filename_component(jw_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(jw_launcher "${jw_prefix}/${JW_BINDIR}/jotwell-pad")
if(jw_launcher MATCHES "[\"`$\\\\]")
  message(FATAL_ERROR "The desktop entry cannot name a launcher in ${jw_prefix}: choose a prefix without \", `, $ or \\")
endif()
# A path with blanks is quoted, as desktop entries want it.
if(jw_launcher MATCHES "[ \t]")
  set(JW_LAUNCHER "\"${jw_launcher}\"")
else()
  set(JW_LAUNCHER "${jw_launcher}")
endif()
set(jw_entry "$ENV{DESTDIR}${jw_prefix}/${JW_DATADIR}/applications/${JW_APP_ID}.desktop")
message(STATUS "Installing: ${jw_entry}")
configure_file("${JW_DESKTOP_IN}" "${jw_entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${jw_entry}")
