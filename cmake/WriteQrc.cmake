# Writes the game's .qrc: every file under res/ of the source tree and under the
# generators' output folder, each under its path below res/ (":/res/...").
file(GLOB_RECURSE src_files RELATIVE ${SRC_DIR} ${SRC_DIR}/res/*)
file(GLOB_RECURSE gen_files RELATIVE ${GEN_DIR} ${GEN_DIR}/res/*)
set(body "")
foreach(f ${src_files})
  string(APPEND body "    <file alias=\"${f}\">${SRC_DIR}/${f}</file>\n")
endforeach()
foreach(f ${gen_files})
  string(APPEND body "    <file alias=\"${f}\">${GEN_DIR}/${f}</file>\n")
endforeach()
file(WRITE ${OUT} "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n${body}  </qresource>\n</RCC>\n")
