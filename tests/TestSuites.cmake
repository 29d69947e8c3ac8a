# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Read by ctest, not by cmake: one test per GoogleTest suite of the unit test binary. A process a
# suite keeps the fonts and pictures a suite's cases share loaded once, which is most of what
# a process a case would spend; the binary still names the failing case.
if(NOT EXISTS "${TEST_EXECUTABLE}")
    add_test(zimbly_tests_NOT_BUILT zimbly_tests_NOT_BUILT)
    return()
endif()
execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE listed TIMEOUT 10)
if(NOT listed EQUAL 0)
    add_test(zimbly_tests_NOT_LISTED zimbly_tests_NOT_LISTED)
    return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
    # Suite lines start in the first column ("Suite." or "Prefix/Suite.  # TypeParam = ...").
    if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
        set(suite "${CMAKE_MATCH_1}")
        add_test("${suite}" "${TEST_EXECUTABLE}" "--gtest_filter=${suite}.*" --gtest_brief=1)
        set_tests_properties("${suite}" PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=dummy"
                             WORKING_DIRECTORY "${TEST_WORKING_DIR}")
        # Long soaks and waits stay out of the developers' fast loop: ctest -LE 'e2e|slow'.
        if(suite MATCHES "(Soak|LongWait)$")
            set_tests_properties("${suite}" PROPERTIES LABELS slow)
        endif()
    endif()
endforeach()
