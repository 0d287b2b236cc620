// How this copy of the program was installed, told by where its own file
// is: that decides where a parent finds its lesson files, and so what they
// can do when one cannot be saved.
#pragma once

enum class Instalacion {
  // By the Windows installer (uninstall.exe beside the program): the lessons
  // are in Documents\Contapuntos and its children's folders.
  kInstalador,
  // On Windows, a folder of its own, such as the zip's, which is also the
  // lesson folder.
  kCarpeta,
  // Under /usr, as the Debian package puts it: contapuntos-lesson runs it in
  // a folder of the user's.
  kPaquete,
  // On Linux anywhere else: built from the sources, and run where tools/run
  // runs it (build/run) or wherever its user starts it.
  kFuentes,
};

// This program's installation. A program that cannot tell its own file's
// name counts as one in a Windows folder of its own.
Instalacion EstaInstalacion();
