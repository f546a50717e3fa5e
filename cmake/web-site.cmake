# The web app's site in site/: every file a static web host serves, nothing
# else. The page and its style, the program's JavaScript and WebAssembly, the
# icons, the app's manifest, and the service worker that keeps them all.
set(site ${PROJECT_BINARY_DIR}/site)
set_target_properties(${CALCULATOR_PROGRAM_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site})
set(web ${PROJECT_SOURCE_DIR}/resources/web)

set(site_files
  ${site}/index.html
  ${site}/style.css
  ${site}/manifest.webmanifest
  ${site}/favicon.ico
  ${site}/icon-192.png
  ${site}/icon-512.png)
include(${PROJECT_SOURCE_DIR}/cmake/web-page.cmake)
calculator_web_page(web-page ${site}/index.html ${site}/style.css)
configure_file(${web}/manifest.webmanifest.in ${site}/manifest.webmanifest @ONLY)

calculator_ico(${site}/favicon.ico)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
foreach(size 192 512)
  add_custom_command(OUTPUT ${site}/icon-${size}.png
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${site}/icon-${size}.png
            ${PROJECT_SOURCE_DIR}/resources/icons/${CALCULATOR_APP_ID}.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/icons/${CALCULATOR_APP_ID}.svg
    VERBATIM)
endforeach()

# The service worker names its cache by the digest of every other file.
set(program_files ${site}/${CALCULATOR_PROGRAM_NAME}.js ${site}/${CALCULATOR_PROGRAM_NAME}.wasm)
add_custom_command(OUTPUT ${site}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -DSITE=${site} "-DFILES=${site_files};${program_files}"
          -DTEMPLATE=${web}/service-worker.js.in -DOUTPUT=${site}/service-worker.js
          -DCALCULATOR_PROGRAM_NAME=${CALCULATOR_PROGRAM_NAME}
          -P ${PROJECT_SOURCE_DIR}/cmake/web-service-worker.cmake
  DEPENDS ${site_files} ${CALCULATOR_PROGRAM_NAME} ${web}/service-worker.js.in
          ${PROJECT_SOURCE_DIR}/cmake/web-service-worker.cmake
  VERBATIM)
add_custom_target(web-site ALL DEPENDS ${site_files} ${site}/service-worker.js)

# The whole site as one download, to unpack at a web host's root: made the
# same, byte for byte, from the same files (cmake/reproducible-zip.cmake).
find_program(ZIP zip)
if(ZIP)
  set(CALCULATOR_SITE_ZIP
      ${PROJECT_BINARY_DIR}/package/${CALCULATOR_PROGRAM_NAME}-${CALCULATOR_VERSION}-web.zip)
  set(cmake ${PROJECT_SOURCE_DIR}/cmake)
  add_custom_command(OUTPUT ${CALCULATOR_SITE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/package
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CALCULATOR_SITE_ZIP}
            -DSTAGE=${PROJECT_BINARY_DIR}/archive-staging/site
            "-DFILES=${site_files};${program_files};${site}/service-worker.js"
            -P ${cmake}/reproducible-zip.cmake
    DEPENDS ${site_files} ${CALCULATOR_PROGRAM_NAME} ${site}/service-worker.js
            ${cmake}/reproducible-zip.cmake ${cmake}/archive-staging.cmake
    VERBATIM)
  add_custom_target(web-site-archive ALL DEPENDS ${CALCULATOR_SITE_ZIP})
else()
  message(STATUS "zip not found: the site's archive is not built")
endif()
