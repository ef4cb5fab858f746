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
;   7 the folder is not one Kestrum may be installed into (see PROGRAM_FILES)
;   8 a newer Kestrum is installed
; The uninstaller's registered commands end with the uninstallation and return its code:
; 0 removed, 1 cancelled, 2 stopped, 5 Kestrum did not end or its file is held open, 6 as above.

Unicode true
Target ${ARCH}-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
Name "Kestrum"
OutFile "${OUTFILE}"
; Windows starts a program that asks for uiAccess only from a protected folder, and every
; user's log-on and the elevated uninstaller run what lies in Kestrum's folder: it goes only
; below the Program Files folder of its own architecture, which only administrators can change.
!if ${ARCH} == amd64
!define PROGRAM_FILES "$PROGRAMFILES64"
!else
!define PROGRAM_FILES "$PROGRAMFILES32"
!endif
InstallDir "${PROGRAM_FILES}\Kestrum"
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
!define EXIT_FOLDER_NOT_ALLOWED 7
!define EXIT_NEWER_INSTALLED 8
!define CLOSE_WAIT_MS 10000
!define ALLOWED_FOLDERS "Kestrum is installed only into a folder inside ${PROGRAM_FILES} that is reached without a junction or symbolic link: only there can no other user change the program that every log-on starts, and only from there does Windows start a program that asks for uiAccess."

!define SYNCHRONIZE 0x00100000
!define EVENT_MODIFY_STATE 0x0002
!define /math QUERY_AND_SYNCHRONIZE 0x1000 | ${SYNCHRONIZE}
!define GENERIC_WRITE 0x40000000
!define /math WRITE_AND_DELETE ${GENERIC_WRITE} | 0x00010000
!define FILE_READ_ATTRIBUTES 0x80
!define FILE_SHARE_READ 1
!define FILE_SHARE_ALL 7
!define CREATE_NEW 1
!define OPEN_EXISTING 3
!define OPEN_ALWAYS 4
!define FILE_FLAG_BACKUP_SEMANTICS 0x02000000
!define FILE_FLAG_OPEN_REPARSE_POINT 0x00200000
!define FILE_FLAG_DELETE_ON_CLOSE 0x04000000
!define /math HIDDEN_DELETE_ON_CLOSE ${FILE_FLAG_DELETE_ON_CLOSE} | 0x2
!define /math NEW_FILE_NOT_LINK ${FILE_FLAG_DELETE_ON_CLOSE} | ${FILE_FLAG_OPEN_REPARSE_POINT}
!define ERROR_FILE_NOT_FOUND 2
!define WAIT_TIMEOUT 258
!define TH32CS_SNAPPROCESS 2
!define WIN_BUILTIN_ADMINISTRATORS_SID 26
!define SECURITY_MAX_SID_SIZE 68
; Full access for the Administrators group alone, which what runs as the system holds too.
!define ADMINISTRATORS_ONLY "D:P(A;;GA;;;BA)"
; The System plug-in lays structures out without padding: the 64-bit layouts carry their own.
!if ${ARCH} == amd64
!define PROCESSENTRY32W_SIZE 568
!define SECURITY_ATTRIBUTES_OF_R3 "i 24, i 0, p r3, i 0, i 0"
!else
!define PROCESSENTRY32W_SIZE 556
!define SECURITY_ATTRIBUTES_OF_R3 "i 12, p r3, i 0"
!endif

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The image of a Kestrum this run closed, started again when the run stops.
Var closedKestrum
; 1 once this run has created the install folder.
Var createdFolder
; The registered installation's folder when this run installs into another one.
Var oldFolder
Var kestrumId
Var kestrumSession

; Started by the shell, Kestrum runs with the user's own rights rather than this program's
; elevated ones. Both inherit this program's working folder: the system folder, as at a
; log-on, rather than the install folder, which a working folder keeps from being removed.
!macro START_KESTRUM image
    Push $OUTDIR
    SetOutPath $SYSDIR
    Exec '"$WINDIR\explorer.exe" "${image}"'
    Exch $0
    SetOutPath $0
    Pop $0
!macroend

; Shows the reason (only the exit code tells it in a silent run), puts back what the run
; changed, and stops with that code.
!macro STOP code text
    DetailPrint "${text}"
!ifdef __UNINSTALL__
    Call un.PutBack
!else
    Call PutBack
!endif
    MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
    SetErrorLevel ${code}
    Abort
!macroend

; One setup or uninstaller at a time on the machine, through a lock that only an
; administrator's process can take, so that no other user can take it first and block every
; installation: a private namespace whose boundary holds the Administrators group (only a
; process with that group enabled can create it) and that only administrators can open. Where
; there are no private namespaces (Wine), a file that goes with its handle, in the Program
; Files folder where only administrators can create one, that only they can open. Either lasts
; as long as the process.
!macro TAKE_SETUP_LOCK
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${ADMINISTRATORS_ONLY}", i 1, *p .r3, p 0)'
    System::Call '*(${SECURITY_ATTRIBUTES_OF_R3}) p .r4'
    System::Call 'kernel32::CreateBoundaryDescriptorW(w "KestrumSetup", i 0) p .r1'
    ${If} $1 P<> 0
        System::Alloc ${SECURITY_MAX_SID_SIZE}
        Pop $2
        System::Call 'advapi32::CreateWellKnownSid(i ${WIN_BUILTIN_ADMINISTRATORS_SID}, p 0, p r2, *i ${SECURITY_MAX_SID_SIZE})'
        System::Call 'kernel32::AddSIDToBoundaryDescriptor(*p r1r1, p r2)'
        System::Call 'kernel32::CreatePrivateNamespaceW(p r4, p r1, w "KestrumSetup") p .r5'
        System::Call 'kernel32::DeleteBoundaryDescriptor(p r1)'
        System::Free $2
    ${Else}
        System::Call 'kernel32::CreateFileW(w "${PROGRAM_FILES}\Kestrum setup.lock", i ${WRITE_AND_DELETE}, i 0, p r4, i ${OPEN_ALWAYS}, i ${HIDDEN_DELETE_ON_CLOSE}, p 0) p .r5'
        ${If} $5 P= -1
            StrCpy $5 0
        ${EndIf}
    ${EndIf}
    System::Free $4
    System::Call 'kernel32::LocalFree(p r3)'
    ${If} $5 P= 0
        MessageBox MB_OK|MB_ICONSTOP "Another Kestrum setup or uninstaller is running. Let it finish, then try again." /SD IDOK
        SetErrorLevel ${EXIT_SETUP_RUNNING}
        Abort
    ${EndIf}
!macroend

; What the setup and the uninstaller both do, in each one's own copy.
!macro SHARED_FUNCTIONS un
; $R0: the id of a running process whose program is the file $R9, in any session, or 0. Found
; by what it runs, not by a window, which any program can open.
Function ${un}FindKestrumOf
    StrCpy $R0 0
    System::Call 'kernel32::CreateToolhelp32Snapshot(i ${TH32CS_SNAPPROCESS}, i 0) p .r0'
    ${If} $0 P= -1
        Return
    ${EndIf}
    System::Alloc ${PROCESSENTRY32W_SIZE}
    Pop $1
    System::Call '*$1(i ${PROCESSENTRY32W_SIZE})'
    System::Call 'kernel32::Process32FirstW(p r0, p r1) i .r2'
    ${DoWhile} $2 <> 0
        ; th32ProcessID, the third field on both architectures.
        System::Call '*$1(i, i, i .r3)'
        System::Call 'kernel32::OpenProcess(i ${QUERY_AND_SYNCHRONIZE}, i 0, i r3) p .r4'
        ${If} $4 P<> 0
            StrCpy $5 ""
            System::Call 'kernel32::QueryFullProcessImageNameW(p r4, i 0, w .r5, *i ${NSIS_MAX_STRLEN})'
            ; One that has ended stays listed as long as someone holds it.
            System::Call 'kernel32::WaitForSingleObject(p r4, i 0) i .r6'
            System::Call 'kernel32::CloseHandle(p r4)'
            ${If} $5 == $R9
            ${AndIf} $6 = ${WAIT_TIMEOUT}
                StrCpy $R0 $3
                ${Break}
            ${EndIf}
        ${EndIf}
        System::Call 'kernel32::Process32NextW(p r0, p r1) i .r2'
    ${Loop}
    System::Free $1
    System::Call 'kernel32::CloseHandle(p r0)'
FunctionEnd

; Ends every running Kestrum of the program file $R9, whichever session it runs in, as its
; users' tools do: through the close event in its own session's namespace, so that it switches
; charging back on before its file goes. Stops when one cannot be asked or does not end in time.
Function ${un}CloseKestrumsOf
    ${Do}
        Call ${un}FindKestrumOf
        ${If} $R0 = 0
            ${Break}
        ${EndIf}
        StrCpy $kestrumId $R0
        System::Call 'kernel32::ProcessIdToSessionId(i R0, *i .r0) i .r1'
        StrCpy $kestrumSession $0
        ${If} $0 = 0
            StrCpy $2 "Global\KestrumCloseEvent"
        ${Else}
            StrCpy $2 "Session\$0\KestrumCloseEvent"
        ${EndIf}
        DetailPrint "Closing the running Kestrum (process $kestrumId, session $kestrumSession)"
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R0) p .r3'
        ; One that is still starting may not have made its event yet.
        StrCpy $4 0
        StrCpy $5 ${WAIT_TIMEOUT}
        ${If} $1 <> 0
        ${AndIf} $3 P<> 0
            ${For} $6 1 100
                System::Call 'kernel32::OpenEventW(i ${EVENT_MODIFY_STATE}, i 0, w r2) p .r4'
                ${If} $4 P<> 0
                ${OrIf} $5 <> ${WAIT_TIMEOUT}
                    ${Break}
                ${EndIf}
                System::Call 'kernel32::WaitForSingleObject(p r3, i 100) i .r5'
            ${Next}
        ${EndIf}
        ${If} $4 P<> 0
            System::Call 'kernel32::SetEvent(p r4)'
            System::Call 'kernel32::WaitForSingleObject(p r3, i ${CLOSE_WAIT_MS}) i .r5'
            ${IfThen} $5 = 0 ${|} StrCpy $closedKestrum $R9 ${|}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r3)'
        System::Call 'kernel32::CloseHandle(p r4)'
        ${If} $5 <> 0
        ${AndIf} $4 P= 0
            !insertmacro STOP ${EXIT_KESTRUM_STILL_RUNNING} "Kestrum runs in session $kestrumSession (process $kestrumId), where setup cannot ask it to end. Close it there, then run this program again. Nothing was changed."
        ${ElseIf} $5 <> 0
            !insertmacro STOP ${EXIT_KESTRUM_STILL_RUNNING} "Kestrum (process $kestrumId, session $kestrumSession) is running and did not end when asked to. Close it, then run this program again. Nothing was changed."
        ${EndIf}
    ${Loop}
FunctionEnd

; A stopped run leaves things as they were: the folder it made goes, and the Kestrum it closed
; runs again as after an installation.
Function ${un}PutBack
    ${If} $createdFolder = 1
        ; The reason shown after this may name the folder in $R8.
        Push $R8
        StrCpy $R8 $INSTDIR
        Call ${un}RemoveFolderIfEmpty
        Pop $R8
    ${EndIf}
    ${If} $closedKestrum != ""
    ${AndIf} ${FileExists} "$closedKestrum"
        !insertmacro START_KESTRUM "$closedKestrum"
    ${EndIf}
FunctionEnd

; Removes the installation in the folder $R8, whose Kestrum has been closed: the program (after
; which nothing stops the removal), the Run value and the registration while they are still this
; installation's, a Qelt.dll that setup put there, the uninstaller, and the folder when nothing
; else is left in it.
Function ${un}RemoveInstallation
    ; The registration goes only once the program has: otherwise this uninstaller can run again.
    ${If} ${FileExists} "$R8\Kestrum.exe"
        ClearErrors
        Delete "$R8\Kestrum.exe"
        ${If} ${Errors}
            !insertmacro STOP ${EXIT_KESTRUM_STILL_RUNNING} "Cannot remove $R8\Kestrum.exe, which another program holds open. Close it, then run this program again. Nothing was changed."
        ${EndIf}
    ${EndIf}

    ; Values that another installation has since taken over stay.
    ReadRegStr $0 HKLM "${RUN_KEY}" "Kestrum"
    ${If} $0 == '"$R8\Kestrum.exe"'
        DeleteRegValue HKLM "${RUN_KEY}" "Kestrum"
    ${EndIf}
    ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "BundledQeltDll"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $R8
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        ${If} $1 = 1
            Delete "$R8\Qelt.dll"
        ${EndIf}
    ${EndIf}
    ; Both stay while the uninstaller that the registered commands started in place still
    ; runs: SweepFolder removes them once it has ended.
    Delete "$R8\Uninstall.exe"
    Call ${un}RemoveFolderIfEmpty
FunctionEnd

; Removes the folder $R8 when nothing is left in it. An empty folder can still be held open a
; moment by another program (an indexer, a virus scanner, one that was started there and is
; ending): that is waited for, within a bound; a file left in it ends the wait at once.
Function ${un}RemoveFolderIfEmpty
    Push $0
    Push $1
    ${For} $0 1 50
        RMDir "$R8"
        ${DirState} "$R8" $1
        ${IfThen} $1 <> 0 ${|} ${Break} ${|}
        Sleep 100
    ${Next}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

Function .onInit
    !insertmacro TAKE_SETUP_LOCK
    Call RefuseDowngrade
    ; A /D= folder that NSIS finds unusable (a relative path, a file in its path) is silently
    ; replaced before this runs, and removed from $CMDLINE; the process's own command line
    ; still holds what was asked for, which is what the installation judges.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ClearErrors
    ${WordFind} $0 " /D=" "E+1}" $1
    ${IfNot} ${Errors}
        StrCpy $INSTDIR $1
    ${Else}
        ; An installation that an earlier setup put elsewhere moves to the default folder.
        StrCpy $R9 $INSTDIR
        Call AllowedFolder
        ${If} $R0 == ""
            StrCpy $INSTDIR "${PROGRAM_FILES}\Kestrum"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/SWEEP" $1
    ${IfNot} ${Errors}
        Call un.SweepFolder
    ${ElseIf} $EXEPATH == "$INSTDIR\Uninstall.exe"
        Call un.RunCopyAndWait
    ${EndIf}
    !insertmacro TAKE_SETUP_LOCK
FunctionEnd

; The registered commands start this program in place (_?=), so that they end with the
; uninstallation and return its code. A running program's file cannot be removed, so a copy of
; it in the plug-ins folder does the work, and on success another one sweeps this file and the
; folder once this process has ended.
Function un.RunCopyAndWait
    InitPluginsDir
    StrCpy $0 ""
    ${If} ${Silent}
        StrCpy $0 "/S "
    ${EndIf}
    StrCpy $1 2
    System::Call 'kernel32::CopyFileW(w "$EXEPATH", w "$PLUGINSDIR\Uninstall.exe", i 1) i .r2'
    ${If} $2 <> 0
        ClearErrors
        ExecWait '"$PLUGINSDIR\Uninstall.exe" $0_?=$INSTDIR' $1
        ${If} ${Errors}
            StrCpy $1 2
        ${ElseIf} $1 = 0
            Exec '"$PLUGINSDIR\Uninstall.exe" /SWEEP _?=$INSTDIR'
        ${EndIf}
    ${EndIf}
    SetErrorLevel $1
    Quit
FunctionEnd

; Removes the uninstaller that ran in place once it has ended, within a bound, and then the
; folder when nothing else is left in it.
Function un.SweepFolder
    ${For} $0 1 100
        Delete "$INSTDIR\Uninstall.exe"
        ${IfNotThen} ${FileExists} "$INSTDIR\Uninstall.exe" ${|} ${Break} ${|}
        Sleep 100
    ${Next}
    StrCpy $R8 $INSTDIR
    Call un.RemoveFolderIfEmpty
    Quit
FunctionEnd

; An older setup over a newer installation would take its fixes away without a word.
Function RefuseDowngrade
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 != ""
        ${VersionCompare} $0 "${VERSION}" $1
        ${If} $1 = 1
            !insertmacro STOP ${EXIT_NEWER_INSTALLED} "Kestrum $0 is installed, which is newer than this setup's ${VERSION}. To go back to ${VERSION}, uninstall Kestrum first. Nothing was changed."
        ${EndIf}
    ${EndIf}
FunctionEnd

; $R0: the folder $R9 as Windows resolves it ("." and ".." taken out) when that lies inside
; the Program Files folder, else empty. Only a path from a drive's root counts: a relative one
; would be resolved against a working folder that nobody chose.
Function AllowedFolder
    StrCpy $R0 ""
    StrCpy $0 $R9 2 1
    ${If} $0 == ":\"
    ${OrIf} $0 == ":/"
        System::Call 'kernel32::GetFullPathNameW(w R9, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
        ${If} $2 > 0
        ${AndIf} $2 < ${NSIS_MAX_STRLEN}
            StrCpy $3 $1 1 -1
            ${If} $3 == "\"
                StrCpy $1 $1 -1
            ${EndIf}
            StrLen $3 "${PROGRAM_FILES}\"
            StrCpy $4 $1 $3
            StrCpy $5 $1 "" $3
            ${If} $4 == "${PROGRAM_FILES}\"
            ${AndIf} $5 != ""
                StrCpy $R0 $1
            ${EndIf}
        ${EndIf}
    ${EndIf}
FunctionEnd

; $R0: 1 when $R9, which exists, resolves to itself, so that no junction or symbolic link on
; its way sends what is written there elsewhere; else 0.
Function ReachedWithoutLink
    StrCpy $R0 0
    System::Call 'kernel32::CreateFileW(w R9, i ${FILE_READ_ATTRIBUTES}, i ${FILE_SHARE_ALL}, p 0, i ${OPEN_EXISTING}, i ${FILE_FLAG_BACKUP_SEMANTICS}, p 0) p .r0'
    ${If} $0 P<> -1
        System::Call 'kernel32::GetFinalPathNameByHandleW(p r0, w .r1, i ${NSIS_MAX_STRLEN}, i 0) i .r2'
        System::Call 'kernel32::CloseHandle(p r0)'
        ${If} $2 > 0
        ${AndIf} $1 == "\\?\$R9"
            StrCpy $R0 1
        ${EndIf}
    ${EndIf}
FunctionEnd

Function CheckReachedWithoutLink
    Call ReachedWithoutLink
    ${If} $R0 <> 1
        !insertmacro STOP ${EXIT_FOLDER_NOT_ALLOWED} "${ALLOWED_FOLDERS} $R9 is reached through one. Nothing was installed."
    ${EndIf}
FunctionEnd

Function CheckQeltFound
!ifndef BUNDLE_QELT
    ${IfNot} ${FileExists} "$INSTDIR\Qelt.dll"
    ${AndIfNot} ${FileExists} "$SYSDIR\Qelt.dll"
        !insertmacro STOP ${EXIT_NO_QELT} "Kestrum needs the notebook maker's Qelt.dll, in $SYSDIR or in $INSTDIR, and cannot start without it. Install the maker's system software first, then run this program again. Nothing was installed."
    ${EndIf}
!endif
FunctionEnd

; The install folder judged on its final path, then made, judged again and written once.
; Everything that can stop the installation is checked before the first change.
Function PrepareFolder
    StrCpy $R9 $INSTDIR
    Call AllowedFolder
    ${If} $R0 == ""
        !insertmacro STOP ${EXIT_FOLDER_NOT_ALLOWED} "${ALLOWED_FOLDERS} $INSTDIR is not such a folder. Nothing was installed."
    ${EndIf}
    StrCpy $INSTDIR $R0
    StrCpy $R9 $INSTDIR
    ; The part of its path that exists already, so that nothing is made through a link.
    ${Do}
        ${GetParent} $R9 $R9
        ${IfThen} $R9 == "" ${|} ${Break} ${|}
    ${LoopUntil} ${FileExists} "$R9"
    Call CheckReachedWithoutLink

    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $createdFolder 1
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    ${If} ${Errors}
        StrCpy $createdFolder 0
        !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot create $INSTDIR. Choose another folder. Nothing was installed."
    ${EndIf}
    StrCpy $R9 $INSTDIR
    Call CheckReachedWithoutLink
    ; A file of its own, made new and gone with its handle: nothing that was there already is
    ; followed, overwritten or deleted.
    System::Call 'kernel32::GetCurrentProcessId() i .r0'
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\Kestrum-setup-$0.tmp", i ${WRITE_AND_DELETE}, i 0, p 0, i ${CREATE_NEW}, i ${NEW_FILE_NOT_LINK}, p 0) p .r1'
    ${If} $1 P= -1
        !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot write to $INSTDIR. Choose another folder or run setup as an administrator. Nothing was installed."
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r1)'
FunctionEnd

; Once no Kestrum runs any more, a program file in the folder $R9 that is still held open (by
; another program, say) could not be replaced either. Asked of the file itself, not of where a
; link in its place would lead.
Function CheckProgramReplaceable
    System::Call 'kernel32::CreateFileW(w "$R9\Kestrum.exe", i ${GENERIC_WRITE}, i ${FILE_SHARE_READ}, p 0, i ${OPEN_EXISTING}, i ${FILE_FLAG_OPEN_REPARSE_POINT}, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 P<> -1
        System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 <> ${ERROR_FILE_NOT_FOUND}
        !insertmacro STOP ${EXIT_FOLDER_NOT_WRITABLE} "Setup cannot replace $R9\Kestrum.exe, which another program holds open. Close it, then run this program again. Nothing was changed."
    ${EndIf}
FunctionEnd

; One Kestrum stays registered: installing into another folder removes the registered
; installation first. Files that are reached through a link now stay where they are.
Function RemoveOldInstallation
    StrCpy $R9 "$oldFolder\Kestrum.exe"
    Call CloseKestrumsOf
    StrCpy $R9 $oldFolder
    Call CheckProgramReplaceable
    Call ReachedWithoutLink
    ${If} $R0 <> 1
    ${AndIf} ${FileExists} "$oldFolder\*.*"
        DetailPrint "Leaving the files in $oldFolder, which is reached through a junction or symbolic link"
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        Return
    ${EndIf}
    StrCpy $R8 $oldFolder
    Call RemoveInstallation
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
    ; In place (_?=, which must come last): NSIS's own copy in the temporary folder would be
    ; started and left to itself (see un.RunCopyAndWait).
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" _?=$INSTDIR'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Section "Kestrum"
    Call CheckQeltFound
    Call PrepareFolder
    ReadRegStr $oldFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $oldFolder == $INSTDIR
        StrCpy $oldFolder ""
    ${EndIf}
    StrCpy $R9 "$INSTDIR\Kestrum.exe"
    Call CloseKestrumsOf
    StrCpy $R9 $INSTDIR
    Call CheckProgramReplaceable
    ${If} $oldFolder != ""
        Call RemoveOldInstallation
    ${EndIf}
    ; Once more just before the first file is written.
    StrCpy $R9 $INSTDIR
    Call CheckReachedWithoutLink

    SetOutPath "$INSTDIR"
    File "${STAGE}\Kestrum.exe"
    Call InstallBundledQelt
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    Call WriteRegistration
    WriteRegStr HKLM "${RUN_KEY}" "Kestrum" '"$INSTDIR\Kestrum.exe"'
    !insertmacro START_KESTRUM "$INSTDIR\Kestrum.exe"
SectionEnd

Section "Uninstall"
    StrCpy $R9 "$INSTDIR\Kestrum.exe"
    Call un.CloseKestrumsOf
    StrCpy $R8 $INSTDIR
    Call un.RemoveInstallation
SectionEnd
