#pragma once
// Builds a form's declared components from its form resource: an RCDATA
// resource named after the form class in upper case ("TFORM1"), holding the
// text format read by ParseFormText. Components are created by registered
// class name, owned by the form and parented by nesting; properties are set
// through the class registry; the form's published fields are bound by
// component name and event properties resolve to its published methods.
// After the whole tree was read, Loaded runs on every component (the form
// last).
#include <string_view>

class TComponent;
class TForm;

// False when the module has no resource for the form's class.
bool ReadFormResource(TForm& form);
// Reads the given text into `root` (used by ReadFormResource and by tests).
// Throws FormTextError for malformed text and EPropertyError /
// EPropertyConvertError for values that do not fit.
void ReadFormText(TComponent& root, std::string_view text);
