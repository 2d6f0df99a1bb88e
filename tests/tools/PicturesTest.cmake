# Redraws the bank's pictures with picture-generator into a folder of its own and compares them
# with the committed ones byte for byte, so that a picture and the source it is drawn from cannot
# drift apart. Run by CTest with GENERATOR, PICTURES (bank/pictures) and OUT.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${GENERATOR}" --out "${OUT}" RESULT_VARIABLE result OUTPUT_QUIET
    ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "picture-generator failed (${result}): ${error}")
endif()
file(GLOB committed RELATIVE "${PICTURES}" "${PICTURES}/*.bmp")
file(GLOB drawn RELATIVE "${OUT}" "${OUT}/*.bmp")
list(SORT committed)
list(SORT drawn)
if(NOT committed STREQUAL drawn)
    message(FATAL_ERROR "bank/pictures holds [${committed}], the generator draws [${drawn}]")
endif()
set(differ "")
foreach(picture IN LISTS committed)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${PICTURES}/${picture}"
        "${OUT}/${picture}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        list(APPEND differ ${picture})
    endif()
endforeach()
if(differ)
    message(FATAL_ERROR "drawn anew, these pictures differ from the committed ones: ${differ} "
        "(run picture-generator and commit the BMPs, or mend their source)")
endif()
list(LENGTH committed count)
message(STATUS "${count} pictures drawn anew, each the same byte for byte")
