# The game as WebAssembly: the same engine and SDL layer, linked against
# libraries built for the browser (scripts/web-libs.sh), with the data made by
# the native generator packed beside it. Included from the top CMakeLists.txt.
set(PLOTFRAY_WEB_PREFIX "" CACHE PATH "Prefix holding SDL2, SDL2_mixer, libdeflate, nettle, zlib and SQLite built for the browser")
set(PLOTFRAY_WEB_DATA "" CACHE PATH "The data folder written by the native generator")
if(NOT PLOTFRAY_WEB_PREFIX OR NOT PLOTFRAY_WEB_DATA)
  message(FATAL_ERROR "the browser build needs PLOTFRAY_WEB_PREFIX and PLOTFRAY_WEB_DATA (scripts/web.sh sets both)")
endif()

# Only the prefix's libraries: emscripten's own SDL headers and ports must never be picked.
set(ENV{PKG_CONFIG_LIBDIR} "${PLOTFRAY_WEB_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(NETTLE REQUIRED IMPORTED_TARGET nettle)
pkg_check_modules(DEFLATE REQUIRED IMPORTED_TARGET libdeflate)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
add_library(web_zlib STATIC IMPORTED)
set_target_properties(web_zlib PROPERTIES IMPORTED_LOCATION "${PLOTFRAY_WEB_PREFIX}/lib/libz.a"
  INTERFACE_INCLUDE_DIRECTORIES "${PLOTFRAY_WEB_PREFIX}/include")

file(GLOB ENGINE_SOURCES CONFIGURE_DEPENDS
  src/core/*.cpp src/tables/*.cpp src/render/*.cpp src/objects/*.cpp src/game/*.cpp
  src/data/*.cpp src/screens/*.cpp src/sound/*.cpp src/app/*.cpp)
add_library(plotfray_engine STATIC ${ENGINE_SOURCES})
target_include_directories(plotfray_engine PUBLIC src)
target_link_libraries(plotfray_engine PUBLIC web_zlib PkgConfig::NETTLE PkgConfig::DEFLATE PkgConfig::SQLITE3)

file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/*.cpp)
list(FILTER PLATFORM_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")
add_library(plotfray_platform STATIC ${PLATFORM_SOURCES})
target_link_libraries(plotfray_platform PUBLIC plotfray_engine PkgConfig::SDL2 PkgConfig::SDL2_MIXER)

# The data: everything but the music in the package the first frame waits
# for; the music archive beside it, fetched by the page once the game runs: the
# generator's smaller copy for browsers (one channel at 22.05 kHz).
set(WEB_DATA "${CMAKE_BINARY_DIR}/stage/data")
set(WEB_STAGE_STAMP "${CMAKE_BINARY_DIR}/stage/.stamp")
# The pictures with words of each language (lang/LANG.asdb) stay out of the
# package too: the page downloads the one of the browser's language alone.
# English is one of them: the generator's browser copies of the English
# archives (NAME.asdb.web) hold blank pictures in their place, and its
# lang/en.asdb.web holds them. The browser's copies of the effect banks
# (NAME.sl.web) are at half the rate. Each copy goes in under the desktop
# file's name.
file(GLOB WEB_DATA_FILES "${PLOTFRAY_WEB_DATA}/*.asdb" "${PLOTFRAY_WEB_DATA}/*.sl")
file(GLOB WEB_COPIES "${PLOTFRAY_WEB_DATA}/*.asdb.web" "${PLOTFRAY_WEB_DATA}/*.sl.web")
list(FILTER WEB_COPIES EXCLUDE REGEX "/Music\\.asdb\\.web$")
set(WEB_COPY_COMMANDS)
foreach(f ${WEB_COPIES})
  get_filename_component(name ${f} NAME)
  string(REGEX REPLACE "\\.web$" "" name "${name}")
  list(APPEND WEB_COPY_COMMANDS COMMAND ${CMAKE_COMMAND} -E copy ${f} ${WEB_DATA}/${name})
endforeach()
# The example level sets come straight from the source.
file(GLOB WEB_LEVEL_SETS "${CMAKE_SOURCE_DIR}/data/levels/*.txt")
file(GLOB WEB_LANG_FILES "${PLOTFRAY_WEB_DATA}/lang/*.asdb")
set(WEB_ENGLISH_WORDS "${PLOTFRAY_WEB_DATA}/lang/en.asdb.web")
if(EXISTS ${WEB_ENGLISH_WORDS})
  list(APPEND WEB_COPY_COMMANDS COMMAND ${CMAKE_COMMAND} -E copy ${WEB_ENGLISH_WORDS} ${CMAKE_BINARY_DIR}/lang/en.asdb)
  list(APPEND WEB_COPIES ${WEB_ENGLISH_WORDS})
endif()
# The catalogues themselves are small (about 20 kB each): all in the package.
file(GLOB WEB_CATALOGUES "${PLOTFRAY_WEB_DATA}/lang/*.mo")
set(WEB_SIZED_FILES "plotfray.wasm,plotfray.data")
foreach(f ${WEB_LANG_FILES})
  get_filename_component(name ${f} NAME)
  string(APPEND WEB_SIZED_FILES ",lang/${name}")
endforeach()
if(EXISTS ${WEB_ENGLISH_WORDS})
  string(APPEND WEB_SIZED_FILES ",lang/en.asdb")
endif()
add_custom_command(OUTPUT ${WEB_STAGE_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${WEB_DATA} ${CMAKE_BINARY_DIR}/lang
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_DATA} ${WEB_DATA}/lang ${CMAKE_BINARY_DIR}/lang
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_DATA_FILES} ${WEB_DATA}
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_CATALOGUES} ${WEB_DATA}/lang
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_LANG_FILES} ${CMAKE_BINARY_DIR}/lang
  ${WEB_COPY_COMMANDS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_DATA}/levels
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_LEVEL_SETS} ${WEB_DATA}/levels
  COMMAND ${CMAKE_COMMAND} -E rm -f ${WEB_DATA}/Music.asdb
  COMMAND ${CMAKE_COMMAND} -E copy ${PLOTFRAY_WEB_DATA}/Music.asdb.web ${CMAKE_BINARY_DIR}/Music.asdb
  COMMAND ${CMAKE_COMMAND} -E touch ${WEB_STAGE_STAMP}
  DEPENDS ${WEB_DATA_FILES} ${WEB_COPIES} ${WEB_LANG_FILES} ${WEB_CATALOGUES} ${WEB_LEVEL_SETS} ${PLOTFRAY_WEB_DATA}/Music.asdb.web
  COMMENT "Staging the game data for the browser")
add_custom_target(webdata ALL DEPENDS ${WEB_STAGE_STAMP})

add_executable(plotfray src/platform/main.cpp)
target_link_libraries(plotfray PRIVATE plotfray_platform)
target_compile_definitions(plotfray PRIVATE PLOTFRAY_VERSION="${PROJECT_VERSION}" PLOTFRAY_INSTALLED_DATA="data")
set_target_properties(plotfray PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} SUFFIX ".js")
add_dependencies(plotfray webdata)
# Written to a file: CMake mangles the $ of these names on the command line.
file(WRITE ${CMAKE_BINARY_DIR}/library-funcs.json "[\"$autoResumeAudioContext\", \"$dynCall\"]")
target_link_options(plotfray PRIVATE
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728 -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=[FS,addRunDependency,removeRunDependency]
  -sEXPORTED_FUNCTIONS=[_main,_PlotfrayMusicArrived,_PlotfrayFilePicked,_PlotfrayDataArrived]
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library-funcs.json
  -lidbfs.js
  "SHELL:--preload-file ${WEB_DATA}@/data")
set_property(TARGET plotfray APPEND PROPERTY LINK_DEPENDS ${WEB_STAGE_STAMP})
add_custom_command(TARGET plotfray POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_BINARY_DIR} -DFILES=${WEB_SIZED_FILES}
    -P ${CMAKE_SOURCE_DIR}/dist/web/sizes.cmake)
configure_file(${CMAKE_SOURCE_DIR}/dist/web/index.html ${CMAKE_BINARY_DIR}/index.html COPYONLY)

# The heaviest game scene's benchmark, built for the browser by
# bench/web_figures.sh only: every data file at /data, the program folder "/".
add_executable(bench_gamescreen EXCLUDE_FROM_ALL bench/bench_gamescreen.cpp)
target_include_directories(bench_gamescreen PRIVATE bench)
target_link_libraries(bench_gamescreen PRIVATE plotfray_platform)
set_target_properties(bench_gamescreen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench SUFFIX ".html")
target_link_options(bench_gamescreen PRIVATE
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728 -sENVIRONMENT=web -sMINIFY_HTML=0 -sEXIT_RUNTIME=1
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library-funcs.json
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/dist/web/bench-pre.js"
  "SHELL:--preload-file ${PLOTFRAY_WEB_DATA}@/data")
