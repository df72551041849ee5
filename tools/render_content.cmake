# Renders every SVG source under SRC to a PNG of the same name under DST,
# skipping pictures that are already newer than their source.
file(GLOB_RECURSE svgs RELATIVE ${SRC} ${SRC}/*.svg)
foreach(rel ${svgs})
  string(REGEX REPLACE "\\.svg$" ".png" out_rel ${rel})
  set(out ${DST}/${out_rel})
  if(NOT EXISTS ${out} OR ${SRC}/${rel} IS_NEWER_THAN ${out})
    execute_process(COMMAND ${SVGRENDER} ${SRC}/${rel} ${out} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "could not render ${rel}")
    endif()
  endif()
endforeach()
