# Run by CPack once the packages are made. Debian marks font packages "Multi-Arch: foreign"
# (a program of any architecture may use them), and CPack 3.25 has no setting for that field:
# the fonts package is unpacked, given the field and packed again.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name "${package}" NAME)
  if(NOT name MATCHES "^fonts-kovrak-morva_")
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  # The field joins the package's paragraph, ahead of the blank line that ends it.
  file(READ "${tree}/DEBIAN/control" control)
  string(STRIP "${control}" control)
  file(WRITE "${tree}/DEBIAN/control" "${control}\nMulti-Arch: foreign\n")
  execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${package}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
