# Runs at install time, when CMAKE_INSTALL_PREFIX is the prefix installed to:
# writes the menu entry and the manual page with the installed paths in them
# and installs them (file(INSTALL) honours DESTDIR).
foreach(dir BINDIR DATAROOT MANDIR)
  cmake_path(ABSOLUTE_PATH VELMORA_${dir} BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
endforeach()
set(VELMORA_DATADIR "${VELMORA_DATAROOT}/velmora")

# Exec= holds the path as one argument: quoted when it holds a character the
# entry format reserves, with \ " ` $ escaped inside the quotes and every \
# escaped once more for the entry's string value; % is always doubled.
set(exec "${VELMORA_BINDIR}/velmora")
if(exec MATCHES "[^A-Za-z0-9_./+-]")
  string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" exec "${exec}")
  string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" VELMORA_EXEC "${exec}")

configure_file("${VELMORA_LINUX_DIR}/org.example.Velmora.desktop.in"
               "${VELMORA_STAGE_DIR}/org.example.Velmora.desktop" @ONLY)
configure_file("${VELMORA_LINUX_DIR}/velmora.1.in" "${VELMORA_STAGE_DIR}/velmora.1" @ONLY)
# gzip -n: no name or time in the header, so the same page gives the same bytes.
execute_process(COMMAND gzip -9nf velmora.1 WORKING_DIRECTORY "${VELMORA_STAGE_DIR}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "velmora: could not compress the manual page")
endif()

file(INSTALL DESTINATION "${VELMORA_DATAROOT}/applications" TYPE FILE
     FILES "${VELMORA_STAGE_DIR}/org.example.Velmora.desktop")
file(INSTALL DESTINATION "${VELMORA_MANDIR}/man1" TYPE FILE
     FILES "${VELMORA_STAGE_DIR}/velmora.1.gz")
