# kvt_add_console_sounds(TARGET)
#   The three sounds of the console ("Alarm", "ReciveData", "SendData"), synthesised with sox at
#   build time into tools/sounds/ of the build folder (beside the console, whose default program
#   directory that is) and compiled into TARGET as the resources :/sounds/<Name>.wav, which the
#   console plays when its instance folder has no sound of that name.
function(kvt_add_console_sounds target)
  find_program(KVT_SOX sox REQUIRED)
  set(sound_dir ${CMAKE_BINARY_DIR}/tools/sounds)
  set(sound_outputs)
  foreach(sound
      "Alarm|synth 0.22 square 880 : synth 0.22 square 660 gain -14"
      "ReciveData|synth 0.09 sine 1200 : synth 0.12 sine 1600 fade 0 0.12 0.04 gain -8"
      "SendData|synth 0.09 sine 1600 : synth 0.12 sine 1100 fade 0 0.12 0.04 gain -8")
    string(REPLACE "|" ";" parts "${sound}")
    list(GET parts 0 sound_name)
    list(GET parts 1 effects)
    separate_arguments(effects UNIX_COMMAND "${effects}")
    set(out ${sound_dir}/${sound_name}.wav)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${sound_dir}
      COMMAND ${KVT_SOX} -q -n -r 22050 -c 1 -b 16 ${out} ${effects}
      COMMENT "Sound ${sound_name}.wav")
    list(APPEND sound_outputs ${out})
  endforeach()
  qt_add_resources(${target} console_sounds PREFIX /sounds BASE ${sound_dir} FILES ${sound_outputs})
endfunction()
