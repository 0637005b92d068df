# The core's floors and what each one uses, shared by the build (src/core) and the include check
# (cmake/CheckFloors.cmake).
#
# ZELKORA_FLOORS lists the floors bottom first. ZELKORA_USES_<floor> names the floors whose
# headers the floor's own files include, and nothing more: the floor's library links exactly
# those, and its include root shows them and what they use in turn. So the links form a graph
# of real uses, in which a cycle means two floors include each other.
set(ZELKORA_FLOORS
  common      # numbers, the display-field store, field names, errors
  conditions  # the condition set: conditions, symbol kinds and rules, program-wide values
  platform    # the seams to the platform, the random stream, the yield point, the pcg source
  model       # the main window's state as plain data: fields, grids, charts, counters, commands
  files       # code page 932, record files, record layouts, the working copy, settings, samples
  messages    # the Japanese texts that tell the user why something failed
  results     # statistics, distributions, grids and charts, IndPreset, window conditions, rebuild
  engine      # the run: Start, the spin loop, modes, money, play time, day end, Cancel
  analysis    # many campaigns and the theoretical figures, on the engine
  wizard      # the logic of the three condition pages and Finish
  machines    # today's machines as states and transitions: their file, conversion, theory, play
  commands    # the open verification and its commands without a screen: start-up, setup, files, runs
)

set(ZELKORA_USES_common "")
set(ZELKORA_USES_conditions common)
set(ZELKORA_USES_platform common)
set(ZELKORA_USES_model common conditions)
set(ZELKORA_USES_files common conditions platform)
set(ZELKORA_USES_messages common files model platform)
set(ZELKORA_USES_results common files model platform)
set(ZELKORA_USES_engine common conditions files model platform results)
set(ZELKORA_USES_analysis common conditions engine files model platform results)
set(ZELKORA_USES_commands analysis common engine files machines messages model platform results
  wizard)
set(ZELKORA_USES_wizard common conditions files messages model platform results)
set(ZELKORA_USES_machines analysis common engine files model results)

# Every floor that `floor` reaches through its uses, itself excluded, into `out`.
function(zelkora_floor_reach floor out)
  set(reached "")
  set(pending ${ZELKORA_USES_${floor}})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST reached)
      list(APPEND reached ${next})
      list(APPEND pending ${ZELKORA_USES_${next}})
    endif()
  endwhile()
  set(${out} ${reached} PARENT_SCOPE)
endfunction()

# Fails when a quoted include of a core file names a floor its floor does not declare (a higher
# floor, a peer, or anything outside the core), or when a floor declares a use no include makes.
function(zelkora_check_floor_includes source_dir)
  set(violations "")
  foreach(floor IN LISTS ZELKORA_FLOORS)
    set(allowed ${floor} ${ZELKORA_USES_${floor}})
    set(included_floors "")
    file(GLOB sources ${source_dir}/${floor}/*.cpp ${source_dir}/${floor}/*.h)
    foreach(source IN LISTS sources)
      file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
        string(REGEX MATCH "^[^/]+" folder "${included}")
        if(NOT included MATCHES "/" OR NOT folder IN_LIST ZELKORA_FLOORS)
          list(APPEND violations "${source}: \"${included}\" is not a file of the core's floors")
        elseif(NOT folder IN_LIST allowed)
          list(APPEND violations
               "${source}: \"${included}\" lies on a floor that ${floor} does not use")
        else()
          list(APPEND included_floors ${folder})
        endif()
      endforeach()
    endforeach()
    foreach(used IN LISTS ZELKORA_USES_${floor})
      if(NOT used IN_LIST included_floors)
        list(APPEND violations "${floor} declares that it uses ${used}, but no file includes it")
      endif()
    endforeach()
  endforeach()
  if(violations)
    string(REPLACE ";" "\n" violations "${violations}")
    message(FATAL_ERROR "Includes that break the floors:\n${violations}")
  endif()
endfunction()
