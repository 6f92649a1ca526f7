# Warnings on and fatal for our own targets; third-party code is never compiled with these.
function(talsek_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    -Werror)
endfunction()
