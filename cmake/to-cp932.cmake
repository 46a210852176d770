# Turns a text kept in the sources as UTF-8 with LF line ends into what a Japanese Windows
# user opens: code page 932 with CR LF line ends, and @VELTRIN_VERSION@ the version. A
# character that code page 932 lacks fails the build.
#   cmake -Din=SOURCE -Dout=TARGET -Dversion=1.2.3.4 -P to-cp932.cmake
file(READ "${in}" text)
string(REPLACE "@VELTRIN_VERSION@" "${version}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${out}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 "${out}.utf8" OUTPUT_FILE "${out}.tmp" RESULT_VARIABLE failed)
file(REMOVE "${out}.utf8")
if(failed)
    file(REMOVE "${out}.tmp")
    message(FATAL_ERROR "${in}: not representable in code page 932")
endif()
file(RENAME "${out}.tmp" "${out}")
