# Run by `cmake --install`: writes the menu entry for the program under the
# prefix chosen at install time, and installs it into the applications folder.
# Needs KINOPA_DESKTOP_TEMPLATE (tools/net.kinopa.Kinopa.desktop.in),
# KINOPA_DESKTOP_STAGING (where the finished entry is written first),
# KINOPA_INSTALL_BINDIR (the program's folder, relative to the prefix or
# absolute) and KINOPA_APPLICATIONS_DIR (likewise, the entry's folder).

foreach(dir KINOPA_INSTALL_BINDIR KINOPA_APPLICATIONS_DIR)
  if(NOT DEFINED ${dir})
    message(FATAL_ERROR "desktop_entry.cmake needs ${dir}")
  endif()
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()
get_filename_component(program "${KINOPA_INSTALL_BINDIR}/kinopa" ABSOLUTE)
if(program MATCHES "[\r\n]")
  message(FATAL_ERROR "A menu entry cannot name a program whose path holds a line break: ${program}")
endif()

# Exec holds the path as one quoted argument: inside the quotes a double
# quote, backquote, dollar sign or backslash takes a backslash before it.
# The entry's own string escapes come on top (a backslash is written as two),
# and a percent sign, which would start a field code, is doubled.
set(arg "${program}")
string(REPLACE "\\" "\\\\" arg "${arg}")
string(REPLACE "\"" "\\\"" arg "${arg}")
string(REPLACE "`" "\\`" arg "${arg}")
string(REPLACE "$" "\\$" arg "${arg}")
set(exec "\"${arg}\"")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" KINOPA_EXEC "${exec}")
# TryExec is a plain string: only its backslashes are escaped.
string(REPLACE "\\" "\\\\" KINOPA_TRYEXEC "${program}")

configure_file("${KINOPA_DESKTOP_TEMPLATE}" "${KINOPA_DESKTOP_STAGING}" @ONLY)
file(INSTALL DESTINATION "${KINOPA_APPLICATIONS_DIR}" TYPE FILE
     FILES "${KINOPA_DESKTOP_STAGING}" RENAME net.kinopa.Kinopa.desktop)
