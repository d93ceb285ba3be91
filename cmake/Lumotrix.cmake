# Each layer is an OBJECT library: classes register themselves from static initialisers in
# their own .cpp, and object libraries keep every such object file in the final link (a static
# archive would drop the ones nothing refers to). An executable therefore links every layer it
# uses directly; lumotrix_layer() lists them for it.

function(lumotrix_add_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS;EXCLUDE;EXTRA_SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  list(APPEND sources ${L_EXTRA_SOURCES})
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${name} OBJECT ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_DEPENDS})
  endif()
  set_property(GLOBAL PROPERTY LUMOTRIX_LAYER_${name} TRUE)
  set_property(GLOBAL APPEND PROPERTY LUMOTRIX_LAYER_DEPS_${name} ${L_DEPENDS})
endfunction()

# Links `target` with the given layers and, transitively, every layer they depend on.
function(lumotrix_link_layers target)
  set(all)
  set(queue ${ARGN})
  while(queue)
    list(POP_FRONT queue item)
    if(item IN_LIST all)
      continue()
    endif()
    list(APPEND all ${item})
    get_property(deps GLOBAL PROPERTY LUMOTRIX_LAYER_DEPS_${item})
    foreach(d IN LISTS deps)
      get_property(is_layer GLOBAL PROPERTY LUMOTRIX_LAYER_${d} SET)
      if(is_layer)
        list(APPEND queue ${d})
      else()
        target_link_libraries(${target} PRIVATE ${d})
      endif()
    endforeach()
  endwhile()
  target_link_libraries(${target} PRIVATE ${all})
endfunction()

# Turns a binary file into a C++ source defining `symbol` (bytes) and `symbol_size`.
function(lumotrix_embed_file input output symbol)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${input}")
endfunction()

# Compiles a resource script with lumotrix-res into a resource file. The files the script names
# as RCDATA are dependencies, found in the script itself; DEPENDS adds more.
function(lumotrix_compile_resources rcfile output)
  cmake_parse_arguments(R "" "" "DEPENDS" ${ARGN})
  get_filename_component(rc_abs ${rcfile} ABSOLUTE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc_abs})
  file(STRINGS ${rc_abs} rc_lines REGEX "RCDATA")
  set(inputs)
  foreach(line IN LISTS rc_lines)
    if(line MATCHES "RCDATA[^\"]*\"([^\"]+)\"")
      list(APPEND inputs ${rc_dir}/${CMAKE_MATCH_1})
    endif()
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND lumotrix-res build ${rc_abs} ${output}
    DEPENDS lumotrix-res ${rc_abs} ${inputs} ${R_DEPENDS}
    COMMENT "Compiling resources ${rcfile}")
endfunction()

# Compiles a resource script and embeds the result in `target` as the program's own resources
# (registered with the module list by a static TEmbeddedResources object). The compiled file is
# the target's LUMOTRIX_RESOURCE_FILE, for the translations made from it.
function(lumotrix_embed_resources target rcfile)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.res)
  set(data ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_data.cpp)
  set(reg ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_register.cpp)
  lumotrix_compile_resources(${rcfile} ${res} ${ARGN})
  set_property(TARGET ${target} PROPERTY LUMOTRIX_RESOURCE_FILE ${res})
  lumotrix_embed_file(${res} ${data} lumotrix_program_resources)
  file(GENERATE OUTPUT ${reg} CONTENT
"#include \"runtime/ModuleList.h\"

#include <cstddef>

extern const unsigned char lumotrix_program_resources[];
extern const std::size_t lumotrix_program_resources_size;

static const lumotrix::TEmbeddedResources registrar(lumotrix_program_resources,
                                                    lumotrix_program_resources_size);
")
  target_sources(${target} PRIVATE ${data} ${reg})
  # The installed copy is read by translators and by lumotrix-res.
  set_target_properties(${target} PROPERTIES LUMOTRIX_RESOURCE_FILE ${res})
endfunction()

# Files the install puts beside the program (translation files lumotrix.<CODE>) or into
# <prefix>/share/lumotrix (the translation template). They must be built by the ALL target;
# the install rules in packaging/ read these lists after every folder has added to them.
function(lumotrix_ship_translations)
  set_property(GLOBAL APPEND PROPERTY LUMOTRIX_SHIPPED_TRANSLATIONS ${ARGN})
endfunction()
function(lumotrix_ship_data)
  set_property(GLOBAL APPEND PROPERTY LUMOTRIX_SHIPPED_DATA ${ARGN})
endfunction()
