; The installer of Fennix, Larkway and Dovrin: per user, no administrator
; rights. Built by packaging/CMakeLists.txt with makensis, which passes
; VERSION (from project() in the top CMakeLists.txt), OUTFILE and PROGRAMS,
; the folder of the programs as shipped.
;
; What it adds, and what the uninstaller takes away again:
;   $INSTDIR ($LOCALAPPDATA\Programs\Corvale): the programs, the launcher,
;     the uninstaller
;   HKCU\Software\Classes\CLSID\{...}: one class per program, served by the
;     launcher as a COM local server ("launch.exe -Embedding")
;   HKCU\Software\Classes\{*,Directory,Drive}\shell\Corvale.<program>: the
;     context-menu verbs, each with its program's class as its DropTarget
;   Send To: Fennix and Larkway, each an empty file of a private type
;     (.corvale-fennix, .corvale-larkway) whose drop handler is that class
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
!define SENDTO_FENNIX "$SENDTO\Fennix (properties).corvale-fennix"
!define SENDTO_LARKWAY "$SENDTO\Larkway (copy or move to a folder).corvale-larkway"
; The classes of launcher/DropTargetServer.cpp.
!define FENNIX_CLSID "{162D8A16-CBCC-4299-AAEB-20CD97E3486C}"
!define LARKWAY_CLSID "{2F849E5F-F161-4BDA-A6BF-36C3E4A87204}"
!define DOVRIN_CLSID "{95CC3F77-58B2-4D06-9E30-037412E5D1B8}"
; The keys under Software\Classes this installation made (a value each, named
; by the key): only those are written again by a later install and taken
; away by the uninstaller. A key someone else made is never touched.
!define MADE_KEY "${UNINSTALL_KEY}\MadeKeys"

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

; Sets $0 to 1 when KEY is this installation's to write (it does not exist,
; or this installation made it) and marks it as made; 0 when someone else's.
!macro ClaimKey KEY
  StrCpy $0 1
  ClearErrors
  ReadRegDWORD $1 HKCU "${MADE_KEY}" "${KEY}"
  ${If} ${Errors}
    ClearErrors
    EnumRegKey $1 HKCU "${KEY}" 0
    ${IfNot} ${Errors}
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${If} $0 == 1
    WriteRegDWORD HKCU "${MADE_KEY}" "${KEY}" 1
  ${EndIf}
!macroend

; Takes KEY away, whole, if this installation made it.
!macro RemoveIfMade KEY
  ClearErrors
  ReadRegDWORD $1 HKCU "${MADE_KEY}" "${KEY}"
  ${IfNot} ${Errors}
    DeleteRegKey HKCU "${KEY}"
  ${EndIf}
  ClearErrors
!macroend

; A class of the launcher's COM server; COM starts the launcher with
; -Embedding when the shell asks for the class.
!macro AddClass CLSID PROGRAM
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}" "" "${PROGRAM} hand-over (Corvale launcher)"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\LocalServer32" "" '"$INSTDIR\launch.exe"'
!macroend

; A context-menu verb on a class of items: the shell creates the program's
; class and drops the whole selection on it in one call, however many items
; (a verb with a command would start one process per item, and disappears
; for more than 100). "Player" offers the verb for any number of items.
!macro AddVerb CLASS NAME TEXT PROGRAM CLSID
  !insertmacro ClaimKey "${CLASSES}\${CLASS}\shell\${NAME}"
  ${If} $0 == 1
    WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "" "${TEXT}"
    WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "Icon" "$INSTDIR\${PROGRAM}.exe,0"
    WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}" "MultiSelectModel" "Player"
    WriteRegStr HKCU "${CLASSES}\${CLASS}\shell\${NAME}\DropTarget" "CLSID" "${CLSID}"
  ${EndIf}
!macroend

; Takes a verb away if this installation made it, and the keys above it when
; nothing else is in them.
!macro RemoveVerb CLASS NAME
  !insertmacro RemoveIfMade "${CLASSES}\${CLASS}\shell\${NAME}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${CLASS}\shell"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${CLASS}"
!macroend

; A Send To item: an empty file of a private type whose drop handler is the
; program's class, so the shell drops the whole selection on the class (a
; shortcut to an exe gets the paths on a command line, cut at 32,767
; characters: a few hundred paths).
!macro AddSendTo FILE EXTENSION PROGID PROGRAM CLSID
  !insertmacro ClaimKey "${CLASSES}\${EXTENSION}"
  ${If} $0 == 1
    WriteRegStr HKCU "${CLASSES}\${EXTENSION}" "" "${PROGID}"
  ${EndIf}
  !insertmacro ClaimKey "${CLASSES}\${PROGID}"
  ${If} $0 == 1
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "${PROGRAM} (Send To)"
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "NeverShowExt" ""
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM}.exe,0"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shellex\DropHandler" "" "${CLSID}"
  ${EndIf}
  FileOpen $1 "${FILE}" w
  FileClose $1
!macroend

!macro RemoveSendTo FILE EXTENSION PROGID
  Delete "${FILE}"
  !insertmacro RemoveIfMade "${CLASSES}\${EXTENSION}"
  !insertmacro RemoveIfMade "${CLASSES}\${PROGID}"
!macroend

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/Fennix.exe"
  File "${PROGRAMS}/Larkway.exe"
  File "${PROGRAMS}/Dovrin.exe"
  File "${PROGRAMS}/launch.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  !insertmacro AddClass "${FENNIX_CLSID}" "Fennix"
  !insertmacro AddClass "${LARKWAY_CLSID}" "Larkway"
  !insertmacro AddClass "${DOVRIN_CLSID}" "Dovrin"

  CreateDirectory "$SENDTO"
  !insertmacro AddSendTo "${SENDTO_FENNIX}" ".corvale-fennix" "Corvale.Fennix.SendTo" "Fennix" "${FENNIX_CLSID}"
  !insertmacro AddSendTo "${SENDTO_LARKWAY}" ".corvale-larkway" "Corvale.Larkway.SendTo" "Larkway" "${LARKWAY_CLSID}"

  !insertmacro AddVerb "*" "Corvale.Fennix" "Properties (Fennix)" "Fennix" "${FENNIX_CLSID}"
  !insertmacro AddVerb "Directory" "Corvale.Fennix" "Properties (Fennix)" "Fennix" "${FENNIX_CLSID}"
  !insertmacro AddVerb "Drive" "Corvale.Fennix" "Properties (Fennix)" "Fennix" "${FENNIX_CLSID}"
  !insertmacro AddVerb "*" "Corvale.Larkway" "Copy or move to a folder (Larkway)" "Larkway" "${LARKWAY_CLSID}"
  !insertmacro AddVerb "Directory" "Corvale.Larkway" "Copy or move to a folder (Larkway)" "Larkway" "${LARKWAY_CLSID}"
  !insertmacro AddVerb "*" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin" "${DOVRIN_CLSID}"
  !insertmacro AddVerb "Directory" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin" "${DOVRIN_CLSID}"
  !insertmacro AddVerb "Drive" "Corvale.Dovrin" "Drive figures (Dovrin)" "Dovrin" "${DOVRIN_CLSID}"

  ; From the Start menu the programs start with an empty selection: Fennix
  ; takes files dropped on it, Dovrin shows the drive of the user's profile.
  ; Through the launcher, which hands them an empty selection: they leave
  ; alone a file list the user copied.
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
  !insertmacro RemoveSendTo "${SENDTO_FENNIX}" ".corvale-fennix" "Corvale.Fennix.SendTo"
  !insertmacro RemoveSendTo "${SENDTO_LARKWAY}" ".corvale-larkway" "Corvale.Larkway.SendTo"
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
  DeleteRegKey HKCU "${CLASSES}\CLSID\${FENNIX_CLSID}"
  DeleteRegKey HKCU "${CLASSES}\CLSID\${LARKWAY_CLSID}"
  DeleteRegKey HKCU "${CLASSES}\CLSID\${DOVRIN_CLSID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\CLSID"

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
