; The Windows installer and uninstaller of Vantorix: a 64-bit per-machine install into
; Program Files with a Start-menu shortcut and an "Apps & features" entry. Built by
; scripts/package.sh, which passes VX_VERSION, VX_STAGE (the staged files and the generated
; files.nsh listing them) and VX_OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!ifndef VX_VERSION | VX_STAGE | VX_OUTFILE
  !error "build this script with scripts/package.sh"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinVer.nsh"
!addincludedir "${__FILEDIR__}"
!include "${VX_STAGE}/files.nsh"

!define VX_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantorix"
!define VX_SHORTCUT "$SMPROGRAMS\Vantorix.lnk"

Name "Vantorix"
OutFile "${VX_OUTFILE}"
InstallDir "$PROGRAMFILES64\Vantorix"
; An update goes where the earlier version is.
InstallDirRegKey HKLM "${VX_UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vantorix ${VX_VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VX_VERSION}.0"
VIFileVersion "${VX_VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "Vantorix"
VIAddVersionKey /LANG=1049 "CompanyName" "Vantorix"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Vantorix"
VIAddVersionKey /LANG=1049 "FileVersion" "${VX_VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VX_VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© Vantorix"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${VX_PROGRAM}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!include "texts_ru.nsh"

Function .onInit
  ; The tweaks are written for Windows 10 and 11; an older system would get a program whose
  ; changes it does not understand.
  ${IfNot} ${AtLeastWin10}
    MessageBox MB_ICONSTOP|MB_OK "$(VxNeedsWindows10)" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Vantorix" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  SetOverwrite on
  !insertmacro VxInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${VX_SHORTCUT}" "$INSTDIR\${VX_PROGRAM}" "" "$INSTDIR\${VX_PROGRAM}" 0

  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "DisplayName" "Vantorix"
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "DisplayVersion" "${VX_VERSION}"
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "Publisher" "Vantorix"
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${VX_PROGRAM},0"
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${VX_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${VX_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${VX_UNINSTALL_KEY}" "NoRepair" 1
  ; What the folder really holds, the uninstaller included, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${VX_UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Removes exactly what the installer put there. The folder goes only when it is empty then, so
; files the user keeps in it survive; ProgramData\Vantorix (backups, the assistant's memory)
; is never touched.
Section "Uninstall"
  !insertmacro VxUninstallFiles
  ; A file still there (the program is running) keeps the uninstaller, the shortcut and the
  ; entry, so the user can close the program and try again; the entry would otherwise point at
  ; nothing while files remain.
  StrCpy $0 ""
  !insertmacro VxFindLeftFiles $0
  ${If} $0 != ""
    MessageBox MB_ICONSTOP|MB_OK "$(VxFilesInUse)$0" /SD IDOK
    SetErrorLevel 2
    Abort "$(VxFilesInUse)$0"
  ${EndIf}
  Delete "${VX_SHORTCUT}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${VX_UNINSTALL_KEY}"
SectionEnd
