# skinview --strict refuses a skin the loader would load with an element
# missing: the light skin with one bitmap made unreadable, one removed and one
# cut narrower than its cells. Each must fail on its own.
foreach(kind unreadable missing narrow)
  set(dir ${OUT_DIR}/${kind})
  file(REMOVE_RECURSE ${dir})
  file(COPY ${SOURCE_DIR}/ DESTINATION ${dir})
  if(kind STREQUAL "unreadable")
    file(WRITE ${dir}/checkbox.bmp "BMnot a bitmap")
  elseif(kind STREQUAL "missing")
    file(REMOVE ${dir}/statusbar.bmp)
  else()
    # The 16-pixel icon stands in for the 23-cell scroll-bar arrow strip.
    file(COPY_FILE ${dir}/sysicon.bmp ${dir}/scrollbararrow.bmp)
  endif()
  execute_process(COMMAND ${SKINPACK} pack ${dir} ${dir}.skn RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "packing the ${kind} skin failed")
  endif()
  execute_process(COMMAND ${SKINVIEW} ${dir}.skn ${dir}.png --strict RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 1)
    message(FATAL_ERROR "skinview --strict accepted the ${kind} skin (status ${rc})")
  endif()
endforeach()
