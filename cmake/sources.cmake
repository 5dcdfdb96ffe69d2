# Source lists shared by the targets. Portable logic is every .cpp below src/ except the platform
# backends, the Windows-only GUI parts and the console front end.
function(vx_glob_portable out)
  set(dirs core tweaks games hw catalog services assistant ui)
  set(result)
  foreach(dir IN LISTS dirs)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
