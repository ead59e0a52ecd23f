#pragma once
// Makes a form's controls from its stored layout. Each parent's rows are
// made in tab order (creation order is the order of dialog navigation), rows
// without a tab stop after them in table order; a group box's rows follow it
// at once, placed relative to it but made as its siblings; rows marked
// csBehind go below their siblings at the end.

#include "toolkit/Layout.h"
#include "toolkit/win32/Form.h"

#include <windows.h>

#include <initializer_list>
#include <map>
#include <vector>

namespace pastimo {

class FormBuilder {
public:
    FormBuilder(TForm& form, const FormLayout& layout, std::initializer_list<ControlBinding> bindings);
    void CreateControls();

private:
    // The rows whose parent is `parentId`, in the order they are made.
    std::vector<const ControlLayout*> ChildrenOf(int parentId) const;
    void CreateChildren(int parentId, HWND parent, int offsetLeft, int offsetTop, std::vector<HWND>& behind);
    TControl& ControlFor(const ControlLayout& row);

    TForm& FForm;
    const FormLayout& FLayout;
    std::map<int, TControl*> FBound;  // not owned: the form's members
};

}  // namespace pastimo
