# The layers of the program, each with the layers it may use. A library's include root is a
# folder of the build tree holding links to its own folder and to those only, so including any
# other layer fails to compile; it links the libraries of those layers and no others. A new
# layer is one line here, its folder and a sorix_layer call there.
set(sorix_uses_foundation "")
set(sorix_uses_formula foundation)
set(sorix_uses_model foundation formula)
set(sorix_uses_functions foundation formula model)
set(sorix_uses_io foundation formula model functions)
set(sorix_uses_fit foundation formula model functions io)
set(sorix_uses_winplus foundation formula model)
set(sorix_uses_plot foundation formula model functions io winplus)
set(sorix_uses_modes foundation formula model functions io fit winplus plot)
# The application in rooms: a base, four rooms beside each other on it, the shell on top.
set(sorix_below_app foundation formula model functions io fit winplus plot modes)
set(sorix_uses_app_base ${sorix_below_app})
set(sorix_uses_app_explorers ${sorix_below_app} app_base)
set(sorix_uses_app_selectors ${sorix_below_app} app_base)
set(sorix_uses_app_views ${sorix_below_app} app_base)
set(sorix_uses_app_project ${sorix_below_app} app_base)
set(sorix_uses_app_shell ${sorix_below_app}
  app_base app_explorers app_selectors app_views app_project)

# sorix_layer_root(LAYER OUT): makes the include root of LAYER (configure runs on Linux for
# both builds, so the links are symbolic) and returns its path.
function(sorix_layer_root layer out)
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(seen IN LISTS sorix_uses_${layer} ITEMS ${layer})
    # A room of the application, app_X, is the folder app/X.
    string(REGEX REPLACE "^app_" "app/" folder ${seen})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# sorix_layer(LAYER SOURCES...): the static library sorix_LAYER.
function(sorix_layer layer)
  if(NOT DEFINED sorix_uses_${layer})
    message(FATAL_ERROR "sorix_layer: ${layer} is not in cmake/layers.cmake")
  endif()
  add_library(sorix_${layer} STATIC ${ARGN})
  sorix_layer_root(${layer} root)
  target_include_directories(sorix_${layer} PUBLIC ${root})
  foreach(used IN LISTS sorix_uses_${layer})
    # A layer that this build has not made yet (or that is Windows only) is skipped.
    if(TARGET sorix_${used})
      target_link_libraries(sorix_${layer} PUBLIC sorix_${used})
    endif()
  endforeach()
  sorix_target_options(sorix_${layer})
endfunction()
