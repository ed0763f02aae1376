# Writes OUT: the page HTML with the script SCRIPT in place of the element
# that loads it, so that the page is one file.
cmake_minimum_required(VERSION 3.25)
file(READ "${HTML}" html)
file(READ "${SCRIPT}" script)
get_filename_component(name "${SCRIPT}" NAME)
set(loader "<script src=\"${name}\"></script>")
string(FIND "${html}" "${loader}" at)
string(FIND "${script}" "</script" closes)
if(at EQUAL -1 OR NOT closes EQUAL -1)
    message(FATAL_ERROR "cannot put ${SCRIPT} inside ${HTML}")
endif()
string(REPLACE "${loader}" "<script>\n${script}</script>" page "${html}")
file(WRITE "${OUT}" "${page}")
