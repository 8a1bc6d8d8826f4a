; The installer of Fennix, Larkway and Dovrin: per user, no administrator
; rights. Built by packaging/CMakeLists.txt with makensis, which passes
; VERSION (from project() in the top CMakeLists.txt), OUTFILE and PROGRAMS,
; the folder of the programs as shipped.
;
; What it adds, and what the uninstaller takes away again:
;   $INSTDIR ($LOCALAPPDATA\Programs\Corvale): the programs, the launcher,
;     the uninstaller
;   Send To: Fennix and Larkway, shortcuts to the launcher with the program
;   HKCU\Software\Classes\{*,Directory,Drive}\shell\Corvale.<program>: the
;     context-menu verbs, each running the launcher on "%1"
;   Start menu\Programs\Corvale: Fennix and Dovrin
;   HKCU\...\Uninstall\CorvaleShellUtilities: the entry in the list of programs
; Larkway's settings (HKCU\Software\Corvale\Larkway) are the user's: they
; stay unless the uninstaller is asked to remove them (its components page,
; or /RemoveSettings with /S).

!ifndef VERSION | OUTFILE | PROGRAMS
  !error "Build the installer with CMake (packaging/CMakeLists.txt): it passes VERSION, OUTFILE and PROGRAMS."
!endif

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Corvale Shell Utilities"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvaleShellUtilities"
!define CLASSES "Software\Classes"
!define SETTINGS_KEY "Software\Corvale\Larkway"
!define MENU_FOLDER "$SMPROGRAMS\Corvale"
!define SENDTO_FENNIX "$SENDTO\Fennix (properties).lnk"
!define SENDTO_LARKWAY "$SENDTO\Larkway (copy or move to a folder).lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Corvale"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Corvale"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) Corvale"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Larkway's settings and favourites stay unless you tick them here."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A context-menu verb on a class of items: the launcher runs the program on
; the item. The shell starts a static verb once per selected item; the
; launchers gather the selection. "Player" offers the verb for any number of
; items (the default offers it for 15 at most).
!macro AddVerb CLASS NAME TEXT PROGRAM
  WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "" "${TEXT}"
  WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "Icon" "$INSTDIR\${PROGRAM}.exe,0"
  WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "MultiSelectModel" "Player"
  WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}\command" "" '"$INSTDIR\launch.exe" "$INSTDIR\${PROGRAM}.exe" "%1"'
!macroend

; Takes a verb away, and the keys above it that the installer may have made,
; when nothing else is in them.
!macro RemoveVerb CLASS NAME
  DeleteRegKey HKCU "${CLASSES}\${CLASS}\shell\${NAME}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${CLASS}\shell"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${CLASS}"
!macroend

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/Fennix.exe"
  File "${PROGRAMS}/Larkway.exe"
  File "${PROGRAMS}/Dovrin.exe"
  File "${PROGRAMS}/launch.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SENDTO"
  CreateShortcut "${SENDTO_FENNIX}" "$INSTDIR\launch.exe" '"$INSTDIR\Fennix.exe"' "$INSTDIR\Fennix.exe" 0 \
      SW_SHOWNORMAL "" "Show the properties of the selection"
  CreateShortcut "${SENDTO_LARKWAY}" "$INSTDIR\launch.exe" '"$INSTDIR\Larkway.exe"' "$INSTDIR\Larkway.exe" 0 \
      SW_SHOWNORMAL "" "Copy or move the selection into one folder"

  !insertmacro AddVerb "*" "Corvale.Fennix" "Properties (Fennix)" "Fennix"
  !insertmacro AddVerb "Directory" "Corvale.Fennix" "Properties (Fennix)" "Fennix"
  !insertmacro AddVerb "Drive" "Corvale.Fennix" "Properties (Fennix)" "Fennix"
  !insertmacro AddVerb "*" "Corvale.Larkway" "Copy or move to a folder (Larkway)" "Larkway"
  !insertmacro AddVerb "Directory" "Corvale.Larkway" "Copy or move to a folder (Larkway)" "Larkway"
  !insertmacro AddVerb "*" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin"
  !insertmacro AddVerb "Directory" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin"
  !insertmacro AddVerb "Drive" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin"

  ; From the Start menu the programs start with an empty selection: Fennix
  ; takes files dropped on it, Dovrin shows the drive of the user's profile.
  ; Through the launcher, so the clipboard keeps what it holds.
  CreateDirectory "${MENU_FOLDER}"
  SetOutPath "$PROFILE"
  CreateShortcut "${MENU_FOLDER}\Fennix.lnk" "$INSTDIR\launch.exe" '"$INSTDIR\Fennix.exe"' "$INSTDIR\Fennix.exe" 0 \
      SW_SHOWNORMAL "" "File and folder properties"
  CreateShortcut "${MENU_FOLDER}\Dovrin.lnk" "$INSTDIR\launch.exe" '"$INSTDIR\Dovrin.exe"' "$INSTDIR\Dovrin.exe" 0 \
      SW_SHOWNORMAL "" "Drive figures and volume label"
  SetOutPath "$INSTDIR"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Corvale"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Fennix.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Programs, shortcuts and context-menu entries" SecProgram
  SectionIn RO
  SetShellVarContext current
  Delete "${SENDTO_FENNIX}"
  Delete "${SENDTO_LARKWAY}"
  Delete "${MENU_FOLDER}\Fennix.lnk"
  Delete "${MENU_FOLDER}\Dovrin.lnk"
  RMDir "${MENU_FOLDER}"

  !insertmacro RemoveVerb "*" "Corvale.Fennix"
  !insertmacro RemoveVerb "Directory" "Corvale.Fennix"
  !insertmacro RemoveVerb "Drive" "Corvale.Fennix"
  !insertmacro RemoveVerb "*" "Corvale.Larkway"
  !insertmacro RemoveVerb "Directory" "Corvale.Larkway"
  !insertmacro RemoveVerb "*" "Corvale.Dovrin"
  !insertmacro RemoveVerb "Directory" "Corvale.Dovrin"
  !insertmacro RemoveVerb "Drive" "Corvale.Dovrin"

  Delete "$INSTDIR\Fennix.exe"
  Delete "$INSTDIR\Larkway.exe"
  Delete "$INSTDIR\Dovrin.exe"
  Delete "$INSTDIR\launch.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.Larkway's settings and favourites" SecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Corvale"
SectionEnd

; Last: the entry goes once everything else has gone.
Section "-un.Entry"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecSettings}
  ${EndIf}
FunctionEnd
