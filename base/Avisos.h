// What the program tells a parent in its message boxes: what happened and
// what to do, in Spanish and then the same in English, in Windows-1252 (the
// message box's character set on both systems).
#pragma once

namespace Avisos {

// A text in Spanish and the same in English.
struct Bilingue {
  const char* es;
  const char* en;
};

// The progress could not be saved. The box says kSinGuardar, the advice
// that fits the cause and the program's installation, then kMientrasTanto,
// in each language.
constexpr Bilingue kSinGuardar = {"No se ha podido guardar el avance de la lecci\xF3n.",
                                  "The lesson's progress could not be saved."};
constexpr Bilingue kMientrasTanto = {
    "Mientras tanto, cada vez se repetir\xE1 la misma lecci\xF3n.",
    "Until then, the same lesson will come again every time."};

// CPControl.ini is read-only: one advice for each Instalacion, in its order.
constexpr Bilingue kSoloLectura[] = {
    {"El archivo CPControl.ini de la lecci\xF3n (en Documentos\\Contapuntos o en la carpeta de "
     "un ni\xF1o all\xED) es de solo lectura: haga clic derecho en \xE9l, elija Propiedades y "
     "quite la marca Solo lectura.",
     "The lesson's file CPControl.ini (in Documents\\Contapuntos or a child's folder there) is "
     "read-only: right-click it, choose Properties and clear Read-only."},
    {"El archivo CPControl.ini de la lecci\xF3n (en la carpeta de contapuntos.exe, o en la que "
     "dice \"Iniciar en\" su acceso directo) es de solo lectura: haga clic derecho en \xE9l, "
     "elija Propiedades y quite la marca Solo lectura.",
     "The lesson's file CPControl.ini (in the folder of contapuntos.exe, or the one its "
     "shortcut's \"Start in\" names) is read-only: right-click it, choose Properties and clear "
     "Read-only."},
    {"El archivo CPControl.ini de la lecci\xF3n (en la carpeta dada a contapuntos-lesson, o en "
     "~/.local/share/contapuntos) es de solo lectura: dele permiso de escritura con "
     "chmod u+w CPControl.ini en esa carpeta.",
     "The lesson's file CPControl.ini (in the folder given to contapuntos-lesson, or in "
     "~/.local/share/contapuntos) is read-only: make it writable with chmod u+w CPControl.ini "
     "in that folder."},
    {"El archivo CPControl.ini de la carpeta en la que se inici\xF3 el programa (build/run, con "
     "tools/run) es de solo lectura: dele permiso de escritura con chmod u+w CPControl.ini "
     "en esa carpeta.",
     "The file CPControl.ini of the folder the program was started in (build/run, with "
     "tools/run) is read-only: make it writable with chmod u+w CPControl.ini in that folder."},
};

// The lesson's folder takes no changes (or the save failed some other way,
// a full disk): one advice for each Instalacion, in its order.
constexpr Bilingue kCarpetaSinCambios[] = {
    {"La carpeta de la lecci\xF3n, en Documentos\\Contapuntos, no admite cambios. Si Seguridad "
     "de Windows tiene activado el acceso controlado a carpetas, permita contapuntos.exe "
     "(Protecci\xF3n antivirus y contra amenazas > Protecci\xF3n contra ransomware); si el disco "
     "est\xE1 lleno, libere espacio.",
     "The lesson's folder, in Documents\\Contapuntos, takes no changes. If Windows Security has "
     "Controlled folder access on, allow contapuntos.exe (Virus & threat protection > "
     "Ransomware protection); if the disk is full, free some space."},
    {"La carpeta de la lecci\xF3n no admite cambios: Archivos de programa, un CD o una memoria "
     "USB protegida no los admiten. Copie la carpeta a Documentos o al Escritorio e inicie "
     "contapuntos.exe desde all\xED.",
     "The lesson's folder takes no changes: Program Files, a CD or a write-protected USB stick "
     "do not. Copy the folder to Documents or the Desktop and start contapuntos.exe from "
     "there."},
    {"La carpeta de la lecci\xF3n no admite cambios (o su disco est\xE1 lleno). Inicie la "
     "lecci\xF3n en una carpeta suya, como contapuntos-lesson ~/ana, que la crea si no "
     "existe.",
     "The lesson's folder takes no changes (or its disk is full). Run the lesson in a folder of "
     "your own, such as contapuntos-lesson ~/ana, which makes it if missing."},
    {"La carpeta en la que se inici\xF3 el programa (build/run, con tools/run) no admite cambios "
     "(o su disco est\xE1 lleno): dele permiso de escritura con chmod u+w, o inicie el "
     "programa en una carpeta suya.",
     "The folder the program was started in (build/run, with tools/run) takes no changes (or "
     "its disk is full): make it writable with chmod u+w, or start the program in a folder of "
     "your own."},
};

// The lesson's window could not be made.
constexpr const char* kSinVentana =
    "No se ha podido abrir la ventana de la lecci\xF3n. Cierre otros programas y vuelva a "
    "intentarlo; si sigue sin abrirse, reinicie el ordenador.\n\n"
    "The lesson's window could not be opened. Close other programs and try again; if it "
    "still does not open, restart the computer.";

// The drawing (OpenGL) could not be made ready.
constexpr const char* kSinOpenGL =
    "Este ordenador no ha podido preparar el dibujo de la lecci\xF3n (OpenGL). Instale el "
    "controlador de la tarjeta gr\xE1" "fica que da su fabricante y vuelva a intentarlo.\n\n"
    "This computer could not get ready to draw the lesson (OpenGL). Install the graphics "
    "card's driver from its maker and try again.";

// The computer ran out of memory.
constexpr const char* kSinMemoria =
    "El ordenador se ha quedado sin memoria. Cierre otros programas y vuelva a empezar "
    "la lecci\xF3n.\n\n"
    "The computer has run out of memory. Close other programs and start the lesson again.";

// The program defines no application object: a fault of its making.
constexpr const char* kSinAplicacion = "Tienes que crear una instancia de Dios";
constexpr const char* kTituloSinAplicacion = "Error de programaci\xF3n";

}  // namespace Avisos
