// Installing one downloaded archive: unpacked straight over the installed
// file's folder, without the archive's own folders.
#pragma once

#include <string>

#include "decision/update_info.h"
#include "install/unzip_module.h"

namespace kvu {

// What a failure to set up or run the extraction appends to the message text,
// followed by the error number, a space, its description and CR LF.
inline constexpr char kUnzipFailureLine[] = "fájl kicsomagolási hiba: UnZipAndCopyFile -> ";

// Unpacks the archive of record (the one at the 1-based position of the update
// list), which the download stored in tempFolder, into the folder of the
// record's LocalPath, overwriting without asking. No record, or a library that
// cannot be used, appends a failure line to message and extracts nothing; a
// non-zero result of the library is only the message box of RunUnzip.
void UnZipAndCopyFile(UnzipModule& module, const clsUpdateInfo* record, int position,
                      const std::string& tempFolder, std::string& message);

}  // namespace kvu
