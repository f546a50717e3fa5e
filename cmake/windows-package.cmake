# The Windows packages, in package/: a Windows Installer package made with
# wixl (msitools), and a portable zip that holds the .exe alone. Both are made
# the same, byte for byte, from the same program (cmake/windows-msi.cmake,
# cmake/reproducible-zip.cmake).
find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
find_program(FAKETIME faketime)
find_program(ZIP zip)
if(NOT WIXL OR NOT MSIBUILD OR NOT FAKETIME OR NOT ZIP)
  message(STATUS "wixl, msibuild (msitools), faketime or zip not found: "
                 "the Windows packages are not built")
  return()
endif()
set(package_dir ${PROJECT_BINARY_DIR}/package)
set(package_name ${CALCULATOR_PROGRAM_NAME}-${CALCULATOR_VERSION}-x64)
set(CALCULATOR_MSI ${package_dir}/${package_name}.msi)
set(CALCULATOR_ZIP ${package_dir}/${package_name}-portable.zip)
set(wxs ${PROJECT_SOURCE_DIR}/resources/windows/${CALCULATOR_PROGRAM_NAME}.wxs)
set(program $<TARGET_FILE:${CALCULATOR_PROGRAM_NAME}>)
set(icon ${PROJECT_BINARY_DIR}/resources/windows/${CALCULATOR_PROGRAM_NAME}.ico)
set(cmake ${PROJECT_SOURCE_DIR}/cmake)
set(staging ${PROJECT_BINARY_DIR}/archive-staging)
add_custom_command(OUTPUT ${CALCULATOR_MSI}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CALCULATOR_MSI} -DSTAGE=${staging}/msi
          -DWXS=${wxs} -DPROGRAM=${program} -DICON=${icon} -DVERSION=${CALCULATOR_VERSION}
          -DNAME=${CALCULATOR_CAPTION} -DMANUFACTURER=Tarquel -P ${cmake}/windows-msi.cmake
  DEPENDS ${wxs} ${CALCULATOR_PROGRAM_NAME} ${icon} ${cmake}/windows-msi.cmake
          ${cmake}/archive-staging.cmake
  VERBATIM)
add_custom_command(OUTPUT ${CALCULATOR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CALCULATOR_ZIP} -DSTAGE=${staging}/zip
          -DPROGRAMS=${program} -P ${cmake}/reproducible-zip.cmake
  DEPENDS ${CALCULATOR_PROGRAM_NAME} ${cmake}/reproducible-zip.cmake
          ${cmake}/archive-staging.cmake
  VERBATIM)
add_custom_target(windows-packages ALL DEPENDS ${CALCULATOR_MSI} ${CALCULATOR_ZIP})
