# cmake -DROOT=<source dir> -DFOLDERS=gui,settings,... -P CheckLatin1.cmake
# Fails when a text beyond ASCII is written as a Latin-1 literal: Qt reads its UTF-8 bytes as
# Latin-1 characters, so "č" becomes two wrong characters and a key compared with it never matches.
string(REPLACE "," ";" FOLDERS "${FOLDERS}")
set(failures "")
# A character outside printable ASCII (tab aside), inside the first quoted text after the call.
set(beyond "[^\t -~]")
set(call "(QLatin1String|QLatin1StringView|QLatin1Char|fromLatin1|QByteArrayLiteral)[ \t]*\\([ \t]*[\"'][^\"']*${beyond}")
set(suffix "\"[^\"]*${beyond}[^\"]*\"_(L1|ba)")
foreach(folder ${FOLDERS})
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h)
  foreach(f ${files})
    file(STRINGS ${f} lines ENCODING UTF-8 REGEX "${call}|${suffix}")
    foreach(line ${lines})
      file(RELATIVE_PATH rel ${ROOT} ${f})
      string(STRIP "${line}" line)
      string(APPEND failures "  ${rel}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Texts beyond ASCII written as Latin-1 literals (write them as QStringLiteral or u\"\"_s):\n${failures}")
endif()
