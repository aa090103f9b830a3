# Warnings for every target of ours; -Werror only where asked (CI), so that a
# newer compiler on a user's machine cannot break a plain build.
function(ak_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wdouble-promotion -Wformat=2)
  if(AK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
