; Names, registry places and helpers shared by the setup program and its uninstaller.

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tocktide"
; The clock's stored window position (its section WindowPos holds nothing else).
!define POSITION_PARENT "Software\VB and VBA Program Settings"
!define POSITION_KEY "${POSITION_PARENT}\Clock"
!define MENU_FOLDER "Tocktide"
; The designer offers a desktop shortcut of this name; ours has the same, so there is never a second one.
!define DESKTOP_LINK "ﾄｯｸﾀｲﾄﾞ.lnk"
!define CLOCK_LINK_JA "ﾄｯｸﾀｲﾄﾞ 時計"
!define CLOCK_LINK_EN "Tocktide Clock"
!define DESIGNER_LINK_JA "ﾄｯｸﾀｲﾄﾞ 文字盤ﾂｰﾙ"
!define DESIGNER_LINK_EN "Tocktide Face Designer"
!define CLOCK_CLASS "TocktideClock"
!define DESIGNER_CLASS "TktDesignerForm1"

!if "${TARGET}" == "amd64-unicode"
  !define PROGRAMFILES_DIR "$PROGRAMFILES64"
!else
  !define PROGRAMFILES_DIR "$PROGRAMFILES"
!endif

Var AllUsers  ; 1: installed for everybody (HKLM, common Start menu, Program Files)

; ${If} ${IsAdminUser}: the process runs with administrator rights (elevated, where UAC is on).
!macro _IsAdminUser _a _b _t _f
  !insertmacro _LOGICLIB_TEMP
  UserInfo::GetAccountType
  Pop $_LOGICLIB_TEMP
  StrCmp $_LOGICLIB_TEMP "Admin" `${_t}` `${_f}`
!macroend
!define IsAdminUser `"" IsAdminUser ""`

; Starts EXE elevated with PARAMS and ends this process; falls through (error flag set) when refused.
!macro RelaunchElevated EXE PARAMS
  ClearErrors
  ExecShell "runas" "${EXE}" "${PARAMS}"
  ${IfNot} ${Errors}
    Quit
  ${EndIf}
!macroend

; A running clock or designer holds its program file: both are asked to close before files change.
!macro CLOSE_TOCKTIDE_FUNCTION UN
Function ${UN}CloseTocktide
  FindWindow $0 "${CLOCK_CLASS}"
  FindWindow $1 "${DESIGNER_CLASS}"
  ${If} $0 == 0
  ${AndIf} $1 == 0
    Return
  ${EndIf}
  ${IfNot} ${Cmd} `MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(CloseRunning)" /SD IDOK IDOK`
    SetErrorLevel 2
    Abort
  ${EndIf}
  StrCpy $2 0
  ${Do}
    FindWindow $0 "${CLOCK_CLASS}"
    ${If} $0 == 0
      FindWindow $0 "${DESIGNER_CLASS}"
    ${EndIf}
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${If} $2 >= 20
      MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
    StrCpy $3 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i r3r3)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r3) p .r4'  ; SYNCHRONIZE
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${If} $4 != 0
      System::Call 'kernel32::WaitForSingleObject(p r4, i 5000)'
      System::Call 'kernel32::CloseHandle(p r4)'
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_TOCKTIDE_FUNCTION ""
!insertmacro CLOSE_TOCKTIDE_FUNCTION "un."

; Pushes 1 when $INSTDIR survives the ANSI code page: tkt.ini holds full paths in it, and the clock reads
; them back through it. A code page that cannot report lost characters (UTF-8) takes every name.
Function FolderFitsCodePage
  Push $0
  Push $1
  StrCpy $1 0
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w "$INSTDIR", i -1, p 0, i 0, p 0, *i r1r1) i .r0'
  ${If} $0 == 0
  ${OrIf} $1 == 0
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Target path of a shortcut file (empty when it cannot be read), through IShellLinkW and IPersistFile.
Function un.ReadLinkTarget
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $3 ""
  System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .r1) i .r4'
  ${If} $4 == 0
    System::Call '$1->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r2) i .r4'
    ${If} $4 == 0
      System::Call '$2->5(w r0, i 0) i .r4'  ; IPersistFile::Load
      ${If} $4 == 0
        System::Call '$1->3(w .r3, i ${NSIS_MAX_STRLEN}, p 0, i 4) i .r4'  ; GetPath, SLGP_RAWPATH
      ${EndIf}
      System::Call '$2->2()'
    ${EndIf}
    System::Call '$1->2()'
  ${EndIf}
  StrCpy $0 $3
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
