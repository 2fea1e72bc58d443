; The installer of tirages for Windows, in French: for the player alone, with
; no administrator rights, in their own programs folder; an entry in the Start
; menu, and an uninstaller in Windows' list of programs.
;
;   makensis -DVERSION=0.1.0 -DSTAGE=<folder to install> -DOUTFILE=<setup.exe>
;            -DICON=<tirages.ico> tirages.nsi

; A 64-bit installer for a 64-bit program: it runs where tirages does.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "tirages ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\tirages"
InstallDirRegKey HKCU "Software\tirages" "InstallDir"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tirages"

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "tirages, entraînement aux mots nouveaux du Scrabble francophone.$\r$\n$\r$\nLes listes de mots et le lexique sont tirés du lexique français de Grammalecte (© Olivier R. et ses contributeurs, licence MPL 2.0 : https://mozilla.org/MPL/2.0/) ; voir COPYRIGHT.txt dans le dossier du programme.$\r$\n$\r$\nCliquez sur Suivant pour continuer."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tirages.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "tirages"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\desinstaller.exe"
    CreateShortcut "$SMPROGRAMS\tirages.lnk" "$INSTDIR\tirages.exe" "" "$INSTDIR\tirages.exe" 0
    WriteRegStr HKCU "Software\tirages" "InstallDir" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "tirages"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "tirages"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tirages.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; What the player trained stays: it is in their AppData folder, not here.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\tirages.lnk"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\tirages"
SectionEnd
