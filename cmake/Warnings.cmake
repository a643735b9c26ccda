# Warnings are errors for our own code; call ov_warnings(target) on every target we write.
function(ov_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror)
endfunction()
