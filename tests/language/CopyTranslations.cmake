# cmake -DFROM=<dir>/lumotrix -DTO=<dir>/language_tests -P CopyTranslations.cmake
# Copies every translation FROM.<CODE> (two or three capitals) to TO.<CODE>, and removes a
# TO.<CODE> whose FROM file is gone.
set(code_regex "[.][A-Z][A-Z][A-Z]?$")
file(GLOB old "${TO}.*")
list(FILTER old INCLUDE REGEX "${code_regex}")
foreach(file IN LISTS old)
  string(REGEX MATCH "${code_regex}" ext "${file}")
  if(NOT EXISTS "${FROM}${ext}")
    file(REMOVE "${file}")
  endif()
endforeach()
file(GLOB translations "${FROM}.*")
list(FILTER translations INCLUDE REGEX "${code_regex}")
foreach(file IN LISTS translations)
  string(REGEX MATCH "${code_regex}" ext "${file}")
  file(COPY_FILE "${file}" "${TO}${ext}" ONLY_IF_DIFFERENT)
endforeach()
