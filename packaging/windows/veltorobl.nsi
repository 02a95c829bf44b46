; The Windows installer: the program with its data folders in Program Files,
; a Start menu entry, the .Veltor file type with its icon, and an uninstaller.
; scripts/package-windows.sh calls it with VERSION, STAGE and OUTFILE defined.
; A 64-bit installer for a 64-bit program (it also runs where only 64-bit
; Windows programs can, such as Wine without its 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "VELTORobl ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\VELTORobl"
InstallDirRegKey HKLM "Software\VELTORobl" "InstallDir"
RequestExecutionLevel admin

!define MUI_ICON "${STAGE}\veltorobl.ico"
!define MUI_UNICON "${STAGE}\veltorobl.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

!macro RemoveFolders
  RMDir /r "$INSTDIR\Dane"
  RMDir /r "$INSTDIR\System"
  RMDir /r "$INSTDIR\obrazki"
  RMDir /r "$INSTDIR\Pomoc"
  RMDir /r "$INSTDIR\Czcionki"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\printsupport"
  RMDir /r "$INSTDIR\translations"
!macroend

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VELTORobl"

Section "VELTORobl"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteRegStr HKLM "Software\VELTORobl" "InstallDir" "$INSTDIR"
  WriteUninstaller "$INSTDIR\Odinstaluj.exe"
  CreateShortCut "$SMPROGRAMS\VELTORobl.lnk" "$INSTDIR\VELTORobl.exe" "" "$INSTDIR\veltorobl.ico"

  ; The project file type: a double-click opens the project in the program.
  WriteRegStr HKCR ".Veltor" "" "VELTORobl.Projekt"
  WriteRegStr HKCR "VELTORobl.Projekt" "" "Projekt VELTORobl"
  WriteRegStr HKCR "VELTORobl.Projekt\DefaultIcon" "" "$INSTDIR\veltorobl.ico"
  WriteRegStr HKCR "VELTORobl.Projekt\shell\open\command" "" '"$INSTDIR\VELTORobl.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "VELTORobl"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VELTOR sp. z o.o."
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veltorobl.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Odinstaluj.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\VELTORobl.lnk"
  ; Only what the installer put there: the designer's own files (in Documents,
  ; the application-data folder, or saved beside the sample) stay.
  !insertmacro RemoveFolders
  Delete "$INSTDIR\Projekty\Przyk?ad.Veltor"
  RMDir "$INSTDIR\Projekty"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\VELTORobl.exe"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\veltorobl.ico"
  Delete "$INSTDIR\Odinstaluj.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCR ".Veltor"
  DeleteRegKey HKCR "VELTORobl.Projekt"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\VELTORobl"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
