# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Extracts the texts marked with Tr into a template (cmake -P): run by the `pot` target and by the
# test that every text has its translation. Paths are relative to the source, so the template's
# references do not depend on where it was made.
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
