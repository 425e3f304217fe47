# Writes the help project for the pages in PAGES_DIR: each topic-<n>.html gets the keyword
# identifier "topic-<n>", by which the program opens a help context number. Translated pages lie
# in a folder named after their language ("de/topic-<n>.html") and get "de/topic-<n>"; a topic a
# language lacks is shown in English.
cmake_policy(VERSION 3.16)
file(GLOB pages RELATIVE ${PAGES_DIR} ${PAGES_DIR}/topic-*.html ${PAGES_DIR}/*/topic-*.html)
file(GLOB styles RELATIVE ${PAGES_DIR} ${PAGES_DIR}/*.css)
list(SORT pages COMPARE NATURAL)
set(keywords "")
set(files "")
set(languages "")
foreach(page IN LISTS pages)
  string(REGEX REPLACE "\\.html$" "" id "${page}")
  get_filename_component(language "${page}" DIRECTORY)
  if(language STREQUAL "")
    set(language "en")
  endif()
  file(READ ${PAGES_DIR}/${page} html)
  string(REGEX MATCH "<title>([^<]*)</title>" _ "${html}")
  set(title "${CMAKE_MATCH_1}")
  if(title STREQUAL "")
    set(title "${id}")
  endif()
  string(APPEND keywords "        <keyword name=\"${title}\" id=\"${id}\" ref=\"${page}\"/>\n")
  if(NOT language IN_LIST languages)
    list(APPEND languages "${language}")
    set(sections_${language} "")
  endif()
  string(APPEND sections_${language} "          <section title=\"${title}\" ref=\"${page}\"/>\n")
  string(APPEND files "        <file>${page}</file>\n")
endforeach()
foreach(style IN LISTS styles)
  string(APPEND files "        <file>${style}</file>\n")
endforeach()
# English, the language of the program, heads the contents.
list(REMOVE_ITEM languages "en")
list(PREPEND languages "en")
set(toc "")
foreach(language IN LISTS languages)
  if(language STREQUAL "en")
    set(root "Skyvane")
    set(start "topic-1.html")
  else()
    set(root "Skyvane (${language})")
    set(start "${language}/topic-1.html")
  endif()
  string(APPEND toc "        <section title=\"${root}\" ref=\"${start}\">\n"
                    "${sections_${language}}        </section>\n")
endforeach()
file(WRITE ${OUTPUT} "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QtHelpProject version=\"1.0\">
  <namespace>org.skyvane.help</namespace>
  <virtualFolder>doc</virtualFolder>
  <filterSection>
    <toc>
${toc}    </toc>
    <keywords>
${keywords}    </keywords>
    <files>
${files}    </files>
  </filterSection>
</QtHelpProject>
")
