# Run by `cmake --install`: writes the menu entry for the program under the
# prefix chosen at install time, and installs it into share/applications.
# Needs KINOPA_DESKTOP_TEMPLATE (tools/kinopa.desktop.in) and
# KINOPA_DESKTOP_STAGING (where the finished entry is written first).

get_filename_component(program "${CMAKE_INSTALL_PREFIX}/bin/kinopa" ABSOLUTE)
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
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${KINOPA_DESKTOP_STAGING}" RENAME kinopa.desktop)
