; The Windows installer, made by NSIS's makensis in the windows build
; (cmake/windows-download.cmake), which defines:
;   VERSION, VERSION_WINDOWS   the version, as 0.1.0 and as 0.1.0.0
;   EDITOR                     the publisher, as the program's version
;                              information names it
;   CARPETA                    the folder of the zip: the program, the lesson
;                              file, the courses, the notes, the licences
;   ICONO, SALIDA              the program's icon; the installer to write
;   LATERAL                    the picture of the welcome and finish pages,
;                              a 164 x 314 bitmap
;
; It installs for the user who runs it, with no administrator rights:
;   %LOCALAPPDATA%\Programs\Contapuntos    the program, its licences, the
;                                          uninstaller
;   Documents\Contapuntos                  the lesson folder: CPControl.ini,
;                                          the courses, the notes
;   Documents\Contapuntos\<child>          each child's folder, with the
;                                          chosen course as its CPControl.ini
;   Desktop and Start menu (folder Contapuntos): Contapuntos <child>, which
;   starts the program in that child's folder; with no child named, the
;   shortcut Contapuntos instead, which starts it in the lesson folder.
; With a child named, every shortcut names a child: the plain one, which
; would run the lesson folder's short example for nobody in particular, is
; not made, and one that an earlier install made is removed.
; A lesson file is never replaced: installing again keeps every child's
; progress and every change of the parent's. The uninstaller removes the
; program, every shortcut the installer made (recorded under
; HKCU\Software\Contapuntos\Shortcuts as it makes them) and its entry in the
; installed apps, and leaves Documents\Contapuntos as it is.
;
; Silent, for tests and administrators:
;   contapuntos-setup.exe /S [/CHILDREN=Ana,Luis] [/LANG=es|en]
; /CHILDREN names the children, separated by commas, blanks and all
; (/CHILDREN=Ana María,Luis, quoted or not); /LANG chooses their course,
; Spanish or English (by default the language of Windows: Spanish on a
; Spanish Windows, English otherwise). An unknown /LANG ends with exit code 2.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Contapuntos"
!define ACCESOS "Software\Contapuntos\Shortcuts"

Name "Contapuntos"
OutFile "${SALIDA}"
InstallDir "$LOCALAPPDATA\Programs\Contapuntos"
InstallDirRegKey HKCU "${DESINSTALAR}" "InstallLocation"
BrandingText "Contapuntos ${VERSION}"

; The children's names, separated by commas, and their course: es or en.
Var Ninos
Var Idioma
; The shortcuts made for children, named as the finish page names them
; ("Contapuntos Ana, Contapuntos Luis"); empty when no child is named.
Var AccesosNinos
; The finish page's text, which names the shortcuts that start a session.
Var Final
Var CajaNinos
Var BotonIngles

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
; The picture keeps its shape, so that its dots stay round whatever the
; size of the page's font and the display's scaling.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${LATERAL}"
!define MUI_WELCOMEFINISHPAGE_BITMAP_STRETCH AspectFitHeight
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(Bienvenida)"
!insertmacro MUI_PAGE_WELCOME
Page custom PaginaNinos PaginaNinosSalir
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$Final"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_SHOWREADME "$DOCUMENTS\Contapuntos"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(AbrirCarpeta)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(QuitarArriba)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"

LangString Bienvenida ${LANG_ENGLISH} "This installs Contapuntos ${VERSION} for you alone, with no administrator rights.$\r$\n$\r$\nThe program goes in your own programs folder, the lessons in Documents\Contapuntos with the notes README.txt (English) and LEEME.txt (Spanish). On the next page you may type your children's names: each gets a folder and a shortcut of their own, on the Desktop and in the Start menu, that starts a session. With no name, the shortcut Contapuntos starts one in Documents\Contapuntos.$\r$\n$\r$\nA lesson file that is already there is never replaced."
LangString Bienvenida ${LANG_SPANISH} "Se instalará Contapuntos ${VERSION} solo para usted, sin permisos de administrador.$\r$\n$\r$\nEl programa va en su propia carpeta de programas, y las lecciones en Documentos\Contapuntos, con las notas LEEME.txt (en español) y README.txt (en inglés). En la página siguiente puede escribir los nombres de los niños: cada uno tendrá su propia carpeta y su propio acceso directo, en el Escritorio y en el menú Inicio, que inicia una sesión. Sin nombres, el acceso directo Contapuntos inicia una en Documentos\Contapuntos.$\r$\n$\r$\nNunca se reemplaza un archivo de lecciones que ya esté allí."
LangString NinosTitulo ${LANG_ENGLISH} "A course for each child"
LangString NinosTitulo ${LANG_SPANISH} "Un curso para cada niño"
LangString NinosSubtitulo ${LANG_ENGLISH} "Optional: a folder and a shortcut for each child."
LangString NinosSubtitulo ${LANG_SPANISH} "Opcional: una carpeta y un acceso directo para cada niño."
LangString NinosTexto ${LANG_ENGLISH} "Type the children's names, separated by commas (for example: Ana, Luis). Each child gets a folder in Documents\Contapuntos, with the course to 100 as their lesson file, and a shortcut with their name, such as Contapuntos Ana, on the Desktop and in the Start menu. Leave it empty for one child: the shortcut Contapuntos then uses Documents\Contapuntos."
LangString NinosTexto ${LANG_SPANISH} "Escriba los nombres de los niños, separados por comas (por ejemplo: Ana, Luis). Cada niño tendrá una carpeta en Documentos\Contapuntos, con el curso hasta 100 como su archivo de lecciones, y un acceso directo con su nombre, como Contapuntos Ana, en el Escritorio y en el menú Inicio. Déjelo vacío para un solo niño: el acceso directo Contapuntos usará entonces Documentos\Contapuntos."
LangString NinosIdioma ${LANG_ENGLISH} "The course's voice and notes:"
LangString NinosIdioma ${LANG_SPANISH} "La voz y las notas del curso:"
LangString NinosEspanol ${LANG_ENGLISH} "Spanish"
LangString NinosEspanol ${LANG_SPANISH} "Español"
LangString NinosIngles ${LANG_ENGLISH} "English"
LangString NinosIngles ${LANG_SPANISH} "Inglés"
LangString NinosDespues ${LANG_ENGLISH} "To add a child later, run this installer again: it keeps every lesson file."
LangString NinosDespues ${LANG_SPANISH} "Para añadir un niño más adelante, vuelva a ejecutar este instalador: conserva todos los archivos de lecciones."
LangString Terminado ${LANG_ENGLISH} "Contapuntos is installed. For a session, double-click Contapuntos on the Desktop; Escape ends it early.$\r$\n$\r$\nSettings > Apps uninstalls it; your lessons in Documents\Contapuntos stay."
LangString Terminado ${LANG_SPANISH} "Contapuntos está instalado. Para una sesión, haga doble clic en Contapuntos en el Escritorio; Escape la termina antes.$\r$\n$\r$\nConfiguración > Aplicaciones lo desinstala; sus lecciones en Documentos\Contapuntos se quedan."
LangString TerminadoNinos ${LANG_ENGLISH} "Contapuntos is installed. For a child's session, double-click the child's shortcut on the Desktop: $AccesosNinos. Escape ends it early.$\r$\n$\r$\nSettings > Apps uninstalls it; your lessons in Documents\Contapuntos stay."
LangString TerminadoNinos ${LANG_SPANISH} "Contapuntos está instalado. Para la sesión de un niño, haga doble clic en su acceso directo en el Escritorio: $AccesosNinos. Escape la termina antes.$\r$\n$\r$\nConfiguración > Aplicaciones lo desinstala; sus lecciones en Documentos\Contapuntos se quedan."
LangString AbrirCarpeta ${LANG_ENGLISH} "Open the lesson folder"
LangString AbrirCarpeta ${LANG_SPANISH} "Abrir la carpeta de lecciones"
LangString QuitarArriba ${LANG_ENGLISH} "Contapuntos and its shortcuts will be removed from this computer. Your lesson files and recordings in Documents\Contapuntos stay."
LangString QuitarArriba ${LANG_SPANISH} "Se quitarán Contapuntos y sus accesos directos de este equipo. Sus archivos de lecciones y grabaciones en Documentos\Contapuntos se quedan."
LangString IdiomaDesconocido ${LANG_ENGLISH} "Unknown course language /LANG=$0: use /LANG=es or /LANG=en."
LangString IdiomaDesconocido ${LANG_SPANISH} "Idioma del curso desconocido, /LANG=$0: use /LANG=es o /LANG=en."

VIProductVersion "${VERSION_WINDOWS}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Contapuntos"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Contapuntos installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${EDITOR}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${EDITOR}. MIT licence; recordings CC BY-SA 3.0, Allison Smith."

; The course follows the language of Windows unless /LANG says otherwise;
; /CHILDREN fills the children's page, or stands for it when silent. The
; quotes go first, wherever they are: a program that starts the installer
; may quote the whole option ("/CHILDREN=Ana María,Luis"), which would hide
; it, and no name keeps a quote.
Function .onInit
  IntOp $0 $LANGUAGE & 0x3FF
  ${If} $0 = 0x0A
    StrCpy $Idioma es
  ${Else}
    StrCpy $Idioma en
  ${EndIf}
  ${GetParameters} $1
  ${WordReplace} $1 '"' "" "+" $1
  ClearErrors
  ${GetOptions} $1 "/CHILDREN=" $0
  ${IfNot} ${Errors}
    StrCpy $Ninos $0
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/LANG=" $0
  ${IfNot} ${Errors}
    ${If} $0 == es
      StrCpy $Idioma es
    ${ElseIf} $0 == en
      StrCpy $Idioma en
    ${Else}
      MessageBox MB_ICONSTOP "$(IdiomaDesconocido)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function PaginaNinos
  !insertmacro MUI_HEADER_TEXT "$(NinosTitulo)" "$(NinosSubtitulo)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 50u "$(NinosTexto)"
  Pop $0
  ${NSD_CreateText} 0 54u 100% 13u "$Ninos"
  Pop $CajaNinos
  ${NSD_CreateLabel} 0 76u 100% 10u "$(NinosIdioma)"
  Pop $0
  ${NSD_CreateRadioButton} 10u 88u 90% 10u "$(NinosEspanol)"
  Pop $0
  ${NSD_AddStyle} $0 ${WS_GROUP}
  ${NSD_CreateRadioButton} 10u 100u 90% 10u "$(NinosIngles)"
  Pop $BotonIngles
  ${If} $Idioma == en
    ${NSD_Check} $BotonIngles
  ${Else}
    ${NSD_Check} $0
  ${EndIf}
  ${NSD_CreateLabel} 0 118u 100% 20u "$(NinosDespues)"
  Pop $0
  ${NSD_SetFocus} $CajaNinos
  nsDialogs::Show
FunctionEnd

Function PaginaNinosSalir
  ${NSD_GetText} $CajaNinos $Ninos
  ${NSD_GetState} $BotonIngles $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Idioma en
  ${Else}
    StrCpy $Idioma es
  ${EndIf}
FunctionEnd

; A shortcut to the program that starts in the output folder, recorded for
; the uninstaller.
!macro Acceso ENLACE
  CreateShortcut "${ENLACE}" "$INSTDIR\contapuntos.exe"
  WriteRegStr HKCU "${ACCESOS}" "${ENLACE}" ""
!macroend

; A shortcut of an earlier install removed, and its record.
!macro SinAcceso ENLACE
  Delete "${ENLACE}"
  DeleteRegValue HKCU "${ACCESOS}" "${ENLACE}"
!macroend

; The name on the stack, made a file name: without the characters Windows
; forbids in one (< > : " / \ | ? * tabs and line breaks), without blanks
; at either end or dots at its end, at most 40 characters, and never a
; device name such as CON or LPT1 (which gets a _ after it). Empty when
; nothing is left.
Function NombreSeguro
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $1 ""
  StrCpy $3 0
  ${Do}
    StrCpy $2 $0 1 $3
    ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
    IntOp $3 $3 + 1
    StrCpy $5 0
    ${Do}
      StrCpy $4 '<>:"/\|?*$\t$\r$\n' 1 $5
      ${IfThen} $4 == "" ${|} ${ExitDo} ${|}
      ${IfThen} $4 == $2 ${|} ${ExitDo} ${|}
      IntOp $5 $5 + 1
    ${Loop}
    ${IfThen} $4 == "" ${|} StrCpy $1 "$1$2" ${|}
  ${Loop}
  ${Do}
    StrCpy $2 $1 1
    ${IfThen} $2 != " " ${|} ${ExitDo} ${|}
    StrCpy $1 $1 "" 1
  ${Loop}
  StrCpy $1 $1 40
  ${Do}
    StrCpy $2 $1 1 -1
    ${If} $2 != " "
    ${AndIf} $2 != "."
      ${ExitDo}
    ${EndIf}
    StrCpy $1 $1 -1
  ${Loop}
  StrLen $3 $1
  StrCpy $2 $1 3
  StrCpy $4 $1 1 3
  ${If} $3 = 3
    ${If} $2 == CON
    ${OrIf} $2 == PRN
    ${OrIf} $2 == AUX
    ${OrIf} $2 == NUL
      StrCpy $1 "$1_"
    ${EndIf}
  ${ElseIf} $3 = 4
    ${If} $2 == COM
    ${OrIf} $2 == LPT
      ${If} $4 >= 1
      ${AndIf} $4 <= 9
        StrCpy $1 "$1_"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  StrCpy $0 $1
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; A child's folder, with the chosen course as its lesson file unless it has
; one, and the child's shortcuts, which start in it. The child's name, made
; safe, is on the stack.
Function CrearNino
  Exch $0
  SetOutPath "$DOCUMENTS\Contapuntos\$0"
  SetOverwrite off
  ${If} $Idioma == en
    File "/oname=CPControl.ini" "${CARPETA}/course-100-en.ini"
  ${Else}
    File "/oname=CPControl.ini" "${CARPETA}/curso-100-es.ini"
  ${EndIf}
  SetOverwrite on
  !insertmacro Acceso "$DESKTOP\Contapuntos $0.lnk"
  !insertmacro Acceso "$SMPROGRAMS\Contapuntos\Contapuntos $0.lnk"
  ${If} $AccesosNinos == ""
    StrCpy $AccesosNinos "Contapuntos $0"
  ${Else}
    StrCpy $AccesosNinos "$AccesosNinos, Contapuntos $0"
  ${EndIf}
  Pop $0
FunctionEnd

; Each name of $Ninos that has something left once made safe.
Function CrearNinos
  StrCpy $R0 $Ninos
  ${DoWhile} $R0 != ""
    StrCpy $R2 0
    ${Do}
      StrCpy $R3 $R0 1 $R2
      ${If} $R3 == ","
      ${OrIf} $R3 == ""
        ${ExitDo}
      ${EndIf}
      IntOp $R2 $R2 + 1
    ${Loop}
    StrCpy $R1 ""
    ${IfThen} $R2 > 0 ${|} StrCpy $R1 $R0 $R2 ${|}
    IntOp $R2 $R2 + 1
    StrCpy $R0 $R0 "" $R2
    Push $R1
    Call NombreSeguro
    Pop $R1
    ${If} $R1 != ""
      Push $R1
      Call CrearNino
    ${EndIf}
  ${Loop}
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "${CARPETA}/contapuntos.exe"
  File "${CARPETA}/LICENSE.txt"
  File "${CARPETA}/LICENSE-recordings.txt"
  File "${CARPETA}/LICENSE-font.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$DOCUMENTS\Contapuntos"
  File "${CARPETA}/README.txt"
  File "${CARPETA}/LEEME.txt"
  SetOverwrite off
  File "${CARPETA}/CPControl.ini"
  File "${CARPETA}/curso-100-es.ini"
  File "${CARPETA}/course-100-en.ini"
  SetOverwrite on
  CreateDirectory "$SMPROGRAMS\Contapuntos"
  Call CrearNinos
  ${If} $AccesosNinos == ""
    !insertmacro Acceso "$DESKTOP\Contapuntos.lnk"
    !insertmacro Acceso "$SMPROGRAMS\Contapuntos\Contapuntos.lnk"
    StrCpy $Final "$(Terminado)"
  ${Else}
    !insertmacro SinAcceso "$DESKTOP\Contapuntos.lnk"
    !insertmacro SinAcceso "$SMPROGRAMS\Contapuntos\Contapuntos.lnk"
    StrCpy $Final "$(TerminadoNinos)"
  ${EndIf}

  WriteRegStr HKCU "${DESINSTALAR}" "DisplayName" "Contapuntos"
  WriteRegStr HKCU "${DESINSTALAR}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${DESINSTALAR}" "Publisher" "${EDITOR}"
  WriteRegStr HKCU "${DESINSTALAR}" "DisplayIcon" "$INSTDIR\contapuntos.exe"
  WriteRegStr HKCU "${DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${DESINSTALAR}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKCU "${DESINSTALAR}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${DESINSTALAR}" "EstimatedSize" $0
SectionEnd

Section Uninstall
  StrCpy $0 0
  ${Do}
    EnumRegValue $1 HKCU "${ACCESOS}" $0
    ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
    Delete "$1"
    IntOp $0 $0 + 1
  ${Loop}
  DeleteRegKey HKCU "Software\Contapuntos"
  RMDir "$SMPROGRAMS\Contapuntos"

  Delete "$INSTDIR\contapuntos.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\LICENSE-recordings.txt"
  Delete "$INSTDIR\LICENSE-font.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${DESINSTALAR}"
SectionEnd
