#pragma once
// File operations of the program's writers, and the error of a failed one,
// named after its cause.
//
// Every write of a file (databases, PDF pages, CAD drawings, screen copies)
// reports a failure of the operating system through this one mapping, so the
// same cause reads the same everywhere: a missing folder is "Pfad nicht
// gefunden", a folder or file the user may not write is "Zugriff verweigert",
// a name the file system refuses as too long says so, a full disk is
// "Datenträger voll". The file is named after the description.

#include "platform/VbError.h"

#include <QString>

#include <cstddef>

namespace vb {

// The error for the operating system's error number `osFehler` (errno) met
// while writing `pfad`:
//   ENOENT, ENOTDIR               76 path not found
//   EACCES, EPERM, EROFS          70 permission denied
//   ENAMETOOLONG                  52 with "Dateiname zu lang" / "File name too long"
//   ENOSPC, EDQUOT, EFBIG         61 disk full
//   anything else                 75 path/file access error
// The description follows the language of the locale service, then ": " and
// the path.
VbError dateisystemFehler(int osFehler, const QString& pfad);

// Create folder `pfad` with the folders above it that are missing. Raises
// dateisystemFehler with the cause when one cannot be created (a name taken by a
// file, a folder the user may not write, a name too long).
void ordnerAnlegen(const QString& pfad);

// Write all `n` bytes of `daten` to the open file `fd` (the file `pfad`);
// raises dateisystemFehler with the cause when it cannot.
void schreibeAlles(int fd, const char* daten, std::size_t n, const QString& pfad);

// A text usable as part of a file name: path separators and control
// characters become "_".
QString dateiStamm(const QString& text);
// <ordner>/<stamm>-<n><endung> with the first n from 1 whose file does not
// exist, for files the program numbers on (PDF pages, CAD drawings).
QString freierDateiname(const QString& ordner, const QString& stamm, const QString& endung);

} // namespace vb
