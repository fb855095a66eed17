# Lays out the site (cmake -P, from web/CMakeLists.txt): the page with its
# windows written in (KINOPA_PAGE), page.js and the manifest, the module, the
# art and sounds with the first wave.ini, the font with its licence, and the
# service worker, written last with the list of every file and its hash and
# a cache name that changes whenever any of them does. The site is put
# together beside the old one and takes its place whole.
#
# The module and the game's own files (what the module reads in /game: the
# pictures, the sounds, the first wave.ini, the field's picture) are the
# bulk of a first visit, and most are pictures a host may well send as they
# are: the site holds them gzipped (NAME.gz, gzip -9n, so that the same file
# always gives the same bytes), and the page unpacks them. KINOPA_GAME_DIR
# gets them as they are, /game for kinopa-replay under node.
foreach(var KINOPA_WEB_DIR KINOPA_WASM_DIR KINOPA_ASSETS_DIR KINOPA_FONT_DIR)
  if(NOT IS_DIRECTORY "${${var}}")
    message(FATAL_ERROR "${var} (${${var}}) is not a folder")
  endif()
endforeach()
find_program(gzip gzip REQUIRED)

set(next ${KINOPA_SITE_DIR}.next)
set(game ${KINOPA_GAME_DIR}.next)
file(REMOVE_RECURSE ${next} ${game})
file(COPY ${KINOPA_WEB_DIR}/site/ DESTINATION ${next})
file(COPY_FILE ${KINOPA_PAGE} ${next}/index.html)
file(COPY ${KINOPA_ASSETS_DIR}/images ${KINOPA_ASSETS_DIR}/wave DESTINATION ${game})
file(COPY ${KINOPA_DEFAULT_WAVE_INI} DESTINATION ${game}/wave)
file(COPY ${KINOPA_ASSETS_DIR}/art/field.bmp DESTINATION ${game}/window_art)
file(COPY ${KINOPA_ASSETS_DIR}/art/window.jpg DESTINATION ${next}/window_art)
file(COPY ${KINOPA_ASSETS_DIR}/art/icon-32.png ${KINOPA_ASSETS_DIR}/art/icon-192.png
     ${KINOPA_ASSETS_DIR}/art/icon-512.png DESTINATION ${next}/icons)
file(COPY ${KINOPA_FONT_DIR}/kinopa-gothic.woff2 ${KINOPA_FONT_DIR}/kinopa-gothic-characters.txt
     ${KINOPA_FONT_DIR}/LICENCE.txt ${KINOPA_FONT_DIR}/README.txt DESTINATION ${next}/fonts)

function(gzipped from to)
  get_filename_component(folder ${to} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${gzip} -9nc ${from} OUTPUT_FILE ${to} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${from}: ${failed}")
  endif()
endfunction()
file(GLOB_RECURSE game_files LIST_DIRECTORIES false RELATIVE ${game} ${game}/*)
foreach(f ${game_files})
  gzipped(${game}/${f} ${next}/${f}.gz)
endforeach()
foreach(f kinopa-web.js kinopa-web.wasm)
  gzipped(${KINOPA_WASM_DIR}/${f} ${next}/${f}.gz)
endforeach()

# Everything the page may ask for, relative to the site, with its hash, and
# one hash of it all. The page itself is listed as the folder ("./"), the
# address it is visited at.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${next} ${next}/*)
list(SORT files)
set(all_hashes "")
set(urls "")
foreach(f ${files})
  file(SHA256 ${next}/${f} hash)
  string(APPEND all_hashes "${f} ${hash}\n")
  set(url "./${f}")
  if(f STREQUAL "index.html")
    set(url "./")
  endif()
  if(urls)
    string(APPEND urls ",\n")
  endif()
  string(APPEND urls "  [\"${url}\", \"${hash}\"]")
endforeach()
string(SHA256 site_hash "${all_hashes}")
string(SUBSTRING ${site_hash} 0 16 KINOPA_SITE_VERSION)
set(KINOPA_SITE_FILES "${urls}")
configure_file(${KINOPA_WEB_DIR}/sw.js.in ${next}/sw.js @ONLY)

foreach(pair "${next};${KINOPA_SITE_DIR}" "${game};${KINOPA_GAME_DIR}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  file(REMOVE_RECURSE ${to}.old)
  if(EXISTS ${to})
    file(RENAME ${to} ${to}.old)
  endif()
  file(RENAME ${from} ${to})
  file(REMOVE_RECURSE ${to}.old)
endforeach()
message(STATUS "Site ${KINOPA_SITE_VERSION}: ${KINOPA_SITE_DIR}")
