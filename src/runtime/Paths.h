#pragma once
// Where the host program lives and where the library writes its log files.

#include <string>

// directory + "/" + name, without doubling a separator; an empty directory gives the name.
std::string JoinPath(const std::string& aDirectory, const std::string& aName);

// Directory of the host program's executable with a trailing "/" ("./" if it cannot be read).
std::string GetAppPath();
// File name of the host program's executable without its extension.
std::string GetAppName();

// $QNRP_LOG_ROOT when set and not empty, otherwise GetAppPath().
std::string GetLogRoot();
// GetLogRoot() + "LogFiles": the folder of the application log; device traces go to
// its "FiscalPrinter" sub-folder.
std::string GetLogFilesDirectory();
