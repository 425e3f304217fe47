# CPack post-build script: CPack gives a package with a shared object below lib/ maintainer
# scripts that run ldconfig. Our only library is private (lib/skyvane/, outside the linker's
# search path, found through the program's RPATH), so the cache has nothing to learn from it:
# the package is rebuilt without those scripts.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${package}" "${tree}"
    COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    set(path "${tree}/DEBIAN/${script}")
    if(EXISTS "${path}")
      file(STRINGS "${path}" commands REGEX "^[ \t]*[^#\\[ \t]")
      foreach(command IN LISTS commands)
        string(STRIP "${command}" command)
        if(NOT command MATCHES "^(ldconfig|fi|if .*|then|set -e)$")
          message(FATAL_ERROR "${script} does more than run ldconfig: ${command}")
        endif()
      endforeach()
      file(REMOVE "${path}")
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group --build "${tree}" "${package}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
