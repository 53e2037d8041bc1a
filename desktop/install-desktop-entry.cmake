# Run by `cmake --install`: writes the desktop entry with the full path of
# the installed program's link in bin/ (the prefix is known only now) and
# installs it under share/applications, where a Linux desktop looks for it.
set(program "${CMAKE_INSTALL_PREFIX}/bin/quenta10")
# The Exec key takes a quoted path: ", `, $ and \ escaped inside the quotes,
# each \ doubled again for the key's own escapes, and % doubled.
string(REPLACE "\\" "\\\\\\\\" program "${program}")
foreach(c "\"" "`" "$")
  string(REPLACE "${c}" "\\\\${c}" program "${program}")
endforeach()
string(REPLACE "%" "%%" program "${program}")
set(QUENTA_DESKTOP_EXEC "\"${program}\"")

set(entry "${QUENTA_BUILD_DIR}/quenta10.desktop")
configure_file("${CMAKE_CURRENT_LIST_DIR}/quenta10.desktop.in" "${entry}" @ONLY)
file(INSTALL "${entry}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
