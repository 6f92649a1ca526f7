; The per-user installer TalsekTray-<version>-win64-setup.exe (and -win32- for the 32-bit
; programs): both programs and the read-me into %LOCALAPPDATA%\Programs\TalsekTray, a Start menu
; folder, the optional start at log-on and an entry in "Apps & features", all below
; HKEY_CURRENT_USER; no administrator rights. Both installers use the same folder, shortcuts and
; keys, so either replaces an installation of the other and keeps the settings.
; Built by packaging/Pakete.cmake during `cpack`, which passes
;   VERSION  the program version        STAGE  the folder with the files to install
;   OUTFILE  the installer to write     ICON   the program icon
;   TARGET   amd64-unicode or x86-unicode, the installer's own machine type, as the programs'
;   SIGN     only when a certificate is given: a command that signs the file named after it in
;            place; makensis runs it on the uninstaller before packing it and on the finished installer
; This file is UTF-8 (makensis -INPUTCHARSET UTF8).

Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalsekTray"

Name "TalsekTray ${VERSION}"
OutFile "${OUTFILE}"
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif
InstallDir "$LOCALAPPDATA\Programs\TalsekTray"
BrandingText "Holvarin"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "TalsekTray"
VIAddVersionKey /LANG=1031 "CompanyName" "Holvarin"
VIAddVersionKey /LANG=1031 "FileDescription" "Installation von TalsekTray"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Holvarin"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\TalsekTray.exe"
!define MUI_FINISHPAGE_RUN_TEXT "TalsekTray jetzt starten"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; The messages with which TalsekTray (Main/Texte.h) and the editor talsek.exe (Talsek/Texte.h) end at
; once, whatever they are doing.
!define SOFORT_BEENDEN "TalsekTraySofortBeenden"
!define EDITOR_SOFORT_BEENDEN "TalsekOptionenSofortBeenden"

; What the installer and the uninstaller say when they cannot finish; $R9 holds the file's or the
; key's name. In silent mode no box is shown: the text goes to %TEMP%\TalsekTray-Setup.log (UTF-16),
; and the exit code is 2 either way.
!define TEXT_IN_GEBRAUCH "Die Datei „$R9“ ist in Gebrauch und kann nicht ersetzt werden.$\r$\nSchließen Sie das Programm, das sie geöffnet hat, und starten Sie die Installation erneut.$\r$\nDie bisherige Installation bleibt unverändert."
!define TEXT_NICHT_GESCHRIEBEN "Die Datei „$R9“ konnte nicht geschrieben werden.$\r$\nDie bisherige Installation bleibt unverändert."
!define TEXT_NICHT_EINGERICHTET "„$R9“ konnte nicht angelegt werden.$\r$\nTalsekTray ist installiert, aber nicht vollständig eingerichtet. Bitte starten Sie die Installation erneut."
!define TEXT_NICHT_ENTFERNT "Die Datei „$R9“ ist in Gebrauch und kann nicht entfernt werden.$\r$\nSchließen Sie das Programm, das sie geöffnet hat, und entfernen Sie TalsekTray erneut. Bis dahin bleibt es unter „Apps“ eingetragen."
; Not a failure: everything is removed, only files that a running program still maps wait, in the
; folder $R7, for the next log-on; $R6 names them, each on a line of its own. The exit code stays 0:
; nothing is left that removing again could remove, and the entry that would allow it is gone.
!define TEXT_BEIM_ANMELDEN "TalsekTray wurde entfernt.$\r$\nNoch in Gebrauch und daher erst bei der nächsten Anmeldung gelöscht (bis dahin im Ordner „$R7“):$R6"

; Shows a text in a box, or with /S writes it to the log.
!macro Melden text icon
  DetailPrint "${text}"
  ${If} ${Silent}
    ClearErrors
    FileOpen $R8 "$TEMP\TalsekTray-Setup.log" w
    ${IfNot} ${Errors}
      FileWriteUTF16LE /BOM $R8 "${text}$\r$\n"
      FileClose $R8
    ${EndIf}
  ${EndIf}
  MessageBox MB_OK|${icon} "${text}" /SD IDOK
!macroend

; Says why the setup stops and stops it with exit code 2, with /S too.
!macro Scheitern text
  !insertmacro Melden "${text}" MB_ICONSTOP
  SetErrorLevel 2
  Quit
!macroend

; Ends a running program before its files are replaced or removed, in any state: TalsekTray may show
; its start-up box, an error box or its menu, the editor a box over its dialog. Its window gets the
; program's registered message, which it answers by ending at once (the editor without saving, as
; "Abbrechen" does), and WM_CLOSE for a program that predates that message. What has not ended after
; five seconds is ended by force, and waited for, so that no file stays in use. TalsekTray's hidden
; main form is looked for by class and caption (the application window beside it has the caption
; "Talsektray", and FindWindow compares captions without regard to case), the editor's dialog by its
; class alone. Takes, from the stack: the window class, the caption ("" for any), the message's name.
!macro ProgrammBeenden un
Function ${un}ProgrammBeenden
  Exch $R2 ; message
  Exch
  Exch $R1 ; caption
  Exch 2
  Exch $R0 ; class
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  FindWindow $0 $R0 $R1
  ${If} $0 <> 0
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    ; SYNCHRONIZE | PROCESS_TERMINATE
    System::Call "kernel32::OpenProcess(i 0x00100001, i 0, i r1) p .r2"
    System::Call "user32::RegisterWindowMessageW(w R2) i .r3"
    System::Call "user32::PostMessageW(p r0, i r3, p 0, p 0)"
    System::Call "user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)"
    ${If} $2 P<> 0
      ; WAIT_OBJECT_0 is 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 5000) i .r4"
      ${If} $4 <> 0
        System::Call "kernel32::TerminateProcess(p r2, i 1)"
        System::Call "kernel32::WaitForSingleObject(p r2, i 5000)"
      ${EndIf}
      System::Call "kernel32::CloseHandle(p r2)"
    ${Else}
      ${For} $3 1 50
        Sleep 100
        FindWindow $0 $R0 $R1
        ${IfThen} $0 = 0 ${|} ${ExitFor} ${|}
      ${Next}
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
  Pop $R0
  Pop $R1
  Pop $R2
FunctionEnd

Function ${un}ProgrammeBeenden
  Push "TMainForm"
  Push "TalsekTray"
  Push "${SOFORT_BEENDEN}"
  Call ${un}ProgrammBeenden
  Push "TalsekOptionen"
  Push ""
  Push "${EDITOR_SOFORT_BEENDEN}"
  Call ${un}ProgrammBeenden
FunctionEnd
!macroend
!insertmacro ProgrammBeenden ""
!insertmacro ProgrammBeenden "un."

; The installed files. Replacing or removing them is all or nothing: each old file is first renamed
; beside itself (which fails while another program holds it open), and only when every one could be
; is anything written or deleted; otherwise the renamed ones go back.
!macro JedeDatei macro
  !insertmacro ${macro} "TalsekTray.exe"
  !insertmacro ${macro} "talsek.exe"
  !insertmacro ${macro} "LIESMICH.txt"
  !insertmacro ${macro} "uninstall.exe"
!macroend

; Renames $INSTDIR\name to name.alt; on failure $R9 names the first file that would not move.
!macro Beiseite name
  ${If} $R9 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${name}"
    Delete "$INSTDIR\${name}.alt"
    ClearErrors
    Rename "$INSTDIR\${name}" "$INSTDIR\${name}.alt"
    ${If} ${Errors}
      StrCpy $R9 "$INSTDIR\${name}"
    ${EndIf}
  ${EndIf}
!macroend

!macro Zurueck name
  ${If} ${FileExists} "$INSTDIR\${name}.alt"
    Delete "$INSTDIR\${name}"
    Rename "$INSTDIR\${name}.alt" "$INSTDIR\${name}"
  ${EndIf}
!macroend

; Deletes a renamed file, as long as each before it went. One that Windows renamed but will not
; delete goes to the folder for the next log-on (un.Restordner) and onto the list $R6; $R9 names the
; first that can go neither way.
!macro Entfernen name
  ${If} $R9 == ""
    Delete "$INSTDIR\${name}.alt"
    ${If} ${FileExists} "$INSTDIR\${name}.alt"
      Call un.Restordner
      StrCpy $0 0
      ${If} $R7 != ""
        ; No MOVEFILE_COPY_ALLOWED: a copy on another drive would leave the original where it is.
        System::Call 'kernel32::MoveFileExW(w "$INSTDIR\${name}.alt", w "$R7\${name}", i 0) i .r0'
      ${EndIf}
      ${If} $0 <> 0
        StrCpy $R6 "$R6$\r$\n„$INSTDIR\${name}“"
      ${Else}
        StrCpy $R9 "$INSTDIR\${name}"
      ${EndIf}
    ${EndIf}
  ${EndIf}
!macroend

!macro NeuWeg name
  Delete "$INSTDIR\${name}.neu"
!macroend

!macro AltWeg name
  Delete "$INSTDIR\${name}.alt"
!macroend

; Puts name.neu in place of name; on failure $R9 names it.
!macro Einsetzen name
  ${If} $R9 == ""
    ClearErrors
    Rename "$INSTDIR\${name}.neu" "$INSTDIR\${name}"
    ${IfThen} ${Errors} ${|} StrCpy $R9 "$INSTDIR\${name}" ${|}
  ${EndIf}
!macroend

; Writes one new file as name.neu; on failure $R9 names it.
!macro Auspacken name
  ${If} $R9 == ""
    ClearErrors
    File "/oname=${name}.neu" "${STAGE}/${name}"
    ${IfThen} ${Errors} ${|} StrCpy $R9 "$INSTDIR\${name}" ${|}
  ${EndIf}
!macroend

; A step after the files are in place (shortcut, registry value): its failure stops the setup too.
!macro Geprueft what
  ${If} ${Errors}
    StrCpy $R9 "${what}"
    !insertmacro Scheitern "${TEXT_NICHT_EINGERICHTET}"
  ${EndIf}
!macroend

Section "TalsekTray" SecProgramm
  SectionIn RO
  Call ProgrammeBeenden
  StrCpy $R9 ""
  ClearErrors
  CreateDirectory "$INSTDIR"
  SetOutPath "$INSTDIR"
  ; "try": a file that cannot be written sets the error flag instead of asking Abort/Retry/Ignore.
  SetOverwrite try
  ${If} ${Errors}
    StrCpy $R9 "$INSTDIR"
  ${EndIf}
  !insertmacro Auspacken "TalsekTray.exe"
  !insertmacro Auspacken "talsek.exe"
  !insertmacro Auspacken "LIESMICH.txt"
  ${If} $R9 == ""
    ClearErrors
    WriteUninstaller "$INSTDIR\uninstall.exe.neu"
    ${IfThen} ${Errors} ${|} StrCpy $R9 "$INSTDIR\uninstall.exe" ${|}
  ${EndIf}
  ${If} $R9 != ""
    !insertmacro JedeDatei NeuWeg
    !insertmacro Scheitern "${TEXT_NICHT_GESCHRIEBEN}"
  ${EndIf}

  !insertmacro JedeDatei Beiseite
  ${If} $R9 != ""
    !insertmacro JedeDatei Zurueck
    !insertmacro JedeDatei NeuWeg
    !insertmacro Scheitern "${TEXT_IN_GEBRAUCH}"
  ${EndIf}
  !insertmacro JedeDatei Einsetzen
  ${If} $R9 != ""
    !insertmacro JedeDatei Zurueck
    !insertmacro JedeDatei NeuWeg
    !insertmacro Scheitern "${TEXT_NICHT_GESCHRIEBEN}"
  ${EndIf}
  ; Nothing holds the old files any more; one that still cannot go is removed by the next setup.
  !insertmacro JedeDatei AltWeg

  ClearErrors
  CreateDirectory "$SMPROGRAMS\TalsekTray"
  CreateShortcut "$SMPROGRAMS\TalsekTray\TalsekTray.lnk" "$INSTDIR\TalsekTray.exe"
  !insertmacro Geprueft "$SMPROGRAMS\TalsekTray\TalsekTray.lnk"
  CreateShortcut "$SMPROGRAMS\TalsekTray\Talsek-Optionen.lnk" "$INSTDIR\talsek.exe"
  !insertmacro Geprueft "$SMPROGRAMS\TalsekTray\Talsek-Optionen.lnk"

  ; Written again by the next section when chosen: installing over an older installation without
  ; the choice turns the start at log-on off. A missing value sets the error flag too, so it is not checked.
  DeleteRegValue HKCU "${RUN_KEY}" "TalsekTray"

  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "TalsekTray"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Holvarin"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TalsekTray.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, as "Apps & features" reads it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro Geprueft "HKCU\${UNINSTALL_KEY}"
SectionEnd

Section "TalsekTray bei der Anmeldung starten" SecAutostart
  ClearErrors
  WriteRegStr HKCU "${RUN_KEY}" "TalsekTray" '"$INSTDIR\TalsekTray.exe"'
  !insertmacro Geprueft "HKCU\${RUN_KEY}"
SectionEnd

; The image of a running program can be renamed but not deleted: another session's TalsekTray, one
; that would not end, or the shell that reads the icon. Without administrator rights no delete can
; be scheduled for the next start, so such a file leaves the program folder for a folder of its own
; under %TEMP%, made here ($R7, "" until one is needed), and a RunOnce value ($R5) removes that
; folder, and nothing else, at the next log-on. The value is written before anything is moved, so
; that nothing lies there without it. cmd.exe is the one program every Windows has that removes a
; folder; after /c the line does not start with a quote, so cmd keeps the quotes around the path,
; and the value is UTF-16 as the path is.
Function un.Restordner
  ${If} $R7 == ""
    Push $0
    Push $1
    Push $2
    StrCpy $1 0
    ${Do}
      IntOp $1 $1 + 1
      System::Call 'kernel32::CreateDirectoryW(w "$TEMP\TalsekTray-Entfernen-$1", p 0) i .r0 ?e'
      Pop $2
      ; ERROR_ALREADY_EXISTS: a folder of an earlier uninstall that still waits for its log-on.
      ${If} $0 <> 0
      ${OrIf} $2 <> 183
      ${OrIf} $1 >= 1000
        ${ExitDo}
      ${EndIf}
    ${Loop}
    ${If} $0 <> 0
      ClearErrors
      WriteRegStr HKCU "${RUNONCE_KEY}" "TalsekTray-Entfernen-$1" \
          '"$SYSDIR\cmd.exe" /c rmdir /s /q "$TEMP\TalsekTray-Entfernen-$1"'
      ${If} ${Errors}
        RMDir "$TEMP\TalsekTray-Entfernen-$1"
      ${Else}
        StrCpy $R7 "$TEMP\TalsekTray-Entfernen-$1"
        StrCpy $R5 "TalsekTray-Entfernen-$1"
      ${EndIf}
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
  ${EndIf}
FunctionEnd

; The entry in "Apps & features", the start at log-on and the shortcuts go only once no file is left
; in the program folder; a file in use keeps everything, the uninstaller itself among it, so that
; removing can be tried again.
Section "Uninstall"
  Call un.ProgrammeBeenden
  StrCpy $R9 ""
  StrCpy $R7 ""
  StrCpy $R6 ""
  !insertmacro JedeDatei Beiseite
  ${If} $R9 != ""
    !insertmacro JedeDatei Zurueck
    !insertmacro Scheitern "${TEXT_NICHT_ENTFERNT}"
  ${EndIf}
  ; The uninstaller comes last: while anything stays, it stays too.
  !insertmacro JedeDatei Entfernen
  ${If} $R9 != ""
    !insertmacro JedeDatei Zurueck
    ; What went to the folder stays there, for its RunOnce value; an empty one goes with its value.
    ${If} $R6 == ""
    ${AndIf} $R7 != ""
      RMDir "$R7"
      DeleteRegValue HKCU "${RUNONCE_KEY}" "$R5"
    ${EndIf}
    !insertmacro Scheitern "${TEXT_NICHT_ENTFERNT}"
  ${EndIf}
  ; What an interrupted setup may have left beside them.
  !insertmacro JedeDatei NeuWeg
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\TalsekTray\TalsekTray.lnk"
  Delete "$SMPROGRAMS\TalsekTray\Talsek-Optionen.lnk"
  RMDir "$SMPROGRAMS\TalsekTray"

  DeleteRegValue HKCU "${RUN_KEY}" "TalsekTray"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $R6 != ""
    !insertmacro Melden "${TEXT_BEIM_ANMELDEN}" MB_ICONINFORMATION
  ${EndIf}
  ; The settings under HKCU\Software\Holvarin\Talsek stay: they are the user's, and the ZIP's
  ; programs read them too.
SectionEnd
