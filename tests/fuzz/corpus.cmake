# Builds each recipe SEEDS/NAME.recipe with BSFIXTURE and compares the result
# with the committed seed CORPUS/NAME (built in SCRATCH), or, with -DUPDATE=ON,
# writes it there.
file(GLOB recipes ${SEEDS}/*.recipe)
if(NOT recipes)
  message(FATAL_ERROR "no recipes in ${SEEDS}")
endif()
foreach(recipe IN LISTS recipes)
  get_filename_component(name ${recipe} NAME_WE)
  if(UPDATE)
    set(output ${CORPUS}/${name})
  else()
    set(output ${SCRATCH}/${name})
  endif()
  get_filename_component(folder ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${BSFIXTURE} ${output} ${recipe} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "bsfixture failed on ${recipe}: ${rc}")
  endif()
  if(NOT UPDATE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${output}
                            ${CORPUS}/${name} RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      message(FATAL_ERROR "${CORPUS}/${name} differs from what ${recipe} "
                          "builds; rebuild the seeds with the target fuzz_corpus")
    endif()
  endif()
endforeach()
