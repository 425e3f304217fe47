# Writes the help project for the pages in PAGES_DIR: each topic-<n>.html gets the keyword
# identifier "topic-<n>", by which the program opens a help context number.
file(GLOB pages RELATIVE ${PAGES_DIR} ${PAGES_DIR}/topic-*.html)
file(GLOB styles RELATIVE ${PAGES_DIR} ${PAGES_DIR}/*.css)
list(SORT pages COMPARE NATURAL)
set(keywords "")
set(sections "")
set(files "")
foreach(page IN LISTS pages)
  string(REGEX REPLACE "\\.html$" "" id "${page}")
  file(READ ${PAGES_DIR}/${page} html)
  string(REGEX MATCH "<title>([^<]*)</title>" _ "${html}")
  set(title "${CMAKE_MATCH_1}")
  if(title STREQUAL "")
    set(title "${id}")
  endif()
  string(APPEND keywords "        <keyword name=\"${title}\" id=\"${id}\" ref=\"${page}\"/>\n")
  string(APPEND sections "        <section title=\"${title}\" ref=\"${page}\"/>\n")
  string(APPEND files "        <file>${page}</file>\n")
endforeach()
foreach(style IN LISTS styles)
  string(APPEND files "        <file>${style}</file>\n")
endforeach()
file(WRITE ${OUTPUT} "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QtHelpProject version=\"1.0\">
  <namespace>org.skyvane.help</namespace>
  <virtualFolder>doc</virtualFolder>
  <filterSection>
    <toc>
      <section title=\"Skyvane\" ref=\"topic-1.html\">
${sections}      </section>
    </toc>
    <keywords>
${keywords}    </keywords>
    <files>
${files}    </files>
  </filterSection>
</QtHelpProject>
")
