# SPDX-License-Identifier: MIT
# Compiles one file as a resource twice, with another file time and another SOURCE_DATE_EPOCH
# the second time, as a later commit would build it, and fails unless the two are the same.
#   cmake -DRCC=rcc -DOPTIONS="options" -DFILE=file -DWORK=folder -P CheckResourcesDateless.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${FILE}" DESTINATION "${WORK}")
get_filename_component(name "${FILE}" NAME)
file(WRITE "${WORK}/test.qrc" "<RCC><qresource prefix=\"/\"><file>${name}</file></qresource></RCC>\n")
foreach(build 1 2)
    execute_process(COMMAND touch -d "@${build}000000000" "${WORK}/${name}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${build}000000000
                            "${RCC}" ${OPTIONS} --name test --output "${WORK}/${build}.cpp"
                            "${WORK}/test.qrc"
                    WORKING_DIRECTORY "${WORK}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/1.cpp" "${WORK}/2.cpp"
                RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "the resource's bytes depend on the date")
endif()
