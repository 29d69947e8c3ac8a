# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Extracts the texts marked with Tr, and the words painted in the pictures, into a template
# (cmake -P): run by the `pot` target and by the test that every text has its translation. Paths
# are relative to the source, so the template's references do not depend on where it was made.
set(sources "")
foreach(folder IN LISTS FOLDERS)
    file(GLOB found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
endforeach()
list(SORT sources)
execute_process(
    COMMAND ${XGETTEXT} --from-code=UTF-8 --language=C++ --keyword= --keyword=Tr --keyword=TrIn:1c,2
            --keyword=TrN:1,2
            --add-comments=TRANSLATORS: --package-name=Zimbly --package-version=${VERSION}
            --msgid-bugs-address= --add-location=file --no-wrap -o ${OUTPUT} ${sources}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "xgettext failed")
endif()

# The words painted in the pictures (res/svg, <text> with a data-box), in the context "picture" so
# that a word the code shows too can be translated apart. The art step paints their translation.
file(GLOB svgs RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/res/svg/*.svg)
list(SORT svgs)
set(painted "")
foreach(svg IN LISTS svgs)
    file(STRINGS ${SOURCE_DIR}/${svg} lines ENCODING UTF-8 REGEX "<text [^>]*data-box=")
    foreach(line IN LISTS lines)
        string(REGEX MATCHALL "<text [^>]*data-box=[^>]*>[^<]*</text>" texts "${line}")
        foreach(text IN LISTS texts)
            string(REGEX REPLACE "^<text [^>]*>([^<]*)</text>$" "\\1" words "${text}")
            string(MD5 key "${words}")
            if(NOT DEFINED where_${key})
                list(APPEND painted "${words}")
                set(where_${key} "")
            endif()
            if(NOT " ${where_${key}} " MATCHES " ${svg} ")
                string(STRIP "${where_${key}} ${svg}" where_${key})
            endif()
        endforeach()
    endforeach()
endforeach()
set(entries "")
foreach(words IN LISTS painted)
    string(MD5 key "${words}")
    string(REPLACE "\\" "\\\\" escaped "${words}")
    string(REPLACE "\"" "\\\"" escaped "${escaped}")
    string(APPEND entries "\n#. TRANSLATORS: painted in a picture: keep it short. The build shrinks it to fit its"
           " face, or fails.\n"
           "#: ${where_${key}}\nmsgctxt \"picture\"\nmsgid \"${escaped}\"\nmsgstr \"\"\n")
endforeach()
file(APPEND ${OUTPUT} "${entries}")
