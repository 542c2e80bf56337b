# Source lists by layer. In every design folder below src/, files named tform*.cpp/.h or *_ui.cpp/.h
# are widgets and go to sorvek_ui; src/platform/qt/ is the Qt/Linux platform; src/app/main.cpp is
# the program; everything else is window-free and goes to sorvek_core, which links Qt Core only.
set(SORVEK_FOLDERS app book commands print pagefiles authoring editor tools platform)

set(SORVEK_CORE_SOURCES)
set(SORVEK_UI_SOURCES)
foreach(folder IN LISTS SORVEK_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    foreach(f IN LISTS found)
        get_filename_component(name ${f} NAME)
        if(name STREQUAL "main.cpp")
            continue()
        elseif(name MATCHES "^tform" OR name MATCHES "_ui\\.(cpp|h)$")
            list(APPEND SORVEK_UI_SOURCES ${f})
        else()
            list(APPEND SORVEK_CORE_SOURCES ${f})
        endif()
    endforeach()
endforeach()
file(GLOB SORVEK_PLATFORM_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/platform/qt/*.cpp ${CMAKE_SOURCE_DIR}/src/platform/qt/*.h)

add_library(sorvek_core STATIC ${SORVEK_CORE_SOURCES})
target_link_libraries(sorvek_core PUBLIC Qt6::Core Qt6::Concurrent sorvek_settings)
