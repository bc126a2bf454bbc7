# Strict warnings on our own targets only; Qt and system headers come in as
# SYSTEM includes and are not affected.
function(velmora_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
