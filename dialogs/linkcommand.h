// The command line that opens a link through the program registered for HTML files, when the
// shell cannot open it itself.
#ifndef LANTREL_DIALOGS_LINKCOMMAND_H
#define LANTREL_DIALOGS_LINKCOMMAND_H

#include <windows.h>

#include "framework/cstring.h"

// Room for the command line, terminator included.
const int kOpenCommandCapacity = 2 * MAX_PATH;

// registered with its placeholder and everything after it removed: cut at the first
// quotation mark, "%1", quotation mark sequence, else at the first "%1"; unchanged without one.
CString CutPlaceholder(const CString& registered);

// url as one unquoted command-line argument: quotation marks, blanks, control characters and
// non-ASCII characters become %XX escapes of their UTF-8 bytes, as in any URL.
CString EncodeUrlArgument(const CString& url);

// The command that runs registered on url: the cut command, one blank, the encoded url.
// Returns FALSE with *failure set, and builds nothing, when the command would do something
// else or not fit: SE_ERR_ASSOCINCOMPLETE for a cut command that is blank, leaves a quotation
// open or cannot be written in the ANSI code page WinExec takes; SE_ERR_OOM for a line longer
// than kOpenCommandCapacity - 1 characters.
BOOL ComposeOpenCommand(const CString& registered, const CString& url, CString* commandLine,
                        int* failure);

#endif
