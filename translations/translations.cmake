# The program's translations: Qt Linguist files translations/jotwell_<lang>.ts,
# compiled by lrelease into the target given as JW_TRANSLATED_TARGET as
# resources under :/i18n. `cmake --build build --target jw_lupdate` brings the
# .ts files up to date with the sources (lupdate and lrelease: qt6-l10n-tools).
set(JW_LANGUAGES de)
set(jw_qt_bins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin)
find_program(JW_LRELEASE lrelease HINTS ${jw_qt_bins} NO_DEFAULT_PATH REQUIRED)
find_program(JW_LUPDATE lupdate HINTS ${jw_qt_bins} NO_DEFAULT_PATH)

set(jw_ts_files)
set(jw_qm_files)
foreach(lang ${JW_LANGUAGES})
  set(ts ${PROJECT_SOURCE_DIR}/translations/jotwell_${lang}.ts)
  set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/jotwell_${lang}.qm)
  add_custom_command(OUTPUT ${qm} COMMAND ${JW_LRELEASE} -silent ${ts} -qm ${qm} DEPENDS ${ts} VERBATIM)
  list(APPEND jw_ts_files ${ts})
  list(APPEND jw_qm_files ${qm})
endforeach()
qt_add_resources(${JW_TRANSLATED_TARGET} jw_translations PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n
                 FILES ${jw_qm_files})

if(JW_LUPDATE)
  # Without line numbers, so that moving code does not change the files.
  add_custom_target(jw_lupdate
    COMMAND ${JW_LUPDATE} -silent -locations none -no-obsolete ${PROJECT_SOURCE_DIR}/src -ts ${jw_ts_files}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
endif()
