# The release being built, from the newest entry of packaging/changelog:
# ZANDO_RELEASE_DATE (YYYY-MM-DD) dates the manual page and the AppStream
# release; ZANDO_MAINTAINER ("NAME <ADDRESS>") signs the package. The entry must name the project's version, so that a new version
# always comes with its changelog entry.
set(ZANDO_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ZANDO_CHANGELOG})
file(STRINGS ${ZANDO_CHANGELOG} zando_entry LIMIT_COUNT 1)
if(NOT zando_entry MATCHES "^${PROJECT_NAME} \\(([^)]+)\\) ")
  message(FATAL_ERROR "${ZANDO_CHANGELOG} does not start with an entry of ${PROJECT_NAME}: ${zando_entry}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The newest entry of ${ZANDO_CHANGELOG} is version ${CMAKE_MATCH_1}, the project's "
                      "version is ${PROJECT_VERSION}: add an entry for this version.")
endif()
# The entry's trailer line: " -- NAME <ADDRESS>  Tue, 08 Dec 2026 12:00:00 +0000".
file(STRINGS ${ZANDO_CHANGELOG} zando_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT zando_trailer MATCHES "^ -- ([^<]+ <[^>]+>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${ZANDO_CHANGELOG}: no maintainer and date in the trailer line '${zando_trailer}'")
endif()
set(ZANDO_MAINTAINER ${CMAKE_MATCH_1})
set(zando_day ${CMAKE_MATCH_2})
set(zando_year ${CMAKE_MATCH_4})
set(zando_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND zando_months "${CMAKE_MATCH_3}" zando_month)
if(zando_month LESS 0)
  message(FATAL_ERROR "${ZANDO_CHANGELOG}: no month in the trailer line '${zando_trailer}'")
endif()
math(EXPR zando_month "${zando_month} + 1")
if(zando_month LESS 10)
  set(zando_month 0${zando_month})
endif()
set(ZANDO_RELEASE_DATE ${zando_year}-${zando_month}-${zando_day})
