# The Windows packages, in package/: a Windows Installer package made with
# wixl (msitools), and a portable zip that holds the .exe alone.
find_program(WIXL wixl)
if(NOT WIXL)
  message(STATUS "wixl (msitools) not found: the Windows packages are not built")
  return()
endif()
set(package_dir ${PROJECT_BINARY_DIR}/package)
set(package_name ${CALCULATOR_PROGRAM_NAME}-${CALCULATOR_VERSION}-x64)
set(CALCULATOR_MSI ${package_dir}/${package_name}.msi)
set(CALCULATOR_ZIP ${package_dir}/${package_name}-portable.zip)
set(wxs ${PROJECT_SOURCE_DIR}/resources/windows/${CALCULATOR_PROGRAM_NAME}.wxs)
# wixl takes its source files by paths relative to where it runs.
add_custom_command(OUTPUT ${CALCULATOR_MSI}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${WIXL} -a x64 -D Version=${CALCULATOR_VERSION}
          -D Icon=resources/windows/${CALCULATOR_PROGRAM_NAME}.ico
          -D Program=app/${CALCULATOR_PROGRAM_NAME}.exe -o ${CALCULATOR_MSI} ${wxs}
  DEPENDS ${wxs} ${CALCULATOR_PROGRAM_NAME}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  VERBATIM)
add_custom_command(OUTPUT ${CALCULATOR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${CALCULATOR_ZIP} --format=zip
          ${CALCULATOR_PROGRAM_NAME}.exe
  DEPENDS ${CALCULATOR_PROGRAM_NAME}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/app
  VERBATIM)
add_custom_target(windows-packages ALL DEPENDS ${CALCULATOR_MSI} ${CALCULATOR_ZIP})
