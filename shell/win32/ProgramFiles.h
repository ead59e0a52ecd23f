#pragma once
// What the program finds beside itself and inside itself: the folder of the
// running executable, and the Help page's text among its resources.

#include <string>

namespace pastimo {

// The folder of the running executable: everything up to and including the
// last backslash or colon of its full path.
std::string ExecutableFolder();

// The help text, with CR LF line ends and no break after the last line.
std::string LoadHelpText();

}  // namespace pastimo
