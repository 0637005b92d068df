# The window's Windows install (the MSVC preset): one folder that is also the program folder, as
# the program takes the folder of its executable for it. It holds zelkora.exe with the Qt DLLs
# and plugins that windeployqt gathers, zelkora-run.exe, and the five samples, which the first
# start moves into its data folder. packaging/windows/zelkora.nsi turns the folder into an
# installer.
set_target_properties(zelkora PROPERTIES WIN32_EXECUTABLE ON)
install(TARGETS zelkora zelkora-run RUNTIME DESTINATION .)
foreach(sample 定番確変315 リミッター5回399 甘デジ99次まで時短 サービスタイムの店 現金派40玉上限少額)
  install(FILES ${PROJECT_SOURCE_DIR}/samples/${sample}.pac DESTINATION .)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/icons/zelkora.svg DESTINATION .)

# windeployqt lies beside the Qt tools, from the Qt installer or vcpkg alike.
get_target_property(zelkora_qmake Qt6::qmake IMPORTED_LOCATION)
get_filename_component(zelkora_qt_bin "${zelkora_qmake}" DIRECTORY)
find_program(ZELKORA_WINDEPLOYQT NAMES windeployqt windeployqt.exe
             HINTS "${zelkora_qt_bin}" "${zelkora_qt_bin}/../tools/qt6/bin" REQUIRED)
install(CODE "
  execute_process(
    COMMAND \"${ZELKORA_WINDEPLOYQT}\" --release --no-compiler-runtime --translations ja
            --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/zelkora.exe\"
    RESULT_VARIABLE zelkora_deployed)
  if(NOT zelkora_deployed EQUAL 0)
    message(FATAL_ERROR \"windeployqt failed (\${zelkora_deployed})\")
  endif()
")
# The Visual C++ runtime the programs link, so the installed folder runs on a machine without it.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
include(InstallRequiredSystemLibraries)
