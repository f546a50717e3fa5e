# The page and its style with the start-up form in them, as start-up leaves
# it: written by the program's own description and handlers, run on the build
# machine with a page writer in place of the browser (app/write_page.cpp), so
# that the browser draws the form as it parses the page.
find_program(HOST_CXX NAMES c++ g++ REQUIRED)
set(page_writer ${PROJECT_BINARY_DIR}/write-page${CMAKE_HOST_EXECUTABLE_SUFFIX})
set(page_writer_sources ${PROJECT_SOURCE_DIR}/app/write_page.cpp)
foreach(target form1 numeric_core)
  get_target_property(folder ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  list(TRANSFORM sources PREPEND ${folder}/)
  list(APPEND page_writer_sources ${sources})
endforeach()
foreach(source description.cpp dispatch.cpp form.cpp page/form.cpp page/page_writer.cpp)
  list(APPEND page_writer_sources ${PROJECT_SOURCE_DIR}/runtime/${source})
endforeach()
file(GLOB page_writer_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/runtime/*.h
     ${PROJECT_SOURCE_DIR}/runtime/numeric/*.h ${PROJECT_SOURCE_DIR}/runtime/page/*.h
     ${PROJECT_SOURCE_DIR}/runtime/web/css_pixels.h ${PROJECT_SOURCE_DIR}/window/*.h)
set(page_writer_werror $<$<BOOL:${CALCULATOR_WERROR}>:-Werror>)
add_custom_command(OUTPUT ${page_writer}
  COMMAND ${HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic ${page_writer_werror}
          -I${PROJECT_SOURCE_DIR} -I${PROJECT_BINARY_DIR} -o ${page_writer} ${page_writer_sources}
  DEPENDS ${page_writer_sources} ${page_writer_headers} ${PROJECT_BINARY_DIR}/resources/version.h
  COMMAND_EXPAND_LISTS
  VERBATIM)
add_custom_target(page-writer DEPENDS ${page_writer})

# Writes PAGE and STYLE, from resources/web/'s index.html and style.css, as
# TARGET, with the script that fits the form to the screen in the page.
function(calculator_web_page target page style)
  set(web ${PROJECT_SOURCE_DIR}/resources/web)
  set(inline ${PROJECT_SOURCE_DIR}/cmake/web-inline-script.cmake)
  add_custom_command(OUTPUT ${page} ${style}
    COMMAND ${page_writer} ${web}/index.html ${web}/style.css ${page} ${style}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${page} -DSCRIPT=${web}/zoom-to-screen.js -P ${inline}
    DEPENDS ${page_writer} ${web}/index.html ${web}/style.css ${web}/zoom-to-screen.js ${inline}
    VERBATIM)
  add_custom_target(${target} DEPENDS ${page} ${style})
  add_dependencies(${target} page-writer)
endfunction()
