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

; The message with which TalsekTray ends at once, whatever it is doing (Main/Texte.h).
!define SOFORT_BEENDEN "TalsekTraySofortBeenden"

; Ends a running TalsekTray before its files are replaced or removed, in any state: its start-up box,
; an error box or its menu may be open. Its hidden main form (class TMainForm, caption "TalsekTray";
; the application window beside it has the caption "Talsektray", and FindWindow compares captions
; without regard to case, hence the class) gets the message above, and WM_CLOSE for a TalsekTray that
; predates it, which ends on WM_CLOSE as its own "Beenden" does, at least while no box is open. What
; has not ended after five seconds is ended by force, and waited for, so that no file stays in use.
!macro TalsekTrayBeenden un
Function ${un}TalsekTrayBeenden
  FindWindow $0 "TMainForm" "TalsekTray"
  ${If} $0 = 0
    Return
  ${EndIf}
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  ; SYNCHRONIZE | PROCESS_TERMINATE
  System::Call "kernel32::OpenProcess(i 0x00100001, i 0, i r1) p .r2"
  System::Call "user32::RegisterWindowMessageW(w '${SOFORT_BEENDEN}') i .r3"
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
      FindWindow $0 "TMainForm" "TalsekTray"
      ${IfThen} $0 = 0 ${|} ${ExitFor} ${|}
    ${Next}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro TalsekTrayBeenden ""
!insertmacro TalsekTrayBeenden "un."

Section "TalsekTray" SecProgramm
  SectionIn RO
  Call TalsekTrayBeenden
  SetOutPath "$INSTDIR"
  File "${STAGE}/TalsekTray.exe"
  File "${STAGE}/talsek.exe"
  File "${STAGE}/LIESMICH.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\TalsekTray"
  CreateShortcut "$SMPROGRAMS\TalsekTray\TalsekTray.lnk" "$INSTDIR\TalsekTray.exe"
  CreateShortcut "$SMPROGRAMS\TalsekTray\Talsek-Optionen.lnk" "$INSTDIR\talsek.exe"

  ; Written again by the next section when chosen: installing over an older installation without
  ; the choice turns the start at log-on off.
  DeleteRegValue HKCU "${RUN_KEY}" "TalsekTray"

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
SectionEnd

Section "TalsekTray bei der Anmeldung starten" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "TalsekTray" '"$INSTDIR\TalsekTray.exe"'
SectionEnd

Section "Uninstall"
  Call un.TalsekTrayBeenden
  Delete "$INSTDIR\TalsekTray.exe"
  Delete "$INSTDIR\talsek.exe"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\TalsekTray\TalsekTray.lnk"
  Delete "$SMPROGRAMS\TalsekTray\Talsek-Optionen.lnk"
  RMDir "$SMPROGRAMS\TalsekTray"

  DeleteRegValue HKCU "${RUN_KEY}" "TalsekTray"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings under HKCU\Software\Holvarin\Talsek stay: they are the user's, and the ZIP's
  ; programs read them too.
SectionEnd
