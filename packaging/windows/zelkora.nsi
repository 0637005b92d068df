; The Windows installer of ゼルコラ, built from the folder that `cmake --install` fills with the
; MSVC preset (packaging/windows/WindowsInstall.cmake):
;   makensis /DSTAGE=<install folder> /DVERSION=0.1.0 /DOUTFILE=zelkora-setup.exe zelkora.nsi
; It installs for the current user into %LOCALAPPDATA%\Programs\Zelkora: the program keeps its
; settings, working copy and data folder beside its executable, so the folder must be writable
; without administrator rights. It registers .pac files to open in the program.
; A 64-bit installer for the 64-bit program (and one wine64 can run to check it).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef STAGE
  !error "STAGE (the folder cmake --install filled) is not defined"
!endif
!ifndef VERSION
  !define VERSION "0.1.0"
!endif
!ifndef OUTFILE
  !define OUTFILE "zelkora-setup.exe"
!endif

!define PRODUCT "ゼルコラ"
!define PROGID "Zelkora.Verification"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelkora"

!include "MUI2.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelkora"
InstallDirRegKey HKCU "Software\Zelkora" "InstallDir"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Zelkora" "InstallDir" "$INSTDIR"

  ; The .pac file type: a double-clicked verification opens in the program, as Open does.
  WriteRegStr HKCU "Software\Classes\.pac" "" "${PROGID}"
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "ゼルコラの検証ファイル"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\zelkora.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\zelkora.exe" "%1"'

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zelkora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; Tell Explorer the file types changed (SHCNE_ASSOCCHANGED).
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; The uninstaller removes what the installer put there and the association; the user's
; verifications (the data folder, temp.pac, zelkora.ini) stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ReadRegStr $0 HKCU "Software\Classes\.pac" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.pac"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Zelkora"
  Delete "$INSTDIR\uninstall.exe"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
