# corvane_add_test(<name> SOURCES <files> LIBS <targets> [LABEL core|ui|e2e] [LOCK <resource>] [TIMEOUT <s>])
# One Qt Test executable registered with CTest. Every test runs offscreen so no display is needed.
function(corvane_add_test name)
    cmake_parse_arguments(T "" "LABEL;LOCK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_LABEL)
        set(T_LABEL core)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    # Qt draws with the processor's own vector instructions; the looks' icon sums are taken on
    # the plain ones every x86-64 has, so that any machine draws them alike.
    set(nosimd "sse3 ssse3 sse4.1 sse4.2 avx avx2 avx512f avx512bw avx512vl f16c fma bmi bmi2")
    set_tests_properties(${name} PROPERTIES
        LABELS ${T_LABEL}
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CORVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR};CORVANE_BUILD_DIR=${CMAKE_BINARY_DIR};CORVANE_BIN_DIR=${CMAKE_BINARY_DIR}/bin;QT_NO_CPU_FEATURE=${nosimd}")
    if(T_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_LOCK})
    endif()
endfunction()

# corvane_library(<name> SOURCES <files> QT <modules> LIBS <targets>)
# A static library of the files named, relative to the calling folder.
function(corvane_library name)
    cmake_parse_arguments(L "" "" "SOURCES;QT;LIBS" ${ARGN})
    set(qtlibs)
    foreach(m IN LISTS L_QT)
        list(APPEND qtlibs Qt5::${m})
    endforeach()
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${qtlibs} ${L_LIBS})
endfunction()
