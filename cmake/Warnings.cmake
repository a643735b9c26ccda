# Warnings for our own code; call ov_warnings(target) on every target we write.
# The project's scripts and CI build with OV_WERROR=ON, so a warning fails them; a packager's
# build (other compilers, other flags) only reports it.
option(OV_WERROR "Treat compiler warnings in our own code as errors" OFF)
set(OV_WERROR_FLAG)
if(OV_WERROR)
  set(OV_WERROR_FLAG -Werror)
endif()

function(ov_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion ${OV_WERROR_FLAG})
endfunction()

# The Qt side: Qt's int/qsizetype mix makes -Wconversion noise, the rest stays strict.
function(ov_gui_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow ${OV_WERROR_FLAG})
endfunction()
