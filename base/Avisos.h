// What the program tells a parent in its message boxes: what happened and
// what to do, in Spanish and then the same in English, in Windows-1252 (the
// message box's character set on both systems).
#pragma once

namespace Avisos {

// The progress could not be saved.
constexpr const char* kSinGuardar =
    "No se ha podido guardar el avance de la lecci\xF3n en CPControl.ini. Compruebe que "
    "CPControl.ini no es de solo lectura (en sus Propiedades) y que su carpeta admite cambios: "
    "Documentos o el Escritorio s\xED; Archivos de programa, un CD o una memoria USB protegida "
    "no. Si no los admite, copie la carpeta de las lecciones a Documentos y empiece la "
    "lecci\xF3n desde all\xED. Mientras tanto, cada vez se repetir\xE1 la misma lecci\xF3n.\n\n"
    "The lesson's progress could not be saved in CPControl.ini. Check that CPControl.ini is "
    "not read-only (in its Properties) and that its folder can be changed: Documents or the "
    "Desktop can; Program Files, a CD or a write-protected USB stick cannot. If it cannot, "
    "copy the lessons' folder to Documents and start the lesson from there. Until then, the "
    "same lesson will come again every time.";

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
