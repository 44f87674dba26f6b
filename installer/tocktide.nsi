; Tocktide setup: per-user by default (no administrator rights), all users on request.
; Pages in Japanese or English, chosen by the system's language.
;
; Defines given by installer/CMakeLists.txt: TARGET (x86-unicode or amd64-unicode), OUTFILE, ICON,
; GENERATED (folder with files.nsh: the shipped files; ini.nsh: the default settings line).
;
; Command line: /S silent, /D=folder (last), /ALLUSERS or /CURRENTUSER,
; /DESKTOP=no, /AUTOSTART=yes, /PAINTCHIP=yes.

Target ${TARGET}
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include Sections.nsh
!include WinMessages.nsh

!include "${GENERATED}/files.nsh"
!include "${GENERATED}/ini.nsh"
!include "texts.nsh"
!include "common.nsh"

!define PUBLISHER "Tocktide"

Name "Tocktide ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Tocktide ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Tocktide"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Tocktide ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

Var ModeFixed   ; 1: the command line chose the mode, the mode page stays away
Var DirGiven    ; 1: /D= chose the folder
Var ModeMe
Var ModeAll

!define MUI_PAGE_CUSTOMFUNCTION_PRE WelcomePre
!insertmacro MUI_PAGE_WELCOME
Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunClock)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartClock
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems that speak neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro TKT_TEXTS

; ---------------------------------------------------------------- sections

Section "$(SecMain)" SecMain
  SectionIn RO
  Call FolderFitsCodePage
  Pop $R1
  ${If} $R1 != 1
    MessageBox MB_OK|MB_ICONSTOP "$(NotAnsiFolder)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Call CloseTocktide
  !insertmacro TktInstallFiles
  Call WriteSettingsFile
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
  SetOutPath "$INSTDIR\program"  ; CreateShortcut takes the working folder from here
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\$(ClockLink).lnk" "$INSTDIR\program\tkt.exe"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\$(DesignerLink).lnk" "$INSTDIR\tkttool.exe"

  ${If} $AllUsers == 1
    Call OpenSettingsToUsers
  ${EndIf}
SectionEnd

Section "$(SecDesktop)" SecDesktop
  SetOutPath "$INSTDIR\program"
  CreateShortcut "$DESKTOP\${DESKTOP_LINK}" "$INSTDIR\program\tkt.exe"
SectionEnd

Section /o "$(SecStartup)" SecStartup
  SetOutPath "$INSTDIR\program"
  CreateShortcut "$SMSTARTUP\${DESKTOP_LINK}" "$INSTDIR\program\tkt.exe"
SectionEnd

Section /o "$(SecPaintChip)" SecPaintChip
  SetOutPath "$INSTDIR"
  File "${PAINTCHIP_FILE}"
  ; The control registers machine-wide, so only an install for everybody registers it.
  ${If} $AllUsers == 1
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\PAINTCHIP.OCX"' $0
    ${If} $0 != 0
      DetailPrint "$(PaintChipFailed) ($0)"
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(PaintChipFailed) ($0)" /SD IDOK
    ${EndIf}
  ${EndIf}
SectionEnd

Section "-Apps and features"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tocktide"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\program\tkt.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "$(SecMainInfo)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(SecDesktopInfo)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "$(SecStartupInfo)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPaintChip} "$(SecPaintChipInfo)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The default face (the kaichu sample) for this folder, written as the designer's settings writer would,
; in the ANSI code page (FileWrite converts). An existing file is the user's face: an update keeps it.
Function WriteSettingsFile
  ${If} ${FileExists} "$INSTDIR\program\tkt.ini"
    DetailPrint "$(IniKept)"
    Return
  ${EndIf}
  ClearErrors
  FileOpen $0 "$INSTDIR\program\tkt.ini" w
  ${IfNot} ${Errors}
    FileWrite $0 '${TKT_INI_LINE}$\r$\n'
    FileClose $0
  ${EndIf}
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(IniFailed)$\r$\n$INSTDIR\program\tkt.ini" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

; For everybody, the designer of every user must be able to replace program\tkt.ini. It writes a temporary
; file beside it and swaps it in, so Users may add files to program\ and change tkt.ini; they get no right
; to change or delete the programs. Well-known SIDs, since group names differ by language.
Function OpenSettingsToUsers
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR\program" /grant *S-1-5-32-545:(WD)'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR\program\tkt.ini" /grant *S-1-5-32-545:(M)'
  Pop $1
  ${If} $0 != 0
  ${OrIf} $1 != 0
    DetailPrint "$(AclFailed)"
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------- install mode

; The mode's shell folders, and its default folder unless /D= gave one.
Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    ReadRegStr $R8 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R9 "${PROGRAMFILES_DIR}\Tocktide"
  ${Else}
    SetShellVarContext current
    ReadRegStr $R8 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R9 "$LOCALAPPDATA\Programs\Tocktide"
  ${EndIf}
  ${If} $DirGiven != 1
    ${If} $R8 != ""
      StrCpy $INSTDIR $R8  ; an update goes where the last install went
    ${Else}
      StrCpy $INSTDIR $R9
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $AllUsers 0
  ${If} $INSTDIR != ""
    StrCpy $DirGiven 1
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeFixed 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeFixed 1
  ${EndIf}
  ${GetOptions} $R0 "/DESKTOP=" $R1
  ${If} $R1 == "no"
    !insertmacro UnselectSection ${SecDesktop}
  ${EndIf}
  ${GetOptions} $R0 "/AUTOSTART=" $R1
  ${If} $R1 == "yes"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
  ${GetOptions} $R0 "/PAINTCHIP=" $R1
  ${If} $R1 == "yes"
    !insertmacro SelectSection ${SecPaintChip}
  ${EndIf}

  ${If} $AllUsers == 1
  ${AndIfNot} ${IsAdminUser}
    ${If} ${Silent}
      SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED: a silent setup cannot ask
      Quit
    ${EndIf}
    Call ElevatedParameters
    Pop $R1
    !insertmacro RelaunchElevated "$EXEPATH" "$R1"
    MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)"
    Quit
  ${EndIf}
  Call ApplyMode

  ${If} ${Silent}
    Call FolderFitsCodePage
    Pop $R1
    ${If} $R1 != 1
      MessageBox MB_OK|MB_ICONSTOP "$(NotAnsiFolder)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; The command line for the elevated copy: this one's options (the installer cuts /D= off them, so it goes
; back at the end, where it must stand), for everybody, past the pages already seen.
Function ElevatedParameters
  ${GetParameters} $R1
  StrCpy $R1 "$R1 /ALLUSERS /ELEVATED"
  ${If} $DirGiven == 1
    StrCpy $R1 "$R1 /D=$INSTDIR"
  ${EndIf}
  Push $R1
FunctionEnd

Function WelcomePre
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ELEVATED" $R1
  ${IfNot} ${Errors}
    Abort  ; seen already, before the elevated restart
  ${EndIf}
FunctionEnd

Function ModePageShow
  ${If} $ModeFixed == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" "$(ModeSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0u 100% 14u "$(ModeMe)"
  Pop $ModeMe
  ${NSD_CreateRadioButton} 0 20u 100% 14u "$(ModeAll)"
  Pop $ModeAll
  ${NSD_CreateLabel} 12u 38u 95% 40u "$(ModeAllNote)"
  Pop $0
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeAll
  ${Else}
    ${NSD_Check} $ModeMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeAll $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
    ${IfNot} ${IsAdminUser}
      ; The rest of the setup runs in an elevated copy; this one ends once it has started.
      Call ElevatedParameters
      Pop $R1
      !insertmacro RelaunchElevated "$EXEPATH" "$R1"
      MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)"
      StrCpy $AllUsers 0
      Abort
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

Function DirectoryLeave
  Call FolderFitsCodePage
  Pop $R1
  ${If} $R1 != 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(NotAnsiFolder)"
    Abort
  ${EndIf}
FunctionEnd

Function StartClock
  SetOutPath "$INSTDIR\program"  ; the clock reads tkt.ini from its working folder
  Exec '"$INSTDIR\program\tkt.exe"'
FunctionEnd

; ---------------------------------------------------------------- uninstaller

Function un.onInit
  ; An install for everybody is the one whose entry in HKLM names this folder.
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    ${IfNot} ${IsAdminUser}
      ${If} ${Silent}
        SetErrorLevel 740
        Quit
      ${EndIf}
      !insertmacro RelaunchElevated "$INSTDIR\uninstall.exe" ""
      MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)"
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseTocktide

  ${If} $AllUsers == 1
  ${AndIf} ${FileExists} "$INSTDIR\PAINTCHIP.OCX"
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\PAINTCHIP.OCX"' $0
    ${If} $0 != 0
      DetailPrint "$(PaintChipUnregFailed) ($0)"
    ${EndIf}
  ${EndIf}

  ; Shortcuts of either language; on the desktop and in Startup only those that start this clock, since the
  ; designer makes them for whichever copy it belongs to.
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${CLOCK_LINK_JA}.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${CLOCK_LINK_EN}.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${DESIGNER_LINK_JA}.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${DESIGNER_LINK_EN}.lnk"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"
  Push "$DESKTOP"
  Call un.RemoveOwnLinksIn
  Push "$SMSTARTUP"
  Call un.RemoveOwnLinksIn
  ${If} $AllUsers == 1
    SetShellVarContext current
    Push "$DESKTOP"
    Call un.RemoveOwnLinksIn
    Push "$SMSTARTUP"
    Call un.RemoveOwnLinksIn
    SetShellVarContext all
  ${EndIf}

  Delete "$INSTDIR\PAINTCHIP.OCX"
  Call un.RemoveSettingsFile
  !insertmacro TktRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  !insertmacro TktRemoveFolders
  RMDir "$INSTDIR"

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; The stored position lives in the settings of the user who runs this.
  ClearErrors
  EnumRegKey $0 HKCU "${POSITION_KEY}" 0
  ${IfNot} ${Errors}
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "$(AskRemovePosition)" /SD IDNO IDYES`
      DeleteRegKey HKCU "${POSITION_KEY}"
      DeleteRegKey /ifempty HKCU "${POSITION_PARENT}"
    ${EndIf}
  ${EndIf}
  SetAutoClose true
SectionEnd

; program\tkt.ini goes only while it is still the default face this setup wrote for this folder; one the
; designer wrote holds the user's own face and stays (an install into the same folder takes it up again).
Function un.RemoveSettingsFile
  ClearErrors
  FileOpen $0 "$INSTDIR\program\tkt.ini" r
  ${If} ${Errors}
    Return
  ${EndIf}
  FileRead $0 $1
  ClearErrors
  FileRead $0 $2
  ${IfNot} ${Errors}
    StrCpy $1 ""  ; a second line: not ours
  ${EndIf}
  FileClose $0
  ${If} $1 == '${TKT_INI_LINE}$\r$\n'
    Delete "$INSTDIR\program\tkt.ini"
  ${Else}
    DetailPrint "$(IniKeptUninstall)"
  ${EndIf}
FunctionEnd

; Deletes the shortcut on the stack when it starts this installation's clock.
; Every shortcut in a folder that starts this copy's clock: the setup's own, and those the designer made for
; further clocks under names of the user's choosing.
Function un.RemoveOwnLinksIn
  Exch $R2
  Push $R3
  Push $R4
  FindFirst $R3 $R4 "$R2\*.lnk"
  ${DoWhile} $R4 != ""
    Push "$R2\$R4"
    Call un.RemoveOwnLink
    FindNext $R3 $R4
  ${Loop}
  FindClose $R3
  Pop $R4
  Pop $R3
  Pop $R2
FunctionEnd

Function un.RemoveOwnLink
  Exch $R0
  Push $R1
  ${If} ${FileExists} "$R0"
    Push $R0
    Call un.ReadLinkTarget
    Pop $R1
    ${If} $R1 == "$INSTDIR\program\tkt.exe"
      Delete "$R0"
    ${EndIf}
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd
