// Tells what the next run of a lesson file shows, without running it: the
// diary it notes itself in, each card in order, the words said with it and
// how long it stays, the items the run leaves out (with the very line the
// run writes), and where the run leaves the counters. It reads the file
// through the lesson's own reader (Leccion), so that it tells what the run
// does; it needs no display and no sound device, and changes no file.
#pragma once

class VistaPrevia {
 public:
  // Prints, on standard output, what the next run of donde shows: a lesson
  // file, a folder (its CPControl.ini), or, when null, the working folder's
  // CPControl.ini; with todas, every lesson of the file in turn, each as its
  // first session shows it. Returns the exit code: 0, or 1 after one line
  // on standard error when the file cannot be read.
  static int Mostrar(const char* donde, bool todas);
};
