# What reaches a Windows user: the manual beside Velmora.exe (so that F1 in a build tree finds
# it) and the release zip in dist/, with the checks that they are complete and reproducible.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VELMORA_CHM ${CMAKE_BINARY_DIR}/Velmora.chm)
file(GLOB VELMORA_MANUAL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/manual/*)
add_custom_command(OUTPUT ${VELMORA_CHM}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/build-manual --version ${PROJECT_VERSION}
    --output ${VELMORA_CHM}
  DEPENDS ${VELMORA_MANUAL_SOURCES} ${CMAKE_SOURCE_DIR}/scripts/build-manual
  COMMENT "Building the manual Velmora.chm" VERBATIM)
add_custom_target(velmora_manual ALL DEPENDS ${VELMORA_CHM})

set(VELMORA_ZIP ${CMAKE_SOURCE_DIR}/dist/Velmora-${PROJECT_VERSION}-win64.zip)
add_custom_command(OUTPUT ${VELMORA_ZIP}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/package --assemble --version ${PROJECT_VERSION}
    --exe $<TARGET_FILE:Velmora> --chm ${VELMORA_CHM} --output ${VELMORA_ZIP}
  DEPENDS Velmora ${VELMORA_CHM} ${CMAKE_SOURCE_DIR}/manual/readme.txt ${CMAKE_SOURCE_DIR}/LICENSE
    ${CMAKE_SOURCE_DIR}/scripts/package
  COMMENT "Packing dist/Velmora-${PROJECT_VERSION}-win64.zip" VERBATIM)
add_custom_target(velmora_package ALL DEPENDS ${VELMORA_ZIP})

add_test(NAME manual COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/manual/check_manual.py
  --chm ${VELMORA_CHM} --source ${CMAKE_SOURCE_DIR}/manual --version ${PROJECT_VERSION})
add_test(NAME package-reproducible COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/package --verify)
set_tests_properties(package-reproducible PROPERTIES TIMEOUT 1800)
