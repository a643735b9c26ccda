# Warnings are errors for our own code; call ov_warnings(target) on every target we write.
function(ov_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror)
endfunction()

# The Qt side: Qt's int/qsizetype mix makes -Wconversion noise, the rest stays strict.
function(ov_gui_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
endfunction()
