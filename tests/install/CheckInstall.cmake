# Installs the build into PREFIX and checks what a package manager and a desktop find there:
# exactly the program's files, a runnable program that does not look into the build folder, a
# menu entry that starts it with its icon, the icon at every size, and valid AppStream data.
# Arguments: BUILD_DIR, PREFIX, APP_ID, APPSTREAMCLI.
cmake_minimum_required(VERSION 3.25)

set(problems "")
function(report problem)
  set(problems "${problems}\n  ${problem}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# Nothing more and nothing less: a stray library, benchmark or test program would land in /usr.
set(expected
  bin/twinpics
  share/applications/${APP_ID}.desktop
  share/doc/twinpics/copyright
  share/icons/hicolor/128x128/apps/${APP_ID}.png
  share/icons/hicolor/256x256/apps/${APP_ID}.png
  share/icons/hicolor/48x48/apps/${APP_ID}.png
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/metainfo/${APP_ID}.metainfo.xml)
file(GLOB_RECURSE installed RELATIVE ${PREFIX} LIST_DIRECTORIES false ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  report("installed files: ${installed}\n  expected:        ${expected}")
endif()

set(program ${PREFIX}/bin/twinpics)
execute_process(COMMAND test -x ${program} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  report("${program} is not executable")
endif()
execute_process(COMMAND readelf --dynamic ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  report("${program} is not an ELF program")
elseif(dynamic MATCHES "R(UN)?PATH[^\n]*${BUILD_DIR}")
  report("${program} still loads libraries from the build folder")
endif()

# The keys the menu needs to show the entry and start the installed program.
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop entry)
foreach(line "Type=Application" "Name=Twinpics" "Exec=twinpics" "Icon=${APP_ID}" "Terminal=false")
  if(NOT line IN_LIST entry)
    report("the desktop entry lacks ${line}")
  endif()
endforeach()

foreach(size 48 128 256)
  set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    report("${png} is not a ${size} x ${size} PNG (${width} x ${height})")
  endif()
endforeach()

# Checks the metainfo against the installed tree: its desktop entry and icons must be there.
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX}
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  report("appstreamcli validate-tree failed:\n${output}")
endif()

if(problems)
  message(FATAL_ERROR "The installed tree is wrong:${problems}")
endif()
