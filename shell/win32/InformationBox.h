#pragma once
// The program's messages to the user: a modal box with the caption
// "Information", the information icon and one OK button, centred on the
// screen; it returns when the box is closed.

#include <string>

namespace pastimo {

void ShowInformationBox(const std::string& message);

}  // namespace pastimo
