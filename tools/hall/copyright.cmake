# kinopa-hall's copyright file: the game's, and when the package ships the
# browser's site, its font (cut from IPA P Gothic) with the IPA Font License
# Agreement v1.0 in full, from the site's fonts/LICENCE.txt.
#   cmake -DGAME=tools/copyright -DSITE=build-web/site -DOUT=... -P copyright.cmake
file(READ ${GAME} text)
if(EXISTS ${SITE}/fonts/LICENCE.txt)
  file(STRINGS ${SITE}/fonts/LICENCE.txt licence ENCODING UTF-8)
  string(APPEND text "
Files: usr/share/kinopa-hall/site/fonts/*
Copyright: 2020-2021 Japanese Character Information Technology Promotion Council (CITPC)
Comment: Kinopa Gothic, a subset of IPA P Gothic renamed as the licence asks
 (fonts/README.txt beside it tells how to use the original instead).
License: IPA-1
 The IPA Font License Agreement v1.0, as Debian's fonts-ipafont-gothic ships it:
 .
")
  foreach(line IN LISTS licence)
    if(line STREQUAL "")
      string(APPEND text " .\n")
    else()
      string(APPEND text " ${line}\n")
    endif()
  endforeach()
endif()
file(WRITE ${OUT} "${text}")
