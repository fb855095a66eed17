# Lays out the site (cmake -P, from web/CMakeLists.txt): the page with its
# windows written in (KINOPA_PAGE), page.js and the manifest, the module, the
# art and sounds with the first wave.ini, the font with its licence, and the
# service worker, written last with the list of every file and a cache name
# that changes whenever any of them does. The site is put together beside the
# old one and takes its place whole.
foreach(var KINOPA_WEB_DIR KINOPA_WASM_DIR KINOPA_ASSETS_DIR KINOPA_FONT_DIR)
  if(NOT IS_DIRECTORY "${${var}}")
    message(FATAL_ERROR "${var} (${${var}}) is not a folder")
  endif()
endforeach()

set(next ${KINOPA_SITE_DIR}.next)
file(REMOVE_RECURSE ${next})
file(COPY ${KINOPA_WEB_DIR}/site/ DESTINATION ${next})
file(COPY_FILE ${KINOPA_PAGE} ${next}/index.html)
file(COPY ${KINOPA_WASM_DIR}/kinopa-web.js ${KINOPA_WASM_DIR}/kinopa-web.wasm DESTINATION ${next})
file(COPY ${KINOPA_ASSETS_DIR}/images ${KINOPA_ASSETS_DIR}/wave DESTINATION ${next})
file(COPY ${KINOPA_DEFAULT_WAVE_INI} DESTINATION ${next}/wave)
file(COPY ${KINOPA_ASSETS_DIR}/art/field.bmp ${KINOPA_ASSETS_DIR}/art/window.jpg
     DESTINATION ${next}/window_art)
file(COPY ${KINOPA_ASSETS_DIR}/art/icon-192.png ${KINOPA_ASSETS_DIR}/art/icon-512.png
     DESTINATION ${next}/icons)
file(COPY ${KINOPA_FONT_DIR}/kinopa-gothic.woff2 ${KINOPA_FONT_DIR}/kinopa-gothic-characters.txt
     ${KINOPA_FONT_DIR}/LICENCE.txt ${KINOPA_FONT_DIR}/README.txt DESTINATION ${next}/fonts)

# Everything the page may ask for, relative to the site, and one hash of it all.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${next} ${next}/*)
list(SORT files)
set(all_hashes "")
set(urls "    \"./\"")
foreach(f ${files})
  file(SHA256 ${next}/${f} hash)
  string(APPEND all_hashes "${f} ${hash}\n")
  string(APPEND urls ",\n    \"./${f}\"")
endforeach()
string(SHA256 site_hash "${all_hashes}")
string(SUBSTRING ${site_hash} 0 16 KINOPA_SITE_VERSION)
set(KINOPA_SITE_FILES "${urls}")
configure_file(${KINOPA_WEB_DIR}/sw.js.in ${next}/sw.js @ONLY)

file(REMOVE_RECURSE ${KINOPA_SITE_DIR}.old)
if(EXISTS ${KINOPA_SITE_DIR})
  file(RENAME ${KINOPA_SITE_DIR} ${KINOPA_SITE_DIR}.old)
endif()
file(RENAME ${next} ${KINOPA_SITE_DIR})
file(REMOVE_RECURSE ${KINOPA_SITE_DIR}.old)
message(STATUS "Site ${KINOPA_SITE_VERSION}: ${KINOPA_SITE_DIR}")
