# Fails the build when a source file includes a header of a layer above its
# own or beside it. The layers, lowest first:
#   core                       no widgets: clock, file lookup, settings codec,
#                              numbers, random numbers, the kinds and speeds
#   sim/framework, scene3d     what the 2D windows and the 3D scenes share
#   sim/mechanics, sim/optics, sim/sound, scene3d/scenes   the models
#   app                        the shell: main window, host, browser glue
# Run as:  cmake -DSOURCE_DIR=<repo> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.24)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake needs -DSOURCE_DIR=<the repository>")
endif()

# Longest folders first, so scene3d/scenes is not taken for scene3d.
set(layers scene3d/scenes sim/framework sim/mechanics sim/optics sim/sound scene3d core app)

# What each layer may include besides itself.
set(below_core "")
set(below_sim/framework core)
set(below_scene3d core)
set(below_scene3d/scenes core scene3d)
set(below_sim/mechanics core sim/framework)
set(below_sim/optics core sim/framework)
set(below_sim/sound core sim/framework)
set(below_app core sim/framework scene3d scene3d/scenes sim/mechanics sim/optics sim/sound)

function(layer_of path out)
  set(found "")
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    if(head STREQUAL "${layer}/")
      # A file in a subfolder of a layer that is a layer of its own belongs
      # to that one; the loop sees the longer folders first.
      set(found ${layer})
      break()
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(bad "")
foreach(layer IN LISTS layers)
  file(GLOB files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(RELATIVE_PATH rel ${SOURCE_DIR} ${file})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" included "${line}")
      layer_of("${included}" target)
      if(target AND NOT target STREQUAL layer AND NOT target IN_LIST below_${layer})
        list(APPEND bad "  ${rel} includes ${included} (${target} is not below ${layer})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(bad)
  list(JOIN bad "\n" text)
  message(FATAL_ERROR "A layer includes a header from above or beside it; move what it needs down instead:\n${text}")
endif()
