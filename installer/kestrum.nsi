; Kestrum's setup program and uninstaller: one installation per machine, for every user.
; build_setup.sh compiles it with these definitions:
;   VERSION, PUBLISHER   from resources/version.h
;   ARCH                 x86 (the product) or amd64 (the 64-bit test twin)
;   STAGE                the folder holding Kestrum.exe, and Qelt.dll when one is bundled
;   OUTFILE              the setup program to write
;   BUNDLE_QELT          defined when STAGE holds the maker's Qelt.dll
;   SIGN                 a command that signs the file it is given, when signing
;
; Exit codes, for deployments that run it silently (/S):
;   0 installed   1 cancelled by the user   2 stopped for another reason
;   3 no Qelt.dll where Kestrum will look   4 the folder cannot be written
;   5 a running Kestrum did not end         6 another setup or uninstaller is running

Unicode true
Target ${ARCH}-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
Name "Kestrum"
OutFile "${OUTFILE}"
!if ${ARCH} == amd64
InstallDir "$PROGRAMFILES64\Kestrum"
!else
InstallDir "$PROGRAMFILES32\Kestrum"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrum"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
; A file that cannot be written stops the run instead of being skipped.
AllowSkipFiles off

; A signing command that fails, or whose signature does not verify, fails the compile.
!ifdef SIGN
!finalize '${SIGN} "%1"' = 0
!uninstfinalize '${SIGN} "%1"' = 0
!endif

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Kestrum"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Kestrum Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define EXIT_NO_QELT 3
!define EXIT_FOLDER_NOT_WRITABLE 4
!define EXIT_KESTRUM_STILL_RUNNING 5
!define EXIT_SETUP_RUNNING 6
; The frame class the program's framework derives from its fixed image base.
!define KESTRUM_FRAME_CLASS "Afx:00400000:0"
!define CLOSE_WAIT_MS 10000
!define SYNCHRONIZE 0x00100000
!define EVENT_MODIFY_STATE 0x0002
!define ERROR_ALREADY_EXISTS 183

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Shows the reason (only the exit code tells it in a silent run) and stops with that code.
!macro STOP code text
    DetailPrint "${text}"
    MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
    SetErrorLevel ${code}
    Abort
!macroend

; One setup or uninstaller at a time on the machine; the mutex lasts as long as the process.
!macro REFUSE_SECOND_RUN
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "Global\KestrumSetup") p .r0 ?e'
    Pop $1
    ${If} $1 = ${ERROR_ALREADY_EXISTS}
        MessageBox MB_OK|MB_ICONSTOP "Another Kestrum setup or uninstaller is running. Let it finish, then try again." /SD IDOK
        SetErrorLevel ${EXIT_SETUP_RUNNING}
        Abort
    ${EndIf}
!macroend

; Ends every running Kestrum of this desktop as its users' tools do, through its close event,
; so that it switches charging back on before its file goes; stops the run when one does not
; end in time.
!macro CLOSE_RUNNING_KESTRUM
    ${Do}
        FindWindow $0 "${KESTRUM_FRAME_CLASS}" "Kestrum"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        DetailPrint "Closing the running Kestrum"
        System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
        System::Call 'kernel32::OpenEventW(i ${EVENT_MODIFY_STATE}, i 0, w "KestrumCloseEvent") p .r3'
        StrCpy $4 1
        ${If} $2 P<> 0
        ${AndIf} $3 P<> 0
            System::Call 'kernel32::SetEvent(p r3)'
            System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i .r4'
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
        System::Call 'kernel32::CloseHandle(p r3)'
        ${If} $4 <> 0
            !insertmacro STOP ${EXIT_KESTRUM_STILL_RUNNING} "Kestrum is running and did not end when asked to. Close it, then run this program again. Nothing was changed."
        ${EndIf}
    ${Loop}
!macroend

Function .onInit
    !insertmacro REFUSE_SECOND_RUN
    ; A /D= folder that NSIS finds unusable (a file in its path, a drive that is not there) is
    ; silently replaced by the default folder before this runs, and removed from $CMDLINE; the
    ; process's own command line still holds what was asked for.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ClearErrors
    ${WordFind} $0 " /D=" "E+1}" $1
    ${IfNot} ${Errors}
    ${AndIf} $1 != $INSTDIR
    ${AndIf} $1 != "$INSTDIR\"
        !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot install into $1. Choose another folder. Nothing was installed."
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro REFUSE_SECOND_RUN
FunctionEnd

Function CheckQeltFound
!ifndef BUNDLE_QELT
    ${IfNot} ${FileExists} "$INSTDIR\Qelt.dll"
    ${AndIfNot} ${FileExists} "$SYSDIR\Qelt.dll"
        !insertmacro STOP ${EXIT_NO_QELT} "Kestrum needs the notebook maker's Qelt.dll, in $SYSDIR or in $INSTDIR, and cannot start without it. Install the maker's system software first, then run this program again. Nothing was installed."
    ${EndIf}
!endif
FunctionEnd

; Everything that can stop the installation is checked before the first change.
Function CheckFolderWritable
    StrCpy $5 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $5 1
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\Kestrum-setup.tmp" w
    FileClose $0
    Delete "$INSTDIR\Kestrum-setup.tmp"
    ${If} ${Errors}
        ${If} $5 = 1
            RMDir "$INSTDIR"
        ${EndIf}
        !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot write to $INSTDIR. Choose another folder or run setup as an administrator. Nothing was installed."
    ${EndIf}
FunctionEnd

; Once no Kestrum runs any more, a program file that is still held open (by another user's
; Kestrum, say) could not be replaced either.
Function CheckProgramReplaceable
    ${If} ${FileExists} "$INSTDIR\Kestrum.exe"
        ClearErrors
        FileOpen $0 "$INSTDIR\Kestrum.exe" a
        FileClose $0
        ${If} ${Errors}
            !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot replace $INSTDIR\Kestrum.exe, which another program holds open. Nothing was installed."
        ${EndIf}
    ${EndIf}
FunctionEnd

; Writes the maker's copy only where Kestrum would find none, and then owns it: later setups
; replace it and the uninstaller removes it.
Function InstallBundledQelt
!ifdef BUNDLE_QELT
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "BundledQeltDll"
    ${If} $0 = 1
    ${OrIfNot} ${FileExists} "$INSTDIR\Qelt.dll"
        ${If} $0 = 1
        ${OrIfNot} ${FileExists} "$SYSDIR\Qelt.dll"
            File "/oname=$INSTDIR\Qelt.dll" "${STAGE}\Qelt.dll"
            WriteRegDWORD HKLM "${UNINSTALL_KEY}" "BundledQeltDll" 1
        ${EndIf}
    ${EndIf}
!endif
FunctionEnd

Function WriteRegistration
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kestrum"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestrum.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Section "Kestrum"
    Call CheckQeltFound
    Call CheckFolderWritable
    !insertmacro CLOSE_RUNNING_KESTRUM
    Call CheckProgramReplaceable

    SetOutPath "$INSTDIR"
    File "${STAGE}\Kestrum.exe"
    Call InstallBundledQelt
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    Call WriteRegistration
    WriteRegStr HKLM "${RUN_KEY}" "Kestrum" '"$INSTDIR\Kestrum.exe"'

    ; Started by the shell, Kestrum runs with the user's own rights rather than this
    ; program's elevated ones.
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Kestrum.exe"'
SectionEnd

Section "Uninstall"
    !insertmacro CLOSE_RUNNING_KESTRUM
    ; The registration goes only once the program has: otherwise this uninstaller can run again.
    ${If} ${FileExists} "$INSTDIR\Kestrum.exe"
        ClearErrors
        Delete "$INSTDIR\Kestrum.exe"
        ${If} ${Errors}
            !insertmacro STOP ${EXIT_KESTRUM_STILL_RUNNING} "Cannot remove $INSTDIR\Kestrum.exe, which another program holds open. Close it, then run this program again."
        ${EndIf}
    ${EndIf}

    ; Values that another installation has since taken over stay.
    ReadRegStr $0 HKLM "${RUN_KEY}" "Kestrum"
    ${If} $0 == '"$INSTDIR\Kestrum.exe"'
        DeleteRegValue HKLM "${RUN_KEY}" "Kestrum"
    ${EndIf}
    ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "BundledQeltDll"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        ${If} $1 = 1
            Delete "$INSTDIR\Qelt.dll"
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when nothing else is left in it.
    RMDir "$INSTDIR"
SectionEnd
