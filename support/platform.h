// What the tests run on, for the checks that cannot be made everywhere: Windows or Wine (and
// which settings of Wine's), and the screen.  Each answers with the reason a check must be
// skipped here, or "" where it can run (tests/check.h: SKIP_IF).
#ifndef LANTREL_SUPPORT_PLATFORM_H
#define LANTREL_SUPPORT_PLATFORM_H

#include <string>

namespace platform {

// Wine's version ("8.0", "10.0"), or "" on Windows.
std::string WineVersion();

// "" on a screen of width x height, else why a check made for that size is skipped.
std::string NeedScreen(int width, int height);

// "" on Windows, and under Wine with the settings of its X11 driver the project's prefixes have
// (tools/wine-env.sh): "Managed" = "N", Wine placing and framing its windows itself as Windows
// does, not a window manager; from Wine 10 on also "ClientSideGraphics" = "N", without which
// Wine shows a window through a fine window region wrongly.  Else why a check that needs them is
// skipped.
std::string NeedWineSettings();

// "" under Wine in a prefix where no program is registered for ".htm" files (a fresh prefix made
// without Wine's browser engine, as the project's test runs make them), else why a check is
// skipped that registers stand-in programs for links under HKEY_CLASSES_ROOT and counts on Wine's
// answers where nothing is: on Windows it would change the user's own associations.
std::string NeedBareLinkAssociations();

}  // namespace platform

#endif
