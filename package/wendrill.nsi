; Wendrill's installer: a per-user install that needs no administrator rights.
; Built by package/CMakeLists.txt, which passes VERSION, PUBLISHER, COPYRIGHT, EXE, ICON, OUTFILE.
; Everything it writes is listed once here and taken away again by the uninstaller; the user's
; own files (kel_path.ini, the recovery files) are never touched.

Unicode true
; The program is 64-bit only, so the installer is too.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PROGRAM "wendrill.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Wendrill.lnk"
!define CLASSES "Software\Classes"
; Our own file type for "Open with": listed under .txt, never made the default for it.
!define PROGID "Wendrill.txt"
!define APPLICATION "${CLASSES}\Applications\${PROGRAM}"
!define UNINSTALL_LIST "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_LIST}\Wendrill"
; The main window's class, to see whether the program is running.
!define WINDOW_CLASS "WendrillMainWindow"
!define HKEY_CURRENT_USER 0x80000001
!define KEY_READ 0x20019
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Wendrill ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Wendrill"
; An update goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Wendrill ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Wendrill"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "Wendrill 中文文章编辑器 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "现在启动 Wendrill"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; A running Wendrill holds its exe and may hold an unsaved chapter: the user closes it first.
; Silent runs give up at once with exit code 2 instead of asking.
!macro WAIT_FOR_PROGRAM_CLOSED
    FindWindow $0 "${WINDOW_CLASS}"
    ${DoWhile} $0 != 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Wendrill 正在运行。请先保存文章并关闭 Wendrill，再点“重试”。" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
        retry:
        FindWindow $0 "${WINDOW_CLASS}"
    ${Loop}
!macroend

Function .onInit
    SetShellVarContext current
    !insertmacro WAIT_FOR_PROGRAM_CLOSED
FunctionEnd

Function un.onInit
    SetShellVarContext current
    !insertmacro WAIT_FOR_PROGRAM_CLOSED
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM}" "${EXE}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL \
        "" "Wendrill 中文文章编辑器"

    ; "Open with" for .txt files: Windows prefers OpenWithProgids over OpenWithList, and the
    ; default value of .txt (its default program) is left alone.
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "文本文档 (Wendrill)"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
    WriteRegStr HKCU "${CLASSES}\.txt\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "${APPLICATION}" "FriendlyAppName" "Wendrill"
    WriteRegStr HKCU "${APPLICATION}\SupportedTypes" ".txt" ""
    WriteRegStr HKCU "${APPLICATION}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wendrill"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; Deletes a key of HKCU only when it holds no value and no subkey: .txt, Classes and the list of
; installed programs are shared with other programs. (Wine's SHDeleteEmptyKey also deletes keys
; that still hold values, so the counts are read here.)
Function un.DeleteKeyIfEmpty
    Exch $0
    Push $1
    Push $2
    Push $3
    System::Call 'advapi32::RegOpenKeyExW(p ${HKEY_CURRENT_USER}, w r0, i 0, i ${KEY_READ}, *p .r1) i .r2'
    ${If} $2 == 0
        System::Call 'advapi32::RegQueryInfoKeyW(p r1, p 0, p 0, p 0, *i 1 r2, p 0, p 0, *i 1 r3, p 0, p 0, p 0, p 0)'
        System::Call 'advapi32::RegCloseKey(p r1)'
        ${If} $2 == 0
        ${AndIf} $3 == 0
            DeleteRegKey HKCU $0
        ${EndIf}
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

!macro DELETE_KEY_IF_EMPTY KEY
    Push "${KEY}"
    Call un.DeleteKeyIfEmpty
!macroend

Section "Uninstall"
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Folders go only when empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    ${If} "$INSTDIR" == "$LOCALAPPDATA\Programs\Wendrill"
        RMDir "$LOCALAPPDATA\Programs"
    ${EndIf}

    DeleteRegValue HKCU "${CLASSES}\.txt\OpenWithProgids" "${PROGID}"
    !insertmacro DELETE_KEY_IF_EMPTY "${CLASSES}\.txt\OpenWithProgids"
    !insertmacro DELETE_KEY_IF_EMPTY "${CLASSES}\.txt"
    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    DeleteRegKey HKCU "${APPLICATION}"
    !insertmacro DELETE_KEY_IF_EMPTY "${CLASSES}\Applications"
    !insertmacro DELETE_KEY_IF_EMPTY "${CLASSES}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    !insertmacro DELETE_KEY_IF_EMPTY "${UNINSTALL_LIST}"

    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
